// Fuzzes the hand file loader with arbitrary bytes, then draws whatever it loaded as the face
// redraw draws a hand. A numbered run-time error is the expected way to refuse a file or a
// point; a crash, a sanitizer report, any other exception or a broken invariant is a bug.
#include <cstddef>
#include <cstdint>

#include "clockface/dial_geometry.h"
#include "clockface/face_redraw.h"
#include "skin/hand_shapes.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/temp_folder.h"

using quarvel::ErrorNumber;
using quarvel::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const quarvel::testing::TempFolder folder;
  static quarvel::FaceCanvas surface(200, 200);
  folder.Write(quarvel::kHourHandFile, std::string(reinterpret_cast<const char*>(data), size));

  quarvel::FileSlot slot(folder.path());
  quarvel::ClockState state;
  quarvel::ColorRef color = 0;
  try {
    quarvel::LoadHandShape(slot, quarvel::kHourHandFile, color, state.hourShape);
  } catch (const quarvel::RuntimeError& error) {
    const auto n = static_cast<ErrorNumber>(error.number());
    Check(n == ErrorNumber::kInputPastEndOfFile || n == ErrorNumber::kOverflow ||
              n == ErrorNumber::kTypeMismatch || n == ErrorNumber::kSubscriptOutOfRange,
          "the loader failed with an unexpected error number");
    Check(error.file() == quarvel::kHourHandFile, "the loader's error does not name the file");
  }
  Check(!slot.IsOpen(), "the loader left the file slot open");
  const int16_t pointCount = state.hourShape.pointCount;
  Check(pointCount >= 0 && pointCount <= quarvel::HandShape::kCapacity, "pointCount outside 0..51");

  // The bytes also pick the hand's position, off the dial too (-1 and 60), and the pen width.
  uint32_t sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += data[i];
  const auto position = static_cast<int16_t>(static_cast<int>(sum % 62) - 1);
  const auto width = static_cast<int16_t>(1 + (sum / 62) % 4);

  // Whatever points a failed load kept are still a shape to draw, on a 200 x 200 window's dial.
  // Clearing costs more than the rest, so it is done now and then, and the checks look at the
  // lines this input added.
  if (surface.segments().size() > 4096) surface.Cls();
  const std::size_t linesBefore = surface.segments().size();
  surface.SetDrawWidth(width);
  surface.SetForeColor(color);
  state.centerX = state.centerY = 100;
  state.radius = 80;
  quarvel::SetHand(state, position, 100);
  try {
    quarvel::DrawHand(state, surface, state.hourShape);
  } catch (const quarvel::RuntimeError& error) {
    Check(error.number() == static_cast<int>(ErrorNumber::kOverflow),
          "drawing failed with an error other than overflow");
  }
  Check(state.radius == 80, "SetHand with percent 100 changed the radius");
  const std::size_t lines = surface.segments().size() - linesBefore;
  Check(lines + 1 <= static_cast<std::size_t>(pointCount > 0 ? pointCount : 1),
        "more lines than the shape has edges");
  for (std::size_t i = linesBefore; i < surface.segments().size(); ++i)
    Check(surface.segments()[i].color == color && surface.segments()[i].width == width,
          "a line with the wrong pen");
  return 0;
}
