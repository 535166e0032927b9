#include "tests/support/memory_system.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/path_parts.h"

namespace quorvel::testing {

MemorySystem::MemorySystem() {
  names_["/mem"] = NewNode(true);
}

MemorySystem::~MemorySystem() {
  for (const auto& [fd, open] : open_) {
    static_cast<void>(open);
    close(fd);
  }
}

std::shared_ptr<MemorySystem::Node> MemorySystem::NewNode(bool folder) {
  auto node = std::make_shared<Node>();
  node->index = nextIndex_++;
  node->modified = node->changed = clock_++;
  node->folder = folder;
  return node;
}

int MemorySystem::OpenNode(std::shared_ptr<Node> node) {
  const int fd = open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    open_[fd] = Open{std::move(node), 0};
  }
  return fd;
}

int MemorySystem::OpenExisting(const std::string& path) {
  const auto found = names_.find(path);
  if (found == names_.end()) {
    errno = ENOENT;
    return -1;
  }
  return OpenNode(found->second);
}

MemorySystem::Open* MemorySystem::Find(int fd) {
  const auto found = open_.find(fd);
  if (found == open_.end()) {
    errno = EBADF;
    return nullptr;
  }
  return &found->second;
}

bool MemorySystem::FolderExists(const std::string& path) const {
  const auto found = names_.find(host::FolderOf(path));
  return found != names_.end() && found->second->folder;
}

void MemorySystem::WriteFile(const std::string& path, const std::string& bytes) {
  auto node = NewNode(false);
  node->bytes = bytes;
  names_[path] = node;
}

std::optional<std::string> MemorySystem::ReadFile(const std::string& path) const {
  const auto found = names_.find(path);
  if (found == names_.end()) {
    return std::nullopt;
  }
  return found->second->bytes;
}

std::vector<std::string> MemorySystem::Entries(const std::string& folder) const {
  std::vector<std::string> names;
  for (const auto& [path, node] : names_) {
    static_cast<void>(node);
    if (path != folder && host::FolderOf(path) == folder) {
      names.push_back(host::BaseNameOf(path));
    }
  }
  return names;
}

int MemorySystem::ResolvePath(const std::string& path, std::string& resolved) {
  if (names_.count(path) == 0) {
    return ENOENT;
  }
  resolved = path;
  return 0;
}

int MemorySystem::CreateTemporary(const std::string& stem, std::string& path) {
  if (!FolderExists(stem + "x")) {
    errno = ENOENT;
    return -1;
  }
  do {
    std::string number = std::to_string(100000 + ++nextTemporary_);
    path = stem + "T" + number.substr(1);
  } while (names_.count(path) != 0);
  auto node = NewNode(false);
  node->permissions = 0600;
  names_[path] = node;
  return OpenNode(node);
}

void MemorySystem::Close(int fd) {
  if (open_.erase(fd) != 0) {
    close(fd);
  }
}

std::int64_t MemorySystem::ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset) {
  Open* open = Find(fd);
  if (open == nullptr) {
    return -1;
  }
  const std::string& bytes = open->node->bytes;
  if (offset >= bytes.size()) {
    return 0;
  }
  const std::size_t got = std::min<std::size_t>(count, bytes.size() - offset);
  std::memcpy(into, bytes.data() + offset, got);
  return static_cast<std::int64_t>(got);
}

std::int64_t MemorySystem::Write(int fd, const void* data, std::size_t count) {
  Open* open = Find(fd);
  if (open == nullptr) {
    return -1;
  }
  std::string& bytes = open->node->bytes;
  if (bytes.size() < open->position + count) {
    bytes.resize(open->position + count);
  }
  std::memcpy(bytes.data() + open->position, data, count);
  open->position += count;
  open->node->modified = open->node->changed = clock_++;
  return static_cast<std::int64_t>(count);
}

bool MemorySystem::Flush(int fd) {
  return Find(fd) != nullptr;
}

bool MemorySystem::Status(int fd, host::FileStatus& status) {
  Open* open = Find(fd);
  if (open == nullptr) {
    return false;
  }
  const Node& node = *open->node;
  status = host::FileStatus{};
  status.volume = 1;
  status.index = node.index;
  status.size = node.bytes.size();
  status.modified = node.modified;
  status.changed = node.changed;
  status.links = node.links;
  status.regular = !node.folder;
  status.folder = node.folder;
  status.readOnly = (node.permissions & 0222) == 0;
  status.permissions = node.permissions;
  return true;
}

bool MemorySystem::StatusOfPath(const std::string& path, host::FileStatus& status) {
  const int fd = OpenExisting(path);
  if (fd < 0) {
    return false;
  }
  const bool read = Status(fd, status);
  Close(fd);
  return read;
}

bool MemorySystem::UserMayWrite(const std::string& path) {
  const auto found = names_.find(path);
  if (found == names_.end()) {
    errno = ENOENT;
    return false;
  }
  if ((found->second->permissions & 0200) == 0) {
    errno = EACCES;
    return false;
  }
  return true;
}

bool MemorySystem::SetPermissions(int fd, std::uint32_t permissions) {
  Open* open = Find(fd);
  if (open == nullptr) {
    return false;
  }
  open->node->permissions = permissions;
  open->node->changed = clock_++;
  return true;
}

int MemorySystem::ListAttributes(int fd, std::vector<std::string>& names) {
  Open* open = Find(fd);
  if (open == nullptr) {
    return errno;
  }
  names.clear();
  for (const auto& [name, value] : open->node->attributes) {
    static_cast<void>(value);
    names.push_back(name);
  }
  return 0;
}

int MemorySystem::CopyAttribute(int from, int to, const std::string& name) {
  Open* source = Find(from);
  Open* target = Find(to);
  if (source == nullptr || target == nullptr) {
    return EBADF;
  }
  const auto found = source->node->attributes.find(name);
  if (found == source->node->attributes.end()) {
    return ENODATA;
  }
  target->node->attributes[name] = found->second;
  return 0;
}

bool MemorySystem::Remove(const std::string& path) {
  const auto found = names_.find(path);
  if (found == names_.end()) {
    errno = ENOENT;
    return false;
  }
  --found->second->links;
  names_.erase(found);
  return true;
}

int MemorySystem::MoveToNewName(const std::string& from, const std::string& to) {
  const auto found = names_.find(from);
  if (found == names_.end()) {
    return ENOENT;
  }
  if (names_.count(to) != 0) {
    return EEXIST;
  }
  if (!FolderExists(to)) {
    return ENOENT;
  }
  names_[to] = found->second;
  names_.erase(from);
  return 0;
}

int MemorySystem::CreateNew(const std::string& path, std::uint32_t permissions) {
  if (names_.count(path) != 0) {
    errno = EEXIST;
    return -1;
  }
  if (!FolderExists(path)) {
    errno = ENOENT;
    return -1;
  }
  auto node = NewNode(false);
  node->permissions = permissions & 0777;
  names_[path] = node;
  return OpenNode(node);
}

int MemorySystem::Exchange(const std::string& a, const std::string& b) {
  const auto first = names_.find(a);
  const auto second = names_.find(b);
  if (first == names_.end() || second == names_.end()) {
    return ENOENT;
  }
  std::swap(first->second, second->second);
  first->second->changed = second->second->changed = clock_++;
  return 0;
}

host::System::Replaced MemorySystem::Replace(const std::string& replacement,
                                             const std::string& target, bool keepOld) {
  Replaced done;
  if (keepOld) {
    done.error = Exchange(replacement, target);
    if (done.error == 0) {
      done.oldAt = replacement;
    }
    return done;
  }
  const auto found = names_.find(replacement);
  if (found == names_.end()) {
    done.error = ENOENT;
    return done;
  }
  names_[target] = found->second;
  names_.erase(replacement);
  return done;
}

}  // namespace quorvel::testing
