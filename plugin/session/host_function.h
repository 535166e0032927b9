#pragma once

namespace quorvel {

// The function `name` that the host library offers beyond the calls every host has,
// looked up at run time; null when the host in use has no such function (the
// modeller's own library, say). On Linux it is looked for in the program's global
// scope, where the host library the program loaded is; on Windows in msModelLib.dll,
// which the DLL imports its host calls from.
void* FindHostFunction(const char* name);

}  // namespace quorvel
