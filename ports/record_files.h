#pragma once
// Record files on disk, by path (UTF-8). Failures come back as a reason in
// Japanese, ready for a message box; an empty reason means success.

#include <string>
#include <string_view>

namespace korvel {

struct RecordFiles {
  virtual ~RecordFiles() = default;
  // The whole file into bytes.
  virtual std::string read(const std::string& path, std::string& bytes) = 0;
  // Replaces the file at path by bytes in one step: whatever goes wrong, a
  // file that was there before is left as it was.
  virtual std::string replace(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace korvel
