#include <windows.h>

#include <memory>

#include "framework/script/script.h"
#include "framework/script/script_file.h"

namespace quorvel::ui {
namespace {

// The system's words for the last error.
std::string LastErrorText() {
  const DWORD code = GetLastError();
  char buffer[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
    text.pop_back();
  return text.empty() ? "error " + std::to_string(code) : text;
}

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

}  // namespace

std::string ReadScriptFile(const std::string& path, std::uint64_t maxSize) {
  const std::string name = QuoteScriptText(path);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    throw ScriptFailure(0, "cannot read the script file " + name + ": it is a folder");
  HANDLE raw = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE)
    throw ScriptFailure(0, "cannot read the script file " + name + ": " + LastErrorText());
  const std::unique_ptr<void, HandleCloser> file(raw);
  // A pipe or a device is refused before anything is read from it.
  if (GetFileType(raw) != FILE_TYPE_DISK)
    throw ScriptFailure(0, "cannot read the script file " + name + ": it is not a regular file");
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(raw, &size))
    throw ScriptFailure(0, "cannot read the script file " + name + ": " + LastErrorText());
  if (static_cast<std::uint64_t>(size.QuadPart) > maxSize) {
    throw ScriptFailure(0, "the script file " + name + " holds " + std::to_string(size.QuadPart) +
                               " bytes; a script may hold at most " + std::to_string(maxSize));
  }
  std::string text;
  text.reserve(static_cast<std::size_t>(size.QuadPart));
  char chunk[1 << 16];
  while (text.size() <= maxSize) {
    DWORD got = 0;
    if (!ReadFile(raw, chunk, sizeof chunk, &got, nullptr))
      throw ScriptFailure(0, "cannot read the script file " + name + ": " + LastErrorText());
    if (got == 0)
      break;
    text.append(chunk, got);
  }
  return text;
}

}  // namespace quorvel::ui
