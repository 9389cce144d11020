#include "soundlib/sdl_sound.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace korvel {
namespace {

std::vector<std::uint8_t> wave_file(const std::string& name) {
  std::ifstream in(std::string(KORVEL_ASSETS) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs on SDL's dummy audio driver: the mixer plays into nothing.
TEST(SdlSoundLibrary, PlaysOurFourSoundsAndIgnoresHandleZero) {
  SdlSoundLibrary lib;
  const std::int32_t ctx = lib.dsInitialize(0);
  ASSERT_NE(ctx, 0);
  std::vector<std::int32_t> handles;
  for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav"}) {
    const auto image = wave_file(name);
    ASSERT_FALSE(image.empty()) << name;
    handles.push_back(lib.dsCreateDSB(ctx, image.data(), image.size(), SOUND_FLAGS_EFFECT));
    EXPECT_NE(handles.back(), 0) << name;
  }
  const auto music = wave_file("BGM.wav");
  const std::int32_t bgm = lib.dsCreateDSB(ctx, music.data(), music.size(), SOUND_FLAGS_MUSIC);
  ASSERT_NE(bgm, 0);

  // A file that is no wave, or no context, gives no buffer.
  const std::uint8_t junk[] = {'R', 'I', 'F', 'F', 0, 0};
  EXPECT_EQ(lib.dsCreateDSB(ctx, junk, sizeof junk, SOUND_FLAGS_EFFECT), 0);
  EXPECT_EQ(lib.dsCreateDSB(0, music.data(), music.size(), SOUND_FLAGS_MUSIC), 0);

  lib.dsPlayLooping(bgm);
  lib.dsPlay(handles[2]);
  lib.dsPlay(handles[2]);  // overlapping itself
  EXPECT_TRUE(lib.playing(bgm));
  EXPECT_TRUE(lib.playing(handles[2]));
  lib.dsPlay(0);
  lib.dsPlayLooping(0);
  lib.dsStop(0);
  lib.dsFree(0);
  lib.dsStop(bgm);
  EXPECT_FALSE(lib.playing(bgm));
  EXPECT_TRUE(lib.playing(handles[2]));  // effects are not the music's to stop
  lib.dsFree(handles[2]);
  EXPECT_FALSE(lib.playing(handles[2]));
  lib.dsTerminate(ctx);
  lib.dsPlay(bgm);  // after the end nothing sounds and nothing breaks
  EXPECT_FALSE(lib.playing(bgm));
}

}  // namespace
}  // namespace korvel
