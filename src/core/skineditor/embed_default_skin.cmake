# Writes OUT, a C++ source holding the bytes of each file of FILES (comma-separated names in
# DATA) for DefaultSkinFiles() (default_skin.h). Run at build time, so the editors always carry
# the default skin as data/ has it.
string(REPLACE "," ";" names "${FILES}")
set(arrays "")
set(entries "")
set(index 0)
foreach(name IN LISTS names)
  file(READ "${DATA}/${name}" hex HEX)
  string(LENGTH "${hex}" digits)
  if(digits EQUAL 0)
    message(FATAL_ERROR "${DATA}/${name} is empty")
  endif()
  # Twenty bytes a line: "0x42,0x4d,..."
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){20})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "constexpr unsigned char kFile${index}[] = {\n    ${bytes}};\n")
  string(APPEND entries
    "    {\"${name}\", {reinterpret_cast<const char*>(kFile${index}), sizeof kFile${index}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUT}"
"// Made by src/core/skineditor/embed_default_skin.cmake from data/ at build time; not to be edited.
#include <array>

#include \"core/skineditor/default_skin.h\"

namespace quarvel {
namespace {
${arrays}
const std::array<DefaultSkinFile, ${index}> kFiles{{
${entries}}};
}  // namespace

std::span<const DefaultSkinFile> DefaultSkinFiles() {
  return kFiles;
}

}  // namespace quarvel
")
