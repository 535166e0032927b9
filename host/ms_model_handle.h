#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "host/handed_out_text.h"
#include "host/model_document.h"
#include "host/ms_model_lib.h"

namespace quorvel::host {

// The bridge between the C handles and the C++ document, for the host program and
// for tests that build models in memory.

// Wraps a document in a handle that the msModel_ and msBone_ functions accept;
// release it with msHost_FreeModel.
msModel* AdoptDocument(ModelDocument document);

// The document behind a handle; null for a null handle. Through the library's
// exported function, so that it also reaches into the library as a DLL.
inline ModelDocument* DocumentOf(msModel* model) {
  return static_cast<ModelDocument*>(msHost_Document(model));
}

// The joints of the model behind a handle, for a reader of every joint that only
// looks: no joint handles are made and no text is copied. A mark set through
// msHost_SetJointMarked is not in them; the stored flags are.
inline const std::vector<Joint>& JointsOf(msModel* model) {
  return DocumentOf(model)->Model().joints;
}

// The name msBone_GetName hands out into a buffer of `size` bytes, viewed where the
// model keeps it.
inline std::string_view HandedOutName(const Joint& joint, std::size_t size) {
  return size == 0 ? std::string_view() : UpToNul(joint.name, size - 1);
}

// The text msBone_GetComment hands out into a buffer with room for all of it,
// viewed where the model keeps it.
inline std::string_view HandedOutComment(const Joint& joint) {
  const std::string_view text = CommentToHandOut(joint.comment.View());
  return UpToNul(text, text.size());
}

// The same through a joint's handle: valid until that comment is set or the model is
// freed. Empty for a null bone. For readers of many comments that only look at them.
inline std::string_view HandedOutComment(msBone* bone) {
  std::size_t length = 0;
  const char* text = msHost_BoneCommentView(bone, &length);
  return {text, length};
}

}  // namespace quorvel::host
