#pragma once
// The outside sound library: seven calls that play whole wave-file images.
// Handles are the library's own 32-bit numbers; 0 means "none". Every call
// taking a buffer handle must do nothing for 0, because the game never checks
// a handle before using it (a missing wave file simply stays silent).

#include <cstddef>
#include <cstdint>

namespace korvel {

struct SoundLibrary {
  virtual ~SoundLibrary() = default;
  // Opens the sound device for the window; returns a context, 0 on failure.
  virtual std::int32_t dsInitialize(std::intptr_t window) = 0;
  // A buffer from a complete wave file image (header included). The size is
  // passed along so the library never reads past the image. flags: 3 for the
  // effects, 1 for the music; the meaning is the library's.
  virtual std::int32_t dsCreateDSB(std::int32_t context, const std::uint8_t* image,
                                   std::size_t size, std::int32_t flags) = 0;
  // Starts the buffer and returns at once; may restart a sounding buffer.
  virtual void dsPlay(std::int32_t buffer) = 0;
  virtual void dsPlayLooping(std::int32_t buffer) = 0;
  virtual void dsStop(std::int32_t buffer) = 0;
  virtual void dsFree(std::int32_t buffer) = 0;
  virtual void dsTerminate(std::int32_t context) = 0;
};

}  // namespace korvel
