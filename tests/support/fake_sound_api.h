// A sound library for the tests that records every call in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sound/sound_api.h"

namespace nobakuza::testing {

struct SoundCall {
    std::string function;
    std::int32_t handle = 0;  // the library or buffer handle passed (dsCreateDSB: the result)
    std::int32_t flags = 0;   // dsCreateDSB only
    std::int32_t size = 0;    // dsCreateDSB only
};

class FakeSoundApi : public SoundApi {
  public:
    // What dsInitialize answers; 0 plays a machine without the library or an audio device.
    std::int32_t libraryHandle = 77;

    std::int32_t dsInitialize(std::int32_t windowHandle) override;
    std::int32_t dsCreateDSB(std::int32_t library, const void* image, std::int32_t size,
                             std::int32_t flags) override;
    void dsPlay(std::int32_t buffer) override { calls.push_back({"dsPlay", buffer}); }
    void dsPlayLooping(std::int32_t buffer) override { calls.push_back({"dsPlayLooping", buffer}); }
    void dsStop(std::int32_t buffer) override { calls.push_back({"dsStop", buffer}); }
    void dsFree(std::int32_t buffer) override { calls.push_back({"dsFree", buffer}); }
    void dsTerminate(std::int32_t library) override { calls.push_back({"dsTerminate", library}); }

    // "dsFree(101)"-style lines of the calls from `first` on.
    std::vector<std::string> trace(std::size_t first = 0) const;

    std::vector<SoundCall> calls;
    std::int32_t nextBuffer = 101;
};

}  // namespace nobakuza::testing
