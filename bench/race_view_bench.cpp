// Cost of one frame of the race window: composing the picture, and showing it at 100 % and at 200 %.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "race/model.h"
#include "race/world.h"
#include "ui/race_scene.h"
#include "ui/resources.h"

namespace polmina {
namespace {

using testworld::World;

// A 300 m race with twelve runners, a few hundred ticks in: the course, a distance post, the field.
struct MidRace {
  World w;
  RaceScene scene;
  int k = testworld::field(w, 300, testworld::twelve());

  MidRace() {
    setUpRunners(w.g, k);
    for (int t = 0; t < 300; ++t) {
      prepareFrames(w.s());
      viewTick(w.g, k);
    }
  }
  void draw() {
    const GameState& s = w.s();
    scene.scenery(s.raceStates[0], false);
    for (int i = 0; i < MaxRunners; ++i) scene.runner(i, s.runners[static_cast<size_t>(i)], i % 6);
  }
};

void BM_ComposeFrame(benchmark::State& state) {
  MidRace race;
  for (auto _ : state) race.draw();
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

// Compose, then paint the picture as the window does onto a screen of the given scale (x100). Run with
// QT_SCALE_FACTOR=3 to compose from the pictures drawn for ×3.
void BM_ComposeAndShowFrame(benchmark::State& state) {
  const qreal scale = state.range(0) / 100.0;
  MidRace race;
  QImage screen(QSize(RaceScene::Width, RaceScene::Height) * scale, QImage::Format_ARGB32_Premultiplied);
  screen.setDevicePixelRatio(scale);
  for (auto _ : state) {
    race.draw();
    QPainter p(&screen);
    p.drawPixmap(QRect(0, 0, RaceScene::Width, RaceScene::Height), race.scene.picture());
  }
}
BENCHMARK(BM_ComposeAndShowFrame)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace polmina

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  polmina::initResources();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
