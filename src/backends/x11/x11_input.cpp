#include "backends/x11/x11_input.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <cstring>

namespace quarvel {

int16_t X11ModifierMask(unsigned int state) {
  int16_t mask = 0;
  if ((state & ShiftMask) != 0) mask |= 1;
  if ((state & ControlMask) != 0) mask |= 2;
  if ((state & Mod1Mask) != 0) mask |= 4;  // Alt on every common keyboard map
  return mask;
}

int16_t X11ButtonMask(unsigned int state) {
  int16_t mask = 0;
  if ((state & Button1Mask) != 0) mask |= 1;
  if ((state & Button3Mask) != 0) mask |= 2;
  if ((state & Button2Mask) != 0) mask |= 4;
  return mask;
}

std::optional<int16_t> X11PressedButton(unsigned int button) {
  switch (button) {
    case Button1:
      return 1;
    case Button3:
      return 2;
    case Button2:
      return 4;
    default:
      return std::nullopt;  // the wheel (4 to 7) and side buttons
  }
}

namespace {
std::optional<int16_t> LetterOrDigit(KeySym sym) {
  if (sym >= XK_a && sym <= XK_z) return static_cast<int16_t>('A' + (sym - XK_a));
  if (sym >= XK_A && sym <= XK_Z) return static_cast<int16_t>(sym);
  if (sym >= XK_0 && sym <= XK_9) return static_cast<int16_t>(sym);
  return std::nullopt;
}

std::optional<int16_t> OtherKey(KeySym sym) {
  if (sym >= XK_F1 && sym <= XK_F12) return static_cast<int16_t>(0x70 + (sym - XK_F1));
  switch (sym) {
    case XK_BackSpace:
      return 0x08;
    case XK_Tab:
      return 0x09;
    case XK_Return:
    case XK_KP_Enter:
      return 0x0D;
    case XK_Shift_L:
    case XK_Shift_R:
      return 0x10;
    case XK_Control_L:
    case XK_Control_R:
      return 0x11;
    case XK_Alt_L:
    case XK_Alt_R:
      return 0x12;
    case XK_Escape:
      return 0x1B;
    case XK_space:
      return 0x20;
    case XK_Left:
      return 0x25;
    case XK_Up:
      return 0x26;
    case XK_Right:
      return 0x27;
    case XK_Down:
      return 0x28;
    case XK_Delete:
      return 0x2E;
    default:
      return std::nullopt;
  }
}
// The letter or digit a US keyboard has at the place XKB names (AD01 is Q, AC01 A, AB01 Z).
std::optional<int16_t> LetterAtPlace(const char (&name)[XkbKeyNameLength]) {
  static constexpr const char* kRows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static constexpr const char* kRowNames[] = {"AE", "AD", "AC", "AB"};
  for (int row = 0; row < 4; ++row) {
    if (std::strncmp(name, kRowNames[row], 2) != 0 || name[2] < '0' || name[2] > '9' ||
        name[3] < '0' || name[3] > '9')
      continue;
    const std::size_t column = static_cast<std::size_t>((name[2] - '0') * 10 + name[3] - '0');
    if (column >= 1 && column <= std::strlen(kRows[row]))
      return static_cast<int16_t>(kRows[row][column - 1]);
  }
  return std::nullopt;
}

std::optional<int16_t> KeyAtPlace(XKeyEvent& event) {
  XkbDescPtr keyboard = XkbGetMap(event.display, 0, XkbUseCoreKbd);
  if (keyboard == nullptr) return std::nullopt;
  std::optional<int16_t> code;
  if (XkbGetNames(event.display, XkbKeyNamesMask, keyboard) == Success &&
      keyboard->names != nullptr && keyboard->names->keys != nullptr &&
      event.keycode >= keyboard->min_key_code && event.keycode <= keyboard->max_key_code)
    code = LetterAtPlace(keyboard->names->keys[event.keycode].name);
  XkbFreeKeyboard(keyboard, 0, True);
  return code;
}
}  // namespace

// Windows names a letter key by its letter whatever Shift or Caps Lock do, and keeps that name
// under a non-Latin layout. The unshifted symbol of the first group gives the first; for a
// layout whose first group has no Latin letters, the key's symbol in a later group that does;
// with no Latin letter in any group (`setxkbmap ru`), the letter of its place on a US keyboard,
// as Windows names the keys of such a layout.
std::optional<int16_t> X11VirtualKey(XKeyEvent& event) {
  const KeySym first = XLookupKeysym(&event, 0);
  if (auto code = LetterOrDigit(first)) return code;
  if (auto code = OtherKey(first)) return code;
  for (int index = 2; index < 8; index += 2) {
    if (auto code = LetterOrDigit(XLookupKeysym(&event, index))) return code;
  }
  return KeyAtPlace(event);
}

}  // namespace quarvel
