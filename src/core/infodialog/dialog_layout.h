#pragma once
// The first-run information dialog as designed: its window and its controls with their places in
// twips, their tab order and their texts (UTF-8). Backends build the real dialog from this.
#include <array>
#include <string>
#include <string_view>

#include "platform/platform_system.h"
#include "runtime/caption.h"

namespace quarvel::infodialog {

enum class ControlKind { kPictureBox, kPushButton, kLabel, kFrame };

struct ControlLayout {
  std::string_view name;
  ControlKind kind;
  std::string_view container;    // "Dialog", or the frame that holds the control
  int left, top, width, height;  // twips, relative to the container
  int tabIndex;
  std::string_view text;
};

struct DialogLayout {
  std::string_view caption;
  int clientLeft, clientTop, clientWidth, clientHeight;  // twips, on the screen
};

inline constexpr DialogLayout kDialog{kCaption, 2760, 3750, 5580, 3030};

inline constexpr std::string_view kReadmeCommand = "notepad.exe readme.txt";
// What Readme opens, in the working directory, where the system has no Notepad.
inline constexpr std::string_view kReadmeFile = "readme.txt";
// The labels' and buttons' font size, in points (Windows' "MS UI Gothic" at 9 points).
inline constexpr int kFontPoints = 9;

// In tab order: OKButton first, so it has the focus when the dialog opens.
inline constexpr std::array<ControlLayout, 8> kControls{{
    {"OKButton", ControlKind::kPushButton, "Dialog", 4200, 120, 1215, 375, 0, "OK"},
    {"CancelButton", ControlKind::kPushButton, "Dialog", 4200, 1080, 1215, 375, 1, "Readme"},
    {"Picture1", ControlKind::kPictureBox, "Dialog", 120, 120, 3480, 915, 2, ""},
    {"Frame1", ControlKind::kFrame, "Dialog", 120, 1560, 5295, 1335, 3, ""},
    {"Label1", ControlKind::kLabel, "Frame1", 240, 240, 4815, 255, 4,
     "QUARVELをご選択いただきましてありがとうございます。"},
    {"Label2", ControlKind::kLabel, "Frame1", 240, 480, 4815, 495, 5,
     "時計はマウスが近づくと隠れるようになっていますので、[Shift]"
     "キーを押しながら操作を行ってください。"},
    {"Label3", ControlKind::kLabel, "Dialog", 120, 1200, 2175, 255, 6, "QUARVEL Ver. 0.60"},
    {"Label4", ControlKind::kLabel, "Frame1", 240, 960, 4695, 255, 7,
     "詳しくはReadme.txtをお読みください。"},
}};
// The two buttons in kControls.
inline constexpr std::size_t kOkControl = 0;
inline constexpr std::size_t kReadmeControl = 1;

struct PixelRect {
  int x, y, width, height;
  bool operator==(const PixelRect&) const = default;
};

// A control's place in the dialog's client area in pixels, through the containing frame.
PixelRect ControlRect(const ControlLayout& control, float twipsPerPixelX, float twipsPerPixelY);
// The dialog's client area on the screen in pixels.
PixelRect DialogClientRect(float twipsPerPixelX, float twipsPerPixelY);
// The dialog's outer rectangle moved onto the work area as little as it takes, so a large scale
// on a small screen leaves no part of it off the screen; one larger than the work area keeps
// its top-left corner on it.
PixelRect KeptOnWorkArea(const PixelRect& outer, const PixelRect& workArea);
// The font's height in pixels (its em, without the leading), as Windows makes it for the dialog.
int FontPixelHeight(float twipsPerPixelY);
// A length drawn as Windows draws it at 96 dpi (a message box's margins and button), in pixels
// at the screen's twips per pixel.
int ScaledFrom96Dpi(int pixelsAt96Dpi, float twipsPerPixel);
// The message when Readme's program could not be started; the dialog stays open.
std::string ReadmeFailureText(std::string_view command, std::string_view reason);
// ...as its box shows it: the dialog's caption, above every window as the clock's messages.
Message ReadmeFailureMessage(std::string_view command, std::string_view reason);

}  // namespace quarvel::infodialog
