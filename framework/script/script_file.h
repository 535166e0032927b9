// Reading a UI script file from disk, the one part of scripts that differs between
// platforms.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel::ui {

// The whole content of the script file at `path`, read to its end but never much
// past `maxSize` bytes (a file that grew meanwhile is refused by the parser, not
// cut). Throws ScriptFailure (line 0) when it is missing, a folder, not a regular
// file (a FIFO or a device is refused without waiting on it), larger than
// `maxSize`, or cannot be read; the message names the file and the reason.
std::string ReadScriptFile(const std::string& path, std::uint64_t maxSize);

}  // namespace quorvel::ui
