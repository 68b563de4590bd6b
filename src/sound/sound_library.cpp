#include "sound/sound_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>

namespace nobakuza {

namespace {

// The folder of the running program, with a trailing slash; empty when it cannot be told.
std::string programFolder() {
    std::array<char, 4096> buf{};
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return {};
    std::string exe(buf.data(), static_cast<std::size_t>(n));
    const auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

template <typename Fn>
Fn symbol(void* handle, const char* name) {
    return reinterpret_cast<Fn>(::dlsym(handle, name));
}

}  // namespace

SoundLibrary::SoundLibrary() {
    openBesideProgramOrHere();
}

SoundLibrary::SoundLibrary(OnFirstUse) : openOnFirstUse_(true) {}

void SoundLibrary::openBesideProgramOrHere() {
    const std::string folder = programFolder();
    if (!folder.empty() && open(folder + fileName)) return;
    open(std::string("./") + fileName);
}

SoundLibrary::SoundLibrary(const std::string& path) {
    open(path);
}

SoundLibrary::~SoundLibrary() {
    if (handle_ == nullptr) return;
    if (liveLibrary_ != 0) terminate_(liveLibrary_);
    ::dlclose(handle_);
}

bool SoundLibrary::open(const std::string& path) {
    // A path with a slash keeps dlopen from searching the system folders for a namesake.
    // RTLD_NODELETE: the mixer's audio thread must never find its code unmapped.
    void* h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (h == nullptr) return false;
    initialize_ = symbol<InitializeFn>(h, "dsInitialize");
    create_ = symbol<CreateFn>(h, "dsCreateDSB");
    play_ = symbol<BufferFn>(h, "dsPlay");
    playLooping_ = symbol<BufferFn>(h, "dsPlayLooping");
    stop_ = symbol<BufferFn>(h, "dsStop");
    free_ = symbol<BufferFn>(h, "dsFree");
    terminate_ = symbol<BufferFn>(h, "dsTerminate");
    if (!initialize_ || !create_ || !play_ || !playLooping_ || !stop_ || !free_ || !terminate_) {
        ::dlclose(h);
        initialize_ = nullptr;
        create_ = nullptr;
        play_ = playLooping_ = stop_ = free_ = terminate_ = nullptr;
        return false;
    }
    handle_ = h;
    path_ = path;
    return true;
}

std::int32_t SoundLibrary::dsInitialize(std::int32_t windowHandle) {
    if (openOnFirstUse_) {
        openOnFirstUse_ = false;
        openBesideProgramOrHere();
    }
    if (handle_ == nullptr) return 0;
    const std::int32_t library = initialize_(windowHandle);
    if (library != 0) liveLibrary_ = library;
    return library;
}

std::int32_t SoundLibrary::dsCreateDSB(std::int32_t library, const void* image, std::int32_t size,
                                       std::int32_t flags) {
    if (handle_ == nullptr || library == 0 || image == nullptr || size <= 0) return 0;
    return create_(library, image, size, flags);
}

void SoundLibrary::dsPlay(std::int32_t buffer) {
    if (handle_ != nullptr && buffer != 0) play_(buffer);
}

void SoundLibrary::dsPlayLooping(std::int32_t buffer) {
    if (handle_ != nullptr && buffer != 0) playLooping_(buffer);
}

void SoundLibrary::dsStop(std::int32_t buffer) {
    if (handle_ != nullptr && buffer != 0) stop_(buffer);
}

void SoundLibrary::dsFree(std::int32_t buffer) {
    if (handle_ != nullptr && buffer != 0) free_(buffer);
}

void SoundLibrary::dsTerminate(std::int32_t library) {
    if (handle_ == nullptr || library == 0) return;
    terminate_(library);
    if (library == liveLibrary_) liveLibrary_ = 0;
}

}  // namespace nobakuza
