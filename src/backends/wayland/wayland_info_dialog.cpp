#include "backends/wayland/wayland_info_dialog.h"

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

constexpr std::size_t kOk = 0;  // the controls in tab order: OKButton first, then Readme
constexpr std::size_t kReadme = 1;
constexpr std::size_t kNone = SIZE_MAX;
// Windows' key codes, as WaylandKeys gives them.
constexpr int16_t kTab = 0x09, kReturn = 0x0D, kSpace = 0x20, kLeft = 0x25, kUp = 0x26,
                  kRight = 0x27, kDown = 0x28;
constexpr int16_t kShift = 1;

PixelImage Blank(const infodialog::PixelRect& r) {
  PixelImage image;
  image.width = r.width;
  image.height = r.height;
  image.pixels.resize(static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height));
  return image;
}
}  // namespace

WaylandInfoDialog::WaylandInfoDialog(WaylandDisplay& display, WaylandEventLoop& loop,
                                     TwipsPerPixel twips)
    : display_(display),
      loop_(loop),
      twips_(twips),
      text_(infodialog::FontPixelHeight(twips.y)),
      banner_(BannerPicture(twips.x)),
      picture_(Blank(infodialog::DialogClientRect(twips.x, twips.y))),
      window_(display, picture_.width, picture_.height, infodialog::kDialog.caption, *this) {}

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
        paint.Button(rect, control.text, i == focused_, i == pressed_ && pressedInside_);
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

void WaylandInfoDialog::MoveFocus(int step) {
  // Only the push buttons are tab stops.
  std::size_t next = focused_;
  do {
    next = (next + kControls.size() + static_cast<std::size_t>(step)) % kControls.size();
  } while (kControls[next].kind != ControlKind::kPushButton);
  focused_ = next;
  Paint();
}

std::size_t WaylandInfoDialog::ButtonAt(int x, int y) const {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (kControls[i].kind != ControlKind::kPushButton) continue;
    const auto r = infodialog::ControlRect(kControls[i], twips_.x, twips_.y);
    if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) return i;
  }
  return kNone;
}

void WaylandInfoDialog::Click(std::size_t control) {
  if (control == kOk) closed_ = true;
  if (control == kReadme) StartReadme();
}

void WaylandInfoDialog::Key(int16_t keyCode, bool pressed, int16_t modifiers) {
  if (!pressed) {
    if (keyCode == kSpace && pressed_ != kNone) {
      const std::size_t clicked = pressed_;
      pressed_ = kNone;
      Paint();
      Click(clicked);
    }
    return;
  }
  switch (keyCode) {
    case kTab:
      MoveFocus((modifiers & kShift) != 0 ? -1 : 1);
      break;
    case kLeft:
    case kUp:
      MoveFocus(-1);
      break;
    case kRight:
    case kDown:
      MoveFocus(1);
      break;
    case kReturn:  // the focused push button is the one Enter presses
      Click(focused_);
      break;
    case kSpace:  // pressed now, clicked when the key comes up
      pressed_ = focused_;
      pressedInside_ = true;
      Paint();
      break;
    default:  // Escape too: the dialog has no cancel button
      break;
  }
}

void WaylandInfoDialog::PointerAt(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
  if (pressed_ == kNone) return;
  const bool inside = ButtonAt(x, y) == pressed_;
  if (inside == pressedInside_) return;
  pressedInside_ = inside;
  Paint();
}

void WaylandInfoDialog::LeftButton(bool pressed) {
  if (pressed) {
    pressed_ = ButtonAt(pointerX_, pointerY_);
    if (pressed_ == kNone) return;
    pressedInside_ = true;
    focused_ = pressed_;
    Paint();
    return;
  }
  if (pressed_ == kNone) return;
  const std::size_t released = pressed_;
  const bool inside = ButtonAt(pointerX_, pointerY_) == released;
  pressed_ = kNone;
  Paint();
  if (inside) Click(released);
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
        display_, loop_, twips_,
        infodialog::ReadmeFailureMessage("xdg-open " + readme, ErrorCodeText(-pid)));
    box.Run();
  }
}

}  // namespace quarvel
