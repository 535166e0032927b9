#include <windows.h>

#include <filesystem>

#include "plugin/session/host_object.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/plugin_module.h"

namespace quorvel::app {
namespace {

constexpr char kModuleFileName[] = "quorvel_plugin.dll";

// The system's text for its last error.
std::string LastErrorText() {
  const DWORD error = GetLastError();
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length == 0 ? "error " + std::to_string(error) : std::string(text, length);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return message;
}

}  // namespace

void PlugInModule::Unload::operator()(void* handle) const {
  FreeLibrary(static_cast<HMODULE>(handle));
}

// The DLL is entered as the modeller enters it: CreatePlugIn returns an object laid
// out by the modeller's compiler, which is called through that layout only.
PlugInModule::PlugInModule(const std::string& path) : handle_(LoadLibraryA(path.c_str())) {
  if (handle_ == nullptr) {
    throw CommandError(kExitPlugInError,
                       "cannot load the plug-in module " + path + ": " + LastErrorText());
  }
  auto create = reinterpret_cast<CreateHostPlugInFunction>(reinterpret_cast<void*>(
      GetProcAddress(static_cast<HMODULE>(handle_.get()), kCreatePlugInSymbol)));
  if (create == nullptr) {
    throw CommandError(kExitPlugInError,
                       "the plug-in module " + path + " exports no CreatePlugIn function");
  }
  if (HostPlugInObject* object = create()) {
    plugIn_ = std::make_unique<HostPlugInCaller>(object);
  }
  Accept(path);
}

std::string PlugInModule::DefaultPath() {
  char program[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return kModuleFileName;
  }
  return (std::filesystem::path(std::string(program, length)).parent_path() / kModuleFileName)
      .string();
}

}  // namespace quorvel::app
