#include "records/disk_record_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "text/text_file.h"

namespace korvel {

int read_record_file(const std::string& path, std::string& bytes) {
  return read_whole_file(path, bytes, RECORD_FILE_MAX_BYTES);
}

std::string 失敗理由(int error) {
  switch (error) {
    case ENOENT: return "ﾌｧｲﾙかﾌｫﾙﾀﾞが見つかりません";
    case ENOTDIR: return "ﾌｫﾙﾀﾞが見つかりません";
    case EACCES:
    case EPERM: return "ｱｸｾｽが許可されていません";
    case EROFS: return "書き込みできない場所です";
    case ENOSPC:
    case EDQUOT: return "ﾃﾞｨｽｸに空きがありません";
    case ENAMETOOLONG: return "ﾌｧｲﾙ名が長すぎます";
    case EISDIR: return "同じ名前のﾌｫﾙﾀﾞがあります";
    case EFBIG: return "ﾌｧｲﾙが大きすぎます";
    case EINVAL: return "棋譜ﾌｧｲﾙではありません";
    case EIO: return "入出力ｴﾗｰです";
    default: return "ｴﾗｰ " + std::to_string(error) + " (" + std::strerror(error) + ")";
  }
}

std::string 棋譜パス(std::string_view folder, std::string_view name) {
  std::string path(folder.empty() ? "." : folder);
  if (path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string DiskRecordFiles::read(const std::string& path, std::string& bytes) {
  const int error = read_record_file(path, bytes);
  return error == 0 ? std::string() : 失敗理由(error);
}

std::string DiskRecordFiles::replace(const std::string& path, std::string_view bytes, bool own_mode) {
  const int error = replace_whole_file(path, bytes, !own_mode);
  return error == 0 ? std::string() : 失敗理由(error);
}

std::vector<std::string> DiskRecordFiles::list(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
       it.increment(ec))
    if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
  return names;
}

std::string DiskRecordFiles::remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 ? std::string() : 失敗理由(errno);
}

}  // namespace korvel
