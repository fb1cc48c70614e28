// The race heard through SDL's disk driver, which writes the mix to a file as a sound card would play
// it: each cue's start is found in that file and set against the frame that asked for it.
#include "ui/sound.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fstream>

#include "race/world.h"
#include "ui/race_window.h"

namespace polmina {
namespace {

using testworld::field;
using testworld::twelve;
using testworld::World;

constexpr int kRate = 22050;
// 30 ms: the longest a cue may take from its frame to the speaker.
constexpr long long kLatency = kRate * 30 / 1000;

// The player on one audio driver ("disk" writes the mix into a file of 16-bit samples).
class Device {
 public:
  explicit Device(const char* driver) {
    qputenv("SDL_AUDIODRIVER", driver);
    qputenv("SDL_DISKAUDIOFILE", file().toLocal8Bit());
    SoundPlayer::instance().setLevels(SoundLevel::High, SoundLevel::Off);
    SoundPlayer::instance().open(POLMINA_SOUNDS);
    open = SoundPlayer::instance().waitOpen();
  }
  ~Device() { SoundPlayer::instance().close(); }
  QString file() const { return dir_.filePath(QStringLiteral("mix.raw")); }
  // The mix so far (the device closes first, so that all of it is written).
  std::vector<int16_t> mix() {
    SoundPlayer::instance().close();
    std::ifstream in(file().toStdString(), std::ios::binary);
    std::vector<int16_t> s;
    int16_t v;
    while (in.read(reinterpret_cast<char*>(&v), 2)) s.push_back(v);
    return s;
  }
  bool open = false;

 private:
  QTemporaryDir dir_;
};

// A watched race at a quick pace that notes where the sound stood at the gate and at the winner's finish.
class ListeningRaceWindow : public RaceWindow {
 public:
  // The fastest speed, every wait a quarter as long: a hundred metres in a few seconds.
  ListeningRaceWindow() {
    setPace(0.25);
    findChild<QScrollBar*>(QStringLiteral("Scr"))->setValue(5);
  }
  ~ListeningRaceWindow() override { setPace(1); }
  const GameState* state = nullptr;
  long long gateAt = -1, finishAt = -1, skippedAt = -1;
  int skipAtFrame = -1, frames = 0;

 protected:
  void reached(Phase phase) override {
    SoundPlayer& p = SoundPlayer::instance();
    // A replay starts at the normal speed: the fastest again.
    if (phase == Phase::Title) findChild<QScrollBar*>(QStringLiteral("Scr"))->setValue(5);
    if (phase == Phase::Gate) gateAt = p.samplesMixed();
    if (phase != Phase::Running) return;
    if (finishAt < 0 && state->finishOrder[0] >= 0) finishAt = p.samplesMixed();
    if (++frames == skipAtFrame) {
      skipToResult();
      skippedAt = p.samplesMixed();
      racing = p.raceSoundsPlaying();
    }
  }

 public:
  int racing = -1;
};

double rms(const std::vector<int16_t>& s, long long from, long long to) {
  double sum = 0;
  for (long long i = std::max(0LL, from); i < std::min<long long>(to, s.size()); ++i)
    sum += double(s[i]) * s[i];
  return std::sqrt(sum / std::max(1LL, to - from));
}

long long firstSound(const std::vector<int16_t>& s, long long from) {
  for (long long i = std::max(0LL, from); i < static_cast<long long>(s.size()); ++i)
    if (std::abs(s[i]) > 300) return i;
  return -1;
}

int loudest(const std::vector<int16_t>& s, long long from = 0) {
  int most = 0;
  for (long long i = std::max(0LL, from); i < static_cast<long long>(s.size()); ++i)
    most = std::max(most, std::abs(int(s[i])));
  return most;
}

// An everyday race (no fanfare), so that nothing sounds before the gate.
int everydayRace(World& w) {
  const int k = field(w, 100, twelve());
  slotAt(w.s(), w.s().weekBase + k - 1).raceClass = ClassC;
  return k;
}

// A seeded everyday race in the listening window.
struct Watched {
  World w;
  int k;
  ListeningRaceWindow window;
  explicit Watched(uint64_t seed, double pace = 0.25) : w(seed), k(everydayRace(w)) {
    window.state = &w.s();
    RaceWindow::setPace(pace);
  }
};

TEST(Sound, TheRaceIsHeardOnItsFramesAndAReplaySoundsTheSame) {
  Device disk("disk");
  ASSERT_TRUE(disk.open);
  Watched watched(4);
  ListeningRaceWindow& window = watched.window;
  window.run(watched.w.g, watched.k);
  const SoundPlayer::Counts race = SoundPlayer::instance().cued();
  const SoundPlayer::Counts started = SoundPlayer::instance().started();
  for (size_t s = 0; s < race.size(); ++s) {
    if (static_cast<Sound>(s) == Sound::Paws) continue;
    EXPECT_EQ(started[s], race[s]) << "sound " << s << " lost";
  }
  const std::vector<int16_t> mix = disk.mix();
  ASSERT_GE(window.gateAt, 0);
  ASSERT_GE(window.finishAt, 0);
  EXPECT_GE(firstSound(mix, 0), window.gateAt - 512) << "a sound before the gate";
  const long long gate = firstSound(mix, window.gateAt - 512);
  EXPECT_GE(gate, window.gateAt - 512);
  EXPECT_LE(gate - window.gateAt, kLatency)
      << "the gate sounds " << (gate - window.gateAt) * 1000 / kRate << " ms late";
  RecordProperty("gateLatencyMs", std::to_string((gate - window.gateAt) * 1000 / kRate));
  // The bell and the cheer over the patter and the crowd, within 30 ms of the winner's frame.
  EXPECT_GT(rms(mix, window.finishAt, window.finishAt + kLatency + 512),
            1.5 * rms(mix, window.finishAt - kRate / 10, window.finishAt - 512));
  EXPECT_EQ(race[static_cast<size_t>(Sound::Finish)], 1);
  EXPECT_GT(started[static_cast<size_t>(Sound::Paws)], 20);

  Device again("disk");
  Watched replayed(4);
  replayed.window.runReplay(replayed.w.g, replayed.k, WatchedRace);
  EXPECT_EQ(SoundPlayer::instance().cued(), race) << "the replay sounds as the race did";
}

TEST(Sound, ToResultSilencesTheRaceAtOnce) {
  Device disk("disk");
  ASSERT_TRUE(disk.open);
  Watched watched(6);
  ListeningRaceWindow& window = watched.window;
  window.skipAtFrame = 40;
  window.run(watched.w.g, watched.k);
  EXPECT_EQ(window.racing, 0);
  const std::vector<int16_t> mix = disk.mix();
  EXPECT_GT(loudest(mix, 0), 1000);
  // The player's cat did not run: after the skip nothing sounds, not even a jingle.
  EXPECT_EQ(loudest(mix, window.skippedAt + 1024), 0);
}

TEST(Sound, NoCueLostInTwoHundred) {
  Device disk("disk");
  ASSERT_TRUE(disk.open);
  // Each click a little more than its own length after the last in the sound's own time, however
  // busy the machine, so that every one of them can be told apart in the mix.
  for (int i = 0; i < 200; ++i) {
    const long long last = SoundPlayer::instance().samplesMixed();
    SoundPlayer::instance().play(Sound::Click);
    while (SoundPlayer::instance().samplesMixed() < last + 1024) QTest::qWait(5);
  }
  const std::vector<int16_t> mix = disk.mix();
  int onsets = 0;
  for (size_t i = 1, quiet = 1000; i < mix.size(); ++i) {
    if (std::abs(mix[i]) > 300 && quiet >= 150) ++onsets;
    quiet = std::abs(mix[i]) > 30 ? 0 : quiet + 1;
  }
  EXPECT_EQ(onsets, 200);
}

// Muted, on the silent driver, and with no driver at all: the race is the race without sound.
TEST(Sound, SilentWaysChangeNothingOfTheGame) {
  World plain(8);
  runWatchedRace(plain.g, everydayRace(plain));
  for (const char* driver : {"disk", "dummy", "no-such-driver"}) {
    Device device(driver);
    EXPECT_EQ(device.open, std::string(driver) != "no-such-driver");
    SoundPlayer::instance().setMuted(std::string(driver) == "disk");
    Watched watched(8, 0);
    watched.window.run(watched.w.g, watched.k);
    SoundPlayer::instance().setMuted(false);
    EXPECT_EQ(watched.w.rng.log, plain.rng.log) << driver;
    EXPECT_EQ(watched.w.s().cats, plain.s().cats) << driver;
    EXPECT_EQ(watched.w.s().finishOrder, plain.s().finishOrder) << driver;
    if (std::string(driver) == "disk") {
      const std::vector<int16_t> mix = device.mix();
      EXPECT_FALSE(mix.empty());
      EXPECT_EQ(loudest(mix), 0) << "muted";
    }
  }
}

}  // namespace
}  // namespace polmina
