#pragma once
// A sound device that plays nothing. It stands in until the SDL2_mixer sound
// library is built: it opens, hands out buffer handles and accepts every
// call, so the game starts without the "cannot create" message and runs
// silently.

#include "ports/sound_library.h"

namespace korvel::qt {

class SilentSoundLibrary : public korvel::SoundLibrary {
 public:
  std::int32_t dsInitialize(std::intptr_t) override { return 1; }
  std::int32_t dsCreateDSB(std::int32_t context, const std::uint8_t* image, std::size_t size,
                           std::int32_t) override {
    if (context == 0 || image == nullptr || size == 0) return 0;
    return ++buffers_;
  }
  void dsPlay(std::int32_t) override {}
  void dsPlayLooping(std::int32_t) override {}
  void dsStop(std::int32_t) override {}
  void dsFree(std::int32_t) override {}
  void dsTerminate(std::int32_t) override {}

 private:
  std::int32_t buffers_ = 0;
};

}  // namespace korvel::qt
