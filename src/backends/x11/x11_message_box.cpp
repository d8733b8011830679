#include "backends/x11/x11_message_box.h"

#include <X11/keysym.h>

#include <algorithm>

#include "backends/x11/x11_dialog_window.h"
#include "backends/x11/x11_monitors.h"
#include "core/infodialog/dialog_layout.h"
#include "dialogpaint/message_layout.h"

namespace quarvel {

X11MessageBox::X11MessageBox(X11Display& display, X11EventLoop& loop, TwipsPerPixel twips,
                             const Message& message, Window owner)
    : display_(display),
      loop_(loop),
      font_(display.get(), display.screen(), infodialog::FontPixelHeight(twips.y)),
      text_(message.text),
      buttonText_(message.button) {
  MessageLayout layout = LayOutMessage(
      text_, [this](std::string_view piece) { return font_.Width(piece); }, font_.lineHeight(),
      twips.x);
  lines_ = std::move(layout.lines);
  textRect_ = layout.text;
  button_ = layout.button;
  const int width = layout.width, height = layout.height;

  const ScreenRect area = X11Monitors(display_).front().workArea;
  const infodialog::PixelRect place{area.left + (area.right - area.left - width) / 2,
                                    area.top + (area.bottom - area.top - height) / 2, width,
                                    height};
  window_ = CreateX11DialogWindow(
      display_, place, {.title = message.caption, .topmost = message.topmost, .owner = owner});
  painter_ = std::make_unique<X11ControlPainter>(display_.get(), display_.screen(), window_, font_);
  DescribeX11Controls(display_, window_,
                      {{"Label", textRect_, text_}, {"PushButton", button_, buttonText_}});
  loop_.Watch(window_, this);
}

X11MessageBox::~X11MessageBox() {
  loop_.Unwatch(window_);
  painter_.reset();
  if (!display_.lost()) XDestroyWindow(display_.get(), window_);
}

void X11MessageBox::Run() {
  XMapWindow(display_.get(), window_);
  loop_.PushModal(window_);
  loop_.RunUntil(closed_);
  loop_.PopModal();
  XUnmapWindow(display_.get(), window_);
  XFlush(display_.get());
}

void X11MessageBox::Paint() {
  painter_->Lines(textRect_, lines_);  // as measured: wrapped again, they could break elsewhere
  painter_->Button(button_, buttonText_, true, pressed_);
}

void X11MessageBox::HandleEvent(XEvent& event) {
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) Paint();
      break;
    case MapNotify:
      XSetInputFocus(display_.get(), window_, RevertToParent, CurrentTime);
      break;
    case KeyPress:
      switch (XLookupKeysym(&event.xkey, 0)) {
        case XK_Return:
        case XK_KP_Enter:
        case XK_space:
        case XK_Escape:
          closed_ = true;
          break;
        default:
          break;
      }
      break;
    case ButtonPress:
    case ButtonRelease: {
      const int x = event.xbutton.x - button_.x, y = event.xbutton.y - button_.y;
      const bool inside = x >= 0 && x < button_.width && y >= 0 && y < button_.height;
      if (event.xbutton.button != Button1) break;
      if (event.type == ButtonRelease && pressed_ && inside) closed_ = true;
      pressed_ = event.type == ButtonPress && inside;
      painter_->Button(button_, buttonText_, true, pressed_);
      break;
    }
    case ClientMessage:
      if (static_cast<Atom>(event.xclient.data.l[0]) == display_.atom("WM_DELETE_WINDOW"))
        closed_ = true;
      break;
    default:
      break;
  }
}

}  // namespace quarvel
