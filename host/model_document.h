#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "host/file_status.h"
#include "host/model.h"
#include "host/ms3d_reader.h"
#include "host/unique_fd.h"

namespace quorvel::host {

class AtomicFile;

// A model together with the file it came from: what the host has open.
//
// Only comments can be changed. Saving a document whose comments did not change
// leaves the file alone; otherwise the comments section is written anew and every
// other byte is copied from the file that was opened, which must still be in place
// exactly as it was read. Errors are Ms3dError with a message for a person.
//
// A save never reports success for a file that is not the one read plus the
// changed comments. It refuses, and keeps the edits in a file beside the model
// (see KeepFileBeside), when:
// - the file changed since it was read: its device, inode, size, modification or
//   status-change time (on Windows: its volume, file index, size or last write
//   time), or the hash of its bytes, is no longer what was read; this is checked
//   again once the new file is on the disk, right before it is put in place, and
//   the file the replace takes out of the model's place is checked once more, then
//   put back should another program have changed it in that last moment (see
//   AtomicFile::CommitChecked);
// - replacing it would split hard links, change its owner or group, or drop an
//   extended attribute (an access list, a security label);
// - it is read-only: nobody has write permission, even when the user could write
//   it anyway (root), unless AllowSavingReadOnly was called; or this user cannot
//   write it.
// The refusal is one sentence: "PATH: not saved: REASON; your changes are kept in
// KEPT". What is kept is never more open to others than the model: it has the
// model's permission bits. When the disk itself fails (full, file-size limit, no folder access),
// nothing is kept beside and the edits stay in the document.
class ModelDocument {
 public:
  static ModelDocument Open(const std::string& path);
  // Opens a document that is only read, never saved: the file is not hashed nor
  // kept open; SaveCopy throws, and so does Save once a comment was changed. Its
  // comments view the file as the system maps it where the program allowed it (see
  // MappedFile, AllowMappedReads): a file that
  // another program cuts short while the document is open ends the process with
  // status 2 and a message naming it when a comment's lost bytes are touched.
  static ModelDocument OpenForReading(const std::string& path);
  // A document with no file behind it; it can be changed but not saved.
  explicit ModelDocument(host::Model model);

  const host::Model& Model() const { return model_; }
  const std::string& Path() const { return path_; }

  // Replacing a comment by the text it already holds is no change.
  void SetModelComment(std::string text);
  void SetJointComment(std::size_t index, std::string text);

  // Whether a comment differs from what the file holds (since opening or the last
  // save).
  bool CommentsChanged() const { return commentsChanged_; }

  // Saves atomically; see the class comment. Throws when nothing could be saved;
  // the file on disk is then untouched.
  void Save();
  // What a person should know about how the last save was made, or an empty text
  // (see AtomicFile::Note).
  const std::string& SaveNote() const { return saveNote_; }

  // Lets the next saves replace a file that has no write permission for anyone
  // but that this user may write all the same.
  void AllowSavingReadOnly(bool allow) { allowReadOnly_ = allow; }

  // Acts between the steps of a save; for tests.
  class SaveObserver {
   public:
    virtual ~SaveObserver() = default;
    // The new file is written and flushed, not yet checked against the original
    // or put in place.
    virtual void NewFileWritten(const std::string& temporaryPath) = 0;
    // The last check found the model as it was read; the new file is put in place
    // next.
    virtual void LastCheckMade(const std::string& /*target*/) {}
  };
  void SetSaveObserver(SaveObserver* observer) { observer_ = observer; }

  // Writes the model with its comments as they are now to another file, `target`:
  // a new file is created; an existing one is replaced atomically and keeps its
  // permissions. The bytes besides the comments are copied from the file the model
  // was opened from, which must still be the file that was read. The document stays
  // bound to its own file, whose comments still count as changed. Throws when
  // nothing could be written; `target` is then as it was (absent when it was).
  void SaveCopy(const std::string& target);

  // What identifies the file on disk as the one that was read. Two identities are
  // the same file unchanged only when every field is equal.
  struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    std::uint64_t hash = 0;  // of every byte, see ContentHash
  };
  static bool Same(const FileIdentity& a, const FileIdentity& b);

 private:
  ModelDocument() = default;
  static ModelDocument Read(const std::string& path, bool forSaving);
  static FileIdentity IdentityOf(const FileStatus& status);
  // Why the file at the path is no longer the one read, or an empty text.
  std::string ChangedOnDisk(const std::string& target, std::uint64_t hashNow) const;
  // Keeps the edits beside the model, as the complete new file or as text with the
  // model's `permissions`, and throws.
  [[noreturn]] void Refuse(const std::string& reason, AtomicFile* complete,
                           std::uint32_t permissions) const;

  host::Model model_;
  std::string path_;
  CommentsSpan comments_;
  FileIdentity identity_;
  // The file read, kept open: its bytes are copied from it even when another
  // program has since put a new file at the path.
  UniqueFd file_;
  bool commentsChanged_ = false;
  bool allowReadOnly_ = false;
  bool readOnly_ = false;  // opened for reading only
  SaveObserver* observer_ = nullptr;
  std::string saveNote_;
};

}  // namespace quorvel::host
