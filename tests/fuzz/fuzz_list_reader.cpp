// Fuzzes the list reader with what its rules imply, not with a copy of it: files written from
// fields the fuzzer picks read back as written, and raw bytes read with calls it picks keep the
// reader's general promises.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/list_reader.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using quarvel::ErrorNumber;
using quarvel::fuzz::Check;

bool IsError(const quarvel::RuntimeError& e, ErrorNumber number) {
  return e.number() == static_cast<int>(number) && e.file() == "fuzz.lst";
}

// A text value as the reader gives it: no separator, no blank at either end.
std::string CleanText(const std::string& text) {
  std::string clean;
  for (char c : text)
    if (c != ',' && c != '\r' && c != '\n') clean += c;
  clean.erase(clean.find_last_not_of(" \t") + 1);  // npos + 1 is 0: all blanks go
  return clean.erase(0, clean.find_first_not_of(" \t"));
}

struct Field {
  int kind;  // 0 text, 1 32-bit, 2 16-bit
  std::string text;
  int64_t value = 0;
  bool endsLine = true;  // a line break or the end follows, not a comma
};

void WrittenFields(FuzzedDataProvider& in) {
  static const char* const kBreaks[] = {",", "\r\n", "\n", "\r"};
  std::vector<Field> fields;
  std::string file = " ";  // never a byte order mark
  while (in.remaining_bytes() > 0 && fields.size() < 64) {
    if (!fields.empty()) {
      const std::string brk = kBreaks[in.ConsumeIntegralInRange(0, 3)];
      fields.back().endsLine = brk != ",";
      // A lone LF right after a lone CR would make one CR LF break of the two.
      file += brk == "\n" && file.back() == '\r' ? "\r\n" : brk;
    }
    file += std::string(in.ConsumeIntegralInRange(0, 2), in.ConsumeBool() ? ' ' : '\t');
    Field f{in.ConsumeIntegralInRange(0, 2), {}};
    if (f.kind == 0) {
      f.text = CleanText(in.ConsumeRandomLengthString(16));
      file += f.text;
    } else {
      // Mostly near the edges of the targets, where the overflow error begins.
      static const int64_t kEdges[] = {0, 32767, -32768, 2147483647, -2147483648LL};
      f.value = in.ConsumeBool()
                    ? kEdges[in.ConsumeIntegralInRange(0, 4)] + in.ConsumeIntegralInRange(-2, 2)
                    : in.ConsumeIntegral<int64_t>() >> in.ConsumeIntegralInRange(1, 63);
      file += f.value < 0 ? "-" : in.ConsumeBool() ? "+" : "";
      file += std::string(in.ConsumeIntegralInRange(0, 3), '0') +
              std::to_string(f.value < 0 ? -f.value : f.value);
    }
    file += std::string(in.ConsumeIntegralInRange(0, 2), ' ');
    fields.push_back(f);
  }
  if (fields.empty()) return;
  // An empty last field needs its line break: blanks alone at the end are no value.
  if (in.ConsumeBool() || (fields.back().kind == 0 && fields.back().text.empty())) file += "\r\n";

  quarvel::ListReader reader(file, "fuzz.lst");
  bool skipping = false;  // the rest of a bad value's line goes with it
  for (const Field& f : fields) {
    if (skipping) {
      skipping = !f.endsLine;
      continue;
    }
    Check(!reader.AtEnd(), "the end came before the last field");
    if (f.kind == 0) {
      Check(reader.ReadText() == f.text, "a text came back changed");
      continue;
    }
    const int64_t max = f.kind == 1 ? 2147483647 : 32767;
    try {
      Check((f.kind == 1 ? reader.ReadInt32() : reader.ReadInt16()) == f.value,
            "an integer came back changed");
    } catch (const quarvel::RuntimeError& e) {
      Check(IsError(e, ErrorNumber::kOverflow) && (f.value < -max - 1 || f.value > max),
            "an integer failed that fits, or with the wrong error");
      skipping = !f.endsLine;
    }
  }
  // Blanks after the last value on its line go with it; after a final line break nothing is left.
  Check(skipping || reader.AtEnd(), "bytes left after the last field");
}

// Only the reading errors, texts without separators or outer blanks, an end that stays
// reached, and the end-of-file error past it.
void RawBytes(FuzzedDataProvider& in) {
  const std::vector<uint8_t> ops = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange(0, 32));
  const std::string file = in.ConsumeRemainingBytesAsString();
  quarvel::ListReader reader(file, "fuzz.lst");
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
  in.ConsumeBool() ? WrittenFields(in) : RawBytes(in);
  return 0;
}
