#include <dlfcn.h>

#include "plugin/session/host_function.h"

namespace quorvel {

void* FindHostFunction(const char* name) {
  return dlsym(RTLD_DEFAULT, name);
}

}  // namespace quorvel
