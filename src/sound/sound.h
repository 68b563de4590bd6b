// The game's side of the sound library: start it, load the sounds from the current folder,
// shut it down. Without the library (or without an audio device) every handle stays 0 and every
// call with a handle of 0 is harmless, so the game simply runs silently.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "text/translation.h"
#include "sound/sound_api.h"

namespace nobakuza {

inline constexpr std::string_view soundLibraryTitle = "Nobakuza.dll";
inline constexpr std::string_view soundStartFailure =
    "Direct Soundインターフェースが作成できません。";

class Sound {
  public:
    // Shows the warning box (titled soundLibraryTitle) with a text; the window owns the boxes.
    using Warning = std::function<void(std::string_view text)>;

    Sound(SoundApi& api, Warning warning, TranslateText translate = {})
        : api_(api), warning_(std::move(warning)), translate_(std::move(translate)) {}

    // Starts the library; a library that does not start is reported once with the warning box.
    void soundInit(std::int32_t windowHandle);
    // The buffer of a sound file, 0 when the library is not running or the file is missing. A
    // file that exists but cannot be read is reported with the warning box.
    std::int32_t soundLoad(const std::string& fileName, std::int32_t flags);
    void soundTerminate();
    void soundWarning(std::string_view text);

    std::int32_t library() const { return library_; }
    SoundApi& api() { return api_; }

  private:
    SoundApi& api_;
    Warning warning_;
    TranslateText translate_;  // the words of a file that cannot be read
    std::int32_t library_ = 0;
    // The file images stay alive as long as the library may hold on to them.
    std::deque<std::string> images_;
};

}  // namespace nobakuza
