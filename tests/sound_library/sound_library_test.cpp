#include "sound/sound_library.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/text_file.h"

namespace nobakuza {
namespace {

const std::string programDir = NOBAKUZA_PROGRAM_DIR;
const char* const soundNames[] = {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"};
constexpr std::int32_t flagMusic = 1;
constexpr std::int32_t flagEffect = 3;

class SoundLibraryTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

    static std::string sound(const char* name) {
        auto bytes = readWholeFile(programDir + "/" + name);
        EXPECT_TRUE(bytes.has_value()) << name;
        return bytes.value_or(std::string());
    }
    static std::int32_t load(SoundApi& api, std::int32_t lib, const std::string& image,
                             std::int32_t flags) {
        return api.dsCreateDSB(lib, image.data(), static_cast<std::int32_t>(image.size()), flags);
    }
};

TEST_F(SoundLibraryTest, GeneratedSoundsLoadPlayAndFree) {
    SoundLibrary api(NOBAKUZA_SOUND_LIBRARY);
    ASSERT_TRUE(api.loaded());
    const std::int32_t lib = api.dsInitialize(0);
    ASSERT_NE(lib, 0);

    std::vector<std::int32_t> buffers;
    for (const char* name : soundNames) {
        const bool music = std::string(name) == "BGM.wav";
        const std::int32_t b = load(api, lib, sound(name), music ? flagMusic : flagEffect);
        EXPECT_NE(b, 0) << name;
        buffers.push_back(b);
    }
    // Four live sounds, four different handles.
    for (std::size_t i = 0; i < buffers.size(); ++i)
        for (std::size_t j = i + 1; j < buffers.size(); ++j) EXPECT_NE(buffers[i], buffers[j]);

    api.dsPlay(buffers[0]);
    api.dsPlay(buffers[0]);  // effects may overlap
    api.dsPlayLooping(buffers[3]);
    api.dsPlayLooping(buffers[3]);  // the tune never doubles up
    api.dsStop(buffers[3]);
    api.dsStop(buffers[3]);

    // A freed handle is dead for good, even once its slot holds another sound.
    api.dsFree(buffers[1]);
    api.dsFree(buffers[1]);
    const std::int32_t again = load(api, lib, sound("禁止.wav"), flagEffect);
    EXPECT_NE(again, 0);
    EXPECT_NE(again, buffers[1]);
    api.dsPlay(buffers[1]);

    for (std::int32_t b : {buffers[0], again, buffers[2], buffers[3]}) api.dsFree(b);
    api.dsTerminate(lib);
    // After the end every old handle is harmless, and the library can start again.
    api.dsPlay(buffers[0]);
    api.dsTerminate(lib);
    const std::int32_t lib2 = api.dsInitialize(0);
    EXPECT_NE(lib2, 0);
    EXPECT_NE(load(api, lib2, sound("BGM.wav"), flagMusic), 0);
    api.dsTerminate(lib2);
}

TEST_F(SoundLibraryTest, BadImagesAndArgumentsGiveZero) {
    SoundLibrary api(NOBAKUZA_SOUND_LIBRARY);
    ASSERT_TRUE(api.loaded());
    const std::int32_t lib = api.dsInitialize(0);
    ASSERT_NE(lib, 0);
    const std::string chime = sound("その他.wav");

    const std::string garbage(4096, '\x5a');
    EXPECT_EQ(load(api, lib, garbage, flagEffect), 0);
    EXPECT_EQ(load(api, lib, std::string("RIFF"), flagEffect), 0);
    EXPECT_EQ(load(api, lib, chime.substr(0, 44), flagEffect), 0);  // header, no samples
    EXPECT_EQ(api.dsCreateDSB(lib, nullptr, 100, flagEffect), 0);
    EXPECT_EQ(api.dsCreateDSB(lib, chime.data(), 0, flagEffect), 0);
    EXPECT_EQ(api.dsCreateDSB(lib, chime.data(), -5, flagEffect), 0);
    EXPECT_EQ(load(api, lib, chime, 2), 0);         // undefined flags
    EXPECT_EQ(load(api, 0, chime, flagEffect), 0);  // no library
    EXPECT_EQ(load(api, lib + 7, chime, flagEffect), 0);

    // A truncated image is read only as far as its size says: whatever comes back must be
    // safe to play and free.
    const std::string cut = chime.substr(0, chime.size() / 3);
    const std::int32_t partial = load(api, lib, cut, flagEffect);
    api.dsPlay(partial);
    api.dsFree(partial);
    api.dsTerminate(lib);
}

TEST_F(SoundLibraryTest, ZeroAndUnknownHandlesAreHarmless) {
    SoundLibrary api(NOBAKUZA_SOUND_LIBRARY);
    ASSERT_TRUE(api.loaded());
    auto poke = [&api](std::int32_t h) {
        api.dsPlay(h);
        api.dsPlayLooping(h);
        api.dsStop(h);
        api.dsFree(h);
    };
    // Before the library starts, while it runs, and after it ends.
    for (std::int32_t h : {0, 1, 257, -1}) poke(h);
    api.dsTerminate(0);
    api.dsTerminate(1);
    const std::int32_t lib = api.dsInitialize(0);
    ASSERT_NE(lib, 0);
    for (std::int32_t h : {0, 1, 257, -1, 0x7fffffff}) poke(h);
    api.dsTerminate(0);
    EXPECT_NE(load(api, lib, sound("駒打音.wav"), flagEffect), 0);  // still running
    api.dsTerminate(lib);
    for (std::int32_t h : {0, 1, 257}) poke(h);
}

TEST_F(SoundLibraryTest, MissingLibraryMeansSilence) {
    for (const std::string& path :
         {std::string("/nonexistent/Nobakuza.so"), programDir + "/BGM.wav" /* not a library */}) {
        SoundLibrary api(path);
        EXPECT_FALSE(api.loaded()) << path;
        EXPECT_EQ(api.dsInitialize(0), 0);
        const std::string image = sound("BGM.wav");
        EXPECT_EQ(load(api, 1, image, flagMusic), 0);
        api.dsPlay(1);
        api.dsPlayLooping(1);
        api.dsStop(1);
        api.dsFree(1);
        api.dsTerminate(1);
    }
}

TEST_F(SoundLibraryTest, FoundByNameInTheCurrentFolder) {
    const auto before = std::filesystem::current_path();
    {
        std::filesystem::current_path("/");
        SoundLibrary elsewhere;
        EXPECT_FALSE(elsewhere.loaded());
    }
    std::filesystem::current_path(programDir);
    SoundLibrary api;
    // Put off, the search happens when the game starts the library.
    SoundLibrary later{SoundLibrary::OnFirstUse{}};
    std::filesystem::current_path(before);
    ASSERT_TRUE(api.loaded());
    EXPECT_EQ(api.loadedPath(), "./Nobakuza.so");
    const std::int32_t lib = api.dsInitialize(0);
    EXPECT_NE(lib, 0);
    api.dsTerminate(lib);

    std::filesystem::current_path(programDir);
    EXPECT_FALSE(later.loaded());
    const std::int32_t laterLib = later.dsInitialize(0);
    std::filesystem::current_path(before);
    EXPECT_TRUE(later.loaded());
    EXPECT_NE(laterLib, 0);
    later.dsTerminate(laterLib);
}

// The generated sounds themselves: same bytes on every run, no clipping, and a tune that loops
// without a click.
std::vector<std::int16_t> pcmOf(const std::string& wav) {
    std::vector<std::int16_t> out;
    if (wav.size() < 44 || wav.compare(0, 4, "RIFF") != 0 || wav.compare(36, 4, "data") != 0)
        return out;
    for (std::size_t i = 44; i + 1 < wav.size(); i += 2)
        out.push_back(static_cast<std::int16_t>(static_cast<std::uint8_t>(wav[i]) |
                                                (static_cast<std::uint8_t>(wav[i + 1]) << 8)));
    return out;
}

TEST(GeneratedSounds, DeterministicUnclippedAndSeamless) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("nobakuza-wavgen-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string command = std::string("\"") + NOBAKUZA_WAVGEN + "\" \"" + dir.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);

    for (const char* name : soundNames) {
        const auto built = readWholeFile(programDir + "/" + name);
        const auto fresh = readWholeFile((dir / name).string());
        ASSERT_TRUE(built && fresh) << name;
        EXPECT_TRUE(*built == *fresh) << name << " differs between runs";

        const std::vector<std::int16_t> pcm = pcmOf(*fresh);
        ASSERT_GT(pcm.size(), 1000u) << name;
        int peak = 0;
        for (std::int16_t v : pcm) peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_LT(peak, 32000) << name << " clips";
        EXPECT_GT(peak, 8000) << name << " is too quiet";
        // One-shot sounds begin and end at silence.
        if (std::string(name) != "BGM.wav") {
            EXPECT_LT(std::abs(pcm.front()), 64) << name;
            EXPECT_LT(std::abs(pcm.back()), 64) << name;
        }
    }

    const std::vector<std::int16_t> tune = pcmOf(*readWholeFile((dir / "BGM.wav").string()));
    const double seconds = static_cast<double>(tune.size()) / 22050.0;
    EXPECT_GE(seconds, 20.0);
    EXPECT_LE(seconds, 40.0);
    // The step from the last sample back to the first is no bigger than ordinary steps inside.
    double meanStep = 0;
    for (std::size_t i = 1; i < tune.size(); ++i) meanStep += std::abs(tune[i] - tune[i - 1]);
    meanStep /= static_cast<double>(tune.size() - 1);
    EXPECT_LT(std::abs(tune.front() - tune.back()), 3 * meanStep);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace nobakuza
