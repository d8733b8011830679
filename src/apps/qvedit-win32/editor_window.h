#pragma once
// qvedit's main window "qvs": the live face, the hand's points, the skin's settings and the
// commands, controls over one editing session (core/skineditor/editor_session.h), which holds every
// rule and flow; this window turns clicks and keys into the session's calls and shows what it
// changed.
//   editor_window.cpp    the window: its messages, its start, its shortcuts and its end
//   editor_commands.cpp  the controls' and the face's notifications, each one session call
//   editor_show.cpp      the session shown in the controls, its questions answered with dialogs
//   window_layout.cpp    the window's font, first size, least size and the places of the panel
//                        and the face
//   panel_controls.cpp   the panel's controls, made once (control_ids.h names them)
//   panel_layout.cpp     the panel's rows measured and placed from the font
//   panel_scroll.cpp     scrolling the panel when the window is shorter than it
//   face_view.cpp        the face on the screen
//   skin_dialogs.cpp     colour, bitmap, folder, message and close dialogs
//   clock_start.cpp      starting the clock again
#include <memory>
#include <optional>
#include <string>

#include "apps/qvedit-win32/control_ids.h"
#include "apps/qvedit-win32/face_view.h"
#include "core/skineditor/editor_session.h"
#include "platform/clock.h"

namespace quarvel {

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
  bool HandleEnd(UINT message, WPARAM wParam);  // closing and the session's end
  void Close();
  // Ended from outside (the session's end, a close while the close question is open): the
  // edits kept, nothing more asked, the message loops ended.
  void EndKeepingWork();

  // editor_commands.cpp
  void OnCommand(int id, int code);
  void OnClick(int id);
  void OnFieldNotify(int id, int code);
  void OnEnter();  // Enter in a field applies that field
  void OnListNotify(const NMHDR& header);
  void ApplyPointFields(bool insert);
  void ApplyPenWidth();
  void ApplySize(const std::string& text);  // a size picked or typed in the size box
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
  void PlaceScrollBar(const RECT& client, int panelHeight, int bar);
  // The first size: the whole panel and the face at 1x, as far as the work area allows.
  void SizeToWorkArea();
  POINT MinimumSize() const;  // a face view of 200 pixels (at 96 dpi) and the panel's width
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  int Margin() const;

  // panel_scroll.cpp
  void ScrollPanel(int to);  // the panel's top `to` pixels above the window's top margin
  void OnPanelScroll(int request);
  void OnPanelWheel(int delta);

  // editor_show.cpp: the session shown in the controls
  void ShowSkin() override;
  void ShowPoints() override;
  void FillPointList();
  void ShowFace() override;  // also on a tick
  void ShowStatus() override;
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string Text(int id) const;
  void SetText(int id, const std::string& text);
  // The session's questions, in the system's dialogs (skin_dialogs.h).
  void ShowProblem(const std::string& text) override;
  CloseChoice AskBeforeLeaving(const std::string& doing) override;  // asking_ while it is open
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
  void ApplyTyped() override;

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;  // ours, made for the window's DPI
  UINT dpi_ = 96;
  SIZE panel_{};       // the controls' panel, measured from the font
  int panelRow_ = 20;  // a row of the panel: what a line of scrolling moves
  int scroll_ = 0;     // how far the panel is scrolled up
  HBRUSH swatch_ = nullptr;
  std::unique_ptr<Win32FaceView> faceView_;
  FaceZoom zoom_;
  SystemClock clock_;
  EditorSession session_;
  bool filling_ = false;  // the list is being filled: its notifications are ours
  bool asking_ = false;   // "Save them before closing?" is open
};

}  // namespace quarvel
