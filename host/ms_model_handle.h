#pragma once

#include <string_view>

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

// The text msBone_GetComment hands out into a buffer with room for all of it,
// viewed where the model keeps it instead of copied: valid until that comment is set
// or the model is freed. Empty for a null bone. For readers of many comments that
// only look at them.
inline std::string_view HandedOutComment(msBone* bone) {
  std::size_t length = 0;
  const char* text = msHost_BoneCommentView(bone, &length);
  return {text, length};
}

}  // namespace quorvel::host
