#include "core/clockwindow/form1.h"

#include "core/clockface/changed_box.h"
#include "core/clockface/face_redraw.h"
#include "core/clockwindow/clock_message.h"
#include "core/clockwindow/twips.h"
#include "runtime/caption.h"

namespace quarvel {

Form1::Form1(PlatformWindow& window, PlatformSystem& system, Clock& clock, FileSlot& slot)
    : window_(window),
      system_(system),
      clock_(clock),
      slot_(slot),
      twips_(system.ScreenTwipsPerPixel()),
      canvas_(TwipsToPixels(kDesignedWidthTwips, twips_.x),
              TwipsToPixels(kDesignedHeightTwips, twips_.y)) {
  window_.SetEventSink(this);
  window_.SetCaption(kCaption);
  window_.Resize(canvas_.pixels().width, canvas_.pixels().height);
  SetTimerEnabled(kSecondTick, true);
}

void Form1::UseWorkFolder(std::string folder, std::string problem) {
  workFolder_ = std::move(folder);
  workFolderProblem_ = std::move(problem);
}

void Form1::Fail(const RuntimeError& error, const std::string& note) {
  // First silence the clock: the report's own event loop would otherwise deliver the next
  // tick, which would fail again and open a second report, and a third.
  StopForGood();
  ShowClockMessage(system_, std::string(error.what()) + (note.empty() ? "" : "\n\n" + note) +
                                "\n\nThe clock has stopped. settings.ini was not changed.");
  system_.EndProcess(1);
}

void Form1::FailAtOnce(const SystemCallFailure& failure) {
  StopForGood();
  ReportSystemCallFailure(system_, failure);
}

void Form1::StopForGood() {
  failed_ = true;
  for (TimerId timer : {kSecondTick, kSecondLap, kMinuteLap, kScreenSettle})
    if (TimerEnabled(timer)) SetTimerEnabled(timer, false);
}

void Form1::OnTimer(TimerId timer) {
  Guarded([&] {
    switch (timer) {
      case kSecondTick:
        SecondTimerTick();
        break;
      case kSecondLap:
        LapFrame(Lap::kSecond);
        break;
      case kMinuteLap:
        LapFrame(Lap::kMinute);
        break;
      case kReveal:
        Reveal();
        break;
      case kScreenSettle:
        SetTimerEnabled(kScreenSettle, false);
        window_.SetScreenSettling(false);
        break;
    }
  });
}

void Form1::Command1Click() {
  RedrawFace(state_, canvas_, clock_);
  PresentWhole();
}

void Form1::PresentWhole() {
  presentedLines_ = canvas_.segments();
  presentedBackground_ = canvas_.BackgroundVersion();
  window_.Present(canvas_.pixels(), WholeImage(canvas_.pixels()));
}

void Form1::PresentHands() {
  // A new background (the date's window changed) is under every line: the whole face goes.
  if (canvas_.BackgroundVersion() != presentedBackground_) return PresentWhole();
  const PixelImage& face = canvas_.pixels();
  const ChangedPart changed =
      ChangedRows(presentedLines_, canvas_.segments(), face.width, face.height);
  presentedLines_ = canvas_.segments();
  window_.PresentPart(face, changed);
}

void Form1::OnUnload() {
  // The report of a failure is up (the session ends, a signal came): the close ends the process
  // as its OK would, and nothing more is written.
  if (failed_ || saveFailed_) {
    system_.EndProcess(1);
    return;
  }
  // A second close request while the first is saving does nothing.
  if (unloading_) return;
  unloading_ = true;
  // Start-up has not read the settings yet (the first-run dialog is up): the state holds only
  // defaults, which would overwrite the user's file. There is nothing of this run to keep.
  if (!loaded_) {
    system_.EndProcess(0);
    return;
  }
  WriteSettings();
}

void Form1::WriteSettings() {
  try {
    // A layer the options opened the clock in is no switch of A: the file's line stays.
    ClockState saved = state_;
    if (saved.topmost == openedTopmost_) saved.topmost = saved.notTopmost == kFalse;
    WriteSettingsFile(slot_, saved);
  } catch (const RuntimeError& e) {
    // The old file is still whole: say so, and end without pretending the save worked.
    saveFailed_ = true;
    ShowClockMessage(system_, "The settings could not be saved to \"" + std::string(kSettingsFile) +
                                  "\".\n\n" + e.what() +
                                  "\n\nThe previous settings file is unchanged.");
    system_.EndProcess(1);
    return;
  }
  system_.EndProcess(0);
}

}  // namespace quarvel
