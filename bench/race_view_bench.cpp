// Cost of one frame of the race window: composing the picture, and showing it at 100 % and at 200 %.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "race/model.h"
#include "race/world.h"
#include "ui/race_scene.h"
#include "ui/resources.h"
#include "ui/sound.h"

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

// The same frame with its sound: the cues of the frame worked out and handed to the mixer (on SDL's
// silent driver unless SDL_AUDIODRIVER says otherwise). Against BM_ComposeFrame: the game's thread's
// share of the sound. The mixing itself runs on the sound's own thread.
void BM_ComposeFrameWithSound(benchmark::State& state) {
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  SoundPlayer& player = SoundPlayer::instance();
  player.open(POLMINA_SOUNDS);
  if (!player.waitOpen()) state.SkipWithError("no sound device");
  MidRace race;
  RaceCues cues(race.w.s(), race.k);
  for (auto _ : state) {
    if (state.range(0)) race.draw();
    // Every frame as busy as the busiest: the paws, the crowd and the finish.
    player.play(cues.frame(race.w.s(), race.w.s().raceStates[0]));
    player.play(Cue{Sound::Paws, 0.5});
  }
  player.close();
}
// Arg 0: the sound's share alone.
BENCHMARK(BM_ComposeFrameWithSound)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

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
