// Fuzzes the list reader behind every data file. The first byte says how many op bytes follow;
// each op byte holds four 2-bit calls (ReadInt32, ReadInt16, ReadText, AtEnd). The remaining
// bytes are the file content. Every call is checked against a small independent model of the
// documented reading rules, so a misread field is caught, not only a crash. A numbered run-time
// error is the expected way to reject a value; the run goes on after it, as the settings reader
// does.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/list_reader.h"
#include "runtime/runtime_error.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using quarvel::ErrorNumber;
using quarvel::fuzz::Check;

constexpr const char* kFileName = "fuzz.lst";

int Number(ErrorNumber number) {
  return static_cast<int>(number);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// The reading rules, written out again as plainly as possible: blanks before a value are
// skipped, a value ends at a comma, a line break (CR LF, or a lone CR or LF) or the end, blanks
// after it are dropped, and the separator is consumed with it.
class ModelReader {
 public:
  explicit ModelReader(std::string_view content) : content_(content) {}

  bool AtEnd() const { return pos_ >= content_.size(); }

  // The next field's text, or false when nothing is left to read.
  bool NextField(std::string_view& field) {
    while (pos_ < content_.size() && IsBlank(content_[pos_])) ++pos_;
    if (AtEnd()) return false;
    const std::size_t start = pos_;
    while (pos_ < content_.size() && content_[pos_] != ',' && !IsLineBreak(content_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && IsBlank(content_[end - 1])) --end;
    field = content_.substr(start, end - start);
    if (pos_ < content_.size()) {
      if (content_.substr(pos_, 2) == "\r\n") ++pos_;
      ++pos_;
    }
    return true;
  }

 private:
  std::string_view content_;
  std::size_t pos_ = 0;
};

struct Expected {
  int error = 0;  // 0: the read succeeds with `value`
  int64_t value = 0;
};

// An empty field is 0; otherwise an optional sign and decimal digits only, within the target.
Expected ExpectInteger(std::string_view text, int64_t min, int64_t max) {
  if (text.empty()) return {};
  std::size_t i = 0;
  const bool negative = text[0] == '-';
  if (text[0] == '+' || text[0] == '-') i = 1;
  if (i == text.size()) return {Number(ErrorNumber::kTypeMismatch), 0};
  for (std::size_t j = i; j < text.size(); ++j)
    if (text[j] < '0' || text[j] > '9') return {Number(ErrorNumber::kTypeMismatch), 0};
  while (i + 1 < text.size() && text[i] == '0') ++i;
  // Eighteen digits always fit in 64 bits; anything longer is beyond both targets.
  if (text.size() - i > 18) return {Number(ErrorNumber::kOverflow), 0};
  int64_t value = 0;
  for (; i < text.size(); ++i) value = value * 10 + (text[i] - '0');
  if (negative) value = -value;
  if (value < min || value > max) return {Number(ErrorNumber::kOverflow), 0};
  return {0, value};
}

enum class Op { kInt32 = 0, kInt16 = 1, kText = 2, kAtEnd = 3 };

class Session {
 public:
  explicit Session(std::string content)
      : content_(content), reader_(std::move(content), kFileName), model_(content_) {}

  void Run(Op op) {
    const bool atEnd = reader_.AtEnd();
    Check(atEnd == model_.AtEnd(), "AtEnd disagrees with the rules");
    Check(!wasAtEnd_ || atEnd, "AtEnd went back to false");
    wasAtEnd_ = atEnd;
    if (op == Op::kAtEnd) return;

    std::string_view field;
    const bool hasField = model_.NextField(field);
    // Only blanks left is no field either: they are skipped and the read runs past the end.
    Check(!hasField || !atEnd, "a field at the end of the file");
    if (hasField) {
      // Every read that takes a field consumes at least one byte.
      ++fieldsTaken_;
      Check(fieldsTaken_ <= content_.size(), "more fields than bytes");
    }

    Expected expected;
    if (!hasField) {
      expected.error = Number(ErrorNumber::kInputPastEndOfFile);
    } else if (op == Op::kInt32) {
      expected = ExpectInteger(field, std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::max());
    } else if (op == Op::kInt16) {
      expected = ExpectInteger(field, std::numeric_limits<int16_t>::min(),
                               std::numeric_limits<int16_t>::max());
    }

    try {
      if (op == Op::kText) {
        const std::string text = reader_.ReadText();
        Check(expected.error == 0, "ReadText succeeded where it must fail");
        Check(text == field, "ReadText returned the wrong text");
      } else {
        const int64_t value = op == Op::kInt32 ? reader_.ReadInt32() : reader_.ReadInt16();
        Check(expected.error == 0, "an integer read succeeded where it must fail");
        Check(value == expected.value, "an integer read returned the wrong value");
      }
    } catch (const quarvel::RuntimeError& error) {
      Check(error.number() == expected.error, "a read failed with the wrong error number");
      Check(error.file() == kFileName, "the error does not name the file");
    }
  }

  // Reads what is left as text: the reader must reach the end and then refuse to read on.
  void Drain() {
    while (!reader_.AtEnd()) Run(Op::kText);
    Run(Op::kText);
    Run(Op::kInt32);
  }

 private:
  std::string content_;
  quarvel::ListReader reader_;
  ModelReader model_;
  bool wasAtEnd_ = false;
  std::size_t fieldsTaken_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t opBytes = data[0] % 16;
  if (size < 1 + opBytes) return 0;
  const uint8_t* ops = data + 1;
  const uint8_t* content = ops + opBytes;
  Session session(std::string(reinterpret_cast<const char*>(content), size - 1 - opBytes));
  for (std::size_t i = 0; i < opBytes; ++i)
    for (int shift = 0; shift < 8; shift += 2) session.Run(static_cast<Op>((ops[i] >> shift) & 3));
  session.Drain();
  return 0;
}
