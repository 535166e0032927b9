#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/script/script.h"
#include "framework/script/script_file.h"

namespace quorvel::ui {

std::string ReadScriptFile(const std::string& path, std::uint64_t maxSize) {
  const std::string name = QuoteScriptText(path);
  // Opened without blocking, so that a FIFO or a device is refused below instead of
  // waiting for a writer or reading for ever.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    throw ScriptFailure(0, "cannot read the script file " + name + ": " + std::strerror(errno));
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  struct stat status {};
  if (fstat(fd, &status) != 0)
    throw ScriptFailure(0, "cannot read the script file " + name + ": " + std::strerror(errno));
  if (!S_ISREG(status.st_mode)) {
    throw ScriptFailure(
        0, "cannot read the script file " + name + ": " +
               (S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file"));
  }
  if (static_cast<std::uint64_t>(status.st_size) > maxSize) {
    throw ScriptFailure(0, "the script file " + name + " holds " + std::to_string(status.st_size) +
                               " bytes; a script may hold at most " + std::to_string(maxSize));
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags == -1 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1)
    throw ScriptFailure(0, "cannot read the script file " + name + ": " + std::strerror(errno));
  std::string text;
  text.reserve(static_cast<std::size_t>(status.st_size));
  char chunk[1 << 16];
  while (text.size() <= maxSize) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      throw ScriptFailure(0, "cannot read the script file " + name + ": " + std::strerror(errno));
    if (got == 0)
      break;
    text.append(chunk, static_cast<std::size_t>(got));
  }
  return text;
}

}  // namespace quorvel::ui
