#include "host/kept_edits.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>

#include "host/ms3d_error.h"
#include "host/path_parts.h"
#include "host/system.h"

namespace quorvel::host {
namespace {

constexpr int kMostNames = 100;

// "folder/fleet" and ".ms3d" from "folder/fleet.ms3d"; a name without an
// extension, or one that only starts with a dot, has none.
std::pair<std::string, std::string> StemAndExtension(const std::string& model) {
  std::size_t slash = model.find_last_of(kPathSeparators);
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
    std::string candidate = stem + tail;
    if (number > 1) {
      candidate += '-';
      candidate += std::to_string(number);
    }
    candidate += extension;
    error = place(candidate);
    if (error == 0) {
      return candidate;
    }
  }
  throw Ms3dError("cannot write a file beside " + model + ": " + std::strerror(error));
}

}  // namespace

int WriteNewFile(const std::string& path, const std::string& text, std::uint32_t permissions) {
  System& system = CurrentSystem();
  const int fd = system.CreateNew(path, permissions);
  if (fd < 0) {
    return errno;
  }
  int error = 0;
  const char* next = text.data();
  std::size_t left = text.size();
  while (left > 0 && error == 0) {
    const std::int64_t written = system.Write(fd, next, left);
    if (written <= 0) {
      error = written < 0 ? errno : ENOSPC;
    } else {
      next += written;
      left -= static_cast<std::size_t>(written);
    }
  }
  if (error == 0 && !system.Flush(fd)) {
    error = errno;
  }
  system.Close(fd);
  if (error != 0) {
    // Not left half written; EEXIST would read as a name taken meanwhile.
    system.Remove(path);
    return error == EEXIST ? EIO : error;
  }
  return 0;
}

std::string KeepFileBeside(const std::string& model, const std::string& from) {
  return PlaceBeside(
      model, ".unsaved", StemAndExtension(model).second,
      [&](const std::string& candidate) { return CurrentSystem().MoveToNewName(from, candidate); });
}

std::string PutInPlaceOfRemoved(const std::string& model, const std::string& from) {
  if (CurrentSystem().MoveToNewName(from, model) == 0) {
    return model;
  }
  try {
    return KeepFileBeside(model, from);
  } catch (const Ms3dError&) {
    return from;
  }
}

std::string KeepTextBeside(const std::string& model, const std::string& text,
                           std::uint32_t permissions) {
  return PlaceBeside(model, ".unsaved-comments", ".txt", [&](const std::string& candidate) {
    return WriteNewFile(candidate, text, permissions);
  });
}

}  // namespace quorvel::host
