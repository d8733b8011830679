#include "dialogpaint/dialog_buttons.h"

namespace quarvel {

namespace {
using infodialog::ControlKind;
using infodialog::kControls;
}  // namespace

std::size_t DialogButtons::ButtonAt(int x, int y) const {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (kControls[i].kind != ControlKind::kPushButton) continue;
    const auto r = infodialog::ControlRect(kControls[i], twipsX_, twipsY_);
    if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) return i;
  }
  return kNone;
}

void DialogButtons::MoveFocus(int step) {
  std::size_t next = focused_;
  do {
    next = (next + kControls.size() + static_cast<std::size_t>(step)) % kControls.size();
  } while (kControls[next].kind != ControlKind::kPushButton);
  focused_ = next;
}

std::size_t DialogButtons::KeyEvent(Key key) {
  switch (key) {
    case Key::kNext:
      MoveFocus(1);
      break;
    case Key::kPrevious:
      MoveFocus(-1);
      break;
    case Key::kEnter:
      return focused_;
    case Key::kSpaceDown:
      pressed_ = focused_;
      pressedInside_ = true;
      break;
    case Key::kSpaceUp: {
      const std::size_t clicked = pressed_;
      pressed_ = kNone;
      return clicked;
    }
    case Key::kOther:
      break;
  }
  return kNone;
}

std::size_t DialogButtons::LeftPress(int x, int y) {
  pressed_ = ButtonAt(x, y);
  if (pressed_ == kNone) return kNone;
  pressedInside_ = true;
  focused_ = pressed_;
  return kNone;
}

bool DialogButtons::PointerMoved(int x, int y) {
  if (pressed_ == kNone) return false;
  const bool inside = ButtonAt(x, y) == pressed_;
  const bool changed = inside != pressedInside_;
  pressedInside_ = inside;
  return changed;
}

std::size_t DialogButtons::LeftRelease(int x, int y) {
  const std::size_t released = pressed_;
  pressed_ = kNone;
  return released != kNone && ButtonAt(x, y) == released ? released : kNone;
}

}  // namespace quarvel
