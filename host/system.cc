// What the real systems share: which system the library speaks to.
#include "host/system.h"

#include <cerrno>

namespace quorvel::host {
namespace {

System* current = nullptr;

}  // namespace

bool ExchangeUnsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP ||
         error == EXDEV;
}

System& CurrentSystem() {
  return current != nullptr ? *current : RealSystem();
}

SystemScope::SystemScope(System& system) : previous_(current) {
  current = &system;
}

SystemScope::~SystemScope() {
  current = previous_;
}

}  // namespace quorvel::host
