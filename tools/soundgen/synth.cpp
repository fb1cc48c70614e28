#include "synth.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace soundgen {

namespace {

constexpr double kTau = 2 * std::numbers::pi;

size_t sampleAt(double seconds) { return static_cast<size_t>(std::max(0.0, seconds) * Rate); }

void putLe(std::ofstream& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xff));
}

// Attack, hold at 1, then a linear release over the last `release` seconds of `dur`.
double envelope(double t, double dur, double attack, double release) {
  if (t < attack) return t / attack;
  if (t > dur - release) return std::max(0.0, (dur - t) / release);
  return 1.0;
}

}  // namespace

void Buffer::add(double at, size_t i, double v) {
  const size_t n = sampleAt(at) + i;
  if (n < s.size()) s[n] += v;
}

double Noise::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

double Noise::between(double a, double b) { return a + (b - a) * (next() + 1) / 2; }

double noteFrequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

int midiOf(std::string_view name) {
  static constexpr int kSteps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
  int semitone = kSteps[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#')
    semitone += 1, ++i;
  else if (name[i] == 'b')
    semitone -= 1, ++i;
  if (i >= name.size() || name[i] < '0' || name[i] > '8') return -1;
  return (name[i] - '0' + 1) * 12 + semitone;
}

void bell(Buffer& b, double at, double freq, double amp, double decay, const std::vector<double>& ratios) {
  const size_t n = sampleAt(decay * 6);
  for (size_t k = 0; k < ratios.size(); ++k) {
    const double f = freq * ratios[k];
    const double d = decay / (1 + 0.6 * k);
    const double a = amp / (1 + 0.7 * k);
    for (size_t i = 0; i < n; ++i) {
      const double t = static_cast<double>(i) / Rate;
      b.add(at, i, a * std::exp(-t / d) * std::sin(kTau * f * t));
    }
  }
}

void brass(Buffer& b, double at, double dur, double freq, double amp) {
  const size_t n = sampleAt(dur + 0.08);
  double phase = 0;  // accumulated, so that the vibrato bends the pitch without drifting it
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / Rate;
    const double env = envelope(t, dur + 0.08, 0.03, 0.1);
    // The brightness swells with the note, as a player's breath does.
    const double bright = std::min(1.0, t / 0.08);
    phase += kTau * freq * (1 + 0.004 * std::sin(kTau * 5.5 * t) * std::min(1.0, t / 0.3)) / Rate;
    double v = 0;
    for (int h = 1; h <= 8; ++h) v += std::sin(h * phase) / (h * (h > 2 ? 2 - bright : 1.0));
    b.add(at, i, amp * env * v * 0.35);
  }
}

void pluck(Buffer& b, double at, double dur, double freq, double amp) {
  const size_t n = sampleAt(dur + 0.6);
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / Rate;
    double v = 0;
    for (int h = 1; h <= 5; ++h) v += std::exp(-t * (2.0 + 3.0 * h)) * std::sin(kTau * freq * h * t) / h;
    const double damp = t > dur ? std::exp(-(t - dur) * 12) : 1.0;
    b.add(at, i, amp * std::min(1.0, t / 0.004) * damp * v);
  }
}

void pad(Buffer& b, double at, double dur, double freq, double amp) {
  const size_t n = sampleAt(dur + 0.5);
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / Rate;
    const double env = envelope(t, dur + 0.5, 0.25, 0.6);
    const double v = std::sin(kTau * freq * t) + 0.3 * std::sin(kTau * freq * 2.003 * t) +
                     0.12 * std::sin(kTau * freq * 3 * t);
    b.add(at, i, amp * env * v * 0.7);
  }
}

void drum(Buffer& b, double at, double freq, double amp, double decay, Noise& noise) {
  const size_t n = sampleAt(decay * 5);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / Rate;
    phase += kTau * freq * (1 + 0.6 * std::exp(-t / 0.03)) / Rate;
    const double skin = 0.25 * noise.next() * std::exp(-t / 0.015);
    b.add(at, i, amp * std::exp(-t / decay) * (std::sin(phase) + skin));
  }
}

void bandNoise(Buffer& b, double at, double dur, double centre, double width, double amp, double attack,
               Noise& noise) {
  // A two-pole resonator: r sets the width, theta the centre.
  const double r = std::exp(-std::numbers::pi * width / Rate);
  const double c1 = 2 * r * std::cos(kTau * centre / Rate);
  const double c2 = -r * r;
  const double gain = (1 - r * r) * 0.5;
  double y1 = 0, y2 = 0;
  const size_t n = sampleAt(dur);
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / Rate;
    const double y = gain * noise.next() + c1 * y1 + c2 * y2;
    y2 = y1;
    y1 = y;
    const double env = std::min(1.0, t / attack) * std::min(1.0, (dur - t) / 0.05);
    b.add(at, i, amp * env * y * 8);
  }
}

void normalise(Buffer& b, double peak) {
  double most = 0;
  for (double v : b.s) most = std::max(most, std::abs(v));
  if (most <= 0) return;
  for (double& v : b.s) v *= peak / most;
}

void foldLoop(Buffer& b, double length) {
  const size_t n = sampleAt(length);
  for (size_t i = n; i < b.s.size(); ++i) b.s[i % n] += b.s[i];
  b.s.resize(n);
}

void writeWav(const std::filesystem::path& file, const Buffer& b) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + file.string());
  const auto bytes = static_cast<uint32_t>(b.s.size() * 2);
  out.write("RIFF", 4);
  putLe(out, 36 + bytes, 4);
  out.write("WAVEfmt ", 8);
  putLe(out, 16, 4);
  putLe(out, 1, 2);  // PCM
  putLe(out, 1, 2);  // mono
  putLe(out, Rate, 4);
  putLe(out, Rate * 2, 4);
  putLe(out, 2, 2);
  putLe(out, 16, 2);
  out.write("data", 4);
  putLe(out, bytes, 4);
  for (double v : b.s) {
    const auto q = static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
    putLe(out, static_cast<uint16_t>(q), 2);
  }
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace soundgen
