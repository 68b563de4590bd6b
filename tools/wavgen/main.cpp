// Writes the game's four sounds into the folder given as the only argument:
//   その他.wav  a two-note chime          禁止.wav  a short low buzz for a refused move
//   駒打音.wav  the wooden click of a piece  BGM.wav   a calm tune in a Japanese pentatonic scale,
//                                                      exactly 30 s, looping without a seam
// Everything is computed (no randomness beyond a fixed-seed generator), so every build writes
// the same bytes. Mono, 22050 Hz, 16-bit PCM keeps the files small.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int rate = 22050;
constexpr double pi = 3.14159265358979323846;

using Samples = std::vector<double>;

// A fixed-seed generator so the noise in the click is the same on every build.
struct Noise {
    std::uint32_t state = 0x2545f491u;
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }
};

double noteHz(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

int secondsToSamples(double s) {
    return static_cast<int>(std::lround(s * rate));
}

// Scales so the loudest sample reaches peak (never above), leaving headroom against clipping.
void normalise(Samples& s, double peak) {
    double m = 0.0;
    for (double v : s) m = std::max(m, std::abs(v));
    if (m <= 0.0) return;
    for (double& v : s) v *= peak / m;
}

// Short fades at both ends so a one-shot sound never starts or stops with a click.
void fadeEnds(Samples& s, double inSeconds, double outSeconds) {
    const int in = std::min<int>(secondsToSamples(inSeconds), static_cast<int>(s.size()));
    const int out = std::min<int>(secondsToSamples(outSeconds), static_cast<int>(s.size()));
    for (int i = 0; i < in; ++i) s[i] *= static_cast<double>(i) / in;
    for (int i = 0; i < out; ++i) s[s.size() - 1 - i] *= static_cast<double>(i) / out;
}

bool writeWav(const std::string& path, const Samples& s) {
    std::vector<std::int16_t> pcm(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double v = std::clamp(s[i], -1.0, 1.0) * 32767.0;
        pcm[i] = static_cast<std::int16_t>(std::lround(v));
    }
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    std::vector<std::uint8_t> out;
    auto put32 = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto put16 = [&out](std::uint16_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto tag = [&out](const char* t) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(t[i]));
    };
    tag("RIFF");
    put32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    tag("data");
    put32(dataBytes);
    for (std::int16_t v : pcm) put16(static_cast<std::uint16_t>(v));

    const std::string tmp = path + ".tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    if (std::fclose(f) != 0 || !ok) {
        std::remove(tmp.c_str());
        return false;
    }
    return std::rename(tmp.c_str(), path.c_str()) == 0;
}

// One struck bell: a few partials, the higher ones dying away sooner.
void addBell(Samples& s, double start, double hz, double gain) {
    struct Partial {
        double ratio, amp, decay;
    };
    static constexpr Partial partials[] = {{1.0, 1.0, 1.6},
                                           {2.0, 0.45, 0.9},
                                           {3.01, 0.22, 0.5},
                                           {4.17, 0.12, 0.3},
                                           {5.43, 0.06, 0.18}};
    const int first = secondsToSamples(start);
    const int attack = secondsToSamples(0.004);
    for (int i = first; i < static_cast<int>(s.size()); ++i) {
        const double t = static_cast<double>(i - first) / rate;
        double v = 0.0;
        for (const Partial& p : partials)
            v += p.amp * std::exp(-t / p.decay) * std::sin(2 * pi * hz * p.ratio * t);
        const double env = i - first < attack ? static_cast<double>(i - first) / attack : 1.0;
        s[i] += gain * env * v;
    }
}

Samples chime() {
    Samples s(secondsToSamples(1.9), 0.0);
    addBell(s, 0.0, noteHz(79), 1.0);   // G5
    addBell(s, 0.32, noteHz(76), 0.9);  // E5
    fadeEnds(s, 0.0, 0.25);
    normalise(s, 0.6);
    return s;
}

// A low, slightly rough tone: a band-limited sawtooth with a gentle flutter.
Samples buzz() {
    const double length = 0.30;
    Samples s(secondsToSamples(length), 0.0);
    const double f0 = 98.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        double v = 0.0;
        for (int n = 1; n * f0 < 2500.0; ++n)
            v += std::sin(2 * pi * f0 * n * t) / std::pow(n, 1.25);
        const double flutter = 0.8 + 0.2 * std::sin(2 * pi * 24.0 * t);
        s[i] = v * flutter;
    }
    fadeEnds(s, 0.01, 0.06);
    normalise(s, 0.55);
    return s;
}

// The "pachi" of a hard wooden piece on a board: a few quickly damped resonances excited by a
// very short burst of noise, over a soft thump from the board.
Samples click() {
    Samples s(secondsToSamples(0.16), 0.0);
    struct Mode {
        double hz, amp, decay;
    };
    static constexpr Mode modes[] = {{180.0, 0.35, 0.022},
                                     {720.0, 0.55, 0.020},
                                     {1350.0, 1.0, 0.014},
                                     {2480.0, 0.6, 0.009},
                                     {3900.0, 0.35, 0.005}};
    Noise noise;
    double lp = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        double v = 0.0;
        for (const Mode& m : modes)
            v += m.amp * std::exp(-t / m.decay) * std::sin(2 * pi * m.hz * t);
        // The contact itself: two milliseconds of softened noise.
        lp += 0.5 * (noise.next() - lp);
        v += 0.8 * lp * std::exp(-t / 0.0015);
        s[i] = v;
    }
    fadeEnds(s, 0.0005, 0.02);
    normalise(s, 0.8);
    return s;
}

// --- the tune -------------------------------------------------------------------------------

constexpr double beatSeconds = 60.0 / 64.0;  // 64 beats a minute: 32 beats make 30 s exactly
constexpr int beatsInLoop = 32;

// Everything is added into the loop circularly: a tail that runs past the end of the loop
// sounds at its start, so playing the file over and over leaves no seam.
void addCircular(Samples& loop, int at, double v) {
    const int n = static_cast<int>(loop.size());
    loop[((at % n) + n) % n] += v;
}

// A plucked string in the manner of a koto: bright at the attack, mellowing as it rings.
void addPluck(Samples& loop, double beat, int midi, double gain, double ringSeconds) {
    const double hz = noteHz(midi);
    const int start = secondsToSamples(beat * beatSeconds);
    const int length = secondsToSamples(ringSeconds * 2.5);
    const int attack = secondsToSamples(0.003);
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        double v = 0.0;
        for (int n = 1; n <= 7 && n * hz < rate / 2.2; ++n) {
            const double amp = 1.0 / std::pow(n, 1.4);
            const double decay = ringSeconds / (1.0 + 0.9 * (n - 1));
            const double stretch = 1.0 + 0.0004 * n * n;  // a string's slight inharmonicity
            v += amp * std::exp(-t / decay) * std::sin(2 * pi * hz * n * stretch * t);
        }
        const double env = i < attack ? static_cast<double>(i) / attack : 1.0;
        // Release the last few hundredths so the note ends at silence, not mid-wave.
        const int left = length - i;
        const double release = left < 600 ? static_cast<double>(left) / 600.0 : 1.0;
        addCircular(loop, start + i, gain * env * release * v);
    }
}

// A soft held chord that swells in and out, like a distant reed organ.
void addPad(Samples& loop, double beat, double beats, const std::vector<int>& notes, double gain) {
    const int start = secondsToSamples(beat * beatSeconds);
    const int length = secondsToSamples((beats + 1.0) * beatSeconds);
    const double swell = 1.2 * rate;
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double rise = std::min(1.0, i / swell);
        const double fall = std::min(1.0, (length - i) / swell);
        const double env = std::sin(0.5 * pi * rise) * std::sin(0.5 * pi * fall);
        double v = 0.0;
        for (int m : notes) {
            const double hz = noteHz(m);
            v += std::sin(2 * pi * hz * t + 0.3 * std::sin(2 * pi * 4.5 * t)) +
                 0.2 * std::sin(4 * pi * hz * t);
        }
        addCircular(loop, start + i, gain * env * v / static_cast<double>(notes.size()));
    }
}

Samples tune() {
    Samples loop(secondsToSamples(beatsInLoop * beatSeconds), 0.0);

    // Melody in the yo scale on D (D E G A B): beat, length in beats, MIDI note.
    struct Note {
        double beat, beats;
        int midi;
    };
    constexpr int D4 = 62, E4 = 64, G4 = 67, A4 = 69, B4 = 71, D5 = 74, E5 = 76, G5 = 79;
    static constexpr Note melody[] = {
        {0, 1, A4},    {1, 1, B4},     {2, 2, D5},                // bar 1
        {4, 1.5, E5},  {5.5, .5, D5},  {6, 2, B4},                // bar 2
        {8, 1, A4},    {9, 1, G4},     {10, 1, E4}, {11, 1, G4},  // bar 3
        {12, 4, A4},                                              // bar 4
        {16, 1, D5},   {17, 1, E5},    {18, 2, G5},               // bar 5
        {20, 1.5, E5}, {21.5, .5, D5}, {22, 1, B4}, {23, 1, A4},  // bar 6
        {24, 1, G4},   {25, 1, E4},    {26, 1, D4}, {27, 1, E4},  // bar 7
        {28, 3, D4},                                              // bar 8
    };
    for (const Note& n : melody) addPluck(loop, n.beat, n.midi, 0.32, 0.45 + 0.35 * n.beats);

    // Low strings: the root on the first beat and the fifth on the third, one chord a bar.
    static constexpr int roots[8] = {50, 43, 52, 45, 50, 43, 45, 50};  // D G E A D G A D
    for (int bar = 0; bar < 8; ++bar) {
        addPluck(loop, bar * 4.0, roots[bar] - 12, 0.30, 1.4);
        addPluck(loop, bar * 4.0 + 2.0, roots[bar] - 5, 0.18, 1.0);
        addPad(loop, bar * 4.0, 4.0, {roots[bar], roots[bar] + 7, roots[bar] + 12}, 0.06);
    }

    // A little room: two soft echoes, also wrapped around the loop.
    Samples wet = loop;
    const int n = static_cast<int>(loop.size());
    const int d1 = secondsToSamples(0.23), d2 = secondsToSamples(0.41);
    for (int i = 0; i < n; ++i)
        wet[i] += 0.22 * loop[(i - d1 + n) % n] + 0.12 * loop[(i - d2 + n) % n];
    normalise(wet, 0.7);
    return wet;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    struct Output {
        const char* name;
        Samples samples;
    };
    const Output outputs[] = {{"その他.wav", chime()},
                              {"禁止.wav", buzz()},
                              {"駒打音.wav", click()},
                              {"BGM.wav", tune()}};
    for (const Output& o : outputs) {
        if (!writeWav(folder + o.name, o.samples)) {
            std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), o.name);
            return 1;
        }
    }
    return 0;
}
