// facegen: draws QUARVEL's default dial face, a 200 x 200 24-bit BMP.
//
// The face is dark blue (red 0, green 64, blue 128) with a thin ring near the rim, twelve hour
// marks (bolder at 12, 3, 6 and 9) and sixty minute dots. The centre is left plain, since the
// hands are drawn over it from there; they reach 80 pixels at full length, so every mark sits
// outside that circle. Shapes are antialiased by their distance to each pixel's centre.
//
// Build and run from the repository root:
//   g++ -std=c++20 -O2 tools/facegen/facegen.cpp -o /tmp/facegen && /tmp/facegen data/qv.bmp
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSide = 200;
// The hands pivot on pixel (100, 100); its centre is at 100.5 in continuous coordinates.
constexpr double kCentre = 100.5;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
  double r, g, b;
};

constexpr Rgb kBackground{0, 64, 128};
constexpr Rgb kRing{96, 140, 196};
constexpr Rgb kHourMark{236, 242, 252};
constexpr Rgb kQuarterMark{255, 255, 255};
constexpr Rgb kMinuteDot{170, 198, 232};

class Canvas {
 public:
  Canvas() : pixels_(kSide * kSide, kBackground) {}

  // Blends colour over every pixel by a coverage in 0..1 computed from the pixel's centre.
  template <class Coverage>
  void Paint(const Rgb& colour, Coverage coverage) {
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        double a = std::clamp(coverage(x + 0.5, y + 0.5), 0.0, 1.0);
        if (a <= 0.0) continue;
        Rgb& p = pixels_[y * kSide + x];
        p.r += (colour.r - p.r) * a;
        p.g += (colour.g - p.g) * a;
        p.b += (colour.b - p.b) * a;
      }
    }
  }

  bool Write(const char* path) const {
    std::vector<unsigned char> bytes;
    bytes.reserve(pixels_.size() * 3);
    for (const Rgb& p : pixels_) {
      bytes.push_back(ToByte(p.r));
      bytes.push_back(ToByte(p.g));
      bytes.push_back(ToByte(p.b));
    }
    return stbi_write_bmp(path, kSide, kSide, 3, bytes.data()) != 0;
  }

 private:
  static unsigned char ToByte(double v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 255.0)));
  }

  std::vector<Rgb> pixels_;
};

// Coverage of a shape whose signed distance (negative inside) at a pixel centre is d.
double Cover(double d) {
  return 0.5 - d;
}

// Signed distance to a capsule: the segment (ax, ay)-(bx, by) widened by halfWidth.
double CapsuleDistance(double px, double py, double ax, double ay, double bx, double by,
                       double halfWidth) {
  double vx = bx - ax, vy = by - ay;
  double t = std::clamp(((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
  double dx = px - (ax + t * vx), dy = py - (ay + t * vy);
  return std::hypot(dx, dy) - halfWidth;
}

// A point at distance r from the centre, in the clock direction of minute m (0 = up).
void OnDial(double minute, double r, double& x, double& y) {
  double a = minute * 6.0 * kPi / 180.0;
  x = kCentre + r * std::sin(a);
  y = kCentre - r * std::cos(a);
}

void DrawRing(Canvas& canvas, double radius, double halfWidth, const Rgb& colour) {
  canvas.Paint(colour, [&](double x, double y) {
    return Cover(std::fabs(std::hypot(x - kCentre, y - kCentre) - radius) - halfWidth);
  });
}

void DrawMark(Canvas& canvas, double minute, double inner, double outer, double halfWidth,
              const Rgb& colour) {
  double ax, ay, bx, by;
  OnDial(minute, inner, ax, ay);
  OnDial(minute, outer, bx, by);
  canvas.Paint(colour, [&](double x, double y) {
    return Cover(CapsuleDistance(x, y, ax, ay, bx, by, halfWidth));
  });
}

void DrawDot(Canvas& canvas, double minute, double r, double dotRadius, const Rgb& colour) {
  double cx, cy;
  OnDial(minute, r, cx, cy);
  canvas.Paint(colour,
               [&](double x, double y) { return Cover(std::hypot(x - cx, y - cy) - dotRadius); });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: facegen OUTPUT.bmp\n");
    return 2;
  }
  Canvas canvas;

  // A fine ring just inside the round window's edge frames the dial.
  DrawRing(canvas, 96.0, 0.6, kRing);

  for (int minute = 0; minute < 60; ++minute) {
    if (minute % 15 == 0) {
      DrawMark(canvas, minute, 79.0, 92.0, 2.4, kQuarterMark);
    } else if (minute % 5 == 0) {
      DrawMark(canvas, minute, 83.0, 92.0, 1.3, kHourMark);
    } else {
      DrawDot(canvas, minute, 89.0, 1.15, kMinuteDot);
    }
  }

  if (!canvas.Write(argv[1])) {
    std::fprintf(stderr, "facegen: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
