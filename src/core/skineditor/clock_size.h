#pragma once
// The clock's size as both editors offer it: "Automatic" (the screen's scale) or a percent of
// the face bitmap, picked from a short list or typed.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarvel {

inline constexpr const char* kAutomaticSize = "Automatic";
inline constexpr std::array<int16_t, 9> kSizeChoices{0, 50, 75, 100, 125, 150, 200, 300, 400};
inline constexpr const char* kSizeLimitNotice =
    "The clock's size is 50 % to 400 % of its face, or Automatic.";

// "Automatic" for 0, else "150 %".
std::string SizeText(int16_t percent);

// What an author typed: "Automatic" (any case) or nothing for 0; a whole number, with or
// without a "%" after it and blanks around, within the clock's sizes. Else nothing.
std::optional<int16_t> ParseSize(std::string_view text);

}  // namespace quarvel
