#include "ui/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "world/i18n.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr int kRate = 22050;
// 512 samples at 22 050 Hz: a cue reaches the speaker within about 25 ms of its call.
constexpr int kBufferSamples = 512;
// Three channels for the paws: at the fastest speed a frame asks for them faster than they end, and the
// patter must neither become a roar nor take the channel of the finish.
constexpr int kPawChannels = 3;
constexpr int kRaceChannels = 12;
constexpr int kOtherChannels = 4;
constexpr int kPawGroup = 3;
constexpr int kRaceGroup = 1;
constexpr int kGameGroup = 2;

int mixerVolume(SoundLevel level) {
  switch (level) {
    case SoundLevel::Off:
      return 0;
    case SoundLevel::Low:
      return 32;
    case SoundLevel::Medium:
      return 72;
    case SoundLevel::High:
      return MIX_MAX_VOLUME;
  }
  return 0;
}

bool isRaceSound(Sound s) {
  switch (s) {
    case Sound::Gate:
    case Sound::Start:
    case Sound::FanfareA:
    case Sound::FanfareS:
    case Sound::Paws:
    case Sound::Crowd:
    case Sound::Cheer:
    case Sound::Finish:
      return true;
    default:
      return false;
  }
}

// The paws take a free paw channel or none; the race's other sounds the race's channels, the game's the
// others, where the oldest gives way when all sound.
int channelFor(Sound s) {
  if (s == Sound::Paws) return Mix_GroupAvailable(kPawGroup);
  const int group = isRaceSound(s) ? kRaceGroup : kGameGroup;
  const int channel = Mix_GroupAvailable(group);
  return channel >= 0 ? channel : Mix_GroupOldest(group);
}

void ignoreAlsa(const char*, int, const char*, int, const char*, ...) {}

// ALSA writes a missing card to standard error itself, line after line; the game says it once. SDL loads
// the same library by the same name, so its handler is the one set here.
void quietAlsa() {
  void* alsa = dlopen("libasound.so.2", RTLD_NOW);
  if (!alsa) return;
  using SetHandler = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
  if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(ignoreAlsa);
}

}  // namespace

SoundPlayer& SoundPlayer::instance() {
  static SoundPlayer player;
  return player;
}

SoundPlayer::~SoundPlayer() { close(); }

void SoundPlayer::open(const std::filesystem::path& folder) {
  if (opened_) return;
  opened_ = true;
  loader_ = std::thread([this, folder] { load(folder); });
}

// On the loader's thread: nothing else touches the mixer until ready_ is set.
void SoundPlayer::load(std::filesystem::path folder) {
  // The game's own signals stay the game's.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  quietAlsa();
  const bool init = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (!init || Mix_OpenAudio(kRate, AUDIO_S16SYS, 1, kBufferSamples) != 0) {
    // The one line a player without sound sees, and only on the terminal.
    std::fprintf(stderr, "polmina: %s (%s)\n", toUtf8(tr(u"音を出せません。音なしで続けます")).c_str(),
                 SDL_GetError());
    if (init) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  mixed_ = 0;
  started_ = {};
  cued_ = {};
  Mix_SetPostMix([](void* self, Uint8*, int bytes) { static_cast<SoundPlayer*>(self)->mixed_ += bytes / 2; },
                 this);
  Mix_AllocateChannels(kRaceChannels + kOtherChannels);
  Mix_GroupChannels(0, kRaceChannels - 1, kRaceGroup);
  Mix_GroupChannels(0, kPawChannels - 1, kPawGroup);
  Mix_GroupChannels(kRaceChannels, kRaceChannels + kOtherChannels - 1, kGameGroup);
  for (int i = 0; i < static_cast<int>(Sound::Count); ++i)
    chunks_.push_back(Mix_LoadWAV((folder / soundFileName(static_cast<Sound>(i))).string().c_str()));
  for (Tune t : {Tune::Title, Tune::Home})
    tunes_.push_back(Mix_LoadMUS((folder / tuneFileName(t)).string().c_str()));
  const std::lock_guard lock(tuneLock_);
  ready_ = true;
  applyMusicVolume();
  startTune();
}

bool SoundPlayer::waitOpen() {
  if (loader_.joinable()) loader_.join();
  return ready_;
}

void SoundPlayer::close() {
  if (loader_.joinable()) loader_.join();
  opened_ = false;
  if (!ready_) return;
  ready_ = false;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_SetPostMix(nullptr, nullptr);
  for (void* c : chunks_) Mix_FreeChunk(static_cast<Mix_Chunk*>(c));
  for (void* m : tunes_) Mix_FreeMusic(static_cast<Mix_Music*>(m));
  chunks_.clear();
  tunes_.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SoundPlayer::play(const Cue& cue) {
  if (!ready_ || muted_ || held_ || effects_ == SoundLevel::Off) return;
  auto* chunk = static_cast<Mix_Chunk*>(chunks_.at(static_cast<size_t>(cue.sound)));
  if (!chunk) return;
  cued_[static_cast<size_t>(cue.sound)] += 1;
  const int channel = channelFor(cue.sound);
  if (channel < 0) return;
  // The volume is set before the sound starts, so that no buffer plays it at another.
  Mix_Volume(channel, static_cast<int>(cue.volume * mixerVolume(effects_)));
  if (Mix_PlayChannel(channel, chunk, 0) < 0) return;
  started_[static_cast<size_t>(cue.sound)] += 1;
}

void SoundPlayer::play(const std::vector<Cue>& cues) {
  for (const Cue& c : cues) play(c);
}

void SoundPlayer::stopRace() {
  if (!ready_) return;
  Mix_HaltGroup(kPawGroup);
  Mix_HaltGroup(kRaceGroup);
}

int SoundPlayer::raceSoundsPlaying() const {
  if (!ready_) return 0;
  int n = 0;
  for (int i = 0; i < kRaceChannels; ++i) n += Mix_Playing(i) ? 1 : 0;
  return n;
}

void SoundPlayer::playTune(Tune tune) {
  const std::lock_guard lock(tuneLock_);
  if (tune_ == tune && ready_ && Mix_PlayingMusic()) return;
  tune_ = tune;
  startTune();
}

// Under tuneLock_.
void SoundPlayer::startTune() {
  if (!ready_) return;
  Mix_HaltMusic();
  if (!tune_ || racing_ || held_) return;
  auto* music = static_cast<Mix_Music*>(tunes_.at(static_cast<size_t>(*tune_)));
  if (music) Mix_PlayMusic(music, *tune_ == Tune::Home ? -1 : 0);
}

void SoundPlayer::raceBegins() {
  const std::lock_guard lock(tuneLock_);
  racing_ = true;
  if (ready_) Mix_HaltMusic();
}

void SoundPlayer::raceEnds() {
  stopRace();
  const std::lock_guard lock(tuneLock_);
  racing_ = false;
  // Back home the loop starts again; the title tune, heard once, does not.
  if (tune_ == Tune::Home) startTune();
}

void SoundPlayer::setLevels(SoundLevel effects, SoundLevel music) {
  effects_ = effects;
  music_ = music;
  const std::lock_guard lock(tuneLock_);
  applyMusicVolume();
}

void SoundPlayer::setMuted(bool muted) {
  muted_ = muted;
  if (ready_ && muted) Mix_HaltChannel(-1);
  const std::lock_guard lock(tuneLock_);
  applyMusicVolume();
}

// Under tuneLock_.
void SoundPlayer::applyMusicVolume() {
  if (ready_) Mix_VolumeMusic(muted_ ? 0 : mixerVolume(music_));
}

void SoundPlayer::hold(bool held) {
  if (held_ == held) return;
  {
    const std::lock_guard lock(tuneLock_);
    held_ = held;
    if (ready_ && held) Mix_PauseMusic();
    // A race watched meanwhile has ended the tune: home starts it again.
    if (ready_ && !held && Mix_PausedMusic()) Mix_ResumeMusic();
    if (!held && !racing_ && tune_ == Tune::Home && !(ready_ && Mix_PlayingMusic())) startTune();
  }
  if (!held) play(Sound::Stopped);
}

void playNewTitle(const GameState& s) {
  static TitleWatch watch;
  if (watch.newTitle(s)) SoundPlayer::instance().play(Sound::NewTitle);
}

}  // namespace polmina
