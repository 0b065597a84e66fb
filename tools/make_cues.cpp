// Writes the game's seven sound cues as 16-bit PCM mono 44.1 kHz wave files into the directory
// given as the only argument. Every sound is synthesised here, so nothing has to be shipped.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 44100;
constexpr double Pi = 3.14159265358979323846;

using Samples = std::vector<double>;

// A note: frequency (Hz, optionally gliding to `endFreq`), start and length in seconds,
// attack and decay times, loudness, and the mix of overtones that gives it its colour.
struct Note {
    double freq;
    double start;
    double length;
    double attack = 0.005;
    double decay = 0.15;  // time for the level to fall to 1/e
    double level = 1.0;
    double endFreq = 0;                     // 0 = no glide
    std::vector<double> overtones = {1.0};  // amplitudes of harmonics 1, 2, 3 …
};

void Add(Samples& out, const Note& n)
{
    const int first = int(n.start * Rate);
    const int count = int(n.length * Rate);
    if (out.size() < size_t(first + count)) out.resize(first + count, 0.0);
    double phase = 0;
    const double release = std::min(0.01, n.length / 4);  // fade to zero at the end: no click
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / Rate;
        const double f = n.endFreq > 0 ? n.freq * std::pow(n.endFreq / n.freq, t / n.length) : n.freq;
        phase += 2 * Pi * f / Rate;
        double v = 0;
        for (size_t h = 0; h < n.overtones.size(); ++h) v += n.overtones[h] * std::sin(phase * double(h + 1));
        double env = t < n.attack ? t / n.attack : std::exp(-(t - n.attack) / n.decay);
        if (t > n.length - release) env *= (n.length - t) / release;
        out[first + i] += n.level * env * v;
    }
}

// Scales the sound to a comfortable peak and pads a few milliseconds of silence.
Samples Finish(Samples s, double peak = 0.55)
{
    double max = 0;
    for (double v : s) max = std::max(max, std::abs(v));
    if (max > 0)
        for (double& v : s) v *= peak / max;
    s.resize(s.size() + Rate / 200, 0.0);
    return s;
}

Samples Pipo()
{
    Samples s;
    Add(s, {1046.5, 0.00, 0.09, 0.004, 0.06, 1.0, 0, {1.0, 0.25}});
    Add(s, {1568.0, 0.11, 0.12, 0.004, 0.07, 1.0, 0, {1.0, 0.25}});
    return Finish(s, 0.45);
}

Samples Poon()
{
    Samples s;
    Add(s, {392.0, 0.0, 0.50, 0.03, 0.20, 1.0, 330.0, {1.0, 0.3, 0.08}});
    return Finish(s, 0.5);
}

Samples Bubuu()
{
    // Odd harmonics of a low note give a soft square-wave buzz; two short blasts say "wrong".
    const std::vector<double> buzz = {1.0, 0, 0.33, 0, 0.2, 0, 0.14, 0, 0.11, 0, 0.09};
    Samples s;
    Add(s, {146.8, 0.00, 0.16, 0.01, 0.5, 1.0, 0, buzz});
    Add(s, {138.6, 0.21, 0.30, 0.01, 0.35, 1.0, 0, buzz});
    return Finish(s, 0.45);
}

Samples Pinpon()
{
    const std::vector<double> bell = {1.0, 0.35, 0.1, 0.05};
    Samples s;
    Add(s, {1318.5, 0.00, 0.40, 0.003, 0.18, 1.0, 0, bell});
    Add(s, {1046.5, 0.25, 0.50, 0.003, 0.20, 1.0, 0, bell});
    return Finish(s);
}

Samples Arpeggio(const std::vector<double>& notes, double step, double ring)
{
    const std::vector<double> harp = {1.0, 0.4, 0.15, 0.05};
    Samples s;
    for (size_t i = 0; i < notes.size(); ++i) {
        const bool last = i + 1 == notes.size();
        Add(s, {notes[i], double(i) * step, last ? ring : step * 3, 0.003, last ? ring / 3 : 0.08, 1.0, 0, harp});
    }
    return Finish(s, 0.5);
}

Samples Charararan()
{
    // C major rising over two octaves, the top note ringing.
    return Arpeggio({523.3, 659.3, 784.0, 1046.5, 1318.5, 1568.0, 2093.0}, 0.065, 0.35);
}

Samples Chararan() { return Arpeggio({784.0, 987.8, 1174.7, 1568.0}, 0.055, 0.22); }

Samples Bun()
{
    Samples s;
    Add(s, {180.0, 0.0, 0.12, 0.004, 0.035, 1.0, 70.0, {1.0, 0.2}});
    return Finish(s, 0.6);
}

bool WriteWave(const std::filesystem::path& path, const Samples& samples)
{
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out.put(char((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](uint16_t v) {
        out.put(char(v & 0xFF));
        out.put(char(v >> 8));
    };
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(Rate);
    u32(Rate * 2);  // bytes per second
    u16(2);         // bytes per frame
    u16(16);        // bits per sample
    out.write("data", 4);
    u32(dataBytes);
    for (double v : samples) {
        const double clipped = std::clamp(v, -1.0, 1.0);
        u16(uint16_t(int16_t(std::lround(clipped * 32767))));
    }
    return bool(out);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const struct {
        const char* name;
        std::function<Samples()> make;
    } cues[] = {
        {"pipo", Pipo}, {"poon", Poon},         {"bubuu", Bubuu}, {"pinpon", Pinpon}, {"charararan", Charararan},
        {"bun", Bun},   {"chararan", Chararan},
    };
    for (const auto& cue : cues) {
        const auto path = dir / (std::string(cue.name) + ".wav");
        if (!WriteWave(path, cue.make())) {
            std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
