#include "runtime/list_reader.h"

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
}  // namespace

ListReader::ListReader(std::string content, std::string fileName)
    : content_(std::move(content)), fileName_(std::move(fileName)) {}

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

  // Consume the separator with the value. CR LF is one line break; a lone CR or LF counts as
  // one too, so files saved by Unix editors read the same.
  if (pos_ < content_.size()) {
    if (content_[pos_] == ',') {
      ++pos_;
    } else {
      if (content_[pos_] == '\r' && pos_ + 1 < content_.size() && content_[pos_ + 1] == '\n')
        ++pos_;
      ++pos_;
      ++line_;
    }
  }
  return field;
}

int64_t ListReader::ParseInteger(const Field& field, int64_t min, int64_t max) const {
  std::string_view text = field.text;
  if (text.empty()) return 0;
  bool negative = false;
  std::size_t i = 0;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) Fail(static_cast<int>(ErrorNumber::kTypeMismatch), field.line);
  // Accumulate as a negative number so that the most negative value fits too.
  int64_t value = 0;
  bool overflow = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') Fail(static_cast<int>(ErrorNumber::kTypeMismatch), field.line);
    if (value < (std::numeric_limits<int64_t>::min() + (c - '0')) / 10) overflow = true;
    if (!overflow) value = value * 10 - (c - '0');
  }
  if (!negative) {
    if (value < -max) overflow = true;
    value = -value;
  } else if (value < min) {
    overflow = true;
  }
  if (overflow || value < min || value > max)
    Fail(static_cast<int>(ErrorNumber::kOverflow), field.line);
  return value;
}

int32_t ListReader::ReadInt32() {
  Field field = NextField();
  return static_cast<int32_t>(ParseInteger(field, std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max()));
}

int16_t ListReader::ReadInt16() {
  Field field = NextField();
  return static_cast<int16_t>(ParseInteger(field, std::numeric_limits<int16_t>::min(),
                                           std::numeric_limits<int16_t>::max()));
}

std::string ListReader::ReadText() {
  return std::string(NextField().text);
}

}  // namespace quarvel
