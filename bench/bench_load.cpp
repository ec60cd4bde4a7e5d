// Load and generate, as the main window does them, next to the floors of the same files. For each
// picture, in this order so that the machine's load drifts as little as possible between them:
// - read/NAME: plain read(2) of the file;
// - floor/NAME: read + libjpeg at 1/8 (djpeg's work), or read + bare inflate of the PNG data;
// - floor_box/NAME: read + libjpeg at the scale that covers the 128 x 128 box (JPEG only);
// - libpng_full/NAME: read + libpng's full decode (PNG only);
// - load_generate/NAME: the open button and "生成": read, decode into 图片框1, snapshot, removal,
//   assembly, preview, and the paints they cause;
// - load/NAME: the open button alone;
// - generate/NAME: "生成" alone, from the picture already loaded.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <optional>
#include <string>

#include "bench/floors.h"
#include "bench/main_window_fixture.h"
#include "bench/pictures.h"
#include "platform/platform_init.h"

namespace quorvin::bench {
namespace {

std::unique_ptr<MainWindowFixture> g_main;

void BenchRead(benchmark::State& state, const PictureCase& picture) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadFilePlain(picture.path).size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * picture.bytes));
}

void BenchFloor(benchmark::State& state, const PictureCase& picture) {
  for (auto _ : state) {
    const auto bytes = ReadFilePlain(picture.path);
    const std::uint64_t result =
        picture.kind == PictureKind::kJpeg ? DecodeJpegScaled(bytes) : InflatePngData(bytes);
    if (result == 0) state.SkipWithError("floor decoding failed");
    benchmark::DoNotOptimize(result);
  }
}

// The source box is 128 x 128: a picture whose 1/8 is shorter than that is decoded at 2/8 or more.
void BenchJpegAtBoxScale(benchmark::State& state, const PictureCase& picture) {
  for (auto _ : state) {
    const std::uint64_t result = DecodeJpegScaled(ReadFilePlain(picture.path), {128, 128});
    if (result == 0) state.SkipWithError("floor decoding failed");
    benchmark::DoNotOptimize(result);
  }
}

void BenchLibpngFull(benchmark::State& state, const PictureCase& picture) {
  for (auto _ : state) {
    const std::uint64_t result = DecodePngFull(ReadFilePlain(picture.path));
    if (result == 0) state.SkipWithError("libpng decoding failed");
    benchmark::DoNotOptimize(result);
  }
}

void BenchLoadGenerate(benchmark::State& state, const PictureCase& picture) {
  for (auto _ : state) {
    g_main->Load(picture.path);
    g_main->Generate();
    g_main->Redraw();
  }
  if (!g_main->source().ShowsDecodedPicture()) state.SkipWithError("picture not decoded");
  if (g_main->document().IconBytes.size() != 9662) state.SkipWithError("no 48x48 icon");
}

void BenchLoad(benchmark::State& state, const PictureCase& picture) {
  for (auto _ : state) {
    g_main->Load(picture.path);
    g_main->Redraw();
  }
}

void BenchGenerate(benchmark::State& state, const PictureCase& picture) {
  g_main->Load(picture.path);
  g_main->Redraw();
  for (auto _ : state) {
    g_main->Generate();
    g_main->Redraw();
  }
}

// The 50 MP pictures take up to a second each: fewer rounds keep the whole run short.
void Shape(benchmark::internal::Benchmark* bench, const PictureCase& picture) {
  bench->UseRealTime()->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
  if (picture.name.ends_with("50mp")) {
    bench->Iterations(1)->Repetitions(3);
  } else {
    bench->MinTime(0.15)->Repetitions(5);
  }
}

void RegisterAll() {
  using Body = void (*)(benchmark::State&, const PictureCase&);
  struct Entry {
    const char* prefix;
    Body body;
    std::optional<PictureKind> only;
  };
  const Entry entries[] = {
      {"read", BenchRead, {}},
      {"floor", BenchFloor, {}},
      {"floor_box", BenchJpegAtBoxScale, PictureKind::kJpeg},
      {"libpng_full", BenchLibpngFull, PictureKind::kPng},
      {"load_generate", BenchLoadGenerate, {}},
      {"load", BenchLoad, {}},
      {"generate", BenchGenerate, {}},
  };
  for (const PictureCase& picture : ListPictures()) {
    for (const Entry& entry : entries) {
      if (entry.only && picture.kind != *entry.only) continue;
      const std::string name = std::string(entry.prefix) + "/" + picture.name;
      Shape(benchmark::RegisterBenchmark(name.c_str(), entry.body, picture), picture);
    }
  }
}

}  // namespace
}  // namespace quorvin::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  quorvin::platform::InitialisePlatform();
  quorvin::bench::g_main = std::make_unique<quorvin::bench::MainWindowFixture>();
  quorvin::bench::RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  quorvin::bench::g_main.reset();
  return 0;
}
