#include "backends/wayland/wayland_message_box.h"

#include "backends/wayland/wayland_scale.h"
#include "dialogpaint/pixel_controls.h"

namespace quarvel {

namespace {
// Windows' key codes, as WaylandKeys gives them.
constexpr int16_t kReturn = 0x0D, kEscape = 0x1B, kSpace = 0x20;

MessageLayout Laid(const GlyphText& text, const std::string& message, float twipsPerPixel) {
  return LayOutMessage(
      message, [&text](std::string_view piece) { return text.Width(piece); }, text.lineHeight(),
      twipsPerPixel);
}
}  // namespace

WaylandMessageBox::WaylandMessageBox(WaylandDisplay& display, WaylandEventLoop& loop, int32_t scale,
                                     const Message& message)
    : display_(display),
      loop_(loop),
      text_(infodialog::FontPixelHeight(TwipsAtOutputScale(scale).y)),
      buttonText_(message.button),
      layout_(Laid(text_, message.text, TwipsAtOutputScale(scale).x)),
      picture_(BlankPicture(layout_.width, layout_.height)),
      window_(display, layout_.width, layout_.height, scale, message.caption, *this) {}

bool WaylandMessageBox::Run() {
  if (!window_.usable()) return false;
  while (!closed_ && !display_.lost()) loop_.RunOnce(-1);
  return true;
}

void WaylandMessageBox::Paint() {
  PixelControls paint(picture_, text_);
  paint.Clear();
  paint.Lines(layout_.text, layout_.lines);
  paint.Button(layout_.button, buttonText_, true, pressed_);
  window_.Show(picture_);
}

bool WaylandMessageBox::OverButton() const {
  const auto& b = layout_.button;
  return pointerX_ >= b.x && pointerX_ < b.x + b.width && pointerY_ >= b.y &&
         pointerY_ < b.y + b.height;
}

void WaylandMessageBox::PointerAt(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
}

void WaylandMessageBox::LeftButton(bool pressed) {
  if (!pressed && pressed_ && OverButton()) closed_ = true;
  pressed_ = pressed && OverButton();
  Paint();
}

void WaylandMessageBox::Key(int16_t keyCode, bool pressed, int16_t /*modifiers*/) {
  if (pressed && (keyCode == kReturn || keyCode == kSpace || keyCode == kEscape)) closed_ = true;
}

}  // namespace quarvel
