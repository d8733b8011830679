#pragma once
// The first-run dialog's push buttons worked as a Windows dialog works them, whatever window
// system shows it: the focus on OK at first, moved by Tab and the arrows among the buttons alone;
// Enter clicks the focused one, Space presses it and clicks on coming up; a left press on a
// button focuses and presses it, and clicks only when released over it; Escape does nothing.
#include <cstddef>
#include <cstdint>

#include "core/infodialog/dialog_layout.h"

namespace quarvel {

class DialogButtons {
 public:
  static constexpr std::size_t kNone = SIZE_MAX;
  // The keys that matter, as each window system reads them.
  enum class Key { kNext, kPrevious, kEnter, kSpaceDown, kSpaceUp, kOther };

  DialogButtons(float twipsPerPixelX, float twipsPerPixelY)
      : twipsX_(twipsPerPixelX), twipsY_(twipsPerPixelY) {}

  // Controls are infodialog::kControls' indexes.
  std::size_t focused() const { return focused_; }
  bool ShownPressed(std::size_t control) const { return control == pressed_ && pressedInside_; }
  // The push button at a point of the client area, or kNone.
  std::size_t ButtonAt(int x, int y) const;

  // Each returns the button it clicked, or kNone.
  std::size_t KeyEvent(Key key);
  std::size_t LeftPress(int x, int y);
  // True when the pressed button's look changed (the pointer left it or came back).
  bool PointerMoved(int x, int y);
  std::size_t LeftRelease(int x, int y);

 private:
  void MoveFocus(int step);

  float twipsX_;
  float twipsY_;
  std::size_t focused_ = 0;      // OKButton, first in tab order
  std::size_t pressed_ = kNone;  // held down with the mouse or Space
  bool pressedInside_ = false;
};

}  // namespace quarvel
