#pragma once
// What the clock needs from the system around its window: the screens, the program's folder,
// the directory search, the pointer, other programs, the event loop, the first-run dialog,
// messages and the end of the process. One implementation per backend.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform_types.h"

namespace quarvel {

// File attribute bits as the directory search reports them.
namespace file_attribute {
inline constexpr uint32_t kReadOnly = 0x01;
inline constexpr uint32_t kHidden = 0x02;
inline constexpr uint32_t kSystem = 0x04;
inline constexpr uint32_t kDirectory = 0x10;
}  // namespace file_attribute

// What LockForProcess found.
struct ProcessLock {
  enum class State {
    kHeld,           // this process holds the lock now, until it ends
    kHeldElsewhere,  // another running process holds it
    kUnavailable,    // the file can't be opened or locked (a read-only folder, say)
  };
  State state = State::kUnavailable;
  uint32_t holder = 0;  // kHeldElsewhere: the process id written in the file (0: none yet)
};

// A message box as the core words and stacks it; the backend only draws it.
struct Message {
  std::string caption;  // the title bar
  std::string text;
  std::string button;    // the one button, where the system draws no box of its own
  bool topmost = false;  // above every window, a top-most clock's among them
};

// The screen's twips per pixel, horizontally and vertically: 1440 / its dots per inch.
struct TwipsPerPixel {
  float x = 15.0f;
  float y = 15.0f;
};

class PlatformSystem {
 public:
  virtual ~PlatformSystem() = default;

  virtual TwipsPerPixel ScreenTwipsPerPixel() const = 0;
  // Whether the clock should draw itself at the screen's dots per inch (ScreenTwipsPerPixel):
  // a window system that shows its windows as drawn says yes; one that stretches a program's
  // window itself, or a program not declared aware of it, says no (default).
  virtual bool DrawsAtScreenDpi() const { return false; }
  // The user's own scale for the clock as written (QUARVEL_SCALE on Linux), or empty; the core
  // reads and checks it.
  virtual std::string ScaleSetting() const { return {}; }
  // Every monitor of the desktop, the primary one first.
  virtual std::vector<Monitor> Monitors() const = 0;

  // The folder that holds the executable, without a trailing separator.
  virtual std::string ProgramFolder() const = 0;
  // A file's path in a folder, joined with the system's own separator; the parts are never
  // rewritten (a backslash is just a character in a Linux name). Windows' by default.
  virtual std::string JoinPath(const std::string& folder, const std::string& name) const {
    return folder + "\\" + name;
  }
  // A program's file name on this system from its bare name: "qvedit" is "qvedit.exe" on
  // Windows (and in the headless backend, which plays Windows), "qvedit" on Linux.
  virtual std::string ProgramFileName(const std::string& name) const { return name + ".exe"; }
  // The attributes of the first entry the directory search finds for a path, or nothing when
  // it finds none. Raises a run-time error for a name the search can't take.
  virtual std::optional<uint32_t> FindFirstFileAttributes(const std::string& path) = 0;

  // The pointer's place in screen pixels; false (and the point untouched) when it can't be read.
  virtual bool GetCursorPos(ScreenPoint& point) = 0;
  // Plays the clock's short chime once, unless the one before still plays; a system with no
  // sound (none installed, no device) plays nothing and says nothing.
  virtual void PlayChime() {}
  // False where the window system knows the pointer only while it is over one of its own
  // windows, and keeps answering the last such place once it has left them (Xwayland).
  virtual bool PointerKnownEverywhere() const { return true; }

  // Starts a program found in the program's folder or else on the system's search path, never
  // in the working directory, with a normal window that takes the focus. Raises file not found
  // when there is no such program, or the platform's error when it can't be started.
  virtual void StartProgram(const std::string& exeName) = 0;
  // The exit code of the program StartProgram started last, once it has ended (on Linux 128 and
  // the signal's number for one a signal ended); nothing while it runs, or where the system
  // can't tell.
  virtual std::optional<int> StartedProgramExitCode() { return std::nullopt; }
  // What the user can do when the skin editor was not found: the end of the message that says
  // so, true on this system.
  virtual std::string MissingEditorAdvice() const {
    return "Put it next to " + ProgramFileName("quarvel") + " or on the search path.";
  }
  // Handles every pending event, waiting up to `milliseconds` for more to arrive.
  virtual void DoEvents(int milliseconds) = 0;
  // Activates the top-level window with this title; false when there is none.
  virtual bool ActivateWindow(const std::string& title) = 0;

  // Takes an exclusive lock on the file (created when missing) that the system lets go of when
  // this process ends, however it ends, and writes this process's id into it. A file left by a
  // process that was killed holds no lock.
  virtual ProcessLock LockForProcess(const std::string& path) = 0;
  // Brings that process's shown top-level window with this caption (the clock, or its first-run
  // dialog) to the front and activates it; false when the process shows none (yet).
  virtual bool ActivateClockOf(uint32_t processId, const std::string& caption) = 0;

  // Shows the first-run information dialog and returns when it has been closed.
  virtual void ShowInfoDialog() = 0;
  // A message box for failures the user must hear about; it returns once dismissed.
  virtual void ShowMessage(const Message& message) = 0;
  // Ends the process at once; no other handler runs. (The headless backend records it.)
  virtual void EndProcess(int exitCode) = 0;
};

}  // namespace quarvel
