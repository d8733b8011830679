// quarvel-preview: draws one face exactly as the clock would, from the hand files,
// "settings.ini" and "options.ini" of the current folder (no seconds hand when the options say
// so), and writes it as a PNG and/or lists every line drawn.
// It runs the clock's own start-up on the headless backend, then one redraw. Skin authors use
// it to see a skin without starting the clock; tests use it as the port to the exact geometry.
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "apps/preview/preview_options.h"
#include "backends/headless/headless_system.h"
#include "backends/headless/headless_window.h"
#include "backends/headless/png_file.h"
#include "core/clockwindow/form1.h"
#include "runtime/runtime_error.h"
#include "runtime/standard_descriptors.h"

namespace {

constexpr const char* kUsage =
    "usage: quarvel-preview [--time HH:MM:SS] [--day D] [--scale S] [--size WxH]\n"
    "                       [--png FILE] [--segments]\n"
    "       quarvel-preview --help | --version\n"
    "Run it in a folder with tyou.sin, tan.sin and byou.sin (and optionally settings.ini and\n"
    "the face bitmap). It draws the face at the given time (default: now, in options.ini's\n"
    "time_zone when it names one) on a drawing area\n"
    "of WxH pixels (default: a square as wide as the bitmap, as the clock window is).\n"
    "  --day D      the day of the month the date's window shows when options.ini has\n"
    "               date=on, 1 to 31 (default: today's)\n"
    "  --scale S    draw the whole clock S times as large, 0.5 to 4 (as QUARVEL_SCALE does\n"
    "               for the clock; default 1): the face resampled, or the skin's NAME@2x face\n"
    "               from 2 up, the dial and the pen scaled\n"
    "  --png FILE   write the picture as PNG (a regular file; - for standard output)\n"
    "  --segments   print every line drawn: x1 y1 x2 y2 colour width\n"
    "  --help       print this text and exit\n"
    "  --version    print the version and exit\n";

// Whether everything printed to standard output got there; says so on standard error if not.
bool StandardOutputWritten() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  std::fprintf(stderr, "quarvel-preview: can't write to standard output\n");
  return false;
}

// Stopped at the time asked for; without one, at the moment of the start in the zone
// options.ini names, as the clock there shows it. The day is the one asked for, else today's.
class PreviewClock final : public quarvel::Clock {
 public:
  PreviewClock(std::optional<quarvel::TimeOfDay> asked, std::optional<int> day)
      : asked_(asked), day_(day) {
    Stop(system_.Now());
  }
  quarvel::TimeOfDay Now() override { return stopped_; }
  bool UseTimeZone(const std::string& name) override {
    if (asked_) return true;
    if (!system_.UseTimeZone(name)) return false;
    Stop(system_.Now());
    return true;
  }

 private:
  void Stop(quarvel::TimeOfDay now) {
    stopped_ = asked_.value_or(now);
    stopped_.dayOfMonth = day_.value_or(now.dayOfMonth);
  }

  std::optional<quarvel::TimeOfDay> asked_;
  std::optional<int> day_;
  quarvel::SystemClock system_;
  quarvel::TimeOfDay stopped_;
};

int Run(const quarvel::PreviewOptions& options) {
  using namespace quarvel;
  PreviewClock clock(options.time, options.day);
  HeadlessWindow window;
  // The program's folder is the working folder; a first run's dialog is only recorded here.
  HeadlessSystem system(std::filesystem::current_path().string());
  system.SetScaleSetting(options.scale);
  FileSlot slot;
  Form1 form(window, system, clock, slot);
  if (!form.Load()) {
    // The report's first paragraph names the error, its number and where it is.
    const std::string& report = system.messages().front();
    std::fprintf(stderr, "quarvel-preview: %s\n", report.substr(0, report.find("\n\n")).c_str());
    return 1;
  }
  if (options.width > 0) form.canvas().Resize(options.width, options.height);
  form.Command1Click();

  if (options.pngPath == "-") {
    const std::string png = EncodePng(form.canvas().pixels(), "standard output");
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // a text-mode stdout would turn LF into CR LF
#endif
    if (std::fwrite(png.data(), 1, png.size(), stdout) != png.size() || std::fflush(stdout) != 0) {
      std::fprintf(stderr, "quarvel-preview: can't write the picture to standard output\n");
      return 1;
    }
  } else if (!options.pngPath.empty()) {
    WritePng(form.canvas().pixels(), options.pngPath);
  }
  if (options.segments) {
    for (const DrawnSegment& s : form.canvas().segments())
      std::printf("%d %d %d %d %d %d\n", s.x1, s.y1, s.x2, s.y2, s.color, s.width);
    if (!StandardOutputWritten()) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Before the PNG or any file takes 0, 1 or 2.
  const quarvel::ClosedStandardDescriptors closed = quarvel::OpenStandardDescriptors();
  std::vector<std::string> args(argv + 1, argv + argc);
  // Asked anywhere on the line, help and the version are all that is done.
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("quarvel-preview " QUARVEL_VERSION);
      return 0;
    }
  }
  quarvel::PreviewOptions options;
  std::string problem = quarvel::ParsePreviewOptions(args, options);
  if (!problem.empty()) {
    std::fprintf(stderr, "quarvel-preview: %s\n%s", problem.c_str(), kUsage);
    return 2;
  }
  // Standard output closed: the picture or the lines would go nowhere, and nothing else does.
  if (closed.output && (options.pngPath == "-" || options.segments)) {
    std::fprintf(stderr, "quarvel-preview: standard output is closed; nothing written\n");
    return 1;
  }
  // Only a regular file is ever replaced: a device, a FIFO or a folder of that name is refused
  // before anything is drawn. A link is written through to the file it ends at.
  std::error_code ec;
  const auto status = std::filesystem::status(options.pngPath, ec);
  if (!options.pngPath.empty() && options.pngPath != "-" && std::filesystem::exists(status) &&
      !std::filesystem::is_regular_file(status)) {
    std::fprintf(stderr, "quarvel-preview: %s is not a regular file; not replacing it\n",
                 options.pngPath.c_str());
    return 1;
  }
  try {
    return Run(options);
  } catch (const quarvel::RuntimeError& e) {
    std::fprintf(stderr, "quarvel-preview: %s\n", e.what());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "quarvel-preview: not enough memory for the picture\n");
    return 1;
  }
}
