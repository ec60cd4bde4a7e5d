// Peak resident memory that loading one picture and generating from it adds to the running
// program: the main window is built, shown and warmed up on a tiny picture of the same kind, the
// kernel's peak mark is reset to the current size, and then the picture is loaded.
//
// Usage: quorvin_bench_load_memory FILE. Prints one line of JSON with sizes in KiB.
#include <sys/resource.h>

#include <QApplication>
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/main_window_fixture.h"
#include "bench/pictures.h"
#include "platform/platform_init.h"

namespace {

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"), or -1.
long StatusKib(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(field + ":")) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

// Writing 5 to clear_refs sets the peak mark (VmHWM) back to the current resident size.
bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return clear.good();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvin_bench_load_memory FILE\n");
    return 2;
  }
  const std::filesystem::path file = argv[1];
  const auto kind = file.extension() == ".png" ? quorvin::bench::PictureKind::kPng
                                               : quorvin::bench::PictureKind::kJpeg;
  quorvin::platform::InitialisePlatform();
  quorvin::bench::MainWindowFixture main;
  main.Load(quorvin::bench::TinyPicture(kind));
  main.Generate();
  main.Redraw();

  const bool reset = ResetPeak();
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  const long baseline = StatusKib("VmRSS");

  main.Load(file);
  main.Generate();
  main.Redraw();

  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  // Without a resettable mark, the process's lifetime peak is the best there is.
  const long peak = reset ? StatusKib("VmHWM") : after.ru_maxrss;
  const long base = reset ? baseline : before.ru_maxrss;
  const bool decoded = main.source().ShowsDecodedPicture();
  std::printf(
      "{\"baseline_kib\": %ld, \"peak_kib\": %ld, \"delta_kib\": %ld, \"file_bytes\": %zu, "
      "\"decoded\": %s, \"icon_bytes\": %zu, \"peak_reset\": %s}\n",
      base, peak, peak - base, main.source().Picture().size(), decoded ? "true" : "false",
      main.document().IconBytes.size(), reset ? "true" : "false");
  return decoded ? 0 : 1;
}
