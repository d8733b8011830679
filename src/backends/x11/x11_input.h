#pragma once
// X input in the terms the clock's core takes from every window system: Windows' button,
// modifier and virtual-key codes.
#include <X11/Xlib.h>

#include <cstdint>
#include <optional>

namespace quarvel {

// Shift 1, Ctrl 2, Alt 4, from an event's state.
int16_t X11ModifierMask(unsigned int state);
// The buttons held, left 1, right 2, middle 4, from an event's state.
int16_t X11ButtonMask(unsigned int state);
// The mask of the button an event is about; nothing for the wheel and extra buttons.
std::optional<int16_t> X11PressedButton(unsigned int button);
// The Windows virtual-key code of a pressed key; nothing for a key the clock has no code for.
std::optional<int16_t> X11VirtualKey(XKeyEvent& event);

}  // namespace quarvel
