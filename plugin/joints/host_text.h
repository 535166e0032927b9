#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/joints/host_handles.h"

namespace quorvel {

// Reads the names and comments that the host hands out through a caller's buffer.
//
// Names come through the host's 32-character buffer, as the host keeps them.
// Comments are read whole: the first read uses the host's 1024-character buffer,
// and while the host fills a buffer to its last character the comment is read again
// with twice the room. A record saved longer than 1023 characters therefore comes
// back whole in the next session instead of losing its last events.
//
// Every buffer is cleared before each call, so a host that writes nothing reads as
// empty text; a host that writes no NUL is cut at the buffer's end.
class HostTextReader {
 public:
  static constexpr int kNameBufferSize = 32;
  static constexpr int kCommentBufferSize = 1024;
  // The largest comment read. Far beyond any record a user makes (a comment of 1024
  // characters holds about a hundred events), it only bounds what a corrupt model
  // can make the session allocate.
  static constexpr int kMaxCommentSize = 16 * 1024 * 1024;

  std::string JointName(JointHandle joint);
  std::string JointComment(JointHandle joint);
  std::string ModelComment(ModelHandle model);
  // The same as JointComment, valid until the next call on this reader: reading
  // comment after comment allocates only for one longer than all before.
  std::string_view JointCommentView(JointHandle joint);

 private:
  template <class Getter>
  void ReadWhole(Getter get, std::string& longest);

  std::vector<char> buffer_;
  std::string text_;  // what JointCommentView views
};

}  // namespace quorvel
