#pragma once
// One editing session of a skin, the same in both editors: the skin folder worked in (the
// working folder, as the clock's), the skin's model and its face, the hand and the point picked,
// the face's time, what the status line says, and every flow an editor offers: open, save, save
// and start the clock, new skin, open another skin folder, save a copy, leave with unsaved
// changes, the edits kept from last time offered back. Each editor is its widgets and their
// wiring: it calls one of these for a click and answers what the session asks (editor_host.h).
#include <optional>
#include <string>
#include <vector>

#include "core/skineditor/editor_host.h"
#include "core/skineditor/face_zoom.h"
#include "core/skineditor/recovery_copy.h"
#include "core/skineditor/skin_editor.h"
#include "core/skineditor/skin_face.h"
#include "core/skineditor/skin_files.h"
#include "platform/clock.h"
#include "runtime/file_slot.h"

namespace quarvel {

class EditorSession {
 public:
  // How much of the window a change reaches, each taking the ones before it along.
  enum class Redraw { kStatus, kFace, kPoints, kSkin };

  EditorSession(EditorHost& host, Clock& clock, RecoveryStore recovery);

  // --- What the window shows. ---
  const SkinEditor& editor() const { return editor_; }
  const SkinDocument& document() const { return editor_.document(); }
  const std::string& folder() const { return folder_; }  // the skin folder edited
  HandId hand() const { return hand_; }
  int selected() const { return selected_; }  // -1: no point
  const std::vector<ShapePoint>& Points() const { return document().hand(hand_).points; }
  const SkinFace& face() const { return face_; }
  bool ending() const { return ending_; }
  // The face bitmap read again when the skin names another one (a problem goes to the status
  // line); true when it was, so the face's size may have changed.
  bool LoadFacePicture();
  // The face drawn as the clock would at the time shown, with the guide for the hand (its
  // handles the window draws at their own size).
  struct DrawnFace {
    PixelImage pixels;
    TimeOfDay time;
  };
  DrawnFace DrawFace();
  // On a tick: the face shows the live time and a new second has come.
  bool SecondChanged();
  std::string StatusText() const;
  std::string FolderLine() const;

  // --- Editing the hands: each shows what it changed. ---
  void ChooseHand(HandId hand);
  void Select(int point);
  // On the face, in screen pixels of `zoom`: a press grabs a point or puts a new one on the
  // outline, a drag moves it, a right click deletes it.
  void PressFace(const FaceZoom& zoom, ScreenPoint at);
  void DragFace(const FaceZoom& zoom, ScreenPoint at);
  void ReleaseFace();
  void RightClickFace(const FaceZoom& zoom, ScreenPoint at);
  void DeleteSelected();
  void Nudge(int angleStep, int percentStep);
  // The point fields: nothing when they don't hold whole numbers.
  void ApplyPointFields(std::optional<ShapePoint> typed, bool insert);
  void ApplyPenWidth(std::optional<int32_t> width);
  void ApplySize(const std::string& text);  // picked or typed in the size box
  void SetSymmetric(bool on) { editor_.SetSymmetric(on); }
  void ChooseColour();
  void ChooseBitmap();
  void Undo();
  void Redo();
  // The clock's options (the Options page), in the options file's words ("on", "below", "80",
  // a zone's name): nothing when the value was taken (one step of undo), else why not, which
  // the status line also says.
  const ClockOptions& options() const { return document().options; }
  std::optional<std::string> ApplyOption(const std::string& key, const std::string& value);
  void ResetOptions();  // every option back to its default, in one step
  // The face's time: typed, stopped at a time, or live (nothing).
  void ApplyTime(const std::string& text);
  void StopAt(std::optional<TimeOfDay> time);

  // --- The skin folders. ---
  // The skin of the working folder, in place of the one edited (the symmetric switch stays);
  // returns the problems it opened with, one a line, for ReportOpenProblems.
  std::string OpenWorkingFolder();
  void ReportOpenProblems(const std::string& problems);
  void OfferRecovery();  // the edits kept for the folder opened, if it has any
  void NewSkin();
  void OpenSkinFolder();
  void SaveCopy();  // the copy is the skin from now on
  bool Save();
  // True when the clock started after a good save: the editor then closes without a question.
  bool SaveAndStartClock();
  // Unsaved changes asked about before anything takes their place (`doing`: messages::kClosing
  // or kOpeningAnother); the edits kept for the folder go with them.
  bool MayLeaveSkin(const std::string& doing);

  // --- The end. ---
  // Closed as the author chose: nothing is left to keep.
  void Left() { left_ = true; }
  // Unsaved edits written to the recovery copy (nothing to write is success). Reads the model
  // alone, so it also runs while the process ends.
  bool KeepUnsavedWork();
  // Ended from outside: a value typed is applied, the edits kept, and nothing is asked again.
  // False when the session had ended already.
  bool EndKeepingWork();

 private:
  void Edited(bool changed);
  void Show(Redraw what);
  void Notice(const std::string& text);
  bool SwitchToFolder(const std::string& folder);
  std::optional<std::string> PickFolderBeside(const char* title);

  EditorHost& host_;
  Clock& clock_;
  RecoveryStore recovery_;
  FileSlot slot_;  // bare names: the working folder
  std::string folder_;
  SkinEditor editor_{SkinDocument{}};
  SkinOnDisk onDisk_;  // the skin as its folder holds it, for the save
  SkinFace face_;
  std::optional<std::string> faceBitmap_;  // the bitmap the face shows, to notice a change
  HandId hand_ = HandId::kHour;
  int selected_ = -1;
  std::optional<TimeOfDay> stoppedAt_;  // nothing: the face ticks with the clock
  int shownSecond_ = -1;
  std::string drawProblem_;
  std::string notice_;
  bool ending_ = false;  // ended from outside: the edits are kept, nothing more is asked
  bool left_ = false;    // closed as the author chose
};

}  // namespace quarvel
