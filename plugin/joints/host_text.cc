#include "plugin/joints/host_text.h"

#include <cstring>

namespace quorvel {

template <class Getter>
void HostTextReader::ReadWhole(Getter get, std::string& longest) {
  // A host that gives less into a larger buffer than it gave before must not cut
  // the text: the longest text read is kept.
  longest.clear();
  for (int size = kCommentBufferSize;; size *= 2) {
    if (buffer_.size() < static_cast<std::size_t>(size)) {
      buffer_.resize(static_cast<std::size_t>(size));
    }
    buffer_[0] = '\0';
    get(buffer_.data(), size);
    const std::size_t length = strnlen(buffer_.data(), static_cast<std::size_t>(size));
    if (length > longest.size()) {
      longest.assign(buffer_.data(), length);
    }
    // Room to spare means the host had no more to give.
    if (length + 1 < static_cast<std::size_t>(size) || size >= kMaxCommentSize) {
      return;
    }
  }
}

std::string HostTextReader::JointName(JointHandle joint) {
  char name[kNameBufferSize];
  name[0] = '\0';
  msBone_GetName(joint, name, kNameBufferSize);
  return std::string(name, strnlen(name, sizeof name));
}

std::string HostTextReader::JointComment(JointHandle joint) {
  std::string comment;
  ReadWhole([joint](char* buffer, int size) { msBone_GetComment(joint, buffer, size); }, comment);
  return comment;
}

std::string_view HostTextReader::JointCommentView(JointHandle joint) {
  ReadWhole([joint](char* buffer, int size) { msBone_GetComment(joint, buffer, size); }, text_);
  return text_;
}

std::string HostTextReader::ModelComment(ModelHandle model) {
  std::string comment;
  ReadWhole([model](char* buffer, int size) { msModel_GetComment(model, buffer, size); }, comment);
  return comment;
}

}  // namespace quorvel
