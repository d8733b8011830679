#pragma once
// What an editor's window does for its session (editor_session.h): its dialogs, starting the
// clock, changing the working folder, and showing the skin again. The Qt and the Windows editor
// each answer it with their own widgets; the unit tests answer it with a script.
#include <optional>
#include <string>

#include "core/skineditor/leave_skin.h"
#include "platform/platform_types.h"

namespace quarvel {

class EditorHost {
 public:
  virtual ~EditorHost() = default;

  // Nothing when the author cancels.
  virtual std::optional<ColorRef> PickColour(ColorRef current) = 0;
  virtual std::optional<std::string> PickBitmap(const std::string& skinFolder) = 0;
  virtual std::optional<std::string> PickFolder(const std::string& title,
                                                const std::string& from) = 0;
  virtual void ShowProblem(const std::string& text) = 0;
  // messages::LeaveQuestion(doing), answered Save, Discard or stay.
  virtual CloseChoice AskBeforeLeaving(const std::string& doing) = 0;
  // Edits kept when the editor was ended last time: true to restore them, false to discard.
  virtual bool AskRestore(const std::string& skinFolder) = 0;

  // The working folder moved to `folder`: nothing when it did, else why not as the system says
  // it, with its leading ": " or " (" (messages::FolderNotOpened).
  virtual std::optional<std::string> EnterFolder(const std::string& folder) = 0;
  // Starts the clock beside the editor in the working folder: empty when it started, else why.
  virtual std::string StartClock() = 0;
  // After a save: the clock started at login on the working folder's skin, or not (then what
  // an earlier save made for this folder is removed, and nothing else): empty when done, else
  // why not.
  virtual std::string SetStartAtLogin(bool on) {
    (void)on;
    return {};
  }
  // A value typed but not applied yet (a pen width, a size) goes to the session now.
  virtual void ApplyTyped() = 0;
  // The session changed what these show. The skin is every control (the hand, its colour, the
  // face bitmap, pen width, size, undo, redo) and then the points and the face; the face is the
  // face and its time, and then the status. The session calls the points and the face together.
  virtual void ShowSkin() = 0;
  virtual void ShowPoints() = 0;  // the point list and the point fields
  virtual void ShowFace() = 0;
  virtual void ShowStatus() = 0;  // the status line and the folder line
  // A line for the log when the editor is ended from outside; nobody may be left to read it.
  virtual void Log(const std::string& line) { (void)line; }
};

}  // namespace quarvel
