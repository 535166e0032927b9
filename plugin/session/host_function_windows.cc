#include <windows.h>

#include "plugin/session/host_function.h"

namespace quorvel {

void* FindHostFunction(const char* name) {
  const HMODULE host = GetModuleHandleA("msModelLib.dll");
  if (host == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<void*>(GetProcAddress(host, name));
}

}  // namespace quorvel
