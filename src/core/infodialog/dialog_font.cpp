#include "core/infodialog/dialog_font.h"

#include <string>

#include "core/infodialog/dialog_layout.h"
#include "runtime/caption.h"

namespace quarvel::infodialog {

// The texts are this program's own UTF-8 (the unit tests hold their bytes), so the decoder
// needs no error handling of its own.
std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string text;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
      c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    text.push_back(c);
    i += length;
  }
  return text;
}

namespace {
void AddCharacters(std::u32string& characters, std::string_view utf8) {
  for (char32_t c : DecodeUtf8(utf8))
    if (characters.find(c) == std::u32string::npos) characters.push_back(c);
}

std::u32string CollectCharacters() {
  std::u32string characters;
  for (const ControlLayout& control : kControls) AddCharacters(characters, control.text);
  AddCharacters(characters, kMessageButton);
  return characters;
}
}  // namespace

std::u32string_view TextCharacters() {
  static const std::u32string characters = CollectCharacters();
  return characters;
}

}  // namespace quarvel::infodialog
