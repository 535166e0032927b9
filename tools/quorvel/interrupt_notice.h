#pragma once

#include <string>

namespace quorvel::app {

// While the editor is open, Ctrl+C (SIGINT; SIGTERM and SIGHUP alike) writes
// `notice` and a newline to standard error before the process ends by that signal,
// as it would have without the notice: status 130 for Ctrl+C in a shell. Nothing has
// been saved then: the file is written only after the editor closed. A signal the
// process ignores stays ignored, and the previous handling comes back when the scope
// ends. On Windows the same holds for the console's Ctrl+C, Ctrl+Break and close
// events.
class InterruptNotice {
 public:
  explicit InterruptNotice(const std::string& notice);
  ~InterruptNotice();
  InterruptNotice(const InterruptNotice&) = delete;
  InterruptNotice& operator=(const InterruptNotice&) = delete;
};

}  // namespace quorvel::app
