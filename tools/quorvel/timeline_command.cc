#include "tools/quorvel/timeline_command.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "framework/core/latin1.h"
#include "tools/check/model_check.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/file_extension.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/timeline_output.h"
#include "tools/timeline/svg_writer.h"

namespace quorvel::app {
namespace {

struct TimelineOptions {
  std::string path;
  std::string output;
  double width = 1200;
  std::optional<std::int64_t> from;
  std::optional<std::int64_t> to;
  std::string gameRoot;
  std::vector<std::string> joints;
};

// Writes the SVG as it is made: the picture is never held whole in memory.
void WriteSvgFile(const std::string& path, const timeline::Layout& layout,
                  const std::string& heading) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) {
    timeline::WriteSvg(layout, heading, out);
  }
  out.close();
  if (!out) {
    throw CommandError(kExitFileError, ui::ShownText(path) + ": cannot be written");
  }
}

// The patterns of --joints as the model's 8-bit names read them.
std::vector<std::string> JointPatterns(const std::vector<std::string>& given) {
  std::vector<std::string> patterns;
  for (const std::string& pattern : given) {
    std::optional<std::string> bytes = ui::Utf8ToLatin1(pattern);
    if (!bytes) {
      throw CommandError(kExitUsage, "--joints " + ui::ShownText(pattern) +
                                         ": joint names hold only characters up to U+00FF");
    }
    patterns.push_back(std::move(*bytes));
  }
  return patterns;
}

int RunTimeline(const TimelineOptions& line) {
  if (line.from && line.to && *line.to < *line.from) {
    throw CommandError(kExitUsage, "--to " + std::to_string(*line.to) + " lies before --from " +
                                       std::to_string(*line.from));
  }
  const bool svg = HasExtension(line.output, ".svg");
  const bool png = HasExtension(line.output, ".png");
  if (!line.output.empty() && !svg && !png) {
    throw CommandError(kExitUsage, "-o " + ui::ShownText(line.output) +
                                       ": the picture is written as .svg or .png");
  }
  check::CheckOptions options;
  if (!line.gameRoot.empty()) {
    options.gameRoot = line.gameRoot;
  } else if (const char* root = std::getenv("ZU2_Root"); root != nullptr && *root != '\0') {
    options.gameRoot = root;
  }
  timeline::RowChoice rows;
  rows.jointPatterns = JointPatterns(line.joints);
  rows.from = line.from;
  rows.to = line.to;
  ModelPtr model = OpenModelFileForReading(line.path);
  check::ModelFacts facts = check::ReadModelFacts(model.get(), options);
  const timeline::Sequence sequence = timeline::BuildSequence(facts, rows);
  const std::string heading = TimelineHeading(line.path, sequence);
  const timeline::View view{line.width, line.from, line.to};
  if (svg) {
    WriteSvgFile(line.output, timeline::LayOut(sequence, view, std::nullopt, false), heading);
    return kExitSuccess;
  }
  if (png) {
    WritePng(sequence, view, heading, line.output);
    return kExitSuccess;
  }
  return ShowTimelineWindow(sequence, view, heading);
}

}  // namespace

std::string TimelineHeading(const std::string& path, const timeline::Sequence& sequence) {
  return ui::ShownText(std::filesystem::path(path).filename().string()) + ": " +
         std::to_string(sequence.animationEnd) +
         (sequence.animationEnd == 1 ? " frame, " : " frames, ") +
         std::to_string(sequence.frameRate) + " frames a second, " +
         std::to_string(sequence.rows.size()) + (sequence.rows.size() == 1 ? " row" : " rows");
}

void AddTimelineCommand(CLI::App& app, const GlobalOptions&, CommandList& commands) {
  CLI::App* command = app.add_subcommand(
      "timeline", "Draw a model's whole sequence on one time axis, with what check finds");
  auto line = std::make_shared<TimelineOptions>();
  command->add_option("MODEL", line->path, "The model file (.ms3d)")->required();
  command->add_option("-o,--output", line->output,
                      "Write the picture to FILE.svg (no display needed) or FILE.png; without "
                      "it, the picture opens in a window (+/- zoom, 0 all, Escape, Ctrl+W or "
                      "Q close)");
  command->add_option("--width", line->width, "The picture's width in pixels (default 1200)")
      ->check(CLI::Range(400.0, 100000.0));
  command->add_option("--from", line->from, "The first frame shown (default 0)")
      ->check(CLI::NonNegativeNumber);
  command
      ->add_option("--to", line->to,
                   "The last frame shown (default: the animation's last frame or the last "
                   "event, whichever is later)")
      ->check(CLI::NonNegativeNumber);
  command
      ->add_option("--joints", line->joints,
                   "Draw only the rows of joints whose names match the glob PATTERN (* ? "
                   "[a-z]; letter case counts); may be given again for more. The model's "
                   "own row is always drawn. Past 2000 rows, only rows with an event in the "
                   "frames shown are drawn, the first 2000 of them")
      ->option_text("PATTERN")
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->allow_extra_args(false);
  command->add_option("--game-root", line->gameRoot,
                      "The game folder for the file checks (default: ZU2_Root)");
  commands.push_back({command, [line] { return RunTimeline(*line); }});
}

}  // namespace quorvel::app
