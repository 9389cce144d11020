#include "text/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

int replace_whole_file(const std::string& path, std::string_view bytes) {
  const size_t slash = path.rfind('/');
  // Short, so that a name near the length limit still leaves room for it,
  // and hidden, so that no file list shows it.
  std::string temp = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + ".korvel-XXXXXX";
  Fd f{::mkostemp(temp.data(), O_CLOEXEC)};
  if (f.fd < 0) return errno;
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) ? old.st_mode & 07777 : new_file_mode();
  int error = ::fchmod(f.fd, mode) != 0 ? errno : 0;
  if (error == 0) error = write_all(f.fd, bytes);
  if (error == 0 && ::fsync(f.fd) != 0) error = errno;
  if (::close(f.fd) != 0 && error == 0) error = errno;
  f.fd = -1;
  if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  return error;
}

}  // namespace korvel
