#include "sound/sound.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/fake_sound_api.h"
#include "support/scripted_window.h"

namespace nobakuza {
namespace {

using testing::FakeSoundApi;
using testing::TemporaryFolder;

TEST(SoundWrappers, LoadReportsOnlyFilesThatExistButCannotBeRead) {
    TemporaryFolder folder;
    std::vector<std::string> warnings;
    FakeSoundApi api;
    Sound sound(api, [&](std::string_view text) { warnings.emplace_back(text); });
    sound.soundInit(1);
    EXPECT_EQ(sound.library(), 77);
    EXPECT_TRUE(warnings.empty());

    folder.write("good.wav", testing::silentWav(10));
    std::filesystem::create_directory("folder.wav");
    EXPECT_EQ(sound.soundLoad("good.wav", 3), 101);
    EXPECT_EQ(sound.soundLoad("missing.wav", 3), 0);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(sound.soundLoad("folder.wav", 3), 0);
    EXPECT_EQ(warnings, std::vector<std::string>{
                            "「folder.wav」を読み込めません。ファイルではなくフォルダです。"});
    // Only the good file reached the library, with its whole image and flags.
    ASSERT_EQ(api.calls.size(), 2u);
    EXPECT_EQ(api.calls[1].size, static_cast<std::int32_t>(testing::silentWav(10).size()));
    EXPECT_EQ(api.calls[1].flags, 3);

    // Terminated once, however often asked.
    sound.soundTerminate();
    sound.soundTerminate();
    EXPECT_EQ(api.trace(2), std::vector<std::string>{"dsTerminate(77)"});
    EXPECT_EQ(sound.soundLoad("good.wav", 3), 0);
}

}  // namespace
}  // namespace nobakuza
