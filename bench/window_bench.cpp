// The windows' own costs: showing the title window, and closing a week (the results panel's OK until
// the home view is back), on the offscreen screen with message boxes answered no.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <random>

#include "history/history.h"
#include "ui/fast_forward.h"
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
    w.wm.showWindow(GameWindow::Title);
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
    // The week's races run untimed; the timing runs from the results' OK to the home view.
    w->atResults = [&] { state.ResumeTiming(); };
    w->click(&w->wm.mainWindow(), Command::NextWeek);
    state.PauseTiming();
    ++weeks;
    state.ResumeTiming();
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
    for (int week = 0; week < 47; ++week) w.click(m, Command::NextWeek);
  }
  state.counters["max_rss_MiB"] = maxRssMiB();
  fs::remove_all(dir);
}
BENCHMARK(BM_YearByClicks)->Unit(benchmark::kMillisecond)->Iterations(2);

// 早送り 年末まで from the key to the awards panel, with the history beside the save. The watch questions
// of the big races stop it on the way; each is answered no, the week's OK clicked and the key pressed
// again, as a player would.
void BM_FastForwardYear(benchmark::State& state) {
  const fs::path dir = scratch();
  for (auto _ : state) {
    state.PauseTiming();
    auto w = std::make_unique<test::WindowWorld>(dir);
    auto history = std::make_unique<History>(dir);
    w->session.history = history.get();
    w->g.watcher = history.get();
    w->newGame();
    MainWindow* m = &w->wm.mainWindow();
    w->ui.onDialog = [](QDialog& d) {
      if (auto* f = qobject_cast<FastForwardWindow*>(&d)) {
        f->select(static_cast<int>(StopAt::YearEnd));
        f->accept();
      }
    };
    bool awards = false;
    test::whenAwardsWait(*w, m, [&] {
      state.PauseTiming();
      awards = true;
      w->click(m, "butNendo");
    });
    state.ResumeTiming();
    // The action of Ctrl+F (the offscreen window is not active, so the key is not delivered to it).
    for (int presses = 0; !awards && presses < 60; ++presses) {
      m->fastForward().action()->trigger();
    }
    if (!awards) state.SkipWithError("the awards did not come");
    w.reset();
    history.reset();
    state.ResumeTiming();
  }
  state.counters["max_rss_MiB"] = maxRssMiB();
  fs::remove_all(dir);
}
BENCHMARK(BM_FastForwardYear)->Unit(benchmark::kMillisecond)->Iterations(3);

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
