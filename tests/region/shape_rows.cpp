// Prints the shape the X server keeps for a window, in region_dump's format, for the end-to-end
// test to compare with Windows' rows:
//   shape_rows <window id> <diameter>   one line: "<diameter> left,top,right,bottom..."
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) return 64;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  int count = 0, ordering = 0;
  XRectangle* rects = XShapeGetRectangles(display, std::strtoul(argv[1], nullptr, 0), ShapeBounding,
                                          &count, &ordering);
  std::printf("%s", argv[2]);
  for (int i = 0; i < count; ++i)
    std::printf(" %d,%d,%d,%d", rects[i].x, rects[i].y, rects[i].x + rects[i].width,
                rects[i].y + rects[i].height);
  std::printf("\n");
  if (rects != nullptr) XFree(rects);
  XCloseDisplay(display);
}
