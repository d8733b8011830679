#include "backends/wayland/wayland_keys.h"

#include <sys/mman.h>

#include <cstring>
#include <string_view>

namespace quarvel {

namespace {
// Wayland sends evdev codes; XKB numbers them 8 higher.
constexpr uint32_t kEvdevToXkb = 8;

std::optional<int16_t> LetterOrDigit(xkb_keysym_t sym) {
  if (sym >= XKB_KEY_a && sym <= XKB_KEY_z) return static_cast<int16_t>('A' + (sym - XKB_KEY_a));
  if (sym >= XKB_KEY_A && sym <= XKB_KEY_Z) return static_cast<int16_t>(sym);
  if (sym >= XKB_KEY_0 && sym <= XKB_KEY_9) return static_cast<int16_t>(sym);
  return std::nullopt;
}

std::optional<int16_t> OtherKey(xkb_keysym_t sym) {
  if (sym >= XKB_KEY_F1 && sym <= XKB_KEY_F12)
    return static_cast<int16_t>(0x70 + (sym - XKB_KEY_F1));
  switch (sym) {
    case XKB_KEY_BackSpace:
      return 0x08;
    case XKB_KEY_Tab:
      return 0x09;
    case XKB_KEY_Return:
    case XKB_KEY_KP_Enter:
      return 0x0D;
    case XKB_KEY_Shift_L:
    case XKB_KEY_Shift_R:
      return 0x10;
    case XKB_KEY_Control_L:
    case XKB_KEY_Control_R:
      return 0x11;
    case XKB_KEY_Alt_L:
    case XKB_KEY_Alt_R:
      return 0x12;
    case XKB_KEY_Escape:
      return 0x1B;
    case XKB_KEY_space:
      return 0x20;
    case XKB_KEY_Left:
      return 0x25;
    case XKB_KEY_Up:
      return 0x26;
    case XKB_KEY_Right:
      return 0x27;
    case XKB_KEY_Down:
      return 0x28;
    case XKB_KEY_Delete:
      return 0x2E;
    default:
      return std::nullopt;
  }
}

// The letter or digit a US keyboard has at the place XKB names (AD01 is Q, AC01 A, AB01 Z).
std::optional<int16_t> LetterAtPlace(std::string_view name) {
  static constexpr std::string_view kRows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static constexpr std::string_view kRowNames[] = {"AE", "AD", "AC", "AB"};
  if (name.size() != 4 || name[2] < '0' || name[2] > '9' || name[3] < '0' || name[3] > '9')
    return std::nullopt;
  const std::size_t column = static_cast<std::size_t>((name[2] - '0') * 10 + name[3] - '0');
  for (std::size_t row = 0; row < 4; ++row)
    if (name.substr(0, 2) == kRowNames[row] && column >= 1 && column <= kRows[row].size())
      return static_cast<int16_t>(kRows[row][column - 1]);
  return std::nullopt;
}
}  // namespace

WaylandKeys::WaylandKeys() : context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {}

WaylandKeys::~WaylandKeys() {
  if (state_ != nullptr) xkb_state_unref(state_);
  if (keymap_ != nullptr) xkb_keymap_unref(keymap_);
  if (context_ != nullptr) xkb_context_unref(context_);
}

bool WaylandKeys::LoadKeymap(int fd, uint32_t size) {
  if (context_ == nullptr || size == 0) return false;
  void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  if (text == MAP_FAILED) return false;
  xkb_keymap* keymap =
      xkb_keymap_new_from_string(context_, static_cast<const char*>(text),
                                 XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
  munmap(text, size);
  if (keymap == nullptr) return false;
  if (state_ != nullptr) xkb_state_unref(state_);
  if (keymap_ != nullptr) xkb_keymap_unref(keymap_);
  keymap_ = keymap;
  state_ = xkb_state_new(keymap_);
  return state_ != nullptr;
}

void WaylandKeys::UpdateModifiers(uint32_t depressed, uint32_t latched, uint32_t locked,
                                  uint32_t group) {
  if (state_ != nullptr) xkb_state_update_mask(state_, depressed, latched, locked, 0, 0, group);
}

// As on X11: the unshifted symbol of the first layout; for a layout without Latin letters the
// key's symbol in a later layout that has one; else the letter of its place on a US keyboard.
std::optional<int16_t> WaylandKeys::VirtualKey(uint32_t key) const {
  if (keymap_ == nullptr) return std::nullopt;
  const xkb_keycode_t code = key + kEvdevToXkb;
  const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap_, code);
  for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
    const xkb_keysym_t* syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap_, code, layout, 0, &syms) < 1) continue;
    if (auto letter = LetterOrDigit(syms[0])) return letter;
    if (layout == 0)
      if (auto other = OtherKey(syms[0])) return other;
  }
  const char* name = xkb_keymap_key_get_name(keymap_, code);
  return name != nullptr ? LetterAtPlace(name) : std::nullopt;
}

bool WaylandKeys::Repeats(uint32_t key) const {
  return keymap_ != nullptr && xkb_keymap_key_repeats(keymap_, key + kEvdevToXkb) != 0;
}

int16_t WaylandKeys::Modifiers() const {
  if (state_ == nullptr) return 0;
  const auto held = [this](const char* name) {
    return xkb_state_mod_name_is_active(state_, name, XKB_STATE_MODS_EFFECTIVE) > 0;
  };
  return static_cast<int16_t>((held(XKB_MOD_NAME_SHIFT) ? 1 : 0) |
                              (held(XKB_MOD_NAME_CTRL) ? 2 : 0) | (held(XKB_MOD_NAME_ALT) ? 4 : 0));
}

}  // namespace quarvel
