// The skin editor's hand files against the clock's own loader: the editor opens a file as the
// clock reads it (the same points, or the same report), a file the clock accepts loads back the
// same from a save, and a file already in the saved form is saved again byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/hand_shapes.h"
#include "skineditor/hand_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/temp_folder.h"

using quarvel::fuzz::Check;

namespace {
// What the clock's loader reads from the file now: the hand, or its report.
quarvel::HandDraft ClockReads(quarvel::FileSlot& slot, std::string& report) {
  quarvel::HandDraft hand;
  quarvel::HandShape shape;
  report.clear();
  try {
    quarvel::LoadHandShape(slot, quarvel::kSecondHandFile, hand.color, shape);
  } catch (const quarvel::RuntimeError& error) {
    report = error.what();
  }
  hand.points.assign(shape.points.begin(), shape.points.begin() + shape.pointCount);
  return hand;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const quarvel::testing::TempFolder folder;
  const char* name = quarvel::kSecondHandFile;
  folder.Write(name, std::string(reinterpret_cast<const char*>(data), size));
  quarvel::FileSlot slot(folder.path());

  std::string report, problem;
  const quarvel::HandDraft read = ClockReads(slot, report);
  const quarvel::HandDraft opened = quarvel::ReadHandFile(slot, name, problem);
  Check(problem == report, "the editor reports the file otherwise than the clock");
  Check(opened == read, "the editor opens other values than the clock reads");
  if (!report.empty()) return 0;

  const std::string saved = quarvel::HandFileText(opened);
  folder.Write(name, saved);
  Check(ClockReads(slot, report) == read && report.empty(), "the saved file loads otherwise");
  Check(quarvel::HandFileText(quarvel::ReadHandFile(slot, name, problem)) == saved,
        "a file in the saved form is not saved byte for byte");
  return 0;
}
