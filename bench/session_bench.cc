// The editing session on a large model, run headless: the joint walk, building the
// sheet's pages and loading every record, then OK, Yes, writing the comments back
// and saving the file. Prints the time of each phase and the peak memory.
//
//   session_bench JOINTS [FOLDER]
//
// Every joint is marked, so a model of 65,535 joints (the format's limit) gives a
// sheet of 65,536 pages. A quarter of the joints are cameras; the rest are ships and
// other followers, each with a record of a few events, stored with its count last,
// so that the session's Yes rewrites every comment and the save writes them all
// (the heaviest save there is). Run it once per size (the
// peak memory is the process's): bench/session_bench.sh does 1k, 8k and 65k.
#include <sys/resource.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "examples/ms3d_writer.h"
#include "framework/backends/headless/headless_backend.h"
#include "framework/core/backend.h"
#include "framework/core/resource_scope.h"
#include "host/ms_model_lib.h"
#include "plugin/session/edit_session.h"
#include "plugin/templates/templates.h"

namespace {

using Clock = std::chrono::steady_clock;

quorvel::examples::ModelFile BigModel(int jointCount) {
  quorvel::examples::ModelFile model;
  model.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  model.triangles = {{{0, 1, 2}, 0}};
  model.groups = {{"Hull", {0}, -1, ""}};
  model.comment =
      "OPT_FPS=30\r\nNum Events=2\r\nEvent0=0|fadeSet|1\r\nEvent1=0|cameraCut|CAM_0\r\n";
  model.joints.reserve(static_cast<std::size_t>(jointCount));
  char name[32];
  for (int i = 0; i < jointCount; ++i) {
    quorvel::examples::Joint joint;
    joint.flags = 1;
    if (i % 4 == 0) {
      std::snprintf(name, sizeof name, "CAM_%d", i);
      joint.comment = "Center Of Interest=Ship_1\r\nEvent0=120|hide|\r\nNum Events=1\r\n";
    } else {
      std::snprintf(name, sizeof name, "Ship_%d", i);
      joint.comment = std::string("Sob Type=") + (i % 4 == 1 ? "asteroid" : "ship") +
                      "\r\nSob Name=Wing\r\nEvent0=10|attack|Ship_1\r\n"
                      "Event1=200|hyperspaceOut|\r\nNum Events=2\r\n";
    }
    joint.name = name;
    model.joints.push_back(std::move(joint));
  }
  return model;
}

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // Linux gives kilobytes
}

double CurrentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: session_bench JOINTS [FOLDER]\n");
    return 1;
  }
  const int jointCount = std::atoi(argv[1]);
  if (jointCount < 1 || jointCount > 65535) {
    std::fprintf(stderr, "session_bench: JOINTS must be 1 to 65535\n");
    return 1;
  }
  const std::filesystem::path folder = argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
  const std::string path =
      (folder / ("session_bench_" + std::to_string(jointCount) + ".ms3d")).string();
  quorvel::examples::SaveModelFile(BigModel(jointCount), path);

  const double baseline = CurrentMegabytes();
  const Clock::time_point start = Clock::now();
  msModel* model = msHost_OpenModel(path.c_str());
  if (model == nullptr) {
    std::fprintf(stderr, "session_bench: %s\n", msHost_LastError());
    return 2;
  }
  const Clock::time_point opened = Clock::now();

  quorvel::ui::ResourceScope resources(quorvel::ui::PlugInTemplates());
  quorvel::ui::HeadlessBackend backend(
      quorvel::ui::ParseScript("window sheet\nclick 1\nwindow message\nanswer yes\n"));
  quorvel::ui::BackendScope installed(&backend);

  Clock::time_point walked, built, shown, written, tornDown;
  double builtMegabytes = 0;
  {
    quorvel::EditSession session(model);
    session.WarnIfEmpty();
    session.Walk();
    walked = Clock::now();
    session.BuildSheet();
    built = Clock::now();
    builtMegabytes = CurrentMegabytes();
    if (!session.ShowSheet()) {
      std::fprintf(stderr, "session_bench: the sheet was not confirmed\n");
      return 3;
    }
    shown = Clock::now();
    session.WriteBack();
    written = Clock::now();
    session.TearDown();
    tornDown = Clock::now();
    if (session.Joints().objectNames.size() != 0) {
      return 3;
    }
  }
  backend.CheckFinished();
  if (msHost_SaveModel(model) != 0) {
    std::fprintf(stderr, "session_bench: %s\n", msHost_LastError());
    return 2;
  }
  const Clock::time_point saved = Clock::now();
  msHost_FreeModel(model);
  std::filesystem::remove(path);

  const double session = Seconds(opened, tornDown) + Seconds(tornDown, saved);
  std::printf(
      "joints %d  pages %d  open %.3f s  walk %.3f s  build+load %.3f s  sheet %.3f s  "
      "write %.3f s  tear-down %.3f s  save %.3f s  session %.3f s (%.2f us/joint)  "
      "memory after build %.1f MB (%.0f B/page over the start)  peak %.1f MB\n",
      jointCount, jointCount + 1, Seconds(start, opened), Seconds(opened, walked),
      Seconds(walked, built), Seconds(built, shown), Seconds(shown, written),
      Seconds(written, tornDown), Seconds(tornDown, saved), session, session * 1e6 / jointCount,
      builtMegabytes, (builtMegabytes - baseline) * 1048576.0 / (jointCount + 1), PeakMegabytes());
  return 0;
}
