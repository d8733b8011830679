// Fuzzes the hand shape loader with arbitrary bytes as a hand file, then draws whatever it
// loaded the way the face redraw draws a hand. A numbered run-time error is the expected way to
// reject a file or a point; a crash, a sanitizer report, any other exception or a broken
// invariant is a bug.
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "clockface/dial_geometry.h"
#include "clockface/face_canvas.h"
#include "clockface/face_redraw.h"
#include "clockface/hand_shapes.h"
#include "runtime/file_slot.h"
#include "runtime/runtime_error.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/temp_folder.h"

namespace {

using quarvel::ErrorNumber;
using quarvel::fuzz::Check;

bool IsOneOf(int number, std::initializer_list<ErrorNumber> numbers) {
  for (ErrorNumber n : numbers)
    if (number == static_cast<int>(n)) return true;
  return false;
}

}  // namespace

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
    Check(IsOneOf(error.number(), {ErrorNumber::kInputPastEndOfFile, ErrorNumber::kOverflow,
                                   ErrorNumber::kTypeMismatch, ErrorNumber::kSubscriptOutOfRange}),
          "the loader failed with an unexpected error number");
    Check(error.file() == quarvel::kHourHandFile, "the loader's error does not name the file");
  }
  Check(!slot.IsOpen(), "the loader left the file slot open");
  const int16_t pointCount = state.hourShape.pointCount;
  Check(pointCount >= 0 && pointCount <= quarvel::HandShape::kCapacity, "pointCount outside 0..51");

  // The bytes also pick the hand's position and pen width, including positions off the dial
  // (-1 and 60), which keep the previous direction.
  uint32_t sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum += data[i];
  const auto position = static_cast<int16_t>(static_cast<int>(sum % 62) - 1);
  const auto width = static_cast<int16_t>(1 + (sum / 62) % 4);

  // Whatever points a failed load kept are still a valid shape to draw, on the dial a 200 x 200
  // window gets. Clearing that many pixels costs more than everything else here, so the surface
  // is only cleared now and then, and the checks below look at the lines this input added.
  if (surface.segments().size() > 4096) surface.Cls();
  const std::size_t linesBefore = surface.segments().size();
  surface.SetDrawWidth(width);
  surface.SetForeColor(color);
  state.centerX = 100;
  state.centerY = 100;
  state.radius = 80;
  quarvel::SetHand(state, position, 100);
  state.penX = 0;
  state.penY = 0;
  try {
    quarvel::DrawHand(state, surface, state.hourShape);
  } catch (const quarvel::RuntimeError& error) {
    // Only a value beyond 16 bits can stop the drawing of a loaded shape.
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
