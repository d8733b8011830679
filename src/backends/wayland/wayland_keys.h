#pragma once
// Wayland's keys in the terms the clock's core takes from every window system: Windows'
// virtual-key and modifier codes, read through the keymap the compositor sends (xkbcommon).
#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <optional>

namespace quarvel {

class WaylandKeys {
 public:
  WaylandKeys();
  ~WaylandKeys();
  WaylandKeys(const WaylandKeys&) = delete;
  WaylandKeys& operator=(const WaylandKeys&) = delete;

  // The compositor's keymap (xkb v1 text in a file it shares); false when it can't be read.
  bool LoadKeymap(int fd, uint32_t size);
  void UpdateModifiers(uint32_t depressed, uint32_t latched, uint32_t locked, uint32_t group);

  // The Windows code of a key (the evdev code the compositor sends), nothing for one the clock
  // has no code for; a letter key by its Latin letter, whatever Shift or the layout does.
  std::optional<int16_t> VirtualKey(uint32_t key) const;
  // Whether the keymap has the key repeat while held (letters do, modifiers don't).
  bool Repeats(uint32_t key) const;
  // Shift 1, Ctrl 2, Alt 4, as they are held now.
  int16_t Modifiers() const;

 private:
  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  xkb_state* state_ = nullptr;
};

}  // namespace quarvel
