// Differential fuzzing of the skin editor's hand files against the clock's own loader: the
// editor opens a file as the clock reads it (the same points, or the same report), a file the
// clock accepts comes back from a save with the same colour and points, and a file already in
// the saved form is saved again byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "clockface/hand_shapes.h"
#include "skineditor/hand_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/temp_folder.h"

using quarvel::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const quarvel::testing::TempFolder folder;
  const char* name = quarvel::kSecondHandFile;
  folder.Write(name, std::string(reinterpret_cast<const char*>(data), size));
  quarvel::FileSlot slot(folder.path());

  quarvel::ColorRef color = 0;
  quarvel::HandShape shape;
  std::string clockReport;
  try {
    quarvel::LoadHandShape(slot, name, color, shape);
  } catch (const quarvel::RuntimeError& error) {
    clockReport = error.what();
  }
  std::string problem;
  const quarvel::HandDraft opened = quarvel::ReadHandFile(slot, name, problem);
  Check(problem == clockReport, "the editor reports the file otherwise than the clock");
  Check(opened.color == color && opened.points.size() == static_cast<std::size_t>(shape.pointCount),
        "the editor opens other values than the clock reads");
  for (std::size_t i = 0; i < opened.points.size(); ++i)
    Check(opened.points[i] == shape.points[i],
          "the editor opens other points than the clock reads");
  if (!clockReport.empty()) return 0;

  const std::string saved = quarvel::HandFileText(opened);
  folder.Write(name, saved);
  quarvel::ColorRef savedColor = 0;
  quarvel::HandShape savedShape;
  quarvel::LoadHandShape(slot, name, savedColor, savedShape);  // raising here is a crash
  Check(savedColor == color && savedShape.pointCount == shape.pointCount,
        "the saved file loads other values");
  for (int i = 0; i < shape.pointCount; ++i)
    Check(
        savedShape.points[static_cast<std::size_t>(i)] == shape.points[static_cast<std::size_t>(i)],
        "the saved file loads other points");
  Check(quarvel::HandFileText(quarvel::ReadHandFile(slot, name, problem)) == saved,
        "a file in the saved form is not saved byte for byte");
  return 0;
}
