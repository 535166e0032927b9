#pragma once

#include <cstddef>
#include <string_view>

#include "plugin/joints/host_handles.h"

namespace quorvel {

// The joints' comments where the host keeps them, for a host that offers them.
//
// The host's ten functions hand a comment out only as a copy into the caller's
// buffer. The host library the quorvel command uses also offers
// msHost_BoneCommentView, a view of the same text where the model keeps it, valid
// until that comment or the model changes. A session over tens of thousands of
// joints keeps these views instead of loading every page's record at once. The
// function is looked up at run time, never linked: the modeller's own library does
// not have it, and the plug-in then reads every comment through the buffers.
class HostCommentViews {
 public:
  // The host's function when the host program offers it; empty otherwise.
  static HostCommentViews Find();

  explicit operator bool() const { return view_ != nullptr; }

  // The text msBone_GetComment would hand out for `joint` into a buffer of
  // HostTextReader::kMaxCommentSize characters. Only when the host offers views.
  std::string_view Of(JointHandle joint) const;

  using ViewFunction = const char* (*)(msBone* bone, std::size_t* length);
  explicit HostCommentViews(ViewFunction view = nullptr) : view_(view) {}

 private:
  ViewFunction view_;
};

}  // namespace quorvel
