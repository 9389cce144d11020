#include "soundlib/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace korvel {

namespace {

constexpr int CHANNELS = 16;
constexpr std::int32_t CONTEXT = 1;

}  // namespace

SdlSoundLibrary::~SdlSoundLibrary() { dsTerminate(context_); }

std::int32_t SdlSoundLibrary::dsInitialize(std::intptr_t) {
  if (context_ != 0) return context_;
  // SDL would otherwise turn SIGTERM and SIGINT into events nobody reads,
  // and the game could no longer be ended by a signal (a logout, kill).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  Mix_AllocateChannels(CHANNELS);
  context_ = CONTEXT;
  return context_;
}

std::int32_t SdlSoundLibrary::dsCreateDSB(std::int32_t context, const std::uint8_t* image, std::size_t size,
                                          std::int32_t flags) {
  if (context == 0 || context != context_ || image == nullptr || size == 0 || size > INT32_MAX) return 0;
  Buffer b;
  if (flags == SOUND_FLAGS_MUSIC) {
    b.image.assign(image, image + size);
    b.music = Mix_LoadMUS_RW(SDL_RWFromConstMem(b.image.data(), static_cast<int>(size)), 1);
    if (b.music == nullptr) return 0;
  } else {
    // Decoded into the chunk here; the caller may drop the image afterwards.
    b.chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(image, static_cast<int>(size)), 1);
    if (b.chunk == nullptr) return 0;
  }
  const std::int32_t id = next_++;
  buffers_[id] = std::move(b);
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
  if (b->music != nullptr) {
    if (Mix_PlayMusic(b->music, loops) == 0) playing_music_ = b->music;
  } else {
    Mix_PlayChannel(-1, b->chunk, loops);
  }
}

void SdlSoundLibrary::dsPlay(std::int32_t buffer) { start(buffer, 0); }

void SdlSoundLibrary::dsPlayLooping(std::int32_t buffer) { start(buffer, -1); }

void SdlSoundLibrary::dsStop(std::int32_t buffer) {
  Buffer* b = find(buffer);
  if (b == nullptr) return;
  if (b->music != nullptr) {
    if (playing_music_ == b->music) {
      Mix_HaltMusic();
      playing_music_ = nullptr;
    }
    return;
  }
  for (int ch = 0; ch < CHANNELS; ++ch)
    if (Mix_Playing(ch) && Mix_GetChunk(ch) == b->chunk) Mix_HaltChannel(ch);
}

void SdlSoundLibrary::dsFree(std::int32_t buffer) {
  Buffer* b = find(buffer);
  if (b == nullptr) return;
  dsStop(buffer);
  if (b->music != nullptr) Mix_FreeMusic(b->music);
  if (b->chunk != nullptr) Mix_FreeChunk(b->chunk);
  buffers_.erase(buffer);
}

void SdlSoundLibrary::dsTerminate(std::int32_t context) {
  if (context == 0 || context != context_) return;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  playing_music_ = nullptr;
  for (auto& [id, b] : buffers_) {
    if (b.music != nullptr) Mix_FreeMusic(b.music);
    if (b.chunk != nullptr) Mix_FreeChunk(b.chunk);
  }
  buffers_.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  context_ = 0;
}

bool SdlSoundLibrary::playing(std::int32_t buffer) const {
  if (buffer == 0 || context_ == 0) return false;
  const auto it = buffers_.find(buffer);
  if (it == buffers_.end()) return false;
  if (it->second.music != nullptr) return playing_music_ == it->second.music && Mix_PlayingMusic() != 0;
  for (int ch = 0; ch < CHANNELS; ++ch)
    if (Mix_Playing(ch) && Mix_GetChunk(ch) == it->second.chunk) return true;
  return false;
}

}  // namespace korvel
