#pragma once
// qvedit's main window "qvs" on Linux: the live face, the hand's points, the skin's settings and
// the commands, a thin layer over the skin editor's model (core/skineditor/). Every rule lives
// there; this window turns clicks and keys into edits and edits back into widgets.
//   editor_window.cpp    the window, its layout, and showing the skin in the widgets
//   editor_commands.cpp  the commands: the face, the fields, the dialogs, the skin folders,
//                        saving and closing
//   face_view.cpp        the face on the screen, zoomed
//   point_panel.cpp      the point list and the Angle and Percent fields
//   skin_panel.cpp       the hands, colour, face bitmap and pen width
//   time_panel.cpp       the face's time: Stop, 10:08:36, Live
//   skin_dialogs.cpp     colour, bitmap, message and close dialogs
//   clock_start.cpp      starting the clock again
//   recovery.cpp         unsaved edits kept when the editor is ended from outside, and offered
//                        back at the next start (work_keeper.cpp says when)
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "apps/qvedit-qt/skin_dialogs.h"
#include "core/skineditor/face_zoom.h"
#include "core/skineditor/recovery_copy.h"
#include "core/skineditor/skin_editor.h"
#include "core/skineditor/skin_face.h"
#include "core/skineditor/skin_files.h"
#include "platform/clock.h"
#include "runtime/file_slot.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace quarvel {

class FaceView;
class PointPanel;
class SkinPanel;
class TimePanel;

class EditorWindow final : public QWidget {
  Q_OBJECT

 public:
  // The skin is the working folder's; `clock` gives the live face its time.
  EditorWindow(std::unique_ptr<SkinDialogs> dialogs, Clock& clock, QWidget* parent = nullptr);
  ~EditorWindow() override;

  // Opens the skin of the working folder; what could not be read is reported once the window
  // is shown.
  void Open();
  const SkinEditor& editor() const { return editor_; }
  int selected() const { return selected_; }
  HandId hand() const { return hand_; }
  FaceView& faceView() { return *faceView_; }
  // The skin folder being edited (the working folder).
  const std::string& folder() const { return folderPath_; }
  // The face pixel a hand's point is drawn at, for whoever wants to point at it.
  std::optional<QPoint> PointPixel(HandId hand, int point) const;

  // recovery.cpp: unsaved edits written to the recovery copy (nothing to write is success).
  // Reads the model alone, so it also runs while the process ends.
  bool KeepUnsavedWork();
  // Ended from outside: a width typed is applied, the edits kept, and nothing is asked again.
  void PrepareToEnd();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildWidgets();
  void ShowSkin();    // every widget, after an edit, undo or redo
  void ShowFace();    // the face alone, on a tick
  void ShowPoints();  // the list and the point fields
  void ShowStatus();
  void Tick();

  // editor_commands.cpp
  const std::vector<ShapePoint>& Points() const { return editor_.document().hand(hand_).points; }
  void ChooseHand(HandId hand);
  void Select(int point);
  void Edited(bool changed);
  void PressFace(QPoint at);
  void DragFace(QPoint at);
  void ReleaseFace();
  void RightClickFace(QPoint at);
  void SetZoom(Zoom zoom);
  void DeleteSelected();
  void Nudge(int angleStep, int percentStep);
  void ApplyPointFields(bool insert);
  void ApplyPenWidth(int width);
  void ApplySize(const QString& text);
  void ApplyTime();
  void ChooseColour();
  void ChooseBitmap();
  void Undo();
  void Redo();
  void NewSkin();
  void OpenSkinFolder();
  void SaveCopy();
  bool SwitchToFolder(const std::string& folder);
  std::string OpenCurrentFolder();  // the problems the skin opened with, one a line
  void ReportOpenProblems(const std::string& problems);
  bool MayLeaveSkin(const char* doing);
  void OfferRecovery();  // the recovery copy of the folder opened, if it has one
  bool Save();
  void SaveAndStartClock();

  std::unique_ptr<SkinDialogs> dialogs_;
  Clock& clock_;
  FaceView* faceView_ = nullptr;
  PointPanel* points_ = nullptr;
  SkinPanel* skin_ = nullptr;
  TimePanel* time_ = nullptr;
  QComboBox* zoom_ = nullptr;
  QCheckBox* symmetric_ = nullptr;
  QPushButton* undo_ = nullptr;
  QPushButton* redo_ = nullptr;
  QLabel* folder_ = nullptr;
  QLabel* status_ = nullptr;
  QTimer* ticker_ = nullptr;

  FileSlot slot_;  // bare names: the working folder
  std::string folderPath_;
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
  std::string openProblems_;  // reported once, when the window is first shown
  bool closing_ = false;      // closing after Save and start clock: nothing to ask
  bool opening_ = false;      // opened and not shown yet: problems and recovery to offer
  RecoveryStore recovery_ = RecoveryStore::ForThisUser();
  bool ending_ = false;  // ended from outside: the edits are kept, nothing more is asked
  bool left_ = false;    // closed as the author chose: nothing left to keep
};

}  // namespace quarvel
