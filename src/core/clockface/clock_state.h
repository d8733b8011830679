#pragma once
// The clock window's variables, shared by the face, the window and the animations. Field names
// follow the clock's own vocabulary so the code reads like its description.
#include <array>
#include <cstdint>
#include <string>

#include "platform/platform_types.h"

namespace quarvel {

// The values of settings.ini's flags and of the clock's legacy routines (FileExists): 0 is
// false, -1 true, and any other value also counts as true. Inside the core flags are bool.
inline constexpr int16_t kTrue = -1;
inline constexpr int16_t kFalse = 0;

// One vertex of a hand outline in hand-relative polar terms.
struct ShapePoint {
  int32_t angleOffset = 0;    // degrees clockwise of the hand's own direction
  int32_t radiusPercent = 0;  // distance from the centre in percent of the dial radius
  bool operator==(const ShapePoint&) const = default;
};

// A hand outline: an open polyline of up to 51 vertices (indices 0..50).
struct HandShape {
  static constexpr int kCapacity = 51;
  std::array<ShapePoint, kCapacity> points{};
  int16_t pointCount = 0;
};

// Where the date's window sits: percent of the dial radius right of and below the centre.
struct DatePlace {
  int16_t x = 55;  // at 3 o'clock, inside the hour marks
  int16_t y = 0;
  bool operator==(const DatePlace&) const = default;
};
// The day's digits: the default face's own dark blue (red 0, green 64, blue 128).
inline constexpr ColorRef kDefaultDateColor = 0x804000;

// The date's window as painted: the day and all that places and sizes it.
struct DateWindow {
  int16_t day = 0;  // 1..31; 0: none painted
  int32_t centerX = 0;
  int32_t centerY = 0;
  int32_t radius = 0;
  float scale = 1.0f;
  DatePlace place;
  ColorRef color = kDefaultDateColor;
  bool operator==(const DateWindow&) const = default;
};

struct ClockState {
  int32_t centerX = 0;
  int32_t centerY = 0;
  int32_t radius = 0;
  int32_t handPosition = 0;
  int32_t handAngle = 0;
  int16_t penX = 0;  // penX = penY = 0 means the pen is up
  int16_t penY = 0;
  int32_t faceDiameter = 0;  // the window's width: the face bitmap's, times the scale
  float scale = 1.0f;        // the whole clock's size over its bitmap's (core/clockface/face_scale)
  int16_t sizePercent = 0;   // the size the user fixed, in percent of the bitmap; 0: the screen's
  int16_t spinCounter = 0;   // the lapping hand's position (the clock's own name)
  bool secondsHand = true;   // off: no seconds hand, and the face changes once a minute
  bool date = false;         // the day of the month in a window on the face
  DatePlace datePlace;
  ColorRef dateColor = kDefaultDateColor;
  DateWindow dateShown;    // the window on the canvas's background, painted anew on a change
  bool topmost = true;     // the top-most layer, and with it the hiding from the pointer
  int16_t notTopmost = 0;  // line 2 of settings.ini as read (0: top-most), see skin/settings_file
  bool shiftHeld = false;
  bool dodged = false;
  ColorRef minuteColor = 0;
  ColorRef hourColor = 0;
  ColorRef secondColor = 0;
  HandShape minuteShape;
  HandShape hourShape;
  HandShape secondShape;
  std::string bitmapPath;
  int16_t lineWidth = 0;
  ScreenPoint cursorPos;
  int32_t windowLeft = 0;
  int32_t windowTop = 0;
  int16_t lastSecond = 0;
  int16_t lastMinute = -1;  // the minute last drawn, for a face without a seconds hand
};

}  // namespace quarvel
