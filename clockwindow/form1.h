#pragma once
// Form1, the clock window's core: its state, its start-up and its event handlers, on top of any
// backend's PlatformWindow and PlatformSystem. The backend translates window-system messages
// into the WindowEvents calls here. Each concern lives in its own file:
//   startup.cpp           start-up sequence and the first-run dialog
//   form1.cpp             timers and unload (settings written)
//   pointer_handling.cpp  drag and the hand-over to the editor
//   mouse_dodge.cpp       hiding from the pointer
//   keyboard.cpp          Z, X, C, A
//   spin_animation.cpp    the minute and second laps
#include "clockface/clock_state.h"
#include "clockwindow/settings_file.h"
#include "platform/clock.h"
#include "platform/platform_system.h"
#include "platform/platform_window.h"
#include "runtime/file_slot.h"

namespace quarvel {

enum class Spin { kSecond, kMinute };

class Form1 final : public WindowEvents {
 public:
  static constexpr int kTimer1Interval = 10;   // ms: the second tick
  static constexpr int kSpinInterval = 50;     // ms: the spin animations
  static constexpr int32_t kParkLeft = -1000;  // screen x of a parked window, at the most
  static constexpr const char* kEditorProgram = "qvedit.exe";
  static constexpr const char* kEditorWindowTitle = "qvs";
  static constexpr int kEditorWaitMs = 5000;  // how long the editor may take to show "qvs"

  // Creating the clock window starts Timer1, so its ticks already arrive while the first-run
  // dialog is open; they are harmless then (see Load).
  Form1(PlatformWindow& window, PlatformSystem& system, Clock& clock, FileSlot& slot);

  // The start-up sequence. The hand files load first and unguarded: their run-time error goes
  // to the caller, which reports it and ends the process before the window is shown. After
  // them every statement's error is dropped and start-up goes on.
  void Load();

  void OnTimer(TimerId timer) override;
  void OnMouseDown(int16_t button, int16_t shift) override;
  void OnMouseMove(int16_t button, int16_t shift) override;
  void OnKeyDown(int16_t keyCode, int16_t shift) override;
  // Any unload (a close request, log-off, the close key, the hand-over to the editor) saves the
  // settings and ends the process.
  void OnUnload() override;

  ClockState& state() { return state_; }
  const ClockState& state() const { return state_; }
  // Where a parked window's left edge goes: just left of the leftmost screen, and never right
  // of x = -1000.
  int32_t ParkedLeft() const;

 private:
  SavedPosition ReadSettings();
  void WriteSettings();
  void StartDrag();
  void OpenEditor();
  void DodgeCheck();
  void Park();
  void Restore();
  void SpinFrame(Spin spin);

  PlatformWindow& window_;
  PlatformSystem& system_;
  Clock& clock_;
  FileSlot& slot_;
  ClockState state_;
  bool unloading_ = false;
  bool handingOver_ = false;  // the editor is starting: events still run while we wait
};

}  // namespace quarvel
