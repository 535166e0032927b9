#include "host/kept_edits.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <functional>

#include "host/ms3d_error.h"
#include "host/unique_fd.h"

namespace quorvel::host {
namespace {

constexpr int kMostNames = 100;

// "folder/fleet" and ".ms3d" from "folder/fleet.ms3d"; a name without an
// extension, or one that only starts with a dot, has none.
std::pair<std::string, std::string> StemAndExtension(const std::string& model) {
  std::size_t slash = model.rfind('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = model.rfind('.');
  if (dot == std::string::npos || dot <= nameStart) {
    return {model, ""};
  }
  return {model.substr(0, dot), model.substr(dot)};
}

// Tries `place` on each free name in turn; `place` returns 0, or an errno value
// (EEXIST moves on to the next name).
std::string PlaceBeside(const std::string& model, const std::string& tail,
                        const std::string& extension,
                        const std::function<int(const std::string&)>& place) {
  const std::string stem = StemAndExtension(model).first;
  int error = EEXIST;
  for (int number = 1; number <= kMostNames && error == EEXIST; ++number) {
    std::string candidate =
        stem + tail + (number == 1 ? "" : "-" + std::to_string(number)) + extension;
    error = place(candidate);
    if (error == 0) {
      return candidate;
    }
  }
  throw Ms3dError("cannot write a file beside " + model + ": " + std::strerror(error));
}

}  // namespace

int MoveToNewName(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS) {
    return errno;
  }
  // A file system without the no-replace rename: a new link fails on an existing
  // name just the same.
  if (link(from.c_str(), to.c_str()) != 0) {
    return errno;
  }
  unlink(from.c_str());
  return 0;
}

std::string KeepFileBeside(const std::string& model, const std::string& from) {
  return PlaceBeside(model, ".unsaved", StemAndExtension(model).second,
                     [&](const std::string& candidate) { return MoveToNewName(from, candidate); });
}

std::string KeepTextBeside(const std::string& model, const std::string& text) {
  return PlaceBeside(model, ".unsaved-comments", ".txt", [&](const std::string& candidate) {
    UniqueFd file(open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (file.get() < 0) {
      return errno;
    }
    const char* next = text.data();
    std::size_t left = text.size();
    while (left > 0) {
      ssize_t written = write(file.get(), next, left);
      if (written < 0 && errno == EINTR) {
        continue;
      }
      if (written <= 0) {
        int error = written < 0 ? errno : ENOSPC;
        unlink(candidate.c_str());
        return error == EEXIST ? EIO : error;
      }
      next += written;
      left -= static_cast<std::size_t>(written);
    }
    if (fsync(file.get()) != 0) {
      int error = errno;
      unlink(candidate.c_str());
      return error == EEXIST ? EIO : error;
    }
    return 0;
  });
}

}  // namespace quorvel::host
