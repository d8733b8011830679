#include "backends/wayland/wayland_info_dialog.h"

#include "backends/wayland/wayland_scale.h"

#include <sys/wait.h>

#include <filesystem>
#include <system_error>

#include "backends/wayland/wayland_message_box.h"
#include "core/desktop/programs.h"
#include "dialogpaint/dialog_resources.h"
#include "dialogpaint/pixel_controls.h"
#include "runtime/system_errors.h"

namespace quarvel {

namespace {
using infodialog::ControlKind;
using infodialog::kControls;
using infodialog::kOkControl;
using infodialog::kReadmeControl;

// Windows' key codes, as WaylandKeys gives them.
constexpr int16_t kTab = 0x09, kReturn = 0x0D, kSpace = 0x20, kLeft = 0x25, kUp = 0x26,
                  kRight = 0x27, kDown = 0x28;
constexpr int16_t kShift = 1;

}  // namespace

WaylandInfoDialog::WaylandInfoDialog(WaylandDisplay& display, WaylandEventLoop& loop, int32_t scale)
    : display_(display),
      loop_(loop),
      scale_(scale),
      twips_(TwipsAtOutputScale(scale)),
      buttons_(twips_.x, twips_.y),
      text_(infodialog::FontPixelHeight(twips_.y)),
      banner_(BannerPicture(twips_.x)),
      picture_(BlankPicture(infodialog::DialogClientRect(twips_.x, twips_.y))),
      window_(display, picture_.width, picture_.height, scale, infodialog::kDialog.caption, *this) {
}

bool WaylandInfoDialog::Run() {
  if (!window_.usable()) return false;
  while (!closed_ && !display_.lost()) loop_.RunOnce(-1);
  return true;
}

void WaylandInfoDialog::Paint() {
  PixelControls paint(picture_, text_);
  paint.Clear();
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const auto& control = kControls[i];
    infodialog::PixelRect rect = infodialog::ControlRect(control, twips_.x, twips_.y);
    switch (control.kind) {
      case ControlKind::kPushButton:
        paint.Button(rect, control.text, i == buttons_.focused(), buttons_.ShownPressed(i));
        break;
      case ControlKind::kFrame:
        paint.GroupBox(rect);
        break;
      case ControlKind::kLabel:
        paint.Label(rect, control.text);
        break;
      case ControlKind::kPictureBox:
        // The box takes the picture's size plus its border, as the Windows one does.
        if (!banner_.empty()) rect.width = banner_.width + 4, rect.height = banner_.height + 4;
        paint.SunkenPicture(rect, banner_);
        break;
    }
  }
  window_.Show(picture_);
}

void WaylandInfoDialog::Click(std::size_t control) {
  if (control == kOkControl) closed_ = true;
  if (control == kReadmeControl) StartReadme();
}

void WaylandInfoDialog::Key(int16_t keyCode, bool pressed, int16_t modifiers) {
  using Key = DialogButtons::Key;
  Key key = Key::kOther;
  if (keyCode == kSpace) key = pressed ? Key::kSpaceDown : Key::kSpaceUp;
  if (!pressed && key != Key::kSpaceUp) return;
  if (keyCode == kTab) key = (modifiers & kShift) != 0 ? Key::kPrevious : Key::kNext;
  if (keyCode == kLeft || keyCode == kUp) key = Key::kPrevious;
  if (keyCode == kRight || keyCode == kDown) key = Key::kNext;
  if (keyCode == kReturn) key = Key::kEnter;
  const std::size_t clicked = buttons_.KeyEvent(key);
  Paint();
  Click(clicked);
}

void WaylandInfoDialog::PointerAt(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
  if (buttons_.PointerMoved(x, y)) Paint();
}

void WaylandInfoDialog::LeftButton(bool pressed) {
  const std::size_t clicked = pressed ? buttons_.LeftPress(pointerX_, pointerY_)
                                      : buttons_.LeftRelease(pointerX_, pointerY_);
  Paint();
  Click(clicked);
}

// "Readme": the desktop's viewer for readme.txt in the working directory, through xdg-open;
// the dialog stays open. One that can't be started is reported; unlike X11's loop this one
// watches no child, so a viewer xdg-open fails to find goes unreported.
void WaylandInfoDialog::StartReadme() {
  std::error_code ec;
  const std::string readme =
      ReadmeToOpen(std::filesystem::current_path(ec).string(), RunningProgramFolder());
  const pid_t pid = OpenDocument(readme);
  if (pid < 0) {
    WaylandMessageBox box(
        display_, loop_, scale_,
        infodialog::ReadmeFailureMessage("xdg-open " + readme, ErrorCodeText(-pid)));
    box.Run();
  }
}

}  // namespace quarvel
