#include <cstdlib>

#include "tests/support/environment.h"

namespace quorvel::testing {

void SetVariable(const char* name, const std::optional<std::string>& value) {
  _putenv_s(name, value ? value->c_str() : "");
}

}  // namespace quorvel::testing
