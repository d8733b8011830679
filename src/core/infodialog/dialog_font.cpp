#include "core/infodialog/dialog_font.h"

#include <string>

#include "core/infodialog/dialog_layout.h"
#include "runtime/caption.h"

namespace quarvel::infodialog {

namespace {
// The texts are this program's own UTF-8 (the unit tests hold their bytes), so the decoder
// needs no error handling of its own.
void AddCharacters(std::u32string& characters, std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
      c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    if (characters.find(c) == std::u32string::npos) characters.push_back(c);
    i += length;
  }
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
