#pragma once
#include <cstdint>
#include <string>

#include "sound/sound_api.h"

namespace nobakuza {

// The sound library loaded at run time by name. When the file is missing or lacks one of the
// seven functions, every call answers 0 or does nothing, so the game simply runs silently.
class SoundLibrary final : public SoundApi {
  public:
    static constexpr const char* fileName = "Nobakuza.so";

    // Looks beside the running program first, then in the current folder.
    SoundLibrary();
    // The same search, put off until the game starts the library (dsInitialize): the library
    // brings some forty others with it, and a window has better things to do before it is seen.
    struct OnFirstUse {};
    explicit SoundLibrary(OnFirstUse);
    // Loads exactly this file (tests, or a program that knows better).
    explicit SoundLibrary(const std::string& path);
    ~SoundLibrary() override;
    SoundLibrary(const SoundLibrary&) = delete;
    SoundLibrary& operator=(const SoundLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    const std::string& loadedPath() const { return path_; }

    std::int32_t dsInitialize(std::int32_t windowHandle) override;
    std::int32_t dsCreateDSB(std::int32_t library, const void* image, std::int32_t size,
                             std::int32_t flags) override;
    void dsPlay(std::int32_t buffer) override;
    void dsPlayLooping(std::int32_t buffer) override;
    void dsStop(std::int32_t buffer) override;
    void dsFree(std::int32_t buffer) override;
    void dsTerminate(std::int32_t library) override;

  private:
    using InitializeFn = std::int32_t (*)(std::int32_t);
    using CreateFn = std::int32_t (*)(std::int32_t, const void*, std::int32_t, std::int32_t);
    using BufferFn = void (*)(std::int32_t);

    bool open(const std::string& path);
    void openBesideProgramOrHere();

    void* handle_ = nullptr;
    std::string path_;
    std::int32_t liveLibrary_ = 0;  // terminated on destruction if the caller forgot
    bool openOnFirstUse_ = false;
    InitializeFn initialize_ = nullptr;
    CreateFn create_ = nullptr;
    BufferFn play_ = nullptr;
    BufferFn playLooping_ = nullptr;
    BufferFn stop_ = nullptr;
    BufferFn free_ = nullptr;
    BufferFn terminate_ = nullptr;
};

}  // namespace nobakuza
