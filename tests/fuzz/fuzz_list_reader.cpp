// Fuzzes the list reader behind every data file with properties its rules imply, not with a
// copy of the reader. Half the inputs build a file from fields the fuzzer picks (texts and
// integers, written with blanks around them and any of the line breaks or a comma between
// them), and the reader must give every field back as written, or, for an integer beyond its
// target, the overflow error and the rest of that line skipped. The other half are raw bytes read
// with calls the fuzzer picks; then the reader must keep its general promises: only the reading
// errors, texts without separators or outer blanks, an end that stays reached, and the end-of-file
// error past it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "runtime/list_reader.h"
#include "runtime/runtime_error.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using quarvel::ErrorNumber;
using quarvel::fuzz::Check;

constexpr const char* kFileName = "fuzz.lst";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsError(const quarvel::RuntimeError& e, ErrorNumber number) {
  return e.number() == static_cast<int>(number) && e.file() == kFileName;
}

struct Field {
  enum Kind { kText, kInt32, kInt16 } kind;
  std::string text;  // as the reader must return it
  int64_t value;
  bool endsLine = true;  // a line break or the end follows, not a comma
};

// A text value holds no separator and no blank at either end.
std::string CleanText(std::string text) {
  std::string clean;
  for (char c : text)
    if (c != ',' && c != '\r' && c != '\n') clean += c;
  while (!clean.empty() && IsBlank(clean.back())) clean.pop_back();
  std::size_t start = 0;
  while (start < clean.size() && IsBlank(clean[start])) ++start;
  return clean.substr(start);
}

void WrittenFields(FuzzedDataProvider& in) {
  static const char* const kBreaks[] = {",", "\r\n", "\n", "\r"};
  std::vector<Field> fields;
  std::string file;
  while (in.remaining_bytes() > 0 && fields.size() < 64) {
    if (!fields.empty()) {
      // A lone LF right after a lone CR would make one CR LF break of the two.
      const std::string brk = kBreaks[in.ConsumeIntegralInRange(0, 3)];
      fields.back().endsLine = brk != ",";
      file += brk == "\n" && !file.empty() && file.back() == '\r' ? "\r\n" : brk;
    }
    file += std::string(in.ConsumeIntegralInRange(0, 2), in.ConsumeBool() ? ' ' : '\t');
    Field f{static_cast<Field::Kind>(in.ConsumeIntegralInRange(0, 2)), {}, 0};
    if (f.kind == Field::kText) {
      f.text = CleanText(in.ConsumeRandomLengthString(16));
      file += f.text;
    } else {
      // Mostly near the edges of the targets, where the overflow error begins.
      static const int64_t kEdges[] = {0, 32767, -32768, 2147483647, -2147483648LL};
      f.value = in.ConsumeBool()
                    ? kEdges[in.ConsumeIntegralInRange(0, 4)] + in.ConsumeIntegralInRange(-2, 2)
                    : in.ConsumeIntegral<int64_t>() >> in.ConsumeIntegralInRange(1, 63);
      const std::string digits = std::to_string(f.value < 0 ? -f.value : f.value);
      file += f.value < 0 ? "-" : in.ConsumeBool() ? "+" : "";
      file += std::string(in.ConsumeIntegralInRange(0, 3), '0') + digits;
    }
    file += std::string(in.ConsumeIntegralInRange(0, 2), ' ');
    fields.push_back(f);
  }
  if (fields.empty()) return;
  // An empty last field needs its line break: blanks alone at the end are no value.
  if (in.ConsumeBool() || (fields.back().kind == Field::kText && fields.back().text.empty()))
    file += "\r\n";

  // A file that starts with a byte order mark is Unicode text: keep the first bytes plain.
  file.insert(0, " ");
  quarvel::ListReader reader(file, kFileName);
  bool skipping = false;  // the rest of a bad value's line goes with it
  for (const Field& f : fields) {
    if (skipping) {
      skipping = !f.endsLine;
      continue;
    }
    Check(!reader.AtEnd(), "the end came before the last field");
    if (f.kind == Field::kText) {
      Check(reader.ReadText() == f.text, "a text came back changed");
      continue;
    }
    const bool is32 = f.kind == Field::kInt32;
    const int64_t min = is32 ? std::numeric_limits<int32_t>::min() : -32768;
    const int64_t max = is32 ? std::numeric_limits<int32_t>::max() : 32767;
    try {
      const int64_t got = is32 ? reader.ReadInt32() : reader.ReadInt16();
      Check(got == f.value, "an integer came back changed");
    } catch (const quarvel::RuntimeError& e) {
      Check(IsError(e, ErrorNumber::kOverflow) && (f.value < min || f.value > max),
            "an integer failed that fits, or with the wrong error");
      skipping = !f.endsLine;
    }
  }
  // Blanks after the last value on its line go with it; after a final line break nothing is left.
  Check(skipping || reader.AtEnd(), "bytes left after the last field");
}

void RawBytes(FuzzedDataProvider& in) {
  const std::vector<uint8_t> ops = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange(0, 32));
  const std::string file = in.ConsumeRemainingBytesAsString();
  quarvel::ListReader reader(file, kFileName);
  std::size_t reads = 0;
  bool ended = false;
  for (uint8_t op : ops) {
    const bool atEnd = reader.AtEnd();
    Check(!ended || atEnd, "the end was left again");
    ended = atEnd;
    try {
      if (op % 3 == 0) {
        const std::string text = reader.ReadText();
        Check(text == CleanText(text), "a text holds a separator or outer blanks");
      } else {
        op % 3 == 1 ? reader.ReadInt32() : reader.ReadInt16();
      }
      Check(!atEnd, "a read at the end succeeded");
      Check(++reads <= file.size(), "more values than bytes");
    } catch (const quarvel::RuntimeError& e) {
      Check(!atEnd || IsError(e, ErrorNumber::kInputPastEndOfFile), "at the end, not error 62");
      Check(IsError(e, ErrorNumber::kInputPastEndOfFile) || IsError(e, ErrorNumber::kOverflow) ||
                IsError(e, ErrorNumber::kTypeMismatch),
            "a read failed with an error that is not a reading error");
      Check(e.where().rfind("line ", 0) == 0, "the error does not name the line");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool())
    WrittenFields(in);
  else
    RawBytes(in);
  return 0;
}
