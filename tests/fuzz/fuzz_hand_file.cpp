// Fuzzes the hand files with arbitrary bytes. The clock's loader refuses a file only with a
// numbered run-time error that names it, and whatever it kept draws as the face redraw draws a
// hand; the skin editor opens the file as the clock reads it (the same points, or the same
// report), a file the clock accepts loads back the same from a save, and a file already in the
// saved form is saved again byte for byte. A crash or a sanitizer report is a bug too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/clockface/dial_geometry.h"
#include "core/clockface/face_redraw.h"
#include "core/skin/hand_shapes.h"
#include "core/skineditor/hand_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace quarvel;
using fuzz::Check;
constexpr const char* kFile = kSecondHandFile;

// What the clock's loader reads from the file now: the hand, and its report when it fails.
struct ClockRead {
  ColorRef color = 0;
  HandShape shape;
  std::string report;
  HandDraft Draft() const {
    return {color, {shape.points.begin(), shape.points.begin() + shape.pointCount}};
  }
};

ClockRead ClockReads(FileSlot& slot) {
  ClockRead read;
  try {
    LoadHandShape(slot, kFile, read.color, read.shape);
  } catch (const RuntimeError& error) {
    const auto n = static_cast<ErrorNumber>(error.number());
    Check(n == ErrorNumber::kInputPastEndOfFile || n == ErrorNumber::kOverflow ||
              n == ErrorNumber::kTypeMismatch || n == ErrorNumber::kSubscriptOutOfRange,
          "the loader failed with an unexpected error number");
    Check(error.file() == kFile, "the loader's error does not name the file");
    read.report = error.what();
  }
  Check(!slot.IsOpen(), "the loader left the file slot open");
  Check(read.shape.pointCount >= 0 && read.shape.pointCount <= HandShape::kCapacity,
        "pointCount outside 0..51");
  return read;
}

// Whatever points a load kept, even a failed one, are a shape to draw on a 200 x 200 window's
// dial, at a position (off the dial too: -1 and 60) and pen width the bytes pick. Clearing
// costs more than the rest, so it is done now and then; the checks look at this input's lines.
void Draw(const ClockRead& read, const uint8_t* data, std::size_t size) {
  static FaceCanvas surface(200, 200);
  uint32_t sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += data[i];
  const auto position = static_cast<int16_t>(static_cast<int>(sum % 62) - 1);
  const auto width = static_cast<int16_t>(1 + (sum / 62) % 4);
  if (surface.segments().size() > 4096) surface.Cls();
  const std::size_t linesBefore = surface.segments().size();
  surface.SetDrawWidth(width);
  surface.SetForeColor(read.color);
  ClockState state;
  state.centerX = state.centerY = 100;
  state.radius = 80;
  SetHand(state, position, 100);
  try {
    DrawHand(state, surface, read.shape);
  } catch (const RuntimeError& error) {
    Check(error.number() == static_cast<int>(ErrorNumber::kOverflow),
          "drawing failed with an error other than overflow");
  }
  Check(state.radius == 80, "SetHand with percent 100 changed the radius");
  const std::size_t lines = surface.segments().size() - linesBefore;
  Check(
      lines + 1 <= static_cast<std::size_t>(read.shape.pointCount > 0 ? read.shape.pointCount : 1),
      "more lines than the shape has edges");
  for (std::size_t i = linesBefore; i < surface.segments().size(); ++i)
    Check(surface.segments()[i].color == read.color && surface.segments()[i].width == width,
          "a line with the wrong pen");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const testing::TempFolder folder;
  folder.Write(kFile, std::string(reinterpret_cast<const char*>(data), size));
  FileSlot slot(folder.path());
  const ClockRead read = ClockReads(slot);
  Draw(read, data, size);

  std::string problem;
  const HandDraft opened = ReadHandFile(slot, kFile, problem);
  Check(problem == read.report, "the editor reports the file otherwise than the clock");
  Check(opened == read.Draft(), "the editor opens other values than the clock reads");
  if (!read.report.empty()) return 0;
  const std::string saved = HandFileText(opened);
  folder.Write(kFile, saved);
  const ClockRead again = ClockReads(slot);
  Check(again.report.empty() && again.Draft() == opened, "the saved file loads otherwise");
  Check(HandFileText(ReadHandFile(slot, kFile, problem)) == saved,
        "a file in the saved form is not saved byte for byte");
  return 0;
}
