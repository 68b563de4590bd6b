#pragma once
#include <cstdint>

namespace nobakuza {

// The sound library's seven functions as the game calls them; handles are 32-bit, 0 = none.
class SoundApi {
  public:
    virtual ~SoundApi() = default;
    virtual std::int32_t dsInitialize(std::int32_t windowHandle) = 0;
    virtual std::int32_t dsCreateDSB(std::int32_t library, const void* image, std::int32_t size,
                                     std::int32_t flags) = 0;
    virtual void dsPlay(std::int32_t buffer) = 0;
    virtual void dsPlayLooping(std::int32_t buffer) = 0;
    virtual void dsStop(std::int32_t buffer) = 0;
    virtual void dsFree(std::int32_t buffer) = 0;
    virtual void dsTerminate(std::int32_t library) = 0;
};

}  // namespace nobakuza
