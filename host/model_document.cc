#include "host/model_document.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "host/atomic_file.h"
#include "host/comments_section.h"
#include "host/content_hash.h"
#include "host/kept_edits.h"
#include "host/ms3d_error.h"
#include "host/system.h"

namespace quorvel::host {
namespace {

// Reads bytes [begin, end) of `from` into `hash`; unless `to` is null, also writes
// them to `to` and adds them to `written`. Returns false when the file ends first.
bool CopyRange(int from, std::uint64_t begin, std::uint64_t end, ContentHash& hash, AtomicFile* to,
               ContentHash* written, const std::string& displayName) {
  constexpr std::size_t kChunk = 1 << 20;
  std::vector<char> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, end - begin)));
  std::uint64_t at = begin;
  while (at < end) {
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), end - at));
    const std::int64_t got = CurrentSystem().ReadAt(from, buffer.data(), want, at);
    if (got < 0) {
      throw Ms3dError(displayName + ": cannot read the file at byte " + std::to_string(at) + ": " +
                      std::strerror(errno));
    }
    if (got == 0) {
      return false;
    }
    hash.Add(buffer.data(), static_cast<std::size_t>(got));
    if (to != nullptr) {
      to->Write(buffer.data(), static_cast<std::size_t>(got));
      written->Add(buffer.data(), static_cast<std::size_t>(got));
    }
    at += static_cast<std::uint64_t>(got);
  }
  return true;
}

// Writes to `to` the bytes of the file `from` as opened, with the comments section
// between `comments` replaced by `section`; every byte read goes into `readHash`,
// every byte written into `newHash`. Returns false when the file ends first.
bool CopyWithNewComments(int from, const CommentsSpan& comments, std::uint64_t size,
                         const std::string& section, AtomicFile& to, ContentHash& readHash,
                         ContentHash& newHash, const std::string& displayName) {
  const std::uint64_t bounds[] = {0, comments.begin, comments.end, size};
  for (int piece = 0; piece < 3; ++piece) {
    const bool isComments = piece == 1;  // read and hashed, but replaced
    if (!CopyRange(from, bounds[piece], bounds[piece + 1], readHash, isComments ? nullptr : &to,
                   &newHash, displayName)) {
      return false;
    }
    if (isComments) {
      to.Write(section.data(), section.size());
      newHash.Add(section.data(), section.size());
    }
  }
  return true;
}

// The comments in a form a person can copy back, for when no complete model file
// can be kept.
std::string CommentsAsText(const Model& model, const std::string& path) {
  std::string text = "Comments of " + path +
                     " that could not be saved, because another program changed the file.\n";
  text.append("\n[model comment]\n").append(model.comment.View()).append("\n");
  for (const Joint& joint : model.joints) {
    if (!joint.comment.empty()) {
      text.append("\n[comment of joint " + joint.name + "]\n")
          .append(joint.comment.View())
          .append("\n");
    }
  }
  return text;
}

}  // namespace

ModelDocument ModelDocument::Open(const std::string& path) {
  return Read(path, true);
}

ModelDocument ModelDocument::OpenForReading(const std::string& path) {
  return Read(path, false);
}

ModelDocument ModelDocument::Read(const std::string& path, bool forSaving) {
  // The file stays open from before it is read: it is the file a save copies from.
  // Its identity is taken before reading and checked after; a document that may be
  // saved also hashes all the file's bytes as they are read, in the same pass, so
  // that a change made while reading is caught now and one made later at the save.
  FileStatus before;
  UniqueFd file = OpenModelFileForReading(path, before);
  ModelDocument document;
  document.identity_ = IdentityOf(before);
  ContentHash hash;
  // One that is only read maps the file instead of copying what it keeps.
  FileSource source(file.get(), document.identity_.size, path, forSaving ? &hash : nullptr,
                    forSaving ? FileSource::Bytes::kCopied : FileSource::Bytes::kMapped);
  Ms3dContents contents = ReadMs3d(source, path);
  const bool whole = !forSaving || source.ReadToEnd();
  FileStatus after;
  FileStatus atPath;
  if (!whole || document.identity_.size != contents.fileSize ||
      !CurrentSystem().Status(file.get(), after) || !CurrentSystem().StatusOfPath(path, atPath) ||
      !Same(IdentityOf(after), document.identity_) || !SameFile(after, atPath)) {
    throw Ms3dError(path + ": the file changed while it was read; open it again");
  }
  document.model_ = std::move(contents.model);
  document.path_ = path;
  if (forSaving) {
    document.identity_.hash = hash.Value();
    document.comments_ = contents.comments;
    document.file_ = std::move(file);
  } else {
    document.readOnly_ = true;
  }
  return document;
}

ModelDocument::ModelDocument(host::Model model) : model_(std::move(model)) {}

void ModelDocument::SetModelComment(std::string text) {
  if (text != model_.comment) {
    model_.comment = std::move(text);
    commentsChanged_ = true;
  }
}

void ModelDocument::SetJointComment(std::size_t index, std::string text) {
  if (index < model_.joints.size() && text != model_.joints[index].comment) {
    model_.joints[index].comment = std::move(text);
    commentsChanged_ = true;
  }
}

void ModelDocument::Save() {
  if (!commentsChanged_) {
    return;
  }
  if (path_.empty()) {
    throw Ms3dError("the model has no file to be saved to");
  }
  if (readOnly_) {
    throw Ms3dError(path_ + ": not saved: the model was opened for reading only");
  }
  std::string section = BuildCommentsSection(model_, path_);
  const std::string notSaved = path_ + ": not saved";

  // The new file: the bytes read, with the new comments section, all copied from
  // the file as opened and hashed on the way.
  AtomicFile replacement(path_, path_);
  ContentHash readHash;
  ContentHash newHash;
  const bool whole = CopyWithNewComments(file_.get(), comments_, identity_.size, section,
                                         replacement, readHash, newHash, notSaved);
  FileStatus original;
  if (!CurrentSystem().Status(file_.get(), original)) {
    throw Ms3dError(notSaved + ": cannot read the status of the original: " + std::strerror(errno));
  }
  std::string refusal = replacement.TakeAttributesOf(file_.get());
  replacement.Flush();
  if (observer_ != nullptr) {
    observer_->NewFileWritten(replacement.TemporaryPath());
  }

  if (!whole || readHash.Value() != identity_.hash) {
    Refuse("the file changed on disk since it was opened (another program rewrote it)", nullptr,
           original.permissions);
  }
  if (refusal.empty() && original.links > 1) {
    refusal = "it has " + std::to_string(original.links) +
              " names (hard links), and replacing it would leave the old content under the "
              "other names";
  } else if (refusal.empty() && !CurrentSystem().UserMayWrite(replacement.Target())) {
    refusal = std::string("this user may not write it (") + std::strerror(errno) + ")";
  } else if (refusal.empty() && original.readOnly && !allowReadOnly_) {
    refusal = "it is read-only (nobody has write permission)";
  }
  // The last check, once the new file is on the disk and right before it is put in
  // place.
  std::string changed = ChangedOnDisk(replacement.Target(), readHash.Value());
  if (!changed.empty()) {
    refusal = changed;
  }
  if (!refusal.empty()) {
    Refuse(refusal, &replacement, original.permissions);
  }
  if (observer_ != nullptr) {
    observer_->LastCheckMade(replacement.Target());
  }
  // What the replace takes out of the model's place must still be the file checked:
  // the same file, with the same size, modification time, permissions and bytes.
  // Its status-change time is not compared with the one read (taking the file out
  // changes it), but must not change while its bytes are hashed: a program that
  // had the file open and writes it meanwhile is caught too.
  const auto sameAsChecked = [&](int replaced) -> std::string {
    const std::string lastMoment =
        "another program changed the file in the moment before it was replaced";
    FileStatus before;
    FileStatus after;
    const auto unchanged = [&](const FileStatus& now) {
      return now.regular && SameFile(now, original) && now.size == identity_.size &&
             now.modified == identity_.modified && now.permissions == original.permissions &&
             now.links == original.links;
    };
    if (!CurrentSystem().Status(replaced, before)) {
      return std::string("the file at its place cannot be checked (") + std::strerror(errno) + ")";
    }
    if (!unchanged(before)) {
      return lastMoment;
    }
    ContentHash again;
    if (!CopyRange(replaced, 0, before.size, again, nullptr, nullptr, notSaved) ||
        again.Value() != identity_.hash || !CurrentSystem().Status(replaced, after) ||
        !unchanged(after) || after.changed != before.changed) {
      return lastMoment;
    }
    return "";
  };
  FileStatus saved;
  const std::string movedOut = replacement.CommitChecked(sameAsChecked, saved);
  saveNote_ = replacement.Note();
  if (!movedOut.empty()) {
    Refuse(movedOut, &replacement, original.permissions);
  }

  file_.Reset(replacement.ReleaseDescriptor());
  identity_ = IdentityOf(saved);
  identity_.hash = newHash.Value();
  comments_.end = comments_.begin + section.size();
  comments_.present = true;
  commentsChanged_ = false;
}

std::string ModelDocument::ChangedOnDisk(const std::string& target, std::uint64_t hashNow) const {
  FileStatus now;
  if (!CurrentSystem().StatusOfPath(target, now)) {
    return std::string("the file is gone from its place (") + std::strerror(errno) + ")";
  }
  FileIdentity identity = IdentityOf(now);
  identity.hash = hashNow;
  if (!Same(identity, identity_)) {
    return "the file changed on disk since it was opened";
  }
  return "";
}

void ModelDocument::Refuse(const std::string& reason, AtomicFile* complete,
                           std::uint32_t permissions) const {
  std::string message = path_ + ": not saved: " + reason;
  try {
    // The complete file has the model's permissions already; the text gets them too.
    std::string kept = complete != nullptr
                           ? complete->KeepBeside()
                           : KeepTextBeside(path_, CommentsAsText(model_, path_), permissions);
    message += "; your changes are kept in " + kept;
  } catch (const Ms3dError& error) {
    message += "; your changes could not be kept beside it either (" + std::string(error.what()) +
               "), so save them to another file";
  }
  throw Ms3dError(message);
}

void ModelDocument::SaveCopy(const std::string& target) {
  const std::string notSaved = target + ": not saved";
  if (path_.empty()) {
    throw Ms3dError(notSaved + ": the model has no file to copy its other parts from");
  }
  if (readOnly_) {
    throw Ms3dError(notSaved + ": the model was opened for reading only");
  }
  // An existing target keeps its permissions; it must be another file than the
  // model's own, which only Save may replace, after its checks.
  UniqueFd existing(CurrentSystem().OpenToInspect(target));
  FileStatus status;
  if (existing.get() >= 0) {
    FileStatus own;
    FileStatus atPath;
    if (!CurrentSystem().Status(existing.get(), status)) {
      throw Ms3dError(notSaved + ": cannot read its status: " + std::strerror(errno));
    }
    if (!status.regular) {
      throw Ms3dError(notSaved + ": it is not a regular file");
    }
    const bool ownFile = (CurrentSystem().Status(file_.get(), own) && SameFile(own, status)) ||
                         (CurrentSystem().StatusOfPath(path_, atPath) && SameFile(atPath, status));
    if (ownFile) {
      throw Ms3dError(notSaved + ": it is the model's own file; choose another name");
    }
  } else if (errno != ENOENT) {
    throw Ms3dError(notSaved + ": cannot open it: " + std::strerror(errno));
  }
  const bool created = existing.get() < 0;

  // The bytes besides the comments come from the model's own file as it was opened,
  // which stays open: a file renamed over it meanwhile does not matter, but one
  // rewritten in place does, and is caught by the hash of what was read. The copy is
  // written to a temporary file and only then given its name, so an interrupted copy
  // leaves nothing under that name.
  std::string section = BuildCommentsSection(model_, target);
  AtomicFile replacement(target, target, created);
  ContentHash readHash;
  ContentHash newHash;
  const bool whole = CopyWithNewComments(file_.get(), comments_, identity_.size, section,
                                         replacement, readHash, newHash, notSaved);
  if (!whole || readHash.Value() != identity_.hash) {
    throw Ms3dError(notSaved + ": " + path_ +
                    " changed on disk since it was opened, so the rest of the model cannot be "
                    "copied from it");
  }
  // A replaced file keeps its permissions and becomes the user's own, as any file the
  // user writes anew; a new file gets the permissions new files get here.
  replacement.SetPermissions(created ? nullptr : &status);
  replacement.Flush();
  replacement.Commit();
}

ModelDocument::FileIdentity ModelDocument::IdentityOf(const FileStatus& status) {
  return {status.volume, status.index, status.size, status.modified, status.changed, 0};
}

bool ModelDocument::Same(const FileIdentity& a, const FileIdentity& b) {
  return a.volume == b.volume && a.index == b.index && a.size == b.size &&
         a.modified == b.modified && a.changed == b.changed && a.hash == b.hash;
}

}  // namespace quorvel::host
