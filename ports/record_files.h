#pragma once
// Record files on disk, by path (UTF-8). Failures come back as a reason in
// Japanese, ready for a message box; an empty reason means success.

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

struct RecordFiles {
  virtual ~RecordFiles() = default;
  // The whole file into bytes.
  virtual std::string read(const std::string& path, std::string& bytes) = 0;
  // Replaces the file at path by bytes in one step: whatever goes wrong, a
  // file that was there before is left as it was.
  // own_mode: the file gets the user's default permissions, not the old one's.
  virtual std::string replace(const std::string& path, std::string_view bytes, bool own_mode = false) = 0;
  // The names of the regular files in folder, in no order; none when it
  // cannot be read.
  virtual std::vector<std::string> list(const std::string& folder) = 0;
  // Removes the file at path; the reason when it could not.
  virtual std::string remove(const std::string& path) = 0;
};

}  // namespace korvel
