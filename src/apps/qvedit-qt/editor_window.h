#pragma once
// qvedit's main window "qvs" on Linux: the live face, the hand's points, the skin's settings and
// the commands, widgets over one editing session (core/skineditor/editor_session.h), which holds
// every rule and flow; this window turns clicks and keys into the session's calls and shows
// what it changed.
//   editor_window.cpp    the window, its widgets and their wiring, its first size
//   editor_show.cpp      the session shown in the widgets, and the session's questions answered
//                        with the dialogs
//   face_view.cpp        the face on the screen, zoomed
//   point_panel.cpp      the point list and the Angle and Percent fields
//   skin_panel.cpp       the hands, colour, face bitmap and pen width
//   time_panel.cpp       the face's time: Stop, 10:08:36, Live
//   options_panel.cpp    the clock's options, the window's second page
//   skin_dialogs.cpp     colour, bitmap, message and close dialogs
//   clock_start.cpp      starting the clock again
//   work_keeper.cpp      unsaved edits kept when the editor is ended from outside
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "apps/qvedit-qt/skin_dialogs.h"
#include "core/skineditor/editor_session.h"
#include "platform/clock.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace quarvel {

class FaceView;
class OptionsPanel;
class PointPanel;
class SkinPanel;
class TimePanel;

class EditorWindow final : public QWidget, private EditorHost {
  Q_OBJECT

 public:
  // The skin is the working folder's; `clock` gives the live face its time.
  EditorWindow(std::unique_ptr<SkinDialogs> dialogs, Clock& clock, QWidget* parent = nullptr);
  ~EditorWindow() override;

  // Opens the skin of the working folder; what could not be read is reported once the window
  // is shown.
  void Open();
  const SkinEditor& editor() const { return session_.editor(); }
  int selected() const { return session_.selected(); }
  HandId hand() const { return session_.hand(); }
  FaceView& faceView() { return *faceView_; }
  // The skin folder being edited (the working folder).
  const std::string& folder() const { return session_.folder(); }
  // The face pixel a hand's point is drawn at, for whoever wants to point at it.
  std::optional<QPoint> PointPixel(HandId hand, int point) const;

  // Unsaved edits written to the recovery copy (nothing to write is success).
  bool KeepUnsavedWork() { return session_.KeepUnsavedWork(); }
  // Ended from outside: a width typed is applied, the edits kept, and nothing is asked again.
  void PrepareToEnd() { session_.EndKeepingWork(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // editor_window.cpp
  void BuildWidgets();
  QHBoxLayout* LayOut(QWidget* scroller, QLabel* zoomLabel);
  void ConnectPanels();
  void ConnectButtons();
  void SizeToScreen();
  void SaveAndStartClock();

  // editor_show.cpp: the EditorHost, the session shown and its questions asked with dialogs_
  void ShowSkin() override;
  void ShowPoints() override;
  void ShowFace() override;  // also on a tick
  void ShowStatus() override;
  std::optional<ColorRef> PickColour(ColorRef current) override;
  std::optional<std::string> PickBitmap(const std::string& skinFolder) override;
  std::optional<std::string> PickFolder(const std::string& title, const std::string& from) override;
  void ShowProblem(const std::string& text) override;
  CloseChoice AskBeforeLeaving(const std::string& doing) override;
  bool AskRestore(const std::string& skinFolder) override;
  std::optional<std::string> EnterFolder(const std::string& folder) override;
  std::string StartClock() override;
  std::string SetStartAtLogin(bool on) override;
  void ApplyTyped() override;                  // a pen width typed
  void Log(const std::string& line) override;  // on stderr

  std::unique_ptr<SkinDialogs> dialogs_;
  EditorSession session_;
  FaceView* faceView_ = nullptr;
  PointPanel* points_ = nullptr;
  SkinPanel* skin_ = nullptr;
  TimePanel* time_ = nullptr;
  OptionsPanel* options_ = nullptr;
  QTabWidget* pages_ = nullptr;  // the skin's controls, the clock's options
  QComboBox* zoom_ = nullptr;
  QCheckBox* symmetric_ = nullptr;
  QPushButton* undo_ = nullptr;
  QPushButton* redo_ = nullptr;
  QPushButton* newSkin_ = nullptr;
  QPushButton* openFolder_ = nullptr;
  QPushButton* saveCopy_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* saveAndStart_ = nullptr;
  QLabel* folder_ = nullptr;
  QLabel* status_ = nullptr;
  QTimer* ticker_ = nullptr;

  std::string openProblems_;  // reported once, when the window is first shown
  bool closing_ = false;      // closing after Save and start clock: nothing to ask
  bool opening_ = false;      // opened and not shown yet: problems and recovery to offer
};

}  // namespace quarvel
