#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace quorvel::host {

// The rules by which the host's getters hand out stored text, kept in one place so
// that the host program, where it views the model directly, sees exactly what a
// plug-in is handed.

// `text` as a getter copies it into a buffer of `room` bytes and more: up to its
// first NUL, and no longer than `room`.
inline std::string_view UpToNul(std::string_view text, std::size_t room) {
  const std::string_view cut = text.substr(0, room);
  return cut.empty() ? cut : cut.substr(0, strnlen(cut.data(), cut.size()));
}

// A stored comment as a getter hands it out, before it is cut at a NUL. A stored
// comment that begins with NUL bytes would read as empty, and a plug-in takes an
// empty comment as free to be overwritten: such a comment is handed out from its
// first other byte, and one of NUL bytes only as a single blank, so that no stored
// comment ever reads as empty. Every other comment reads as it always has.
inline std::string_view CommentToHandOut(std::string_view comment) {
  if (comment.empty() || comment.front() != '\0') {
    return comment;
  }
  const std::size_t first = comment.find_first_not_of('\0');
  return first == std::string_view::npos ? " " : comment.substr(first);
}

}  // namespace quorvel::host
