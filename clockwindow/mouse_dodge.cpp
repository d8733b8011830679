// Hiding from the pointer. While the clock is top-most, a mouse move over it without Shift alone
// parks it off-screen at once; the pointer test after each redraw brings it home once the
// pointer has left its square, and parks it when the pointer stands inside.
#include "clockwindow/form1.h"
#include "clockwindow/twips.h"

namespace quarvel {

int32_t Form1::ParkedLeft() const {
  const int32_t beyondScreens = Sub32(system_.VirtualScreenLeft(), state_.faceDiameter);
  return beyondScreens < kParkLeft ? beyondScreens : kParkLeft;
}

void Form1::Park() {
  state_.dodged = -1;
  window_.SetLeftTwips(PixelsToTwips(system_.TwipsPerPixelX(), ParkedLeft()));
}

void Form1::Restore() {
  state_.dodged = 0;
  window_.SetLeftTwips(PixelsToTwips(system_.TwipsPerPixelX(), state_.windowLeft));
}

void Form1::OnMouseMove(int16_t /*button*/, int16_t shift) {
  // The home position is only ever taken from a window at home: a parked place is not home.
  if (state_.dodged == 0) {
    state_.windowLeft = TwipsToPixels(window_.LeftTwips(), system_.TwipsPerPixelX());
    state_.windowTop = TwipsToPixels(window_.TopTwips(), system_.TwipsPerPixelY());
  }
  if (shift == 1) {  // Shift alone suspends the hiding; Shift with Ctrl or Alt does not
    state_.shiftHeld = -1;
    return;
  }
  state_.shiftHeld = 0;
  if (state_.notTopmost == 0) Park();
}

void Form1::DodgeCheck() {
  system_.GetCursorPos(state_.cursorPos);  // on failure the last position stays
  if (state_.notTopmost != 0 || state_.shiftHeld != 0) return;
  const int32_t x = state_.cursorPos.x, y = state_.cursorPos.y;
  // The square's first column and row count as outside, its last ones as inside.
  const bool inside = state_.windowLeft < x && x < Add32(state_.windowLeft, state_.faceDiameter) &&
                      state_.windowTop < y && y < Add32(state_.windowTop, state_.faceDiameter);
  if (state_.dodged != 0 && !inside) Restore();
  if (state_.dodged == 0 && inside) Park();
}

}  // namespace quarvel
