#include "runtime/list_reader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "runtime/runtime_error.h"

namespace quarvel {

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// The data files are 8-bit text, but an editor may save them as Unicode with a byte order mark
// (Notepad's "Unicode" is UTF-16). Such a file reads as the 8-bit text it holds: each character
// beyond 8 bits becomes '?', which no number or bitmap name needs.
std::string EightBitText(std::string bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF)
    return bytes.substr(3);
  if (bytes.size() < 2 ||
      !((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF)))
    return bytes;
  const bool bigEndian = byte(0) == 0xFE;
  std::string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const unsigned unit = bigEndian ? byte(i) << 8 | byte(i + 1) : byte(i + 1) << 8 | byte(i);
    text += unit < 0x100 ? static_cast<char>(unit) : '?';
  }
  return text;
}
}  // namespace

ListReader::ListReader(std::string content, std::string fileName)
    : content_(EightBitText(std::move(content))), fileName_(std::move(fileName)) {}

void ListReader::Fail(int number, int line) const {
  throw RuntimeError(static_cast<ErrorNumber>(number), fileName_, "line " + std::to_string(line));
}

ListReader::Field ListReader::NextField() {
  while (pos_ < content_.size() && IsBlank(content_[pos_])) ++pos_;
  if (AtEnd()) {
    // Point at the file's last line, not at the line after its final line break.
    const bool endsWithBreak = !content_.empty() && IsLineBreak(content_.back());
    Fail(static_cast<int>(ErrorNumber::kInputPastEndOfFile), endsWithBreak ? line_ - 1 : line_);
  }

  Field field{{}, line_};
  fieldLine_ = line_;
  std::size_t start = pos_;
  while (pos_ < content_.size() && content_[pos_] != ',' && !IsLineBreak(content_[pos_])) ++pos_;
  std::size_t end = pos_;
  while (end > start && IsBlank(content_[end - 1])) --end;
  field.text = std::string_view(content_).substr(start, end - start);

  // Consume the separator with the value.
  if (pos_ < content_.size() && content_[pos_] == ',') {
    ++pos_;
    field.endedLine = false;
  } else {
    SkipLineBreak();
  }
  return field;
}

// CR LF is one line break; a lone CR or LF counts as one too, so files saved by Unix editors
// read the same.
void ListReader::SkipLineBreak() {
  if (pos_ >= content_.size()) return;
  if (content_[pos_] == '\r' && pos_ + 1 < content_.size() && content_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

void ListReader::BadNumber(ErrorNumber number, const Field& field) {
  // The rest of a bad value's line goes with it, so the next read starts on the next line and
  // one unreadable value costs no other setting.
  if (!field.endedLine) {
    while (pos_ < content_.size() && !IsLineBreak(content_[pos_])) ++pos_;
    SkipLineBreak();
  }
  Fail(static_cast<int>(number), field.line);
}

int64_t ListReader::ParseNumber(const Field& field, int64_t min, int64_t max) {
  const std::string_view text = field.text;
  if (text.empty()) return 0;
  std::size_t i = 0;
  const bool negative = text[0] == '-';
  if (text[0] == '+' || text[0] == '-') ++i;
  // The magnitude stops growing past any target's range; it only has to tell "too large".
  constexpr uint64_t kBeyond = uint64_t{1} << 40;
  uint64_t magnitude = 0;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
    magnitude = std::min(magnitude * 10 + static_cast<uint64_t>(text[i] - '0'), kBeyond);
  // A fraction rounds to the nearest whole number, ties to even, as every conversion here.
  int firstDecimal = 0;
  bool laterDecimals = false;
  if (i < text.size() && text[i] == '.') {
    const std::size_t first = ++i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
      if (i == first)
        firstDecimal = text[i] - '0';
      else if (text[i] != '0')
        laterDecimals = true;
    }
  }
  if (i != text.size() || digits == 0) BadNumber(ErrorNumber::kTypeMismatch, field);
  if (firstDecimal > 5 || (firstDecimal == 5 && (laterDecimals || magnitude % 2 == 1))) ++magnitude;
  const int64_t value =
      negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  if (value < min || value > max) BadNumber(ErrorNumber::kOverflow, field);
  return value;
}

int32_t ListReader::ReadInt32() {
  Field field = NextField();
  return static_cast<int32_t>(
      ParseNumber(field, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int16_t ListReader::ReadInt16() {
  Field field = NextField();
  return static_cast<int16_t>(
      ParseNumber(field, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

std::string ListReader::ReadText() {
  return std::string(NextField().text);
}

}  // namespace quarvel
