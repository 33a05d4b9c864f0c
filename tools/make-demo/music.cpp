// Synthesis of the sample demo's music. Every note is rendered on its own into one of three
// buses: drums, the harmonic bed (bass, pads, arpeggio; ducked under the kick) and the lead
// (sent through a ping-pong delay). Oscillators are band-limited with polyBLEP; noise comes
// from a seeded generator, so the track is the same on every run.
#include "music.h"

#include <algorithm>
#include <cmath>

#include "mp3_encoder.h"
#include "random.h"

namespace quintaval::demo {

namespace {

constexpr double kRate = kMusicSampleRate;
constexpr double kBeat = 0.5;  // 120 beats per minute
constexpr double kBar = 4 * kBeat;
constexpr double kSection = 8 * kBar;
constexpr double kTau = 2 * M_PI;

struct Bus {
  std::vector<float> l, r;
  explicit Bus(size_t n) : l(n, 0.0f), r(n, 0.0f) {}
  size_t size() const { return l.size(); }
  // pan -1 is left, +1 right, with constant power.
  void add(size_t i, double value, double pan) {
    if (i >= l.size()) return;
    const double a = (pan + 1) * M_PI / 4;
    l[i] += static_cast<float>(value * std::cos(a));
    r[i] += static_cast<float>(value * std::sin(a));
  }
};

double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

size_t sampleAt(double seconds) { return static_cast<size_t>(std::lround(seconds * kRate)); }

double polyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1;
  }
  if (t > 1 - dt) {
    t = (t - 1) / dt;
    return t * t + t + t + 1;
  }
  return 0;
}

// Band-limited sawtooth and pulse; `phase` is in cycles and advanced by the caller.
double saw(double phase, double dt) { return 2 * phase - 1 - polyBlep(phase, dt); }
double pulse(double phase, double dt, double duty) {
  double shifted = phase + (1 - duty);
  shifted -= std::floor(shifted);
  return saw(phase, dt) - saw(shifted, dt);
}

// Two cascaded one-pole low-pass filters (12 dB per octave).
struct LowPass {
  double a = 0, b = 0;
  double run(double x, double cutoffHz) {
    const double k = 1 - std::exp(-kTau * std::min(cutoffHz, kRate * 0.45) / kRate);
    a += k * (x - a);
    b += k * (a - b);
    return b;
  }
};

// Attack, hold until `length`, then release; seconds.
double envelope(double t, double attack, double length, double release) {
  if (t < attack) return t / attack;
  if (t < length) return 1;
  return std::max(0.0, 1 - (t - length) / release);
}

struct Chord {
  int notes[3];
  int bass;
};
constexpr Chord kAm{{57, 60, 64}, 45};
constexpr Chord kF{{57, 60, 65}, 41};
constexpr Chord kC{{55, 60, 64}, 48};
constexpr Chord kG{{55, 59, 62}, 43};
constexpr Chord kE{{56, 59, 64}, 40};
constexpr Chord kDm{{57, 62, 65}, 50};
const Chord kThemeA[8] = {kAm, kF, kC, kG, kAm, kF, kG, kE};
const Chord kThemeB[8] = {kDm, kAm, kF, kG, kDm, kAm, kE, kE};
const Chord kOutro[8] = {kAm, kF, kC, kG, kAm, kF, kE, kAm};

struct Note {
  double beat, length;
  int midi;
};
// Lead melodies, one bar per row, beats from the start of the bar.
const std::vector<std::vector<Note>> kMelodyA = {
    {{0, 1.5, 76}, {1.5, 0.5, 74}, {2, 1, 72}, {3, 1, 69}},
    {{0, 1.5, 72}, {1.5, 0.5, 74}, {2, 2, 77}},
    {{0, 1, 76}, {1, 1, 74}, {2, 1, 72}, {3, 1, 67}},
    {{0, 3, 74}, {3, 1, 71}},
    {{0, 1.5, 76}, {1.5, 0.5, 77}, {2, 1, 79}, {3, 1, 81}},
    {{0, 2, 81}, {2, 1, 79}, {3, 1, 77}},
    {{0, 1, 79}, {1, 1, 77}, {2, 1, 74}, {3, 1, 71}},
    {{0, 2, 71}, {2, 2, 68}},
};
const std::vector<std::vector<Note>> kMelodyB = {
    {{0, 0.5, 81}, {0.5, 0.5, 79}, {1, 0.5, 76}, {1.5, 1, 72}, {2.5, 0.5, 74}, {3, 1, 76}},
    {{0, 0.5, 77}, {0.5, 0.5, 76}, {1, 0.5, 72}, {1.5, 1, 69}, {2.5, 1.5, 72}},
    {{0, 0.5, 79}, {0.5, 0.5, 76}, {1, 0.5, 72}, {1.5, 1, 67}, {2.5, 0.5, 72}, {3, 1, 76}},
    {{0, 1.5, 74}, {1.5, 0.5, 71}, {2, 2, 67}},
    {{0, 0.5, 81}, {0.5, 0.5, 79}, {1, 0.5, 76}, {1.5, 1, 72}, {2.5, 0.5, 74}, {3, 1, 76}},
    {{0, 0.5, 77}, {0.5, 0.5, 81}, {1, 0.5, 84}, {1.5, 1.5, 81}, {3, 1, 77}},
    {{0, 1, 79}, {1, 0.5, 74}, {1.5, 0.5, 71}, {2, 1, 74}, {3, 1, 79}},
    {{0, 2, 80}, {2, 2, 76}},
};

class Arranger {
 public:
  Arranger()
      : length_(sampleAt(kMusicSeconds)),
        drums_(length_),
        bed_(length_),
        lead_(length_),
        duck_(length_, 0.0f),
        noise_(1234) {}

  void kick(double at, double velocity) {
    const size_t start = sampleAt(at);
    double phase = 0;
    for (size_t i = 0; i < sampleAt(0.4); ++i) {
      const double t = i / kRate;
      const double hz = 50 + 110 * std::exp(-t / 0.012);
      phase += hz / kRate;
      const double amp = std::exp(-t / 0.15) * std::min(1.0, t / 0.002);
      const double click = (noise_.uniform() * 2 - 1) * std::exp(-t / 0.0015) * 0.25;
      drums_.add(start + i, velocity * (std::sin(kTau * phase) * amp + click), 0);
      if (start + i < length_) {
        duck_[start + i] = std::max(duck_[start + i], static_cast<float>(velocity * std::exp(-t / 0.14)));
      }
    }
  }

  void snare(double at, double velocity) {
    const size_t start = sampleAt(at);
    double low = 0;
    for (size_t i = 0; i < sampleAt(0.35); ++i) {
      const double t = i / kRate;
      const double n = noise_.uniform() * 2 - 1;
      low += 0.25 * (n - low);
      const double body = std::sin(kTau * 185 * t) * std::exp(-t / 0.05) * 0.6;
      drums_.add(start + i, velocity * ((n - low) * std::exp(-t / 0.12) + body), -0.05);
    }
  }

  void hat(double at, double velocity, bool open) {
    const size_t start = sampleAt(at);
    const double decay = open ? 0.16 : 0.03;
    double low = 0;
    for (size_t i = 0; i < sampleAt(decay * 5); ++i) {
      const double t = i / kRate;
      const double n = noise_.uniform() * 2 - 1;
      low += 0.6 * (n - low);
      drums_.add(start + i, velocity * (n - low) * std::exp(-t / decay), 0.3);
    }
  }

  void bass(double at, double length, int midi, double velocity) {
    const size_t start = sampleAt(at);
    const double hz = midiHz(midi), dt = hz / kRate;
    double p1 = 0, p2 = 0.3, sub = 0;
    LowPass filter;
    for (size_t i = 0; i < sampleAt(length + 0.03); ++i) {
      const double t = i / kRate;
      const double raw = 0.5 * saw(p1, dt) + 0.5 * saw(p2, dt * 1.004) + 0.8 * std::sin(kTau * sub);
      const double cutoff = 250 + 1400 * std::exp(-t / 0.09);
      bed_.add(start + i, velocity * filter.run(raw, cutoff) * envelope(t, 0.004, length, 0.03), 0);
      p1 += dt;
      p1 -= std::floor(p1);
      p2 += dt * 1.004;
      p2 -= std::floor(p2);
      sub += dt;
    }
  }

  void pad(double at, double length, int midi, double velocity, double cutoff) {
    const size_t start = sampleAt(at);
    const double hz = midiHz(midi);
    const double detune[2] = {std::pow(2.0, -8 / 1200.0), std::pow(2.0, 8 / 1200.0)};
    double phase[2] = {0.1 * midi - std::floor(0.1 * midi), 0.5};
    LowPass filter[2];
    for (size_t i = 0; i < sampleAt(length + 0.6); ++i) {
      const double t = i / kRate;
      const double env = envelope(t, 0.25, length, 0.6) * velocity;
      for (int v = 0; v < 2; ++v) {
        const double dt = hz * detune[v] / kRate;
        bed_.add(start + i, env * filter[v].run(saw(phase[v], dt), cutoff), v == 0 ? -0.6 : 0.6);
        phase[v] += dt;
        phase[v] -= std::floor(phase[v]);
      }
    }
  }

  void pluck(double at, int midi, double velocity, double pan) {
    const size_t start = sampleAt(at);
    const double dt = midiHz(midi) / kRate;
    double phase = 0;
    LowPass filter;
    for (size_t i = 0; i < sampleAt(0.5); ++i) {
      const double t = i / kRate;
      const double raw = pulse(phase, dt, 0.5);
      bed_.add(start + i, velocity * filter.run(raw, 600 + 3000 * std::exp(-t / 0.05)) *
                              std::exp(-t / 0.12) * std::min(1.0, t / 0.002), pan);
      phase += dt;
      phase -= std::floor(phase);
    }
  }

  void lead(double at, double length, int midi, double velocity) {
    const size_t start = sampleAt(at);
    const double hz = midiHz(midi);
    double phase = 0;
    LowPass filter;
    for (size_t i = 0; i < sampleAt(length + 0.08); ++i) {
      const double t = i / kRate;
      const double vibrato = t > 0.15 ? 0.25 * std::sin(kTau * 5.5 * t) * std::min(1.0, (t - 0.15) / 0.2) : 0;
      const double dt = hz * std::pow(2.0, vibrato / 12) / kRate;
      const double raw = 0.6 * pulse(phase, dt, 0.3) + 0.4 * saw(phase, dt);
      lead_.add(start + i, velocity * filter.run(raw, 2600) * envelope(t, 0.01, length, 0.08), 0);
      phase += dt;
      phase -= std::floor(phase);
    }
  }

  void chordBar(double at, const Chord& chord, double velocity, double cutoff) {
    for (int note : chord.notes) pad(at, kBar - 0.05, note, velocity, cutoff);
  }

  void melody(double sectionStart, const std::vector<std::vector<Note>>& bars, int transpose,
              double velocity) {
    for (size_t bar = 0; bar < bars.size(); ++bar) {
      for (const Note& note : bars[bar]) {
        lead(sectionStart + bar * kBar + note.beat * kBeat, note.length * kBeat * 0.92,
             note.midi + transpose, velocity);
      }
    }
  }

  StereoSamples mix() {
    // Ping-pong delay of three eighths on the lead.
    const size_t delay = sampleAt(kBeat * 0.75);
    for (size_t i = delay; i < length_; ++i) {
      lead_.l[i] += 0.38f * lead_.r[i - delay];
      lead_.r[i] += 0.38f * lead_.l[i - delay];
    }
    StereoSamples out;
    out.left.resize(length_);
    out.right.resize(length_);
    const size_t fadeStart = sampleAt(127.0), fadeEnd = sampleAt(133.5);
    for (size_t i = 0; i < length_; ++i) {
      const double duck = 1 - 0.55 * duck_[i];
      double fade = 1;
      if (i > fadeStart) fade = i >= fadeEnd ? 0 : 1 - double(i - fadeStart) / double(fadeEnd - fadeStart);
      const double l = drums_.l[i] + duck * bed_.l[i] + lead_.l[i];
      const double r = drums_.r[i] + duck * bed_.r[i] + lead_.r[i];
      out.left[i] = static_cast<float>(std::tanh(l * 0.9) * fade);
      out.right[i] = static_cast<float>(std::tanh(r * 0.9) * fade);
    }
    return out;
  }

 private:
  size_t length_;
  Bus drums_, bed_, lead_;
  std::vector<float> duck_;
  Random noise_;
};

void arrange(Arranger& a) {
  for (int section = 0; section < 8; ++section) {
    const double s0 = section * kSection;
    const Chord* chords = section == 3 || section == 5 ? kThemeB : section == 7 ? kOutro : kThemeA;
    const bool full = section == 2 || section == 4 || section == 6;
    for (int bar = 0; bar < 8; ++bar) {
      const double b0 = s0 + bar * kBar;
      const Chord& chord = chords[bar];
      // Harmonic bed: the intro opens its filter bar by bar, the outro closes it.
      double cutoff = full ? 2600 : 1800;
      if (section == 0) cutoff = 350 + bar * 300;
      if (section == 5) cutoff = 1100;
      if (section == 7) cutoff = 2000 - bar * 180;
      const bool lastChord = section == 7 && bar == 7;
      if (lastChord) {
        for (int note : chord.notes) a.pad(b0, 5.0, note, 0.09, 900);
        a.bass(b0, 4.0, chord.bass, 0.22);
      } else {
        a.chordBar(b0, chord, 0.075, cutoff);
      }
      for (int beat = 0; beat < 4; ++beat) {
        const double t = b0 + beat * kBeat;
        const bool kickOn = section < 7 || bar < 6;
        if (kickOn) a.kick(t, section == 0 ? 0.75 : 0.9);
        if (full || section == 3 || (section == 5 && bar >= 4)) {
          if (beat == 1 || beat == 3) a.snare(t, full ? 0.3 : 0.22);
        }
        if (section != 5 || bar >= 2) {
          a.hat(t, 0.05, false);
          a.hat(t + kBeat / 2, full ? 0.11 : 0.08, section == 6 && beat == 3);
        }
        // Bass in eighths with octave jumps, from the second section on.
        if (section >= 1 && section != 5 && !lastChord && !(section == 7 && bar >= 6)) {
          const int pattern[2] = {0, beat % 2 == 1 ? 12 : 0};
          for (int e = 0; e < 2; ++e) {
            a.bass(t + e * kBeat / 2, kBeat / 2 * 0.8, chord.bass + pattern[e], 0.24);
          }
        }
      }
      // Arpeggio in sixteenths over the chord.
      if (section == 1 || section == 3 || section == 4 || section == 5 || section == 6) {
        const int order[8] = {0, 1, 2, 3, 2, 1, 3, 1};
        for (int k = 0; k < 16; ++k) {
          const int index = order[k % 8];
          const int note = index == 3 ? chord.notes[0] + 12 : chord.notes[index];
          a.pluck(b0 + k * kBeat / 4, note + 12, section == 5 ? 0.1 : 0.07, -0.35);
        }
      }
      // A snare roll in the bar before each 3D section.
      if ((section == 1 || section == 3 || section == 5) && bar == 7) {
        for (int k = 0; k < 16; ++k) a.snare(b0 + k * kBeat / 4, 0.08 + 0.015 * k);
      }
    }
    if (section == 2) a.melody(s0, kMelodyA, 0, 0.15);
    if (section == 4) a.melody(s0, kMelodyB, 0, 0.15);
    if (section == 6) {
      a.melody(s0, kMelodyB, 0, 0.14);
      a.melody(s0, kMelodyA, -12, 0.1);
    }
    if (section == 7) {
      std::vector<std::vector<Note>> closing(kMelodyA.begin(), kMelodyA.begin() + 4);
      a.melody(s0, closing, 0, 0.1);
    }
  }
}

}  // namespace

StereoSamples synthesiseMusic() {
  Arranger arranger;
  arrange(arranger);
  return arranger.mix();
}

void makeMusic(DemoTree& tree) {
  const StereoSamples samples = synthesiseMusic();
  const std::string mp3 = encodeMp3(samples.left, samples.right, kMusicSampleRate, 128);
  if (mp3.empty()) {
    tree.fail("MP3 encoding failed");
    return;
  }
  tree.writeFile("Sound/Musica.mp3", mp3);
}

}  // namespace quintaval::demo
