#pragma once
// qvedit's main window "qvs": the live face, the hand's points, the skin's settings and the
// commands, a thin layer over the skin editor's model (core/skineditor/). Every rule lives there;
// this file turns clicks into edits and edits back into controls.
//   editor_window.cpp    the window, its commands, saving and closing
//   editor_controls.cpp  the controls: creation, places, and showing the skin in them
//   face_view.cpp        the face on the screen
//   skin_dialogs.cpp     colour, bitmap, message and close dialogs
//   clock_start.cpp      starting the clock again
//   recovery.cpp         unsaved edits kept when the session ends, offered back at the next start
#include <memory>
#include <optional>
#include <string>

#include "apps/qvedit-win32/face_view.h"
#include "core/skineditor/recovery_copy.h"
#include "core/skineditor/skin_editor.h"
#include "core/skineditor/skin_face.h"
#include "core/skineditor/skin_files.h"
#include "platform/clock.h"
#include "runtime/file_slot.h"

namespace quarvel {

class EditorWindow final : public FaceViewEvents {
 public:
  // Control ids (the end-to-end tests find the controls by them); the tab order is the order
  // of the layout's rows (editor_controls.cpp).
  enum Control : int {
    kFace = 100,
    kHourRadio,
    kMinuteRadio,
    kSecondRadio,
    kColourButton,
    kColourSwatch,
    kPointList,
    kAngleLabel,
    kAngleEdit,
    kPercentLabel,
    kPercentEdit,
    kSetButton,
    kInsertButton,
    kDeleteButton,
    kBitmapLabel,
    kBitmapEdit,
    kBrowseButton,
    kPenLabel,
    kPenEdit,
    kPenUpDown,
    kTimeLabel,
    kTimeEdit,
    kStopButton,
    kPoseButton,
    kLiveButton,
    kUndoButton,
    kRedoButton,
    kSaveButton,
    kSaveStartButton,
    kStatus,
    kSymmetricCheck,
    kZoomLabel,
    kZoomCombo,
    kNewButton,
    kOpenButton,
    kCopyButton,
    kFolderLine,
    kSizeLabel,
    kSizeCombo,
    kPanelScroll,  // shown when the panel is taller than the window
  };

  explicit EditorWindow(HINSTANCE instance);
  ~EditorWindow() override;
  HWND handle() const { return hwnd_; }
  // Opens the skin of the working folder and shows the window; reports what could not be read.
  void Open(int showCommand);
  // Ctrl+Z, Ctrl+Y, Ctrl+S, and Delete outside a text field; true when the message was one.
  bool TranslateShortcut(const MSG& msg);
  // After a key: a control Tab reached in the scrolled-out part of the panel scrolls into view.
  void ShowFocusedControl();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  void OnListNotify(const NMHDR& header);

  // editor_controls.cpp
  void CreateControls();
  void SetUpFont();      // the message font at the window's DPI
  void PlaceControls();  // every control from the font's size; the face view takes the rest
  // The first size: the whole panel and the face at 1x, as far as the work area allows.
  void SizeToWorkArea();
  POINT MinimumSize() const;  // a face view of 200 pixels (at 96 dpi) and the panel's width
  void ScrollPanel(int to);   // the panel's top `to` pixels above the window's top margin
  void OnPanelScroll(int request);
  void OnPanelWheel(int delta);
  // The layout's panel: its size when `left` is negative, else placed with its left edge there.
  SIZE LayOutPanel(int left, int top);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void ShowSkin();    // every control, after an edit, undo or redo
  void ShowFace();    // the face alone, on a tick
  void ShowPoints();  // the list and the point fields
  void ShowStatus();
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string Text(int id) const;
  void SetText(int id, const std::string& text);

  // FaceViewEvents
  void OnFacePress(int x, int y) override;
  void OnFaceDrag(int x, int y) override;
  void OnFaceRelease() override;
  void OnFaceRightClick(int x, int y) override;
  void OnFaceDeleteKey() override;
  void OnFaceArrow(int degrees, int percent) override;
  void OnFaceWheel(int notches) override;
  void OnFaceResized(int width, int height) override;

  const std::vector<ShapePoint>& Points() const { return editor_.document().hand(hand_).points; }
  void Select(int point);
  void Edited(bool changed);
  void ApplyPointFields(bool insert);
  void ApplyPenWidth();
  void ApplySize(const std::string& text);  // a size picked or typed in the size box
  void ApplyTime();
  void ChooseColour();
  void ChooseBitmap();
  void SetZoom(Zoom zoom);
  void NewSkin();
  void OpenSkinFolder();
  void SaveCopy();
  // Works on the skin of `folder` from now on (the clock started from here starts there too).
  bool SwitchToFolder(const std::string& folder);
  void OpenCurrentFolder();
  bool Save();
  void SaveAndStartClock();
  // Asks about unsaved changes before `doing` ("closing"): saved or dropped, or stay.
  bool MayLeaveSkin(const char* doing);
  void Close();
  TimeOfDay FaceTime();

  // recovery.cpp
  std::string Folder() const;  // the skin folder: the working folder
  // Unsaved edits written to the recovery copy (nothing to write is success).
  bool KeepUnsavedWork();
  // Ended from outside (the session's end, a close while the close question is open): the
  // edits kept, nothing more asked, the message loops ended.
  void EndKeepingWork();
  void OfferRecovery();  // the recovery copy of the folder opened, if it has one

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;  // ours, made for the window's DPI
  UINT dpi_ = 96;
  SIZE panel_{};       // the controls' panel, measured from the font
  int panelRow_ = 20;  // a row of the panel: what a line of scrolling moves
  int scroll_ = 0;     // how far the panel is scrolled up
  HBRUSH swatch_ = nullptr;
  std::unique_ptr<Win32FaceView> faceView_;
  FileSlot slot_;  // bare names: the working folder
  SkinEditor editor_{SkinDocument{}};
  SkinOnDisk onDisk_;  // the skin as its folder holds it, for the save
  SkinFace face_;
  FaceZoom zoom_;
  std::optional<std::string>
      faceBitmap_;  // the bitmap the face shows, to notice when an edit changes it
  HandId hand_ = HandId::kHour;
  int selected_ = -1;
  SystemClock clock_;
  std::optional<TimeOfDay> stoppedAt_;  // nothing: the face ticks with the current time
  int shownSecond_ = -1;
  std::string drawProblem_;
  std::string notice_;
  bool filling_ = false;  // the list is being filled: its notifications are ours
  RecoveryStore recovery_ = RecoveryStore::ForThisUser();
  bool asking_ = false;  // "Save them before closing?" is open
  bool ending_ = false;  // ended from outside: the edits are kept, nothing more is asked
};

}  // namespace quarvel
