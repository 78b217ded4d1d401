// Writes the game's six sound cues as WAV files: mono, 8-bit unsigned PCM, 22050
// samples per second. Everything is synthesised from fixed numbers, so every run
// gives the same bytes.   make-sounds OUTDIR   ->  OUTDIR/cue1.wav .. cue6.wav
//
// Each clip rises from silence and falls back to it under raised-cosine ramps, so
// no cue starts or ends with a click; peaks stay near half of full scale.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int SampleRate = 22050;
constexpr double Pi = 3.14159265358979323846;

using Signal = std::vector<double>;

double Seconds(int sample) {
    return double(sample) / SampleRate;
}

// 0 at `from`, 1 after `length` seconds, smooth at both ends.
double RampUp(double t, double from, double length) {
    if (t <= from) return 0.0;
    if (t >= from + length) return 1.0;
    return 0.5 - 0.5 * std::cos(Pi * (t - from) / length);
}

// Fades the first `attack` and the last `release` seconds of the clip.
void Ramps(Signal& s, double attack, double release) {
    const double end = Seconds(int(s.size()) - 1);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = Seconds(int(i));
        s[i] *= RampUp(t, 0.0, attack) * RampUp(end - t, 0.0, release);
    }
}

// Scales the clip so that its loudest sample reaches `peak` (of full scale 1).
void Normalise(Signal& s, double peak) {
    double most = 0.0;
    for (double v : s)
        most = std::max(most, std::abs(v));
    if (most > 0.0)
        for (double& v : s)
            v *= peak / most;
}

// A sine whose frequency glides exponentially from f0 to f1 over the clip.
void AddGlide(Signal& s, double f0, double f1, double level, double decay, double from = 0.0) {
    const double length = Seconds(int(s.size()));
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = Seconds(int(i));
        if (t < from) continue;
        const double f = f0 * std::pow(f1 / f0, t / length);
        phase += 2.0 * Pi * f / SampleRate;
        s[i] += level * std::exp(-(t - from) / decay) * std::sin(phase);
    }
}

// A struck tone: fundamental with two softer overtones that die away sooner.
void AddNote(Signal& s, double start, double freq, double level, double decay) {
    static const double ratio[] = {1.0, 2.0, 3.0};
    static const double weight[] = {1.0, 0.28, 0.09};
    for (size_t i = size_t(start * SampleRate); i < s.size(); ++i) {
        const double t = Seconds(int(i)) - start;
        const double onset = RampUp(t, 0.0, 0.008);
        double v = 0.0;
        for (int k = 0; k < 3; ++k)
            v += weight[k] * std::exp(-t * (k + 1) / decay) *
                 std::sin(2.0 * Pi * freq * ratio[k] * t);
        s[i] += level * onset * v;
    }
}

// Deterministic noise, lowpassed so the knock sounds woody rather than hissing.
void AddKnock(Signal& s, double level, double decay, double smoothing) {
    uint32_t state = 0x1234567u;
    double low = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        const double white = double(state >> 8) / double(1u << 24) * 2.0 - 1.0;
        low += smoothing * (white - low);
        s[i] += level * std::exp(-Seconds(int(i)) / decay) * low;
    }
}

Signal PickUp() { // cue 1: a soft rising blip
    Signal s(2226, 0.0);
    AddGlide(s, 480.0, 900.0, 1.0, 0.045);
    AddGlide(s, 960.0, 1800.0, 0.12, 0.025);
    Ramps(s, 0.006, 0.015);
    Normalise(s, 0.40);
    return s;
}

Signal PutDown() { // cue 2: a firm low thock
    Signal s(2820, 0.0);
    AddGlide(s, 190.0, 105.0, 1.0, 0.045);
    AddGlide(s, 640.0, 520.0, 0.35, 0.012);
    AddKnock(s, 0.5, 0.010, 0.25);
    Ramps(s, 0.002, 0.020);
    Normalise(s, 0.55);
    return s;
}

Signal TurnTick() { // cue 3: a light high tick
    Signal s(606, 0.0);
    AddGlide(s, 2300.0, 2100.0, 1.0, 0.007);
    AddGlide(s, 3500.0, 3300.0, 0.3, 0.004);
    Ramps(s, 0.0015, 0.006);
    Normalise(s, 0.28);
    return s;
}

Signal MoveTick() { // cue 4: a light, lower tock
    Signal s(1156, 0.0);
    AddGlide(s, 1250.0, 1050.0, 1.0, 0.011);
    AddGlide(s, 2600.0, 2300.0, 0.2, 0.006);
    Ramps(s, 0.002, 0.010);
    Normalise(s, 0.28);
    return s;
}

Signal Solved() { // cue 5: a rising arpeggio that lands on a ringing C major chord
    constexpr double C5 = 523.25, E5 = 659.26, G5 = 783.99, C6 = 1046.50;
    Signal s(50752, 0.0);
    const struct {
        double start, freq;
    } melody[] = {{0.00, C5}, {0.12, E5}, {0.24, G5}, {0.36, C6}, {0.56, G5}, {0.68, C6}};
    for (const auto& n : melody)
        AddNote(s, n.start, n.freq, 1.0, 0.30);
    const double chord[] = {C5, E5, G5, C6};
    for (int k = 0; k < 4; ++k)
        AddNote(s, 0.90 + 0.02 * k, chord[k], 0.7, 0.55);
    Ramps(s, 0.004, 0.40);
    Normalise(s, 0.55);
    return s;
}

Signal Refused() { // cue 6: a low buzz, a band-limited square wave that sags a little
    Signal s(5512, 0.0);
    double phase = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = Seconds(int(i));
        phase += 2.0 * Pi * (118.0 - 24.0 * t) / SampleRate;
        double v = 0.0;
        for (int k = 1; k <= 11; k += 2)
            v += std::sin(k * phase) / std::pow(k, 1.4);
        s[i] = v;
    }
    Ramps(s, 0.010, 0.045);
    Normalise(s, 0.42);
    return s;
}

void Put32(std::string& out, uint32_t v) {
    for (int k = 0; k < 4; ++k)
        out += char((v >> (8 * k)) & 0xFF);
}
void Put16(std::string& out, uint16_t v) {
    out += char(v & 0xFF);
    out += char(v >> 8);
}

// Whole RIFF image: "fmt " chunk (PCM, 1 channel, 22050 Hz, 8 bit), then "data".
std::string WaveImage(const Signal& s) {
    const auto count = uint32_t(s.size());
    std::string out = "RIFF";
    Put32(out, 36 + count + (count & 1));
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, SampleRate);
    Put32(out, SampleRate);
    Put16(out, 1);
    Put16(out, 8);
    out += "data";
    Put32(out, count);
    for (double v : s)
        out += char(std::clamp(int(std::lround(128.0 + 127.0 * v)), 0, 255));
    if (count & 1) out += char(0);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sounds OUTDIR\n");
        return 2;
    }
    const Signal clips[] = {PickUp(), PutDown(), TurnTick(), MoveTick(), Solved(), Refused()};
    for (int n = 0; n < 6; ++n) {
        const std::string path = std::string(argv[1]) + "/cue" + std::to_string(n + 1) + ".wav";
        const std::string image = WaveImage(clips[n]);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(image.data(), 1, image.size(), f) != image.size() ||
            std::fclose(f) != 0) {
            std::fprintf(stderr, "make-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
