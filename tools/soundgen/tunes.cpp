// The two tunes, written as note data: "C5:1" a note of one beat, "C4+E4+G4:3" a chord, "r:1" a rest,
// "|" a bar line (ignored, there for the eye).
#include <sstream>
#include <stdexcept>
#include <string>

#include "sounds.h"

namespace soundgen {

namespace {

enum class Instrument { Brass, Pluck, Pad };

struct Part {
  const char* notes;
  Instrument instrument;
  double amp;
};

void playNote(Buffer& b, Instrument instrument, double at, double dur, double freq, double amp) {
  switch (instrument) {
    case Instrument::Brass:
      brass(b, at, dur * 0.9, freq, amp);
      break;
    case Instrument::Pluck:
      pluck(b, at, dur, freq, amp);
      break;
    case Instrument::Pad:
      pad(b, at, dur, freq, amp);
      break;
  }
}

// Plays one part from the start of the buffer; returns its length in beats.
double playPart(Buffer& b, const Part& part, double beat) {
  std::istringstream words(part.notes);
  std::string word;
  double at = 0;
  while (words >> word) {
    if (word == "|") continue;
    const auto colon = word.find(':');
    if (colon == std::string::npos) throw std::runtime_error("no length: " + word);
    const double beats = std::stod(word.substr(colon + 1));
    std::istringstream chord(word.substr(0, colon));
    std::string note;
    while (std::getline(chord, note, '+')) {
      if (note == "r") continue;
      const int midi = midiOf(note);
      if (midi < 0) throw std::runtime_error("not a note: " + note);
      playNote(b, part.instrument, at * beat, beats * beat, noteFrequency(midi), part.amp);
    }
    at += beats;
  }
  return at;
}

// The title: race-day brightness in C, brass over plucked chords, eight bars at 120 a minute.
const Part kTitle[] = {
    {"G4:0.5 C5:0.5 E5:1 G5:1.5 E5:0.5 | F5:1 A5:1 G5:2 | E5:0.5 F5:0.5 G5:1 C6:1 B5:0.5 A5:0.5 | G5:3 r:1 |"
     " A5:1 G5:0.5 F5:0.5 E5:1 D5:1 | F5:1 E5:0.5 D5:0.5 C5:1 A4:1 | D5:1 E5:0.5 F5:0.5 G5:1 B4:1 | C5:3 r:1",
     Instrument::Brass, 0.45},
    {"C4+E4+G4:2 C4+E4+G4:2 | F4+A4+C5:2 E4+G4+C5:2 | C4+E4+G4:2 F4+A4+C5:2 | D4+G4+B4:4 |"
     " F4+A4+C5:2 C4+E4+G4:2 | D4+F4+A4:2 F4+A4+C5:2 | G4+B4+D5:2 G4+B4+F5:2 | C4+E4+G4+C5:4",
     Instrument::Pluck, 0.2},
    {"C3:1 G2:1 C3:1 G2:1 | F2:1 C3:1 C3:1 G2:1 | C3:1 G2:1 F2:1 A2:1 | G2:1 D3:1 G2:1 B2:1 |"
     " F2:1 C3:1 C3:1 G2:1 | D3:1 A2:1 F2:1 C3:1 | G2:1 D3:1 G2:1 B2:1 | C3:2 C2:2",
     Instrument::Pluck, 0.4},
};

// The home view: calm, in F, three beats a bar at 90, soft pads under a plucked line; it loops.
const Part kHome[] = {
    {"A4:2 C5:1 | F5:2 E5:1 | D5:1 C5:1 A4:1 | C5:3 | Bb4:2 D5:1 | G5:2 F5:1 | E5:1 D5:1 Bb4:1 | C5:3",
     Instrument::Pluck, 0.4},
    {"F3+A3+C4:3 | D3+F3+A3:3 | Bb2+D3+F3:3 | C3+E3+G3:3 | G2+Bb2+D3:3 | Bb2+D3+F3:3 | G2+Bb2+E3:3 |"
     " C3+E3+G3+Bb3:3",
     Instrument::Pad, 0.12},
    {"F2:3 | D2:3 | Bb1:3 | C2:3 | G1:3 | Bb1:3 | C2:3 | C2:3", Instrument::Pluck, 0.35},
};

template <size_t N>
double playParts(Buffer& b, const Part (&parts)[N], double beat) {
  double beats = 0;
  for (const Part& p : parts) beats = std::max(beats, playPart(b, p, beat));
  return beats * beat;
}

}  // namespace

Buffer titleTheme() {
  Buffer b(17.5);
  const double length = playParts(b, kTitle, 0.5);
  b.s.resize(static_cast<size_t>((length + 1.5) * Rate));
  normalise(b, 0.7);
  return b;
}

Buffer homeLoop() {
  Buffer b(17.0);
  const double length = playParts(b, kHome, 60.0 / 90);
  foldLoop(b, length);
  normalise(b, 0.5);
  return b;
}

}  // namespace soundgen
