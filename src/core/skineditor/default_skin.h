#pragma once
// The default skin the clock ships with, built into the editors from data/ when they are
// built. New skin copies these bytes, so a new skin is the shipped default even after the
// author has saved over the files beside the programs (in the Windows zip, the skin the editor
// opens first is that very folder).
#include <span>
#include <string_view>

namespace quarvel {

struct DefaultSkinFile {
  const char* name;  // as it lies in the skin folder
  std::string_view bytes;
};

// The hand files and the face, each as data/ holds it; the face is the one a settings.ini
// without a bitmap name leads to.
std::span<const DefaultSkinFile> DefaultSkinFiles();

}  // namespace quarvel
