#pragma once
// qvedit's main window "qvs": the live face, the hand's points, the skin's settings and the
// commands, controls over one editing session (core/skineditor/editor_session.h), which holds every
// rule and flow; this window holds the panels, hands each message to the one it concerns,
// answers the session and shows what it changed.
//   editor_window.cpp    the window: its messages handed out, its start and its shortcuts
//   editor_commands.cpp  the window's own rows (folder, commands, status) and the face's events
//   editor_show.cpp      the session shown, its questions answered with dialogs
//   window_layout.cpp    the window's font, first size, least size and the places of the panel
//                        and the face
//   skin_panel.cpp       the hands, colour, Symmetric, face bitmap, pen width, zoom and size
//   point_panel.cpp      the point list and the Angle and Percent fields
//   time_panel.cpp       the face's time: Stop, 10:08:36, Live
//   options_panel.cpp    the clock's options and their tooltips, Reset to defaults
//   panel_scroller.cpp   scrolling the panel when the window is shorter than it
//   work_keeper.cpp      the close, and unsaved edits kept when the editor is ended from outside
//   panel_controls.cpp   the panel's controls, made once from the panels' parts (panel_form.h)
//   panel_layout.cpp     the panel's rows measured and placed from the font
//   face_view.cpp        the face on the screen
//   skin_dialogs.cpp     colour, bitmap, folder, message and close dialogs
//   clock_start.cpp      starting the clock again
//   startup_shortcut.cpp the clock started at login: its shortcut in the Startup folder
#include <memory>
#include <optional>
#include <string>

#include "apps/qvedit-win32/control_ids.h"
#include "apps/qvedit-win32/face_view.h"
#include "apps/qvedit-win32/panel_form.h"
#include "apps/qvedit-win32/work_keeper.h"
#include "core/skineditor/editor_session.h"
#include "platform/clock.h"

namespace quarvel {

class OptionsPanel;
class PanelScroller;
class PointPanel;
class SkinPanel;
class TimePanel;

class EditorWindow final : public FaceViewEvents, private EditorHost {
 public:
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
  static constexpr UINT kSelectAll = WM_APP + 1;  // posted: select a field's text after a click

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The controls' notifications, each handed to the panel whose control it is.
  void OnCommand(int id, int code);
  void OnEnter();  // Enter in a field applies that field

  // editor_commands.cpp: the window's own rows and the face
  static const PanelPart& FolderPart();    // the skin folder's line
  static const PanelPart& CommandsPart();  // Undo ... Save and start clock, and the status
  bool OnCommandClick(int id);
  void SetZoom(Zoom zoom);
  void SaveAndStartClock();
  // FaceViewEvents
  void OnFacePress(int x, int y) override;
  void OnFaceDrag(int x, int y) override;
  void OnFaceRelease() override;
  void OnFaceRightClick(int x, int y) override;
  void OnFaceDeleteKey() override;
  void OnFaceArrow(int degrees, int percent) override;
  void OnFaceWheel(int notches) override;
  void OnFaceResized(int width, int height) override;

  // window_layout.cpp
  void CreateControls();
  void SetUpFont();      // the message font at the window's DPI
  void PlaceControls();  // every control from the font's size; the face view takes the rest
  // The first size: the whole panel and the face at 1x, as far as the work area allows.
  void SizeToWorkArea();
  POINT MinimumSize() const;  // a face view of 200 pixels (at 96 dpi) and the panel's width
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  int Margin() const;

  // editor_show.cpp: the session shown, and its questions in the system's dialogs
  void ShowSkin() override;
  void ShowPoints() override;
  void ShowFace() override;  // also on a tick
  void ShowStatus() override;
  void ShowProblem(const std::string& text) override;
  CloseChoice AskBeforeLeaving(const std::string& doing) override;
  bool AskRestore(const std::string& skinFolder) override;
  std::optional<ColorRef> PickColour(ColorRef current) override;
  std::optional<std::string> PickBitmap(const std::string& skinFolder) override;
  // The folder dialog opens where it was last: `from` is not used.
  std::optional<std::string> PickFolder(const std::string& title, const std::string& from) override;
  // What the session has the window do: SetCurrentDirectory, the clock started beside
  // qvedit.exe, a pen width or a size typed applied. Nothing is logged: at the session's end
  // nobody is left to tell.
  std::optional<std::string> EnterFolder(const std::string& folder) override;
  std::string StartClock() override;
  std::string SetStartAtLogin(bool on) override;
  void ApplyTyped() override;

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;  // ours, made for the window's DPI
  UINT dpi_ = 96;
  SIZE panel_{};  // the controls' panel, measured from the font
  const PanelForm form_;
  std::unique_ptr<Win32FaceView> faceView_;
  std::unique_ptr<SkinPanel> skin_;
  std::unique_ptr<PointPanel> points_;
  std::unique_ptr<TimePanel> time_;
  std::unique_ptr<OptionsPanel> options_;
  std::unique_ptr<PanelScroller> scroller_;
  FaceZoom zoom_;
  SystemClock clock_;
  EditorSession session_;
  WorkKeeper keeper_{session_};
};

}  // namespace quarvel
