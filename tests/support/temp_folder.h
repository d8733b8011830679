#pragma once
// A fresh folder under the system's temp folder, removed at the end: parallel runs of the unit
// tests and fuzz targets never share the files they feed to the readers.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

#include <unistd.h>

namespace quarvel::testing {

// A file's bytes, or "" when it can't be read.
inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quarvel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("can't create " + pattern);
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }

  // Replaces the file's content with exactly these bytes; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string file = path_ + "/" + name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!(out << bytes) && !bytes.empty()) throw std::runtime_error("can't write " + file);
    return file;
  }

  std::string Read(const std::string& name) const { return FileBytes(path_ + "/" + name); }

  // Copies these files of `from` in, under their own names.
  void CopyIn(const std::string& from, std::initializer_list<const char*> names) const {
    for (const char* name : names)
      std::filesystem::copy_file(from + "/" + name, path_ + "/" + name);
  }

 private:
  std::string path_;
};

}  // namespace quarvel::testing
