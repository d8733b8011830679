#pragma once
// What makes a folder a skin: it holds a hand file. The clock started in one works there.
#include <string>

namespace quarvel {

bool IsSkinFolder(const std::string& folder);

}  // namespace quarvel
