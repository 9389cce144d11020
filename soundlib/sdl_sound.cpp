#include "soundlib/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace korvel {

namespace {

constexpr int MUSIC_CHANNEL = 0;
constexpr int CHANNELS = 16;
constexpr std::int32_t CONTEXT = 1;

}  // namespace

SdlSoundLibrary::~SdlSoundLibrary() { dsTerminate(context_); }

std::int32_t SdlSoundLibrary::dsInitialize(std::intptr_t) {
  if (context_ != 0) return context_;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  Mix_AllocateChannels(CHANNELS);
  Mix_ReserveChannels(1);  // the music's own
  context_ = CONTEXT;
  return context_;
}

std::int32_t SdlSoundLibrary::dsCreateDSB(std::int32_t context, const std::uint8_t* image, std::size_t size,
                                          std::int32_t flags) {
  if (context == 0 || context != context_ || image == nullptr || size == 0 || size > INT32_MAX) return 0;
  // The image is decoded into the chunk here; the caller may drop it afterwards.
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(image, static_cast<int>(size)), 1);
  if (chunk == nullptr) return 0;
  const std::int32_t id = next_++;
  buffers_[id] = Buffer{chunk, flags};
  return id;
}

SdlSoundLibrary::Buffer* SdlSoundLibrary::find(std::int32_t buffer) {
  if (buffer == 0 || context_ == 0) return nullptr;
  const auto it = buffers_.find(buffer);
  return it == buffers_.end() ? nullptr : &it->second;
}

void SdlSoundLibrary::start(std::int32_t buffer, int loops) {
  Buffer* b = find(buffer);
  if (b == nullptr) return;
  Mix_PlayChannel(b->flags == SOUND_FLAGS_MUSIC ? MUSIC_CHANNEL : -1, b->chunk, loops);
}

void SdlSoundLibrary::dsPlay(std::int32_t buffer) { start(buffer, 0); }

void SdlSoundLibrary::dsPlayLooping(std::int32_t buffer) { start(buffer, -1); }

void SdlSoundLibrary::dsStop(std::int32_t buffer) {
  Buffer* b = find(buffer);
  if (b == nullptr) return;
  for (int ch = 0; ch < CHANNELS; ++ch)
    if (Mix_Playing(ch) && Mix_GetChunk(ch) == b->chunk) Mix_HaltChannel(ch);
}

void SdlSoundLibrary::dsFree(std::int32_t buffer) {
  Buffer* b = find(buffer);
  if (b == nullptr) return;
  dsStop(buffer);
  Mix_FreeChunk(b->chunk);
  buffers_.erase(buffer);
}

void SdlSoundLibrary::dsTerminate(std::int32_t context) {
  if (context == 0 || context != context_) return;
  Mix_HaltChannel(-1);
  for (auto& [id, b] : buffers_) Mix_FreeChunk(b.chunk);
  buffers_.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  context_ = 0;
}

bool SdlSoundLibrary::playing(std::int32_t buffer) const {
  if (buffer == 0 || context_ == 0) return false;
  const auto it = buffers_.find(buffer);
  if (it == buffers_.end()) return false;
  for (int ch = 0; ch < CHANNELS; ++ch)
    if (Mix_Playing(ch) && Mix_GetChunk(ch) == it->second.chunk) return true;
  return false;
}

}  // namespace korvel
