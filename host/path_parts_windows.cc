#include "host/path_parts.h"

namespace quorvel::host {

const char kPathSeparators[] = "/\\";
const bool kPathsHaveDrives = true;
const char kPreferredSeparator = '\\';

}  // namespace quorvel::host
