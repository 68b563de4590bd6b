#include "support/fake_sound_api.h"

namespace nobakuza::testing {

std::int32_t FakeSoundApi::dsInitialize(std::int32_t windowHandle) {
    calls.push_back({"dsInitialize", windowHandle});
    return libraryHandle;
}

std::int32_t FakeSoundApi::dsCreateDSB(std::int32_t library, const void* image, std::int32_t size,
                                       std::int32_t flags) {
    const std::int32_t buffer = library != 0 && image != nullptr && size > 0 ? nextBuffer++ : 0;
    calls.push_back({"dsCreateDSB", buffer, flags, size});
    return buffer;
}

std::vector<std::string> FakeSoundApi::trace(std::size_t first) const {
    std::vector<std::string> out;
    for (std::size_t i = first; i < calls.size(); ++i)
        out.push_back(calls[i].function + "(" + std::to_string(calls[i].handle) + ")");
    return out;
}

}  // namespace nobakuza::testing
