#pragma once
// The game's sound: the effects the race and the game cue, and the two tunes, played through SDL's
// mixer. The device opens on a thread of its own after the first window shows; without a device (or
// without a sound server) every call is silently nothing. No call ever waits for the device.
#include <array>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "race/sound_cues.h"

namespace polmina {

// 効果音 and 音楽: each off, low, medium or high.
enum class SoundLevel { Off, Low, Medium, High };

class SoundPlayer {
 public:
  static SoundPlayer& instance();
  ~SoundPlayer();

  // Opens the device and loads the sounds of `folder` in the background.
  void open(const std::filesystem::path& folder);
  // Ends every sound and closes the device (waits for an open still under way).
  void close();
  bool ready() const { return ready_; }
  // Waits for the device to open (tests); true when it did.
  bool waitOpen();
  // Samples the mixer has produced since the device opened: the sound's own clock, against which a
  // cue's start in the output is measured.
  long long samplesMixed() const { return mixed_; }

  void play(const Cue& cue);
  void play(const std::vector<Cue>& cues);
  void play(Sound sound) { play(Cue{sound, 1.0}); }
  // 結果へ or a closed window: the race's sounds end at once.
  void stopRace();
  // The title tune plays once, the home tune loops; neither plays during a race.
  void playTune(Tune tune);
  void raceBegins();
  void raceEnds();

  void setLevels(SoundLevel effects, SoundLevel music);
  SoundLevel effectsLevel() const { return effects_; }
  SoundLevel musicLevel() const { return music_; }
  void setMuted(bool muted);
  bool muted() const { return muted_; }
  // A fast-forward holds every sound; at its end one chime sounds.
  void hold(bool held);
  bool held() const { return held_; }
  // How many race sounds are sounding now (for the tests).
  int raceSoundsPlaying() const;
  // How many of each sound were cued to the open, unmuted player since the device opened, and how
  // many of them started: none may be lost but a patter of paws over three others.
  using Counts = std::array<int, static_cast<size_t>(Sound::Count)>;
  const Counts& cued() const { return cued_; }
  const Counts& started() const { return started_; }

 private:
  SoundPlayer() = default;
  void load(std::filesystem::path folder);
  void applyMusicVolume();
  void startTune();

  std::thread loader_;
  std::atomic<bool> ready_ = false;
  std::atomic<long long> mixed_ = 0;
  std::mutex tuneLock_;
  std::vector<void*> chunks_;  // Mix_Chunk*, one per Sound
  std::vector<void*> tunes_;   // Mix_Music*, one per Tune
  Counts cued_{};
  Counts started_{};
  std::optional<Tune> tune_;
  bool racing_ = false;
  bool opened_ = false;
  SoundLevel effects_ = SoundLevel::Medium;
  SoundLevel music_ = SoundLevel::Low;
  bool muted_ = false;
  bool held_ = false;
};

// After the week's races: the chime of a new title when the player's cat has earned one.
void playNewTitle(const GameState& s);

}  // namespace polmina
