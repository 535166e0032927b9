#include <cstdlib>

#include "tests/support/environment.h"

namespace quorvel::testing {

void SetVariable(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace quorvel::testing
