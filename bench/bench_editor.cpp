// The editor, driven through its real window as a person drives it: a paint is a left press on
// the view 图片框1 (after the pointer has moved onto the cell), an undo a click on "撤销" (按钮1).
// Both include the work the handler causes (undo entry, pixel, assembly, the view's new picture)
// and the redraw of the window. Each paint is undone, and each undo painted again, outside the
// timed part, so the history keeps the length it had after a first session of 200 paints.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <memory>

#include "bench/main_window_fixture.h"
#include "bench/pictures.h"
#include "platform/controls/button.h"
#include "platform/controls/list_box.h"
#include "platform/controls/pic_box.h"
#include "platform/platform_init.h"

namespace quorvin::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPaintsBefore = 200;
constexpr int kCellPixels = 5;

std::unique_ptr<MainWindowFixture> g_main;

platform::PicBox& View() {
  return g_main->editorWindow()->Get<platform::PicBox>("图片框1");
}

// The middle of cell `i` of a walk over the whole 48 x 48 grid, in view coordinates.
QPoint CellCentre(int i) {
  const int cell = i % (48 * 48);
  return {(cell % 48) * kCellPixels + 2, (cell / 48) * kCellPixels + 2};
}

void Paint(int i) {
  platform::PicBox& view = View();
  QTest::mouseMove(&view, CellCentre(i));
  QTest::mousePress(&view, Qt::LeftButton, {}, CellCentre(i));
  QTest::mouseRelease(&view, Qt::LeftButton, {}, CellCentre(i));
  MainWindowFixture::Redraw();
}

void Undo() {
  QTest::mouseClick(&g_main->editorWindow()->Get<platform::Button>("按钮1"), Qt::LeftButton);
  MainWindowFixture::Redraw();
}

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// The history's three hidden lists as the platform builds them (0), or with every item taken to
// be as tall as the first (1): a list otherwise measures all its items again, shaping each text,
// after every change.
void SetUniformItemSizes(bool uniform) {
  for (const char* name : {"列表框1", "列表框2", "列表框3"}) {
    g_main->editorWindow()->Get<platform::ListBox>(name).setUniformItemSizes(uniform);
  }
  MainWindowFixture::Redraw();
}

void BenchPaint(benchmark::State& state) {
  SetUniformItemSizes(state.range(0) == 1);
  int i = kPaintsBefore;
  for (auto _ : state) {
    const auto start = Clock::now();
    Paint(++i);
    state.SetIterationTime(Seconds(start));
    Undo();
  }
}

void BenchUndo(benchmark::State& state) {
  SetUniformItemSizes(state.range(0) == 1);
  int i = kPaintsBefore;
  for (auto _ : state) {
    Paint(++i);
    const auto start = Clock::now();
    Undo();
    state.SetIterationTime(Seconds(start));
  }
}

// "生成" while the editor is open: the editor also drops its history and shows the new icon.
void BenchGenerateUnderEditor(benchmark::State& state) {
  SetUniformItemSizes(false);
  for (auto _ : state) {
    g_main->Generate();
    MainWindowFixture::Redraw();
  }
  for (int i = 0; i < kPaintsBefore; ++i) Paint(i);
}

bool SetUp() {
  g_main = std::make_unique<MainWindowFixture>();
  const auto pictures = ListPictures();
  if (pictures.empty()) return false;
  g_main->Load(pictures.front().path);
  g_main->Generate();
  g_main->OpenEditor();
  if (g_main->editorWindow() == nullptr) return false;
  // A palette colour, as a person picks one before painting.
  QTest::mouseClick(&g_main->editorWindow()->Get<QWidget>("标签左3"), Qt::LeftButton);
  for (int i = 0; i < kPaintsBefore; ++i) Paint(i);
  return true;
}

}  // namespace
}  // namespace quorvin::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  quorvin::platform::InitialisePlatform();
  if (!quorvin::bench::SetUp()) {
    std::fprintf(stderr, "bench_editor: no pictures, or the editor did not open\n");
    return 1;
  }
  for (auto* bench : {
           benchmark::RegisterBenchmark("editor_paint", quorvin::bench::BenchPaint),
           benchmark::RegisterBenchmark("editor_undo", quorvin::bench::BenchUndo),
       }) {
    bench->ArgName("uniform_lists")->Arg(0)->Arg(1);
    bench->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(5)->MinTime(0.2);
    bench->ReportAggregatesOnly(true);
  }
  benchmark::RegisterBenchmark("generate_under_editor", quorvin::bench::BenchGenerateUnderEditor)
      ->UseRealTime()
      ->Unit(benchmark::kMicrosecond)
      ->Repetitions(5)
      ->MinTime(0.2)
      ->ReportAggregatesOnly(true);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  quorvin::bench::g_main.reset();
  return 0;
}
