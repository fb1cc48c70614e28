// The race's and the game's sounds, each a few instruments of synth.h placed by hand.
#include <cmath>
#include <initializer_list>

#include "sounds.h"

namespace soundgen {

namespace {

const std::vector<double> kClang = {1, 2.32, 4.25, 6.63, 9.38};
const std::vector<double> kBell = {1, 2.76, 5.4, 8.93};
const std::vector<double> kChime = {1, 2, 3.01, 4.2};

double n(const char* name) { return noteFrequency(midiOf(name)); }

// Many people at once: a bed of broad noise and short bursts of voice-like bands.
void crowdVoices(Buffer& b, double from, double to, int voices, double amp, double high, Noise& noise) {
  bandNoise(b, from, to - from, 700, 900, amp * 0.5, 0.3, noise);
  for (int v = 0; v < voices; ++v) {
    const double at = noise.between(from, to - 0.4);
    const double dur = noise.between(0.25, 0.9);
    bandNoise(b, at, std::min(dur, to - at), noise.between(300, high), noise.between(60, 160), amp * 0.6,
              0.06, noise);
  }
}

// Rises or falls over the buffer: from `start` to 1 by `riseEnd`, then to `end` at its close.
void shape(Buffer& b, double start, double riseEnd, double end) {
  const double total = b.seconds();
  for (size_t i = 0; i < b.s.size(); ++i) {
    const double t = static_cast<double>(i) / Rate;
    const double g = t < riseEnd ? start + (1 - start) * t / riseEnd
                                 : 1 + (end - 1) * (t - riseEnd) / std::max(0.01, total - riseEnd);
    b.s[i] *= g;
  }
}

struct Note {
  double at;
  double dur;
  const char* name;
};

// A brass call: the line, and a held chord under its last note.
void brassCall(Buffer& b, std::initializer_list<Note> line, std::initializer_list<const char*> chord,
               double chordAmp) {
  for (const Note& x : line) brass(b, x.at, x.dur, n(x.name), 0.5);
  const Note& last = *(line.end() - 1);
  for (const char* c : chord) brass(b, last.at, last.dur, n(c), chordAmp);
}

}  // namespace

Buffer gate() {
  Buffer b(1.0);
  Noise noise(11);
  bell(b, 0, 210, 0.8, 0.16, kClang);
  bandNoise(b, 0, 0.03, 2500, 2000, 0.8, 0.001, noise);
  drum(b, 0, 85, 0.7, 0.06, noise);
  normalise(b, 0.8);
  return b;
}

// The electric start bell: a hammer on a bell twenty times a second for a second.
Buffer startBell() {
  Buffer b(1.8);
  for (int strike = 0; strike < 22; ++strike) bell(b, strike / 22.0, 1318.5, 0.5, 0.09, kBell);
  normalise(b, 0.75);
  return b;
}

Buffer fanfareA() {
  Buffer b(2.6);
  brassCall(b,
            {{0, 0.12, "G4"},
             {0.14, 0.12, "C5"},
             {0.28, 0.12, "E5"},
             {0.42, 0.42, "G5"},
             {0.9, 0.14, "E5"},
             {1.06, 1.2, "G5"}},
            {"C4", "E4", "G4"}, 0.22);
  normalise(b, 0.8);
  return b;
}

// The S race: lower, longer, with drums under it, in another key.
Buffer fanfareS() {
  Buffer b(4.0);
  Noise noise(23);
  brassCall(b,
            {{0, 0.16, "D4"},
             {0.2, 0.16, "D4"},
             {0.4, 0.16, "D4"},
             {0.6, 0.55, "A4"},
             {1.2, 0.25, "F#4"},
             {1.5, 0.25, "A4"},
             {1.8, 1.7, "D5"}},
            {"D3", "F#3", "A3", "D4"}, 0.18);
  for (int roll = 0; roll < 12; ++roll) drum(b, 1.2 + roll * 0.05, 73.4, 0.2 + roll * 0.03, 0.08, noise);
  drum(b, 1.8, 73.4, 0.9, 0.3, noise);
  normalise(b, 0.85);
  return b;
}

// Three soft pads landing one after another, as a cat's feet do.
Buffer paws() {
  Buffer b(0.2);
  Noise noise(31);
  for (double at : {0.0, 0.055, 0.12}) {
    drum(b, at, noise.between(110, 150), noise.between(0.5, 0.8), 0.018, noise);
    bandNoise(b, at, 0.03, 1800, 1500, noise.between(0.15, 0.25), 0.002, noise);
  }
  normalise(b, 0.6);
  return b;
}

// The stands: `voices` people over `seconds`, their loudness shaped from `from` to 1 at `peakAt` and
// on to `to` at the end.
Buffer stands(double seconds, uint32_t seed, int voices, double high, double from, double peakAt, double to) {
  Buffer b(seconds);
  Noise noise(seed);
  crowdVoices(b, 0, seconds, voices, 0.6, high, noise);
  shape(b, from, peakAt, to);
  return b;
}

// Rising over the last stretch.
Buffer crowd() {
  Buffer b = stands(4.5, 41, 50, 900, 0.15, 3.2, 0.3);
  normalise(b, 0.6);
  return b;
}

// The roar at the finish: more voices, higher, at once, dying away.
Buffer cheer() {
  Buffer b = stands(3.2, 43, 90, 1300, 0.5, 0.2, 0.1);
  normalise(b, 0.75);
  return b;
}

Buffer finish() {
  Buffer b(1.4);
  bell(b, 0, n("G6"), 0.6, 0.25, kBell);
  bell(b, 0.18, n("G6"), 0.6, 0.35, kBell);
  normalise(b, 0.8);
  return b;
}

Buffer win() {
  Buffer b(2.4);
  const char* run[] = {"C5", "E5", "G5", "C6"};
  for (int i = 0; i < 4; ++i) brass(b, i * 0.12, 0.11, n(run[i]), 0.45);
  for (const char* c : {"C5", "E5", "G5", "C6"}) brass(b, 0.5, 1.3, n(c), 0.3);
  for (int i = 0; i < 6; ++i) bell(b, 0.5 + i * 0.07, n("C7") * (1 + 0.12 * i), 0.08, 0.2, kChime);
  normalise(b, 0.8);
  return b;
}

// Placed: friendly, shorter and without the brass of a win.
Buffer place() {
  Buffer b(1.5);
  const char* run[] = {"G4", "C5", "E5"};
  for (int i = 0; i < 3; ++i) pluck(b, i * 0.11, 0.1, n(run[i]), 0.5);
  for (const char* c : {"C5", "E5", "G5"}) pluck(b, 0.36, 0.8, n(c), 0.35);
  normalise(b, 0.7);
  return b;
}

Buffer awards() {
  Buffer b(3.4);
  Noise noise(53);
  brassCall(b,
            {{0, 0.18, "F4"},
             {0.2, 0.18, "Bb4"},
             {0.4, 0.18, "D5"},
             {0.6, 0.5, "F5"},
             {1.15, 0.18, "D5"},
             {1.35, 1.5, "F5"}},
            {"Bb3", "D4", "F4", "Bb4"}, 0.2);
  drum(b, 1.35, 58.3, 0.8, 0.3, noise);
  normalise(b, 0.8);
  return b;
}

Buffer newTitle() {
  Buffer b(1.8);
  const char* run[] = {"C6", "D6", "E6", "G6", "A6", "C7"};
  for (int i = 0; i < 6; ++i) bell(b, i * 0.08, n(run[i]), 0.4, 0.3, kChime);
  for (const char* c : {"C6", "E6", "G6"}) pad(b, 0.5, 0.8, n(c), 0.15);
  normalise(b, 0.7);
  return b;
}

// A farewell that is warm rather than sad: a slow major cadence under a falling line.
Buffer retire() {
  Buffer b(4.2);
  const char* chords[][3] = {{"F3", "A3", "C4"}, {"Bb3", "D4", "F4"}, {"F3", "A3", "C4"}};
  for (int c = 0; c < 3; ++c)
    for (const char* note : chords[c]) pad(b, c * 1.2, 1.3, n(note), 0.25);
  const char* line[] = {"C5", "A4", "Bb4", "D5", "C5"};
  const double at[] = {0, 0.6, 1.2, 1.8, 2.4};
  for (int i = 0; i < 5; ++i) pluck(b, at[i], i == 4 ? 1.2 : 0.5, n(line[i]), 0.4);
  normalise(b, 0.7);
  return b;
}

// A page turned: crackling bursts of high noise over half a second.
Buffer paper() {
  Buffer b(0.5);
  Noise noise(61);
  for (int i = 0; i < 14; ++i) {
    const double at = 0.03 * i + noise.between(0, 0.02);
    bandNoise(b, at, noise.between(0.02, 0.06), noise.between(2500, 6000), 3000, noise.between(0.3, 1), 0.003,
              noise);
  }
  shape(b, 0.4, 0.15, 0.2);
  normalise(b, 0.55);
  return b;
}

Buffer click() {
  Buffer b(0.03);
  Noise noise(71);
  bell(b, 0, 2000, 0.5, 0.004, {1, 1.5});
  bandNoise(b, 0, 0.01, 4000, 3000, 0.2, 0.0005, noise);
  normalise(b, 0.4);
  return b;
}

// A fast-forward has stopped: two chimes, the second higher.
Buffer stopped() {
  Buffer b(0.9);
  bell(b, 0, n("E5"), 0.5, 0.18, kChime);
  bell(b, 0.16, n("A5"), 0.5, 0.25, kChime);
  normalise(b, 0.65);
  return b;
}

}  // namespace soundgen
