#include "clockwindow/form1.h"

#include "clockface/face_redraw.h"
#include "clockface/hand_shapes.h"
#include "clockwindow/settings_file.h"
#include "runtime/ignore_errors.h"

namespace quarvel {

Form1::Form1(PlatformWindow& window, Clock& clock, FileSlot& slot)
    : window_(window), clock_(clock), slot_(slot) {
  window_.SetEventSink(this);
  window_.SetTimerInterval(TimerId::kTimer1, kTimer1Interval);
  window_.SetTimerInterval(TimerId::kTimer2, kSpinInterval);
  window_.SetTimerInterval(TimerId::kTimer3, kSpinInterval);
}

void Form1::Load() {
  LoadHandShapes(state_, slot_);
  // From here on a failing statement is dropped and start-up goes on with the next one.
  state_.bitmapPath = kDefaultBitmap;
  state_.lineWidth = kDefaultLineWidth;
  state_.faceDiameter = kDesignedFaceWidth;
  IgnoreErrors([&] { window_.LoadBackgroundPicture(slot_.Resolve(state_.bitmapPath)); });
  if (window_.PictureWidth() > 0) state_.faceDiameter = window_.PictureWidth();
  IgnoreErrors([&] { window_.SetClientSizePixels(state_.faceDiameter, state_.faceDiameter); });
  IgnoreErrors([&] { window_.SetDrawWidth(state_.lineWidth); });
  window_.Show();
  window_.SetTimerEnabled(TimerId::kTimer1, true);
}

void Form1::OnTimer(TimerId timer) {
  if (timer == TimerId::kTimer1) SecondTick(state_, window_, clock_);
}

void Form1::OnUnload() { window_.Close(); }

}  // namespace quarvel
