#pragma once
// The game's sound library on SDL2_mixer: whole wave-file images become
// buffers. Effects are decoded at once and play on any free mixer channel,
// so a sound may overlap itself; the music keeps its image and is decoded
// as it plays, on the mixer's music stream, so that a long tune costs
// nothing at start-up and effects never cut it off.

#include <cstdint>
#include <map>
#include <vector>

#include "ports/sound_library.h"

struct Mix_Chunk;
struct _Mix_Music;

namespace korvel {

inline constexpr std::int32_t SOUND_FLAGS_EFFECT = 3;
inline constexpr std::int32_t SOUND_FLAGS_MUSIC = 1;

class SdlSoundLibrary : public SoundLibrary {
 public:
  SdlSoundLibrary() = default;
  SdlSoundLibrary(const SdlSoundLibrary&) = delete;
  SdlSoundLibrary& operator=(const SdlSoundLibrary&) = delete;
  ~SdlSoundLibrary() override;

  std::int32_t dsInitialize(std::intptr_t window) override;
  std::int32_t dsCreateDSB(std::int32_t context, const std::uint8_t* image, std::size_t size,
                           std::int32_t flags) override;
  void dsPlay(std::int32_t buffer) override;
  void dsPlayLooping(std::int32_t buffer) override;
  void dsStop(std::int32_t buffer) override;
  void dsFree(std::int32_t buffer) override;
  void dsTerminate(std::int32_t context) override;

  // Whether the buffer is sounding now (for tests and the shell).
  bool playing(std::int32_t buffer) const;

 private:
  struct Buffer {
    Mix_Chunk* chunk = nullptr;
    _Mix_Music* music = nullptr;
    std::vector<std::uint8_t> image;  // what the music stream reads from
  };
  Buffer* find(std::int32_t buffer);
  void start(std::int32_t buffer, int loops);

  std::int32_t context_ = 0;
  std::int32_t next_ = 1;
  std::map<std::int32_t, Buffer> buffers_;
  _Mix_Music* playing_music_ = nullptr;
};

}  // namespace korvel
