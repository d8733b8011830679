#pragma once
// The list reader behind every data file: values separated by commas or line breaks, blanks
// around a value ignored, the separator consumed with the value, and reading past the end an
// error. One reader walks one file's bytes from start to end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quarvel {

class ListReader {
 public:
  ListReader(std::string content, std::string fileName);

  // True when not a single unread byte is left.
  bool AtEnd() const { return pos_ >= content_.size(); }

  // A signed decimal integer. An empty field reads as 0. Raises input past end of file when no
  // bytes are left, overflow when the value does not fit, type mismatch when the field is not a
  // whole number; the field and its separator are consumed even then.
  int32_t ReadInt32();
  int16_t ReadInt16();

  // The text up to the next comma or line break, without the blanks around it.
  std::string ReadText();

  const std::string& fileName() const { return fileName_; }
  // The line the last value read stood on.
  int fieldLine() const { return fieldLine_; }

 private:
  struct Field {
    std::string_view text;
    int line;
  };
  Field NextField();
  int64_t ParseInteger(const Field& field, int64_t min, int64_t max) const;
  [[noreturn]] void Fail(int number, int line) const;

  std::string content_;
  std::string fileName_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int fieldLine_ = 1;
};

}  // namespace quarvel
