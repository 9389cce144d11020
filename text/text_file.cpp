#include "text/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

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

constexpr std::string_view TEMP_PREFIX = ".korvel-";
constexpr std::size_t TEMP_SUFFIX = 6;  // what mkostemp puts for XXXXXX
// A temporary younger than this may be a write that has made its file but
// not yet locked it; no write lasts long enough to be taken for a leftover.
constexpr time_t TEMP_MIN_AGE = 60;

bool is_temporary_name(std::string_view name) {
  if (name.size() != TEMP_PREFIX.size() + TEMP_SUFFIX || name.substr(0, TEMP_PREFIX.size()) != TEMP_PREFIX)
    return false;
  for (char c : name.substr(TEMP_PREFIX.size()))
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
  return true;
}

std::string folder_of(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

int read_whole_file(const std::string& path, std::string& bytes, long long max_bytes) {
  bytes.clear();
  // Non-blocking, so that a named pipe cannot hang the game; a regular file
  // reads the same either way.
  Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
  if (f.fd < 0) return errno;
  struct stat st {};
  if (::fstat(f.fd, &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (!S_ISREG(st.st_mode)) return EINVAL;
  if (st.st_size > max_bytes) return EFBIG;
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(f.fd, buf, sizeof buf);
    if (n == 0) return 0;
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.append(buf, static_cast<size_t>(n));
    if (static_cast<long long>(bytes.size()) > max_bytes) return EFBIG;  // it grew meanwhile
  }
}

int remove_stale_temporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return 0;
  int removed = 0;
  while (const dirent* e = ::readdir(dir)) {
    if (!is_temporary_name(e->d_name)) continue;
    Fd f{::openat(::dirfd(dir), e->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY)};
    struct stat st {};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (st.st_mtime > ::time(nullptr) - TEMP_MIN_AGE) continue;
    // A write in progress holds its lock until it has renamed the file; one
    // that was killed holds none.
    if (::flock(f.fd, LOCK_EX | LOCK_NB) != 0) continue;
    // The name may have been renamed away and made anew meanwhile.
    struct stat now {};
    if (::fstatat(::dirfd(dir), e->d_name, &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_ino != st.st_ino ||
        now.st_dev != st.st_dev)
      continue;
    if (::unlinkat(::dirfd(dir), e->d_name, 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

int replace_whole_file(const std::string& path, std::string_view bytes, bool keep_mode) {
  const std::string folder = folder_of(path);
  remove_stale_temporaries(folder);
  // Short, so that a name near the length limit still leaves room for it,
  // and hidden, so that no file list shows it.
  std::string temp = folder + std::string(TEMP_PREFIX) + "XXXXXX";
  Fd f{::mkostemp(temp.data(), O_CLOEXEC)};
  if (f.fd < 0) return errno;
  int error = ::flock(f.fd, LOCK_EX) != 0 ? errno : 0;
  struct stat old {};
  const mode_t mode =
      keep_mode && ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) ? old.st_mode & 07777 : new_file_mode();
  if (error == 0 && ::fchmod(f.fd, mode) != 0) error = errno;
  if (error == 0) error = write_all(f.fd, bytes);
  // On the disk before it takes the old file's name: a power cut leaves
  // one whole file or the other.
  if (error == 0 && ::fsync(f.fd) != 0) error = errno;
  // Renamed while still locked, so that no other start takes it for a leftover.
  if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  return error;
}

}  // namespace korvel
