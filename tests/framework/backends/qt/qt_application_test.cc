// Whether real windows can be shown, told before Qt would abort the program.
#include "framework/backends/qt/qt_application.h"

#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace quorvel::ui::qt {
namespace {

struct DisplayCase {
  const char* name;
  std::map<std::string, std::string> environment;
  std::set<std::string> files;
  const char* reasonHas;  // empty: windows can be shown
};

TEST(QtApplicationTest, MissingDisplayReasonNamesWhatIsMissing) {
  const DisplayCase cases[] = {
      {"nothing set", {}, {}, "neither DISPLAY nor WAYLAND_DISPLAY"},
      {"empty display", {{"DISPLAY", ""}}, {}, "neither DISPLAY nor WAYLAND_DISPLAY"},
      {"platform named", {{"QT_QPA_PLATFORM", "vnc"}}, {}, ""},
      // Windows nobody sees would wait for an answer for ever.
      {"offscreen",
       {{"QT_QPA_PLATFORM", "offscreen"}, {"DISPLAY", ":1"}},
       {"/tmp/.X11-unix/X1"},
       "QT_QPA_PLATFORM=offscreen draws windows on no screen"},
      {"minimal first", {{"QT_QPA_PLATFORM", "minimal:enable_fonts;xcb"}}, {}, "on no screen"},
      {"X named without a display",
       {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}},
       {},
       "neither DISPLAY"},
      {"X named with a display", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", "host:0"}}, {}, ""},
      {"wayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, {}, ""},
      {"local X server running", {{"DISPLAY", ":1"}}, {"/tmp/.X11-unix/X1"}, ""},
      {"local X with a screen", {{"DISPLAY", ":1.0"}}, {"/tmp/.X11-unix/X1"}, ""},
      {"local X server gone", {{"DISPLAY", ":7"}}, {}, "no X server is running on display :7"},
      {"unix socket form", {{"DISPLAY", "unix:3"}}, {}, "/tmp/.X11-unix/X3"},
      {"remote display", {{"DISPLAY", "host:0"}}, {}, ""},
  };
  for (const DisplayCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DisplayProbe probe{[&](const char* name) -> const char* {
                               const auto found = c.environment.find(name);
                               return found != c.environment.end() ? found->second.c_str()
                                                                   : nullptr;
                             },
                             [&](const std::string& path) { return c.files.count(path) != 0; }};
    const std::string reason = MissingDisplayReason(probe);
    if (*c.reasonHas == '\0') {
      EXPECT_EQ(reason, "");
    } else {
      EXPECT_NE(reason.find(c.reasonHas), std::string::npos) << reason;
    }
  }
}

}  // namespace
}  // namespace quorvel::ui::qt
