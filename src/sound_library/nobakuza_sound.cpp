// The sound library the game loads by name. Sounds arrive as whole WAV images in memory and are
// played through SDL2_mixer; every handle is a 32-bit integer and 0 means "none", so a caller that
// got 0 from a failed step can keep calling without checking.
//
// Flags of dsCreateDSB:
//   1  music: may be looped with dsPlayLooping; only one instance plays at a time.
//   3  effect: each dsPlay starts a fresh instance on a free channel, over any still sounding.
// Any other value is refused (handle 0).

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <cstdint>

#define NOBAKUZA_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr std::int32_t flagMusic = 1;
constexpr std::int32_t flagEffect = 3;
constexpr std::int32_t libraryHandle = 1;
constexpr int slotCount = 64;
constexpr int mixChannels = 16;

struct Slot {
    Mix_Chunk* chunk = nullptr;
    std::int32_t flags = 0;
    std::uint32_t generation = 0;  // bumped on free, so a stale handle never reaches a new sound
};

struct Library {
    bool open = false;
    bool ownsSdlAudio = false;
    std::array<Slot, slotCount> slots{};
};

Library state;

// A buffer handle is (generation << 8) | (slot + 1): never 0, and specific to one loaded sound.
std::int32_t makeHandle(int slot) {
    return static_cast<std::int32_t>(((state.slots[slot].generation & 0x7fffffu) << 8) |
                                     static_cast<std::uint32_t>(slot + 1));
}

Slot* slotOf(std::int32_t buffer) {
    if (!state.open || buffer <= 0) return nullptr;
    const int slot = (buffer & 0xff) - 1;
    if (slot < 0 || slot >= slotCount) return nullptr;
    Slot& s = state.slots[slot];
    if (s.chunk == nullptr || makeHandle(slot) != buffer) return nullptr;
    return &s;
}

void haltChunk(const Mix_Chunk* chunk) {
    for (int ch = 0; ch < mixChannels; ++ch) {
        if (Mix_Playing(ch) && Mix_GetChunk(ch) == chunk) Mix_HaltChannel(ch);
    }
}

void start(std::int32_t buffer, int loops) {
    Slot* s = slotOf(buffer);
    if (s == nullptr) return;
    // Music never stacks on itself: restarting it would double the tune.
    if (s->flags == flagMusic) haltChunk(s->chunk);
    Mix_PlayChannel(-1, s->chunk, loops);
}

}  // namespace

// The window handle is accepted for the caller's sake; SDL needs none.
NOBAKUZA_EXPORT std::int32_t dsInitialize(std::int32_t /*windowHandle*/) {
    if (state.open) return libraryHandle;
    // The game owns its process: SDL must not take over Ctrl-C or the terminate signal.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    state.ownsSdlAudio = SDL_WasInit(SDL_INIT_AUDIO) == 0;
    if (state.ownsSdlAudio && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0) {
        if (state.ownsSdlAudio) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mix_AllocateChannels(mixChannels);
    state.open = true;
    return libraryHandle;
}

NOBAKUZA_EXPORT std::int32_t dsCreateDSB(std::int32_t library, const void* image, std::int32_t size,
                                         std::int32_t flags) {
    if (!state.open || library != libraryHandle || image == nullptr || size <= 0) return 0;
    if (flags != flagMusic && flags != flagEffect) return 0;
    int free = -1;
    for (int i = 0; i < slotCount; ++i) {
        if (state.slots[i].chunk == nullptr) {
            free = i;
            break;
        }
    }
    if (free < 0) return 0;
    // The reader stops at size bytes, so a truncated or lying header cannot read past the image;
    // the mixer keeps its own converted copy, so the caller may release the image afterwards.
    SDL_RWops* rw = SDL_RWFromConstMem(image, size);
    if (rw == nullptr) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);
    if (chunk == nullptr || chunk->alen == 0) {
        if (chunk != nullptr) Mix_FreeChunk(chunk);
        return 0;
    }
    state.slots[free].chunk = chunk;
    state.slots[free].flags = flags;
    return makeHandle(free);
}

NOBAKUZA_EXPORT void dsPlay(std::int32_t buffer) {
    start(buffer, 0);
}

NOBAKUZA_EXPORT void dsPlayLooping(std::int32_t buffer) {
    start(buffer, -1);
}

NOBAKUZA_EXPORT void dsStop(std::int32_t buffer) {
    if (Slot* s = slotOf(buffer)) haltChunk(s->chunk);
}

NOBAKUZA_EXPORT void dsFree(std::int32_t buffer) {
    Slot* s = slotOf(buffer);
    if (s == nullptr) return;
    haltChunk(s->chunk);
    Mix_FreeChunk(s->chunk);
    s->chunk = nullptr;
    s->flags = 0;
    ++s->generation;
}

NOBAKUZA_EXPORT void dsTerminate(std::int32_t library) {
    if (!state.open || library != libraryHandle) return;
    Mix_HaltChannel(-1);
    for (Slot& s : state.slots) {
        if (s.chunk != nullptr) {
            Mix_FreeChunk(s.chunk);
            s.chunk = nullptr;
            s.flags = 0;
            ++s.generation;
        }
    }
    Mix_CloseAudio();
    if (state.ownsSdlAudio) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    state.open = false;
}
