#include "records/disk_record_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korvel {
namespace {

struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

int write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// Mode of a new file: what the user's umask leaves of rw for everyone.
mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

int read_record_file(const std::string& path, std::string& bytes) {
  bytes.clear();
  // Non-blocking, so that a named pipe cannot hang the game; a regular file
  // reads the same either way.
  Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
  if (f.fd < 0) return errno;
  struct stat st {};
  if (::fstat(f.fd, &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (!S_ISREG(st.st_mode)) return EINVAL;
  if (st.st_size > RECORD_FILE_MAX_BYTES) return EFBIG;
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(f.fd, buf, sizeof buf);
    if (n == 0) return 0;
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.append(buf, static_cast<size_t>(n));
    if (static_cast<long long>(bytes.size()) > RECORD_FILE_MAX_BYTES) return EFBIG;  // it grew meanwhile
  }
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

std::string DiskRecordFiles::replace(const std::string& path, std::string_view bytes) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  // Short, so that a name near the length limit still leaves room for it,
  // and hidden, so that no file list shows it.
  std::string temp = 棋譜パス(folder, ".棋譜-XXXXXX");
  Fd f{::mkostemp(temp.data(), O_CLOEXEC)};
  if (f.fd < 0) return 失敗理由(errno);
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) ? old.st_mode & 07777 : new_file_mode();
  int error = ::fchmod(f.fd, mode) != 0 ? errno : 0;
  if (error == 0) error = write_all(f.fd, bytes);
  if (error == 0 && ::fsync(f.fd) != 0) error = errno;
  if (::close(f.fd) != 0 && error == 0) error = errno;
  f.fd = -1;
  if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    return 失敗理由(error);
  }
  return {};
}

}  // namespace korvel
