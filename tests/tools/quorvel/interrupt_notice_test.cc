// The editor's notice of an interrupted run, in a child process that the signal ends.
#include "tools/quorvel/interrupt_notice.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace quorvel::app {
namespace {

struct Ending {
  int signal = 0;   // the signal that ended the child, 0 when it exited
  std::string err;  // what it wrote to standard error
};

// Runs `body` in a child whose standard error is a pipe.
template <class Body>
Ending InChild(Body body) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) {
    ADD_FAILURE() << "no pipe";
    return {};
  }
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], STDERR_FILENO);
    close(pipeEnds[0]);
    body();
    _exit(0);
  }
  close(pipeEnds[1]);
  Ending ending;
  char buffer[256];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    ending.err.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ending.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return ending;
}

TEST(InterruptNoticeTest, EachSignalSaysNothingWasSavedAndEndsByItself) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    const Ending ending = InChild([signal] {
      const InterruptNotice notice("quorvel edit: m.ms3d: interrupted; nothing was saved");
      raise(signal);
    });
    // Ended by the signal itself: a shell reports 128 + its number, 130 for Ctrl+C.
    EXPECT_EQ(ending.signal, signal);
    EXPECT_EQ(ending.err, "quorvel edit: m.ms3d: interrupted; nothing was saved\n");
  }
}

TEST(InterruptNoticeTest, TheScopeEndsItAndKeepsAnIgnoredSignalIgnored) {
  const Ending after = InChild([] {
    { const InterruptNotice notice("interrupted"); }
    raise(SIGINT);
  });
  EXPECT_EQ(after.signal, SIGINT);
  EXPECT_EQ(after.err, "");

  const Ending ignored = InChild([] {
    signal(SIGINT, SIG_IGN);
    const InterruptNotice notice("interrupted");
    raise(SIGINT);
  });
  EXPECT_EQ(ignored.signal, 0);
  EXPECT_EQ(ignored.err, "");
}

}  // namespace
}  // namespace quorvel::app
