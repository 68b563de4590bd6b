// Fuzz target of the `Nobakuza.ini` reader. Whatever the file holds, start-up must come out with
// settings the menu can show (one of the five backgrounds), music started only when it is on, and
// a file that the next start reads back as the same settings.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/text_file.h"
#include "settings/settings_file.h"

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "settings file: %s\n", what);
    std::abort();
}

const std::string& scratchPath() {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/tmp") + "/nobakuza-fuzz-" +
               std::to_string(getpid()) + ".ini";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace nobakuza;
    const std::string& path = scratchPath();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!writeFileAtomically(path, bytes).empty()) fail("cannot write the scratch file");

    const SettingsLoad load = 読込_環境設定ファイル(path);
    const Settings& s = load.settings;
    bool known = false;
    for (const auto& b : backgroundChoices) known = known || b.code == s.backgroundCode;
    if (!known) fail("background code without a menu item");
    if (load.startMusic && !s.bgm) fail("music started while BGM is off");
    if (load.usedDefaults && !(s == Settings{})) fail("the default path kept other settings");

    // What the next start reads is what this one settled on: the defaults written in place of a
    // bad file, or the settings rewritten by the first menu change.
    if (!load.usedDefaults && !書込_環境設定ファイル(path, s)) fail("settings cannot be written");
    const SettingsLoad next = 読込_環境設定ファイル(path);
    if (next.usedDefaults) fail("a file the program wrote is not readable");
    if (!(next.settings == s)) fail("settings do not survive a rewrite");
    if (next.startMusic != s.bgm) fail("the rewritten file starts the music differently");

    unlink(path.c_str());
    return 0;
}
