// Keys as the compositor sends them (a keymap in a shared file, evdev codes, modifier masks) in
// the clock's terms: a letter key by its Latin letter under any layout, the modifiers held.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "backends/wayland/wayland_keys.h"
#include "backends/wayland/wayland_seat.h"

namespace quarvel {
namespace {

// The keymap text of these layouts, in a file as a compositor shares it.
void LoadLayouts(WaylandKeys& keys, const char* layouts) {
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  const xkb_rule_names names{"evdev", "pc105", layouts, "", ""};
  xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
  ASSERT_NE(keymap, nullptr) << layouts;
  char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
  const std::size_t size = std::strlen(text) + 1;
  const int fd = memfd_create("keymap", MFD_CLOEXEC);
  ASSERT_EQ(write(fd, text, size), static_cast<ssize_t>(size));
  EXPECT_TRUE(keys.LoadKeymap(fd, static_cast<uint32_t>(size)));
  close(fd);
  std::free(text);
  xkb_keymap_unref(keymap);
  xkb_context_unref(context);
}

// The modifier mask of one modifier by its name, in the keymap the keys loaded.
uint32_t MaskOf(const char* layouts, const char* name) {
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  const xkb_rule_names names{"evdev", "pc105", layouts, "", ""};
  xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
  const uint32_t mask = 1u << xkb_keymap_mod_get_index(keymap, name);
  xkb_keymap_unref(keymap);
  xkb_context_unref(context);
  return mask;
}

TEST(WaylandKeys, TheClocksKeysByTheirLatinLetterUnderEveryLayout) {
  for (const char* layouts : {"us", "de", "fr", "ru", "ru,us"}) {
    WaylandKeys keys;
    LoadLayouts(keys, layouts);
    // French AZERTY has A where US has Q, Z where US has W: the letter counts, not the place.
    const bool azerty = std::string(layouts) == "fr";
    EXPECT_EQ(keys.VirtualKey(azerty ? KEY_Q : KEY_A), 'A') << layouts;
    EXPECT_EQ(keys.VirtualKey(KEY_C), 'C') << layouts;
    EXPECT_EQ(keys.VirtualKey(KEY_X), 'X') << layouts;
    EXPECT_EQ(keys.VirtualKey(azerty ? KEY_W : KEY_Z), std::string(layouts) == "de" ? 'Y' : 'Z')
        << layouts;
  }
}

TEST(WaylandKeys, OtherKeysAndModifiers) {
  WaylandKeys keys;
  EXPECT_EQ(keys.VirtualKey(KEY_C), std::nullopt);  // no keymap yet
  LoadLayouts(keys, "us");
  EXPECT_EQ(keys.VirtualKey(KEY_ESC), 0x1B);
  EXPECT_EQ(keys.VirtualKey(KEY_LEFTSHIFT), 0x10);
  EXPECT_EQ(keys.VirtualKey(KEY_5), '5');
  EXPECT_EQ(keys.VirtualKey(KEY_PRINT), std::nullopt);
  EXPECT_EQ(keys.Modifiers(), 0);
  keys.UpdateModifiers(MaskOf("us", XKB_MOD_NAME_SHIFT), 0, 0, 0);
  EXPECT_EQ(keys.Modifiers(), 1);
  keys.UpdateModifiers(MaskOf("us", XKB_MOD_NAME_CTRL) | MaskOf("us", XKB_MOD_NAME_ALT), 0, 0, 0);
  EXPECT_EQ(keys.Modifiers(), 6);
}

// What the clock's surface hears from the seat, with the modifiers the core would get.
class HeardInput final : public WaylandInputTarget {
 public:
  wl_surface* InputSurface() const override { return surface; }
  void PointerMoved(int16_t, int16_t modifiers) override { moved.push_back(modifiers); }
  void ButtonPressed(int16_t, int16_t) override {}
  void KeyPressed(int16_t, int16_t) override {}
  // Never used as a surface: the seat only compares it with the one the compositor names.
  wl_surface* surface = reinterpret_cast<wl_surface*>(&moved);
  std::vector<int16_t> moved;
};

// The compositor tells the modifiers only while the clock has the keyboard: Shift held then, and
// let go after the keyboard went elsewhere, must not keep a top-most clock from hiding.
TEST(WaylandSeat, ShiftIsHeldOnlyAsLongAsTheClockHasTheKeyboard) {
  HeardInput heard;
  WaylandSeat seat(nullptr, heard);
  LoadLayouts(seat.keys(), "us");
  seat.KeyboardEnter(heard.surface);
  seat.keys().UpdateModifiers(MaskOf("us", XKB_MOD_NAME_SHIFT), 0, 0, 0);
  seat.PointerEnter(heard.surface);
  seat.KeyboardLeave();
  seat.PointerMotion();
  EXPECT_EQ(heard.moved, (std::vector<int16_t>{1, 0}));
}

}  // namespace
}  // namespace quarvel
