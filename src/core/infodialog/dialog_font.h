#pragma once
// The face the dialog's and the message boxes' texts are drawn in, as an ordered choice that
// every backend makes the same way: the first of kFaces that the system has with a glyph for
// every character the texts need (Latin and Japanese alike); failing all of them, any face the
// system has with all those glyphs; failing that, the system's own face for messages, so the
// Latin texts (the buttons, the version, every message) stay readable. The size is always
// kFontPoints. Which faces exist and which glyphs they hold only the backend's font system
// knows.
#include <array>
#include <string>
#include <string_view>

namespace quarvel::infodialog {

inline constexpr std::array<std::string_view, 16> kFaces{{
    // Windows' Japanese UI font, the one the dialog was laid out in.
    "MS UI Gothic",
    // The same design with the wider kana, then Windows' later Japanese UI faces: a Windows
    // without the Japanese supplemental fonts still has Yu Gothic.
    "MS PGothic",
    "Meiryo UI",
    "Yu Gothic UI",
    "Meiryo",
    "Yu Gothic",
    "MS Gothic",
    // Free Japanese faces that Linux systems carry (and Wine finds through fontconfig),
    // proportional before fixed, like the faces above.
    "IPAPGothic",
    "IPAGothic",
    "IPAexGothic",
    "VL PGothic",
    "VL Gothic",
    "TakaoPGothic",
    "Noto Sans CJK JP",
    "Source Han Sans JP",
    "Noto Sans JP",
}};

// Every character the dialog's texts and the message boxes' button hold, once each, in the
// order they first appear: what a face needs glyphs for to be chosen.
std::u32string_view TextCharacters();
// The characters of UTF-8 text: the program's own texts and the messages it makes of them.
std::u32string DecodeUtf8(std::string_view utf8);

}  // namespace quarvel::infodialog
