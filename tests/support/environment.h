#pragma once

#include <optional>
#include <string>

namespace quorvel::testing {

// Sets or (with no value) removes an environment variable of this process. (Windows
// has no empty variables: there an empty value removes it.)
void SetVariable(const char* name, const std::optional<std::string>& value);

}  // namespace quorvel::testing
