// The windows' own costs: showing the title window, and closing a week (the results panel's OK until
// the home view is back), on the offscreen screen with message boxes answered no.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <random>

#include "ui/resources.h"
#include "ui/title_window.h"
#include "window_world.h"

namespace polmina {
namespace {

namespace fs = std::filesystem;

fs::path scratch() {
  const fs::path d = fs::temp_directory_path() / ("polmina-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(d);
  return d;
}

double maxRssMiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;
}

void BM_ShowTitleWindow(benchmark::State& state) {
  const fs::path dir = scratch();
  for (auto _ : state) {
    test::WindowWorld w(dir);
    w.wm.showWindow(GameWindow::Opening);
    QCoreApplication::processEvents();
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_ShowTitleWindow)->Unit(benchmark::kMillisecond);

// One week's close by its OK; a fresh game every forty weeks keeps the year end out of the timing.
void BM_CloseWeek(benchmark::State& state) {
  const fs::path dir = scratch();
  std::unique_ptr<test::WindowWorld> w;
  int weeks = 40;
  for (auto _ : state) {
    state.PauseTiming();
    if (weeks == 40) {
      w = std::make_unique<test::WindowWorld>(dir);
      w->newGame();
      weeks = 0;
    }
    w->click(&w->wm.mainWindow(), Command::NextWeek);
    state.ResumeTiming();
    w->wm.mainWindow().closeWeekClicked();
    ++weeks;
  }
  state.counters["max_rss_MiB"] = maxRssMiB();
  w.reset();
  fs::remove_all(dir);
}
BENCHMARK(BM_CloseWeek)->Unit(benchmark::kMillisecond);

// A whole year played by clicks, as a player would (without watching races).
void BM_YearByClicks(benchmark::State& state) {
  const fs::path dir = scratch();
  for (auto _ : state) {
    test::WindowWorld w(dir);
    w.newGame();
    MainWindow* m = &w.wm.mainWindow();
    for (int week = 0; week < 47; ++week) {
      w.click(m, Command::NextWeek);
      w.click(m, "butRace");
    }
  }
  state.counters["max_rss_MiB"] = maxRssMiB();
  fs::remove_all(dir);
}
BENCHMARK(BM_YearByClicks)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace polmina

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  polmina::initResources();
  polmina::installLook();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
