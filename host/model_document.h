#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

#include "host/model.h"
#include "host/ms3d_reader.h"

namespace quorvel::host {

// A model together with the file it came from: what the host has open.
//
// Only comments can be changed. Saving a document whose comments did not change
// leaves the file alone; otherwise the comments section is written anew and every
// other byte is copied from the file as it is on disk, which must still be the
// file that was opened. Errors are Ms3dError with a message for a person.
class ModelDocument {
 public:
  static ModelDocument Open(const std::string& path);
  // A document with no file behind it; it can be changed but not saved.
  explicit ModelDocument(Model model);

  const Model& model() const { return model_; }
  const std::string& path() const { return path_; }

  // Replacing a comment by the text it already holds is no change.
  void SetModelComment(std::string text);
  void SetJointComment(std::size_t index, std::string text);

  // Whether a comment differs from what the file holds (since opening or the last
  // save).
  bool CommentsChanged() const { return commentsChanged_; }

  // Saves atomically; see the class comment. Throws when nothing could be saved;
  // the file on disk is then untouched.
  void Save();

  // Writes the model with its comments as they are now to another file, `target`:
  // a new file is created; an existing one is replaced atomically and keeps its
  // permissions. The bytes besides the comments are copied from the file the model
  // was opened from, which must still be the file that was read. The document stays
  // bound to its own file, whose comments still count as changed. Throws when
  // nothing could be written; `target` is then as it was (absent when it was).
  void SaveCopy(const std::string& target);

 private:
  // What identifies the file on disk as the one that was read.
  struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::uint64_t size = 0;
    timespec modified{};
  };

  ModelDocument() = default;
  static FileIdentity IdentityOf(const struct stat& status);
  static bool Same(const FileIdentity& a, const FileIdentity& b);

  Model model_;
  std::string path_;
  CommentsSpan comments_;
  FileIdentity identity_;
  bool commentsChanged_ = false;
};

}  // namespace quorvel::host
