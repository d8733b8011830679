// The first-run dialog's buttons as a person works them with the keyboard and the mouse, the same
// on X11 and Wayland: OK focused first; Tab and the arrows between OK and Readme; Enter clicks the
// focused button, Space clicks it when it comes up; a click counts only released over the button
// it began on; Escape does nothing.
#include "dialogpaint/dialog_buttons.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {
using Key = DialogButtons::Key;
constexpr std::size_t kOk = 0, kReadme = 1, kNone = DialogButtons::kNone;
// The buttons' middles at 96 dpi (OK at 280,8 and Readme at 280,72, each 81x25).
constexpr int kOkX = 320, kOkY = 20, kReadmeY = 84;

TEST(DialogButtons, KeysMoveTheFocusAndClickTheFocusedButton) {
  DialogButtons buttons(15.0f, 15.0f);
  EXPECT_EQ(buttons.focused(), kOk);
  EXPECT_EQ(buttons.KeyEvent(Key::kOther), kNone);  // Escape, say
  EXPECT_EQ(buttons.KeyEvent(Key::kNext), kNone);
  EXPECT_EQ(buttons.focused(), kReadme);
  EXPECT_EQ(buttons.KeyEvent(Key::kNext), kNone);  // only the buttons are tab stops
  EXPECT_EQ(buttons.focused(), kOk);
  buttons.KeyEvent(Key::kPrevious);
  EXPECT_EQ(buttons.KeyEvent(Key::kEnter), kReadme);
  buttons.KeyEvent(Key::kPrevious);
  EXPECT_EQ(buttons.KeyEvent(Key::kSpaceDown), kNone);  // pressed, not clicked yet
  EXPECT_TRUE(buttons.ShownPressed(kOk));
  EXPECT_EQ(buttons.KeyEvent(Key::kSpaceUp), kOk);
  EXPECT_FALSE(buttons.ShownPressed(kOk));
  EXPECT_EQ(buttons.KeyEvent(Key::kSpaceUp), kNone);  // a release alone clicks nothing
}

TEST(DialogButtons, AClickCountsOnlyWhereItEnds) {
  DialogButtons buttons(15.0f, 15.0f);
  EXPECT_EQ(buttons.ButtonAt(kOkX, kOkY), kOk);
  EXPECT_EQ(buttons.ButtonAt(kOkX, kReadmeY), kReadme);
  EXPECT_EQ(buttons.ButtonAt(10, 10), kNone);  // the banner

  EXPECT_EQ(buttons.LeftPress(kOkX, kReadmeY), kNone);
  EXPECT_EQ(buttons.focused(), kReadme);  // the press takes the focus
  EXPECT_TRUE(buttons.ShownPressed(kReadme));
  EXPECT_TRUE(buttons.PointerMoved(kOkX, kOkY));  // off it: shown up again
  EXPECT_FALSE(buttons.ShownPressed(kReadme));
  EXPECT_FALSE(buttons.PointerMoved(kOkX, kOkY + 1));
  EXPECT_EQ(buttons.LeftRelease(kOkX, kOkY), kNone);  // released elsewhere: no click

  buttons.LeftPress(kOkX, kOkY);
  EXPECT_EQ(buttons.LeftRelease(kOkX + 5, kOkY), kOk);
  buttons.LeftPress(10, 10);
  EXPECT_EQ(buttons.focused(), kOk);
  EXPECT_EQ(buttons.LeftRelease(kOkX, kOkY), kNone);  // begun outside every button
}

}  // namespace
}  // namespace quarvel
