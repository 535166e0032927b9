#include "host/model_document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "host/atomic_file.h"
#include "host/comments_section.h"
#include "host/ms3d_error.h"

namespace quorvel::host {
namespace {

// Closes a descriptor on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Copies bytes [begin, end) of the original into the new file.
void CopyRange(int from, std::uint64_t begin, std::uint64_t end, AtomicFile& to,
               const std::string& displayName) {
  constexpr std::size_t kChunk = 1 << 20;
  std::vector<char> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, end - begin)));
  std::uint64_t at = begin;
  while (at < end) {
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), end - at));
    ssize_t got = pread(from, buffer.data(), want, static_cast<off_t>(at));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      throw Ms3dError(displayName + ": not saved: cannot read the original at byte " +
                      std::to_string(at) + ": " +
                      (got < 0 ? std::strerror(errno) : "it is shorter than when it was opened"));
    }
    to.Write(buffer.data(), static_cast<std::size_t>(got));
    at += static_cast<std::uint64_t>(got);
  }
}

}  // namespace

ModelDocument ModelDocument::Open(const std::string& path) {
  // The identity is taken before reading, so that a change made while reading is
  // caught at the next save.
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) {
    throw Ms3dError(path + ": cannot open: " + std::strerror(errno));
  }
  Ms3dContents contents = ReadMs3dFile(path);
  ModelDocument document;
  document.model_ = std::move(contents.model);
  document.path_ = path;
  document.comments_ = contents.comments;
  document.identity_ = IdentityOf(status);
  if (document.identity_.size != contents.fileSize) {
    throw Ms3dError(path + ": the file changed while it was read; open it again");
  }
  return document;
}

ModelDocument::ModelDocument(Model model) : model_(std::move(model)) {}

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
  FileDescriptor original(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat status {};
  if (original.get() < 0 || fstat(original.get(), &status) != 0) {
    throw Ms3dError(path_ + ": not saved: cannot open the original: " + std::strerror(errno));
  }
  if (!Same(IdentityOf(status), identity_)) {
    throw Ms3dError(path_ +
                    ": not saved: the file changed on disk since it was opened; open it again "
                    "to keep those changes");
  }
  std::string section = BuildCommentsSection(model_, path_);

  AtomicFile replacement(path_, path_);
  CopyRange(original.get(), 0, comments_.begin, replacement, path_);
  replacement.Write(section.data(), section.size());
  CopyRange(original.get(), comments_.end, identity_.size, replacement, path_);
  struct stat saved = replacement.Commit(status.st_mode & 07777, status.st_uid, status.st_gid);

  identity_ = IdentityOf(saved);
  comments_.end = comments_.begin + section.size();
  comments_.present = true;
  commentsChanged_ = false;
}

void ModelDocument::SaveCopy(const std::string& target) {
  if (path_.empty()) {
    throw Ms3dError(target + ": not saved: the model has no file to copy its other parts from");
  }
  FileDescriptor original(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat status {};
  if (original.get() < 0 || fstat(original.get(), &status) != 0) {
    throw Ms3dError(target + ": not saved: cannot open " + path_ + ": " + std::strerror(errno));
  }
  if (!Same(IdentityOf(status), identity_)) {
    throw Ms3dError(target + ": not saved: " + path_ +
                    " changed on disk since it was opened, so the rest of the model cannot be "
                    "copied from it");
  }
  // A new file is made empty first, with the permissions any new file gets here, and
  // then replaced like an existing one; it goes again if the copy fails.
  bool created = false;
  const int made = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (made >= 0) {
    close(made);
    created = true;
  } else if (errno != EEXIST) {
    throw Ms3dError(target + ": not saved: cannot create the file: " + std::strerror(errno));
  }
  try {
    struct stat existing {};
    if (stat(target.c_str(), &existing) != 0) {
      throw Ms3dError(target + ": not saved: cannot read its status: " + std::strerror(errno));
    }
    std::string section = BuildCommentsSection(model_, target);
    AtomicFile replacement(target, target);
    CopyRange(original.get(), 0, comments_.begin, replacement, target);
    replacement.Write(section.data(), section.size());
    CopyRange(original.get(), comments_.end, identity_.size, replacement, target);
    replacement.Commit(existing.st_mode & 07777, existing.st_uid, existing.st_gid);
  } catch (...) {
    if (created) {
      unlink(target.c_str());
    }
    throw;
  }
}

ModelDocument::FileIdentity ModelDocument::IdentityOf(const struct stat& status) {
  return {status.st_dev, status.st_ino, static_cast<std::uint64_t>(status.st_size), status.st_mtim};
}

bool ModelDocument::Same(const FileIdentity& a, const FileIdentity& b) {
  return a.device == b.device && a.inode == b.inode && a.size == b.size &&
         a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec;
}

}  // namespace quorvel::host
