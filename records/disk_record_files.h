#pragma once
// Record files on the local disk.

#include <string>
#include <string_view>

#include "ports/record_files.h"

namespace korvel {

// Larger files are no records; refusing them keeps a mistaken choice (a
// film, a device) from filling the memory.
inline constexpr long long RECORD_FILE_MAX_BYTES = 8 << 20;

// The whole of a regular file into bytes: 0, or the errno of the failure
// (EFBIG past RECORD_FILE_MAX_BYTES, EINVAL for what is no regular file).
int read_record_file(const std::string& path, std::string& bytes);

// A failure's errno as a reason for a message box.
std::string 失敗理由(int error);

// folder + "/" + name, without doubling a trailing "/"; no folder is ".".
std::string 棋譜パス(std::string_view folder, std::string_view name);

class DiskRecordFiles : public RecordFiles {
 public:
  std::string read(const std::string& path, std::string& bytes) override;
  // Writes a temporary file beside the old one and renames it over it.
  std::string replace(const std::string& path, std::string_view bytes, bool own_mode = false) override;
  std::vector<std::string> list(const std::string& folder) override;
  std::string remove(const std::string& path) override;
};

}  // namespace korvel
