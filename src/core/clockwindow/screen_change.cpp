// The screens changed under a running clock (a monitor unplugged, the resolution lowered). A
// clock left where no monitor shows any of its face would be lost for the session: it has no
// task-bar button, and a parked one would come home off the screens. So the start-up rule is
// applied again to where the clock is at home, and home follows where the window really is
// (the window manager may have moved a window the screen no longer held). So it does when a
// window manager or compositor places the window elsewhere than asked (sway centres new
// windows): settings.ini then keeps the place the user saw.
#include "core/clockwindow/form1.h"
#include "core/clockwindow/screen_place.h"
#include "core/clockwindow/twips.h"

namespace quarvel {

void Form1::OnScreenChanged() {
  Guarded([&] {
    // For a while a window manager's own move of the clock is part of this change.
    window_.SetScreenSettling(true);
    timerOn_[Index(kScreenSettle)] = true;
    StartTimer(kScreenSettle, kScreenSettleMs);
    const std::vector<Monitor> monitors = system_.Monitors();
    if (state_.dodged) {
      // Parked: home moves onto the screens, and the parked window with it, to the left of the
      // screens as they are now, at home's height.
      const ScreenPoint home =
          PlaceOnScreen({state_.windowLeft, state_.windowTop}, state_.faceDiameter, monitors);
      state_.windowLeft = home.x;
      state_.windowTop = home.y;
      window_.MoveTo(ThroughTwips(twips_.x, ParkedLeft()), ThroughTwips(twips_.y, home.y));
      return;
    }
    const ScreenPoint at = window_.Position();
    const ScreenPoint place = PlaceOnScreen(at, state_.faceDiameter, monitors);
    if (place != at)
      window_.MoveTo(ThroughTwips(twips_.x, place.x), ThroughTwips(twips_.y, place.y));
    const ScreenPoint placed = window_.Position();
    state_.windowLeft = ThroughTwips(twips_.x, placed.x);
    state_.windowTop = ThroughTwips(twips_.y, placed.y);
  });
}

void Form1::OnPlacedBySystem(int32_t left, int32_t top) {
  Guarded([&] {
    if (!loaded_ || state_.dodged || dragging_) return;
    state_.windowLeft = ThroughTwips(twips_.x, left);
    state_.windowTop = ThroughTwips(twips_.y, top);
  });
}

}  // namespace quarvel
