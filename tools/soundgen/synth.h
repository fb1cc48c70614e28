#pragma once
// The sound generator's instruments: everything is summed into a buffer of doubles at one rate, mono,
// then written as 16-bit WAV. No randomness but our own seeded noise, so two runs write the same bytes.
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace soundgen {

inline constexpr int Rate = 22050;

struct Buffer {
  std::vector<double> s;
  explicit Buffer(double seconds) : s(static_cast<size_t>(seconds * Rate), 0.0) {}
  double seconds() const { return static_cast<double>(s.size()) / Rate; }
  void add(double at, size_t i, double v);
};

// A small xorshift noise source; every sound seeds its own.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
  double next();                       // -1..1
  double between(double a, double b);  // a..b
 private:
  uint32_t state_;
};

double noteFrequency(int midi);
// "C4", "F#5", "Bb3" -> MIDI number (C4 = 60); -1 when it is not a note.
int midiOf(std::string_view name);

// Struck metal: partials at `ratios` times `freq`, each dying away, higher ones sooner.
void bell(Buffer& b, double at, double freq, double amp, double decay, const std::vector<double>& ratios);
// A brass-like note: bright harmonics, a quick swell, a little vibrato, a short release.
void brass(Buffer& b, double at, double dur, double freq, double amp);
// A plucked or hammered string: harmonics that fade, the higher ones faster.
void pluck(Buffer& b, double at, double dur, double freq, double amp);
// A soft held chord tone: slow attack, slow release.
void pad(Buffer& b, double at, double dur, double freq, double amp);
// A low drum: a sine whose pitch falls, with a soft noise skin.
void drum(Buffer& b, double at, double freq, double amp, double decay, Noise& noise);
// Noise through a resonant band (centre, width in Hz), shaped by an attack and a decay.
void bandNoise(Buffer& b, double at, double dur, double centre, double width, double amp, double attack,
               Noise& noise);

// Scales the whole buffer so that its loudest sample is `peak` (0..1).
void normalise(Buffer& b, double peak);
// Folds whatever rings past `length` seconds back onto the start, for a seamless loop.
void foldLoop(Buffer& b, double length);
// 16-bit PCM WAV, mono, at Rate.
void writeWav(const std::filesystem::path& file, const Buffer& b);

}  // namespace soundgen
