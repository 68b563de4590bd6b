#include "sound/sound.h"

#include <filesystem>
#include <limits>
#include <system_error>

#include "files/text_file.h"

namespace nobakuza {

void Sound::soundInit(std::int32_t windowHandle) {
    library_ = api_.dsInitialize(windowHandle);
    if (library_ == 0) soundWarning(soundStartFailure);
}

std::int32_t Sound::soundLoad(const std::string& fileName, std::int32_t flags) {
    if (library_ == 0) return 0;
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec)) return 0;
    // The library takes the image's size as a 32-bit number.
    static_assert(defaultReadLimit <= std::size_t{std::numeric_limits<std::int32_t>::max()});
    FileRead file = readFile(fileName, defaultReadLimit, translate_);
    if (!file.bytes) {
        soundWarning(file.error);
        return 0;
    }
    images_.push_back(std::move(*file.bytes));
    const std::string& kept = images_.back();
    return api_.dsCreateDSB(library_, kept.data(), static_cast<std::int32_t>(kept.size()), flags);
}

void Sound::soundTerminate() {
    if (library_ != 0) api_.dsTerminate(library_);
    library_ = 0;
}

void Sound::soundWarning(std::string_view text) {
    if (warning_) warning_(text);
}

}  // namespace nobakuza
