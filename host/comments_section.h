#pragma once

#include <string>
#include <string_view>

#include "host/model.h"

namespace quorvel::host {

// The comments section as the modeller itself writes it: sub-version 1, then the
// group, material and joint comments that are not empty, each list in index order,
// then the model comment when it is not empty. Throws Ms3dError, naming
// `displayName`, when a comment is too long for the format's 32-bit lengths.
std::string BuildCommentsSection(const Model& model, std::string_view displayName);

}  // namespace quorvel::host
