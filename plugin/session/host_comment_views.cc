#include "plugin/session/host_comment_views.h"

#include <algorithm>

#include "plugin/joints/host_text.h"
#include "plugin/session/host_function.h"

namespace quorvel {

std::string_view HostCommentViews::Of(JointHandle joint) const {
  std::size_t length = 0;
  const char* text = view_(joint, &length);
  if (text == nullptr) {
    return "";
  }
  // As long as HostTextReader reads a comment at most.
  return {text, std::min<std::size_t>(length, HostTextReader::kMaxCommentSize - 1)};
}

HostCommentViews HostCommentViews::Find() {
  // Without the function (the modeller's own library), comments are read through the
  // buffers of the calls every host has.
  return HostCommentViews(
      reinterpret_cast<ViewFunction>(FindHostFunction("msHost_BoneCommentView")));
}

}  // namespace quorvel
