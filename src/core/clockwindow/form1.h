#pragma once
// Form1, the clock window's core: its state, its start-up and its event handlers, on top of any
// backend's PlatformWindow and PlatformSystem. The backend translates window-system messages
// into the WindowEvents calls here. Each concern lives in its own file:
//   startup.cpp           start-up sequence, the first-run dialog, sizing at a new scale
//   form1.cpp             events, the one error report, unload (settings written)
//   timers.cpp            which timer runs when, and the wake-up once a second (or minute)
//   pointer_handling.cpp  drag and the hand-over to the editor
//   mouse_dodge.cpp       hiding from the pointer
//   screen_change.cpp     a clock the screens no longer show comes back onto them; a place
//                         the window system chose becomes home
//   keyboard.cpp          Z, X, C, A
//   lap_animation.cpp    the minute and second laps
#include <array>
#include <vector>

#include "core/clockface/clock_state.h"
#include "core/clockface/face_canvas.h"
#include "core/skin/options_file.h"
#include "core/skin/settings_file.h"
#include "platform/clock.h"
#include "platform/platform_system.h"
#include "platform/platform_window.h"
#include "runtime/file_slot.h"
#include "runtime/runtime_error.h"
#include "runtime/system_errors.h"

namespace quarvel {

enum class Lap { kSecond, kMinute };

class Form1 final : public WindowEvents {
 public:
  // The window as designed, in twips: its drawing area until start-up sizes it, and the width
  // of its measuring picture box while that holds no picture (105 pixels at 96 dpi).
  static constexpr int kDesignedWidthTwips = 2175;
  static constexpr int kDesignedHeightTwips = 1425;
  static constexpr int kDesignedPictureWidthTwips = 1575;

  // The clock window's three timers:
  //   Timer1  the second tick: the redraw and the pointer test, once per change of second
  //   Timer2  key X: the second hand's lap, one frame every 50 ms
  //   Timer3  key Z: the minute hand's lap, one frame every 50 ms
  // and two of its own: Timer4, the screens settling, 2 s after they changed, while a move by
  // the window manager counts as part of the change; Timer5, once, a moment after a clock that
  // can't see the pointer came back unseen: its face shows unless a move over it hid it again.
  static constexpr TimerId kSecondTick = TimerId::kTimer1;
  static constexpr TimerId kSecondLap = TimerId::kTimer2;
  static constexpr TimerId kMinuteLap = TimerId::kTimer3;
  static constexpr TimerId kScreenSettle = TimerId::kTimer4;
  static constexpr TimerId kReveal = TimerId::kTimer5;
  // Long enough for the compositor to tell a pointer resting on the clock that it came back,
  // also on a busy machine; short enough that it shows again well within two seconds.
  static constexpr int kRevealMs = 500;
  static constexpr int kScreenSettleMs = 2000;
  static constexpr int kFirstTickMs = 10;      // Timer1's first tick once it is switched on
  static constexpr int kTickMarginMs = 2;      // Timer1 wakes this long after the second changes
  static constexpr int kTickToleranceMs = 16;  // ...or up to a system timer step later
  static constexpr int kLapFrameMs = 50;

  static constexpr int32_t kParkLeft = -1000;  // screen x of a parked window, at the most
  static constexpr const char* kEditorProgram = "qvedit";  // as PlatformSystem::ProgramFileName
  static constexpr const char* kEditorWindowTitle = "qvs";
  static constexpr int kEditorWaitMs = 5000;  // how long the editor may take to show "qvs"
  static constexpr int kEditorPollMs = 50;

  // Creating the clock window starts Timer1, so its ticks already arrive while the first-run
  // dialog is open; they are harmless then (see Load).
  Form1(PlatformWindow& window, PlatformSystem& system, Clock& clock, FileSlot& slot);

  // Where the clock keeps its files when that is not the program's folder (on Linux the folder
  // it works in, a skin folder or its config folder: nothing is ever written next to
  // /usr/bin/quarvel): its settings.ini tells that the clock has run before. `problem`: why that
  // folder could not be set up (a config folder not made or not filled with the default skin),
  // in a few words, which the report of missing hand files says; empty when nothing went wrong.
  // Given once, before Load.
  void UseWorkFolder(std::string folder, std::string problem);

  // The start-up sequence. The hand files load first and unguarded: their run-time error is
  // reported and ends the process before the window is shown (false). After them every
  // statement's error is dropped and start-up goes on.
  bool Load();

  // Any event handler that raises a run-time error stops the clock's timers, shows one report
  // and ends the process without saving; events after that are ignored.
  void OnTimer(TimerId timer) override;
  void OnMouseDown(int16_t button, int16_t shift) override;
  void OnMouseMove(int16_t button, int16_t shift) override;
  bool OnKeyDown(int16_t keyCode, int16_t shift) override;
  // Any unload (a close request, log-off, the close key, the hand-over to the editor) saves the
  // settings and ends the process, with the save the moment allows: none before start-up has
  // read the settings (the first-run dialog is up: the user's file stays as it is), and none
  // once a failure is being reported, which then ends as dismissing its report would (code 1).
  void OnUnload() override;
  // A jump of the local time is drawn at once, not at the next change of second.
  void OnClockChanged() override;
  // A clock whose face no longer lies on any monitor, parked or not, comes back as at start-up
  // (PlaceOnScreen); its home and its dodge square follow where the window really is.
  void OnScreenChanged() override;
  // On a monitor of another scale the clock that follows the screen's scale is sized and drawn
  // again at the new one, as at start-up; its top-left corner stays where it is on the screen,
  // and settings.ini keeps its screen pixels.
  void OnScreenScaleChanged() override;
  // Home follows a place the window system chose, so settings.ini keeps the place the user saw;
  // not while parked (the parked place is not home) nor during a drag (its end records it).
  void OnPlacedBySystem(int32_t left, int32_t top) override;

  // The hidden button's click: one face redraw, shown at once (the preview's way in).
  void Command1Click();

  // What options.ini asked for, as read at start-up (defaults before).
  const ClockOptions& options() const { return options_; }
  ClockState& state() { return state_; }
  const ClockState& state() const { return state_; }
  FaceCanvas& canvas() { return canvas_; }
  bool TimerEnabled(TimerId timer) const { return timerOn_[Index(timer)]; }
  // Where a parked window's left edge goes: just left of the leftmost screen, and never right
  // of x = -1000.
  int32_t ParkedLeft() const;

 private:
  static std::size_t Index(TimerId timer) { return static_cast<std::size_t>(timer) - 1; }
  template <typename Handler>
  void Guarded(Handler&& handler);
  // `note`: what else the user should know, said between the error and the end.
  void Fail(const RuntimeError& error, const std::string& note = {});
  // A window-system call no clock runs past: reported as it is.
  void FailAtOnce(const SystemCallFailure& failure);
  // The clock is over: no timer wakes it again, no handler runs.
  void StopForGood();

  void SetTimerEnabled(TimerId timer, bool enabled);
  void StartTimer(TimerId timer, int milliseconds);
  void SecondTimerTick();
  // Timer1 set for just after the next change the face shows, unless this tick was that.
  void FollowTheFace();
  // The chime at each full hour the face reaches, where the options ask for it.
  void ChimeCheck();
  // How often the face changes: each second, or each minute for a clock at home without a
  // seconds hand (a parked one still tests the pointer each second, to come back).
  int FacePeriodMs() const;
  SavedPosition ReadSettings();
  // The face bitmap at the clock's scale (the skin's sharp 2x face where it has one).
  PixelImage LoadScaledFace();
  // The face, the window, its round region and the pen at the clock's scale.
  void SizeToScale();
  void WriteSettings();
  void StartDrag();
  void OpenEditor();
  void DodgeCheck();
  void Park();
  void Restore();
  // Home, but see-through until kRevealMs have passed with no move over it.
  void RestoreUnseen();
  void Reveal();
  void SetFaceVeiled(bool veiled);
  void StartLap(Lap lap);
  void LapFrame(Lap lap);
  // The face to the window: whole after a new dial, else only what the hands changed.
  void PresentWhole();
  void PresentHands();

  PlatformWindow& window_;
  PlatformSystem& system_;
  Clock& clock_;
  FileSlot& slot_;
  TwipsPerPixel twips_;  // the screen's, as the clock's size last followed it
  ClockState state_;
  ClockOptions options_;
  bool openedTopmost_ = true;  // the layer start-up chose, to tell a switch of A from it
  int chimedHour_ = -1;        // the hour the chime last sounded for (or start-up saw)
  FaceCanvas canvas_;
  std::vector<DrawnSegment> presentedLines_;  // the hands on the face the window shows
  int presentedBackground_ = -1;              // and the canvas's background under them
  std::array<bool, kTimerCount> timerOn_{};
  std::array<int, kTimerCount> timerInterval_{};
  std::string workFolder_;  // empty: the program's folder
  std::string workFolderProblem_;
  bool loaded_ = false;  // start-up has read the settings and placed the window: a save may run
  bool unloading_ = false;
  bool saveFailed_ = false;   // the failed save is being reported
  bool handingOver_ = false;  // the editor is starting: events still run while we wait
  bool dragging_ = false;     // handed to the window system; its end is the next mouse move
  bool faceVeiled_ = false;   // home, see-through, until the reveal
  bool failed_ = false;       // a run-time error is being reported: the clock is over
};

template <typename Handler>
void Form1::Guarded(Handler&& handler) {
  if (failed_) return;
  try {
    handler();
  } catch (const RuntimeError& error) {
    Fail(error);
  } catch (const SystemCallFailure& failure) {
    FailAtOnce(failure);
  }
}

}  // namespace quarvel
