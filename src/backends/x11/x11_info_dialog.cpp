#include "backends/x11/x11_info_dialog.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "backends/x11/x11_dialog_window.h"
#include "backends/x11/x11_message_box.h"
#include "core/desktop/programs.h"
#include "dialogpaint/dialog_resources.h"
#include "runtime/system_errors.h"

namespace quarvel {

namespace {
using infodialog::ControlKind;
using infodialog::kControls;
using infodialog::kOkControl;
using infodialog::kReadmeControl;

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
      return "PushButton";
    case ControlKind::kLabel:
      return "Label";
    case ControlKind::kFrame:
      return "Frame";
    case ControlKind::kPictureBox:
      return "PictureBox";
  }
  return "";
}
}  // namespace

X11InfoDialog::X11InfoDialog(X11Display& display, X11EventLoop& loop, TwipsPerPixel twips)
    : display_(display),
      loop_(loop),
      twips_(twips),
      buttons_(twips.x, twips.y),
      font_(display.get(), display.screen(), infodialog::FontPixelHeight(twips.y)),
      banner_(BannerPicture(twips.x)) {
  // Its owner, the clock window, is hidden at this time: like Windows, no task-bar button.
  window_ = CreateX11DialogWindow(display_, infodialog::DialogClientRect(twips.x, twips.y),
                                  {.title = infodialog::kDialog.caption, .inTaskBar = false});
  painter_ = std::make_unique<X11ControlPainter>(display_.get(), display_.screen(), window_, font_);
  // NOTE: X repeats a held key as releases and presses; Space clicks on its release, so a
  // held Space would click again and again without this.
  XkbSetDetectableAutoRepeat(display_.get(), True, nullptr);

  std::vector<X11ControlDescription> described;
  for (const auto& control : kControls) {
    infodialog::PixelRect rect = infodialog::ControlRect(control, twips.x, twips.y);
    if (control.kind == ControlKind::kPictureBox && !banner_.empty())
      rect.width = banner_.width + 4, rect.height = banner_.height + 4;  // the picture's size
    described.push_back({KindName(control.kind), rect, control.text});
  }
  DescribeX11Controls(display_, window_, described);
  loop_.Watch(window_, this);
}

X11InfoDialog::~X11InfoDialog() {
  *open_ = false;
  loop_.Unwatch(window_);
  painter_.reset();
  if (!display_.lost()) XDestroyWindow(display_.get(), window_);
}

void X11InfoDialog::Run() {
  XMapWindow(display_.get(), window_);
  loop_.PushModal(window_);
  loop_.RunUntil(closed_);
  loop_.PopModal();
  XUnmapWindow(display_.get(), window_);
}

void X11InfoDialog::Paint() {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const auto& control = kControls[i];
    infodialog::PixelRect rect = infodialog::ControlRect(control, twips_.x, twips_.y);
    switch (control.kind) {
      case ControlKind::kPushButton:
        PaintButton(i);
        break;
      case ControlKind::kFrame:
        painter_->GroupBox(rect);
        break;
      case ControlKind::kLabel:
        painter_->Label(rect, control.text);
        break;
      case ControlKind::kPictureBox:
        // The box takes the picture's size plus its border, as the Windows one does.
        if (!banner_.empty()) rect.width = banner_.width + 4, rect.height = banner_.height + 4;
        painter_->SunkenPicture(rect, banner_);
        break;
    }
  }
}

void X11InfoDialog::PaintButton(std::size_t control) {
  painter_->Button(infodialog::ControlRect(kControls[control], twips_.x, twips_.y),
                   kControls[control].text, control == buttons_.focused(),
                   buttons_.ShownPressed(control));
}

void X11InfoDialog::PaintButtons() {
  PaintButton(kOkControl);
  PaintButton(kReadmeControl);
}

void X11InfoDialog::Click(std::size_t control) {
  if (control == kOkControl) closed_ = true;
  if (control == kReadmeControl) StartReadme();
}

void X11InfoDialog::HandleKey(XKeyEvent& key, bool pressed) {
  using Key = DialogButtons::Key;
  const KeySym sym = XLookupKeysym(&key, 0);
  Key which = Key::kOther;
  if (sym == XK_space) which = pressed ? Key::kSpaceDown : Key::kSpaceUp;
  if (!pressed && which != Key::kSpaceUp) return;
  if (sym == XK_Tab) which = (key.state & ShiftMask) != 0 ? Key::kPrevious : Key::kNext;
  if (sym == XK_ISO_Left_Tab || sym == XK_Left || sym == XK_Up) which = Key::kPrevious;
  if (sym == XK_Right || sym == XK_Down) which = Key::kNext;
  if (sym == XK_Return || sym == XK_KP_Enter) which = Key::kEnter;
  const std::size_t clicked = buttons_.KeyEvent(which);
  PaintButtons();
  Click(clicked);
}

void X11InfoDialog::HandleEvent(XEvent& event) {
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) Paint();
      break;
    case MapNotify:  // without a window manager nobody else gives it the focus
      XSetInputFocus(display_.get(), window_, RevertToParent, CurrentTime);
      break;
    case KeyPress:
    case KeyRelease:
      HandleKey(event.xkey, event.type == KeyPress);
      break;
    case ButtonPress:
      if (event.xbutton.button != Button1) break;
      buttons_.LeftPress(event.xbutton.x, event.xbutton.y);
      PaintButtons();
      break;
    case MotionNotify:
      if (buttons_.PointerMoved(event.xmotion.x, event.xmotion.y)) PaintButtons();
      break;
    case ButtonRelease:
      if (event.xbutton.button != Button1) break;
      {
        const std::size_t clicked = buttons_.LeftRelease(event.xbutton.x, event.xbutton.y);
        PaintButtons();
        Click(clicked);
      }
      break;
    case ClientMessage:  // the close box acts as OK
      if (static_cast<Atom>(event.xclient.data.l[0]) == display_.atom("WM_DELETE_WINDOW"))
        closed_ = true;
      break;
    default:
      break;
  }
}

// "Readme": the desktop's viewer for readme.txt in the working directory, through xdg-open;
// the dialog stays open. A missing xdg-open, or one that finds no viewer, is reported.
void X11InfoDialog::StartReadme() {
  std::error_code ec;
  const std::string readme =
      ReadmeToOpen(std::filesystem::current_path(ec).string(), RunningProgramFolder());
  const pid_t pid = OpenDocument(readme);
  if (pid < 0) {
    ReportReadmeFailure(readme, ErrorCodeText(-pid));
    return;
  }
  // xdg-open may wait for the viewer to close: its verdict comes whenever it ends.
  loop_.WatchChild(pid, [this, readme, open = open_](int status) {
    if (!*open || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) return;
    ReportReadmeFailure(readme, WIFEXITED(status) ? ExitStatusText(WEXITSTATUS(status))
                                                  : SignalText(WTERMSIG(status)));
  });
}

void X11InfoDialog::ReportReadmeFailure(const std::string& readme, const std::string& reason) {
  const std::string command = "xdg-open " + readme;
  X11MessageBox box(display_, loop_, twips_, infodialog::ReadmeFailureMessage(command, reason),
                    window_);
  box.Run();
}

}  // namespace quarvel
