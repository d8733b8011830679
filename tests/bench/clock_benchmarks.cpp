// The clock's hot paths: the once-a-second face redraw, the 10 ms tick that does not redraw,
// the hand files read at start-up, and the dial geometry on its own.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "clockface/clock_state.h"
#include "clockface/dial_geometry.h"
#include "clockface/face_canvas.h"
#include "clockface/face_redraw.h"
#include "clockface/hand_shapes.h"
#include "clockwindow/face_picture.h"
#include "platform/clock.h"
#include "runtime/file_slot.h"
#include "runtime/runtime_error.h"

namespace {

using quarvel::ClockState;

constexpr const char* kDataDir = QUARVEL_DATA_DIR;
constexpr int kFaceSize = 200;
constexpr int16_t kDefaultPenWidth = 2;

// 10:08:42: the three hands point in clearly different directions.
constexpr quarvel::TimeOfDay kFixedTime{10, 8, 42};

// Loads the default hand files; on failure the benchmark is reported as an error, not timed.
bool LoadDefaultHands(benchmark::State& bench, ClockState& clock) {
  try {
    quarvel::FileSlot slot(kDataDir);
    quarvel::LoadHandShapes(clock, slot);
    return true;
  } catch (const quarvel::RuntimeError& error) {
    bench.SkipWithError(error.what());
    return false;
  }
}

// A window as the default skin makes it: the default bitmap behind, the default pen width.
bool SetUpFace(benchmark::State& bench, quarvel::FaceCanvas& surface) {
  try {
    surface.SetBackgroundPicture(
        quarvel::LoadFacePicture(std::string(kDataDir) + "/qv.bmp", "qv.bmp"));
    surface.SetDrawWidth(kDefaultPenWidth);
    return true;
  } catch (const quarvel::RuntimeError& error) {
    bench.SkipWithError(error.what());
    return false;
  }
}

// One full face redraw: wipe back to the bitmap, measure the dial, draw the three hands.
void BM_RedrawFace(benchmark::State& bench) {
  ClockState clock;
  quarvel::FaceCanvas surface(kFaceSize, kFaceSize);
  quarvel::StoppedClock time(kFixedTime);
  if (!LoadDefaultHands(bench, clock) || !SetUpFace(bench, surface)) return;
  for (auto _ : bench) {
    quarvel::RedrawFace(clock, surface, time);
    benchmark::DoNotOptimize(surface.pixels().pixels.data());
    benchmark::ClobberMemory();
  }
  bench.counters["lines"] = static_cast<double>(surface.segments().size());
}
BENCHMARK(BM_RedrawFace);

// Start-up's first step: the three hand files, opened, read and closed one after the other.
void BM_LoadHandShapes(benchmark::State& bench) {
  ClockState clock;
  if (!LoadDefaultHands(bench, clock)) return;
  for (auto _ : bench) {
    quarvel::FileSlot slot(kDataDir);
    quarvel::LoadHandShapes(clock, slot);
    benchmark::DoNotOptimize(clock.secondShape.pointCount);
  }
}
BENCHMARK(BM_LoadHandShapes);

// The tick that runs 100 times a second and finds the second unchanged: one clock reading and
// one comparison, no drawing.
void BM_SecondTickNoRedraw(benchmark::State& bench) {
  ClockState clock;
  quarvel::FaceCanvas surface(kFaceSize, kFaceSize);
  quarvel::StoppedClock time(kFixedTime);
  if (!LoadDefaultHands(bench, clock)) return;
  clock.lastSecond = static_cast<int16_t>(kFixedTime.seconds);
  for (auto _ : bench) benchmark::DoNotOptimize(quarvel::SecondTick(clock, surface, time));
  if (!surface.segments().empty()) bench.SkipWithError("a tick within the same second redrew");
}
BENCHMARK(BM_SecondTickNoRedraw);

// The same tick with the machine's local time, as the window runs it: the clock reading is
// most of the cost. The one redraw per change of second is counted, not avoided.
void BM_SecondTickSystemClock(benchmark::State& bench) {
  ClockState clock;
  quarvel::FaceCanvas surface(kFaceSize, kFaceSize);
  quarvel::SystemClock time;
  if (!LoadDefaultHands(bench, clock) || !SetUpFace(bench, surface)) return;
  clock.lastSecond = static_cast<int16_t>(time.Now().seconds);
  int64_t redraws = 0;
  for (auto _ : bench) redraws += quarvel::SecondTick(clock, surface, time) ? 1 : 0;
  bench.counters["redraws"] = static_cast<double>(redraws);
}
BENCHMARK(BM_SecondTickSystemClock);

// The exact geometry alone: PolarX and PolarY for every whole-degree direction on the dial of
// a 200 x 200 window.
void BM_PolarXY360(benchmark::State& bench) {
  ClockState clock;
  clock.centerX = 100;
  clock.centerY = 100;
  clock.radius = 80;
  quarvel::SetHand(clock, 0, 100);
  for (auto _ : bench) {
    int64_t sum = 0;
    for (int16_t direction = 0; direction < 360; ++direction)
      sum += quarvel::PolarX(clock, direction, 100) + quarvel::PolarY(clock, direction, 100);
    benchmark::DoNotOptimize(sum);
  }
  bench.SetItemsProcessed(bench.iterations() * 360);
}
BENCHMARK(BM_PolarXY360);

}  // namespace
