// What the running clock spends its time on: the face redraw once a second (with and without
// the date's window), the clock read (in the system's zone and in another), and the hand files
// read at start-up. They use the default skin from data/, as users see it.
#include <benchmark/benchmark.h>

#include <string>

#include "core/clockface/face_redraw.h"
#include "core/skin/face_picture.h"
#include "core/skin/hand_shapes.h"

namespace {

using namespace quarvel;

constexpr const char* kDataDir = QUARVEL_DATA_DIR;

void BM_RedrawFace(benchmark::State& bench) {
  ClockState clock;
  clock.date = bench.range(0) != 0;
  FaceCanvas surface(200, 200);
  StoppedClock time({10, 8, 42});  // the three hands clearly apart
  FileSlot slot(kDataDir);
  LoadHandShapes(clock, slot);  // a run-time error here ends the program: the smoke test fails
  surface.SetBackgroundPicture(LoadFacePicture(std::string(kDataDir) + "/qv.bmp", "qv.bmp"));
  surface.SetDrawWidth(2);
  for (auto _ : bench) {
    RedrawFace(clock, surface, time);
    benchmark::DoNotOptimize(surface.pixels().pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RedrawFace)->ArgName("date")->Arg(0)->Arg(1);

// Each redraw reads the clock a few times: in the system's zone, and in one options.ini names.
void BM_SystemClockNow(benchmark::State& bench) {
  SystemClock clock;
  if (bench.range(0) != 0 && !clock.UseTimeZone("Asia/Tokyo")) bench.SkipWithError("no tzdata");
  for (auto _ : bench) benchmark::DoNotOptimize(clock.Now());
}
BENCHMARK(BM_SystemClockNow)->ArgName("zone")->Arg(0)->Arg(1);

void BM_LoadHandShapes(benchmark::State& bench) {
  ClockState clock;
  for (auto _ : bench) {
    FileSlot slot(kDataDir);
    LoadHandShapes(clock, slot);
    benchmark::DoNotOptimize(clock.secondShape.pointCount);
  }
}
BENCHMARK(BM_LoadHandShapes);

}  // namespace
