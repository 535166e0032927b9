#pragma once

#include <string>

#include "plugin/joints/host_handles.h"

namespace quorvel {

// Where the session tells the host what became of each page's record, for a host
// that asks.
//
// The host's ten functions leave the host to find out for itself what a run
// changed, and it cannot tell from the comments which edits the answer No to
// "Overwrite existing attributes?" left unwritten. The host library the quorvel
// command uses offers msHost_NoteRecord for that account, looked up at run time
// like msHost_BoneCommentView: the modeller's own library does not have it, and the
// session then notes nothing.
class HostRecordNotes {
 public:
  // The host's function when the host program offers it; empty otherwise.
  static HostRecordNotes Find();

  explicit operator bool() const { return note_ != nullptr; }

  // The page captioned `caption` had its record written, and its comment changed.
  void Written(ModelHandle model, const std::string& caption) const;
  // The user's edits of the page captioned `caption` were not written.
  void NotWritten(ModelHandle model, const std::string& caption) const;

  using NoteFunction = void (*)(msModel* model, const char* caption, int written);
  explicit HostRecordNotes(NoteFunction note = nullptr) : note_(note) {}

 private:
  NoteFunction note_;
};

}  // namespace quorvel
