#pragma once
// Small helpers shared by the fuzz targets: a private folder for the files a target feeds to the
// readers, and an invariant check that stops the run as a crash, so libFuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace quarvel::fuzz {

// Aborting (rather than throwing) makes libFuzzer write the input out as a crash file.
inline void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

// A folder of its own under the system's temp folder, so parallel fuzz jobs never share files.
// Removed again when the fuzzer exits normally.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quarvel-fuzz-XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr, "can't create a temp folder");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }

  // Replaces the file's content with exactly these bytes.
  void Write(const char* name, const uint8_t* data, std::size_t size) const {
    const std::string file = path_ + "/" + name;
    std::FILE* out = std::fopen(file.c_str(), "wb");
    Check(out != nullptr, "can't create the input file");
    const bool written = size == 0 || std::fwrite(data, 1, size, out) == size;
    Check(std::fclose(out) == 0 && written, "can't write the input file");
  }

 private:
  std::string path_;
};

}  // namespace quarvel::fuzz
