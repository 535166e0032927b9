// Runs a command and writes what it cost to a file: "USER SYSTEM WALL PEAK_KB", the
// CPU seconds in user and system mode, the wall-clock seconds (each to the
// microsecond) and the peak resident memory in kilobytes. The command's output and
// exit status pass through. bench/compare.sh times every row with it: /usr/bin/time
// prints seconds to the hundredth, and the rows it compares take a few hundredths.
//   timed_run OUTPUT COMMAND [ARGUMENT...]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

double Seconds(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT COMMAND [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) {
    std::fprintf(stderr, "timed_run: cannot start %s: %s\n", argv[2], std::strerror(errno));
    return 2;
  }
  if (child == 0) {
    execvp(argv[2], argv + 2);
    std::fprintf(stderr, "timed_run: cannot run %s: %s\n", argv[2], std::strerror(errno));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      std::fprintf(stderr, "timed_run: cannot wait for %s: %s\n", argv[2], std::strerror(errno));
      return 2;
    }
  }
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::fprintf(stderr, "timed_run: cannot write %s: %s\n", argv[1], std::strerror(errno));
    return 2;
  }
  std::fprintf(out, "%.6f %.6f %.6f %ld\n", Seconds(usage.ru_utime), Seconds(usage.ru_stime),
               wall.count(), usage.ru_maxrss);
  std::fclose(out);
  if (WIFEXITED(status)) {
    return WEXITSTATUS(status);
  }
  return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}
