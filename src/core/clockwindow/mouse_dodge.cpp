// Hiding from the pointer. While the clock is top-most, a mouse move over it without Shift alone
// parks it off-screen at once; the pointer test after each redraw brings it home once the
// pointer has left its square, and parks it when the pointer stands inside.
#include <algorithm>

#include "core/clockwindow/form1.h"
#include "core/clockwindow/twips.h"

namespace quarvel {

int32_t Form1::ParkedLeft() const {
  int32_t leftmost = 0;
  const std::vector<Monitor> monitors = system_.Monitors();
  for (const Monitor& m : monitors) leftmost = std::min(leftmost, m.bounds.left);
  return std::min(Sub32(leftmost, state_.faceDiameter), kParkLeft);
}

// Only the left edge moves; the top edge stays where it is.
void Form1::Park() {
  state_.dodged = true;
  window_.MoveTo(ThroughTwips(twips_.x, ParkedLeft()), window_.Position().y);
  // A clock without a seconds hand sleeps for a minute at home; parked, it must test the
  // pointer each second to come back.
  if (!state_.secondsHand && TimerEnabled(kSecondTick)) FollowTheFace();
}

void Form1::Restore() {
  state_.dodged = false;
  window_.MoveTo(ThroughTwips(twips_.x, state_.windowLeft), window_.Position().y);
  SetFaceVeiled(false);
}

void Form1::RestoreUnseen() {
  SetFaceVeiled(true);
  state_.dodged = false;
  window_.MoveTo(ThroughTwips(twips_.x, state_.windowLeft), window_.Position().y);
  window_.StartTimer(kReveal, kRevealMs);
}

void Form1::Reveal() {
  window_.StopTimer(kReveal);
  if (!state_.dodged) SetFaceVeiled(false);
}

void Form1::SetFaceVeiled(bool veiled) {
  if (faceVeiled_ == veiled) return;
  faceVeiled_ = veiled;
  window_.ShowFace(!veiled);
}

void Form1::OnMouseMove(int16_t /*button*/, int16_t shift) {
  Guarded([&] {
    dragging_ = false;  // a drag ends with a mouse move over the window, on every backend
    // The home position is only ever taken from a window at home: a parked place is not home.
    if (!state_.dodged) {
      const ScreenPoint place = window_.Position();
      state_.windowLeft = ThroughTwips(twips_.x, place.x);
      state_.windowTop = ThroughTwips(twips_.y, place.y);
    }
    if (shift == 1) {  // Shift alone suspends the hiding; Shift with Ctrl or Alt does not
      state_.shiftHeld = true;
      if (!state_.dodged) SetFaceVeiled(false);
      return;
    }
    state_.shiftHeld = false;
    if (state_.topmost) Park();
  });
}

void Form1::DodgeCheck() {
  // Asked only when the answer counts: on X11 the question costs the clock and the server a
  // wake-up each second.
  if (!state_.topmost || state_.shiftHeld) return;
  // Where the pointer is known only over the clock's own windows (Xwayland), a parked clock
  // can't see it leave: the place read is the last one over the clock, frozen. So it comes back
  // at once, see-through, and hides again only on a real move over it (a pointer resting there
  // gets one as the compositor tells it the window came back), before a busy compositor shows
  // it; a place read never parks it.
  if (!system_.PointerKnownEverywhere()) {
    if (state_.dodged) RestoreUnseen();
    return;
  }
  system_.GetCursorPos(state_.cursorPos);  // on failure the last position stays
  const int32_t x = state_.cursorPos.x, y = state_.cursorPos.y;
  // The square's first column and row count as outside, its last ones as inside.
  const bool inside = state_.windowLeft < x && x < Add32(state_.windowLeft, state_.faceDiameter) &&
                      state_.windowTop < y && y < Add32(state_.windowTop, state_.faceDiameter);
  if (state_.dodged && !inside) Restore();
  if (!state_.dodged && inside) Park();
}

}  // namespace quarvel
