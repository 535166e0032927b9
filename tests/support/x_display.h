// An X display for tests that draw with OpenGL: the one the environment names, or,
// when it names none, an Xvfb server of the test program's own, started on first
// use and stopped when the program ends. Qt's offscreen platform draws OpenGL
// through such a display.
#pragma once

#include <string>

namespace quorvel::testing {

// Sets DISPLAY to a display that answers, starting Xvfb when needed; returns why
// none could be had (no Xvfb, or it did not start), or empty.
std::string EnsureXDisplay();

}  // namespace quorvel::testing
