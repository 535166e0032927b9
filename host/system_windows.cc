#include <fcntl.h>
#include <io.h>
#include <algorithm>
#include <cerrno>
#include <random>

#include "host/file_status.h"
#include "host/kept_edits.h"
#include "host/ms3d_error.h"
#include "host/path_parts.h"
#include "host/read_at.h"
#include "host/system.h"
#include "host/temporary_name.h"
#include "host/windows_system.h"

namespace quorvel::host {
namespace {

constexpr int kMostTries = 100;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The model's lock covers one byte far beyond the end of any model file: Windows
// keeps other programs from reading locked bytes, and the model's own stay free.
constexpr DWORD kLockedOffsetHigh = 0x7FFFFFFF;

// The errno value of the system's last error.
int LastError() {
  TakeLastError();
  return errno;
}

// Calls `call` with `path` in wide characters: true when it succeeds; else false
// with errno set (EINVAL for a path that has no wide form).
template <typename Call>
bool CallWithWidePath(const std::string& path, Call call) {
  try {
    if (call(WidePath(path).c_str())) {
      return true;
    }
  } catch (const Ms3dError&) {
    errno = EINVAL;
    return false;
  }
  TakeLastError();
  return false;
}

bool Exists(const std::string& path) {
  return CallWithWidePath(path, [](const wchar_t* wide) {
    return GetFileAttributesW(wide) != INVALID_FILE_ATTRIBUTES;
  });
}

// Six letters and digits that differ from one call to the next and between
// processes.
std::string RandomPart() {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937_64 generator(std::random_device{}() ^ GetCurrentProcessId() ^
                                   GetTickCount64());
  std::string part;
  for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) {
    part += kLetters[generator() % (sizeof kLetters - 1)];
  }
  return part;
}

// Opens (or, as `disposition` says, creates) `path` with `access`, `share` and
// `flags` and gives it a descriptor opened with `descriptorFlags`; -1 with errno set.
int OpenDescriptor(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                   DWORD flags, int descriptorFlags) {
  HANDLE file = INVALID_HANDLE_VALUE;
  try {
    file = CreateFileW(WidePath(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
  } catch (const Ms3dError&) {
    errno = EINVAL;
    return -1;
  }
  if (file == INVALID_HANDLE_VALUE) {
    TakeLastError();
    return -1;
  }
  return DescriptorOwning(file, descriptorFlags);
}

// Opens `path` with `access` and `flags`, shared for everything; -1 with errno set.
int OpenShared(const std::string& path, DWORD access, DWORD flags, int descriptorFlags) {
  return OpenDescriptor(path, access, kShareAll, OPEN_EXISTING, flags, descriptorFlags);
}

class WindowsSystem final : public System {
 public:
  int ResolvePath(const std::string& path, std::string& resolved) override {
    try {
      const std::wstring wide = WidePath(path);
      const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
      std::wstring full(size, L'\0');
      const DWORD length =
          size == 0 ? 0 : GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
      if (length == 0 || length >= size) {
        return LastError();
      }
      full.resize(length);
      if (!Exists(NarrowPath(full))) {
        return errno;
      }
      resolved = NarrowPath(full);
    } catch (const Ms3dError&) {
      return EINVAL;
    }
    return 0;
  }

  std::string ComparedName(const std::string& name) override {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
  }

  std::vector<std::string> ListFolder(const std::string& folder) override {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry{};
    HANDLE listing = INVALID_HANDLE_VALUE;
    try {
      const std::string separator = folder.back() == '\\' ? "" : "\\";
      listing = FindFirstFileW(WidePath(folder + separator + "*").c_str(), &entry);
      if (listing == INVALID_HANDLE_VALUE) {
        return names;
      }
      do {
        names.push_back(NarrowPath(entry.cFileName));
      } while (FindNextFileW(listing, &entry));
    } catch (const Ms3dError&) {
    }
    if (listing != INVALID_HANDLE_VALUE) {
      FindClose(listing);
    }
    return names;
  }

  int CreateTemporary(const std::string& stem, std::string& path) override {
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kMostTries && error == ERROR_FILE_EXISTS; ++attempt) {
      const std::string name = stem + RandomPart();
      HANDLE file = INVALID_HANDLE_VALUE;
      try {
        // Shared for deleting too, so that a console event can remove it while it is
        // open.
        file = CreateFileW(WidePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      } catch (const Ms3dError&) {
        errno = EINVAL;
        return -1;
      }
      if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        continue;
      }
      const int fd = DescriptorOwning(file, _O_RDWR);
      if (fd < 0) {
        const int lost = errno;
        DeleteFileW(WidePath(name).c_str());
        errno = lost;
        return -1;
      }
      path = name;
      return fd;
    }
    SetLastError(error);
    TakeLastError();
    return -1;
  }

  int OpenForReading(const std::string& path) override {
    return OpenShared(path, GENERIC_READ, FILE_FLAG_BACKUP_SEMANTICS, _O_RDONLY);
  }

  int OpenUnfollowed(const std::string& path) override {
    return OpenShared(path, GENERIC_READ, FILE_FLAG_OPEN_REPARSE_POINT, _O_RDONLY);
  }

  int OpenToInspect(const std::string& path) override { return host::OpenToInspect(path); }

  void Close(int fd) override { _close(fd); }

  std::int64_t ReadAt(int fd, void* into, std::size_t count, std::uint64_t offset) override {
    return host::ReadAt(fd, into, count, offset);
  }

  std::int64_t Write(int fd, const void* data, std::size_t count) override {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(HandleOf(fd), data, piece, &written, nullptr)) {
      TakeLastError();
      return -1;
    }
    return written;
  }

  bool Flush(int fd) override {
    if (!FlushFileBuffers(HandleOf(fd))) {
      TakeLastError();
      return false;
    }
    return true;
  }

  // Windows makes a rename durable with the file (see MoveToNewName).
  void FlushFolder(const std::string& /*folder*/) override {}

  bool Status(int fd, FileStatus& status) override { return StatusOf(fd, status); }
  bool StatusOfPath(const std::string& path, FileStatus& status) override {
    return host::StatusOfPath(path, status);
  }
  bool UserMayWrite(const std::string& path) override { return host::UserMayWrite(path); }

  // The replacing step itself keeps the old file's attributes and access list; a
  // new file gets its folder's, as every new file there.
  bool SetOwner(int, std::uint32_t, std::uint32_t) override { return true; }
  bool SetPermissions(int, std::uint32_t) override { return true; }
  std::uint32_t NewFilePermissions() override { return 0; }
  int ListAttributes(int, std::vector<std::string>& names) override {
    names.clear();
    return 0;
  }
  int CopyAttribute(int, int, const std::string&) override { return 0; }

  bool Remove(const std::string& path) override {
    return CallWithWidePath(path, [](const wchar_t* wide) { return DeleteFileW(wide) != 0; });
  }

  int MoveToNewName(const std::string& from, const std::string& to) override {
    return host::MoveToNewName(from, to);
  }

  // A new file takes the access list of its folder, as every new file there.
  int CreateNew(const std::string& path, std::uint32_t /*permissions*/) override {
    return OpenDescriptor(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                          _O_WRONLY);
  }

  int Exchange(const std::string&, const std::string&) override { return ENOSYS; }

  Replaced Replace(const std::string& replacement, const std::string& target,
                   bool /*keepOld*/) override {
    // The old file is always kept under a backup name of our choosing: should the
    // replace stop halfway, the system has moved it aside, and this is where.
    Replaced done;
    std::string backup;
    try {
      const std::string stem = FolderOf(target) + (FolderOf(target).back() == '\\' ? "" : "\\") +
                               TemporaryNamePrefix(ComparedName(BaseNameOf(target)));
      for (int attempt = 0; attempt < kMostTries && (backup.empty() || Exists(backup)); ++attempt) {
        backup = stem + RandomPart();
      }
      if (ReplaceFileW(WidePath(target).c_str(), WidePath(replacement).c_str(),
                       WidePath(backup).c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                       nullptr)) {
        done.oldAt = backup;
        return done;
      }
    } catch (const Ms3dError&) {
      done.error = EINVAL;
      return done;
    }
    const DWORD error = GetLastError();
    SetLastError(error);
    done.error = LastError();
    if ((error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
         error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) &&
        !Exists(target)) {
      done.halfway = true;
      done.oldAt = Exists(backup) ? backup : std::string();
      done.error = EIO;
    }
    return done;
  }

  bool ClosesFileToReplace() override { return true; }

  int Lock(int fd, bool wait) override {
    OVERLAPPED at{};
    at.OffsetHigh = kLockedOffsetHigh;
    const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    if (LockFileEx(HandleOf(fd), flags, 0, 1, 0, &at)) {
      return 0;
    }
    const DWORD error = GetLastError();
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? EWOULDBLOCK : ENOLCK;
  }
};

}  // namespace

System& RealSystem() {
  static WindowsSystem system;
  return system;
}

}  // namespace quorvel::host
