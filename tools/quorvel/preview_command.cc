#include "tools/quorvel/preview_command.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <regex>

#include "framework/core/latin1.h"
#include "host/ms3d_error.h"
#include "host/scene.h"
#include "tools/check/model_check.h"
#include "tools/nis/sequence_reader.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/file_extension.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/preview_output.h"
#include "tools/quorvel/timeline_command.h"

namespace quorvel::app {
namespace {

// A picture's side, in pixels.
constexpr int kMinSide = 16;
constexpr int kMaxSide = 8192;

struct PreviewOptions {
  std::string path;
  std::string output;
  std::optional<std::int64_t> frame;
  std::string frames;  // "A:B"
  std::string size;    // "WxH"
  bool storyboard = false;
};

std::int64_t FrameNumber(const std::string& text, const std::string& option) {
  static const std::regex digits("[0-9]{1,12}");
  if (!std::regex_match(text, digits)) {
    throw CommandError(kExitUsage,
                       option + " " + ui::ShownText(text) + ": a frame is a number from 0 on");
  }
  return std::stoll(text);
}

void CheckFrame(std::int64_t frame, std::int64_t last, const std::string& option) {
  if (frame > last) {
    throw CommandError(kExitUsage, option + " " + std::to_string(frame) +
                                       " lies past the sequence's last frame, " +
                                       std::to_string(last));
  }
}

void ReadSize(const std::string& text, PreviewPictures& pictures) {
  static const std::regex size("([0-9]{1,5})[xX]([0-9]{1,5})");
  std::smatch match;
  if (!std::regex_match(text, match, size)) {
    throw CommandError(kExitUsage,
                       "--size " + ui::ShownText(text) + ": give the size as WIDTHxHEIGHT");
  }
  pictures.width = std::stoi(match[1]);
  pictures.height = std::stoi(match[2]);
  for (int side : {pictures.width, pictures.height}) {
    if (side < kMinSide || side > kMaxSide) {
      throw CommandError(kExitUsage, "--size " + text + ": each side from " +
                                         std::to_string(kMinSide) + " to " +
                                         std::to_string(kMaxSide) + " pixels");
    }
  }
}

// What -o and its companions ask for, checked against the sequence's frames.
PreviewPictures Pictures(const PreviewOptions& line, std::int64_t last) {
  PreviewPictures pictures;
  if (line.storyboard) {
    pictures.kind = PreviewPictures::Kind::kStoryboard;
    pictures.width = 320;
    pictures.height = 180;
    if (line.frame || !line.frames.empty()) {
      throw CommandError(kExitUsage, "--storyboard takes no --frame or --frames");
    }
  }
  if (!line.size.empty()) {
    ReadSize(line.size, pictures);
  }
  if (!line.frames.empty()) {
    static const std::regex range("([^:]*):([^:]*)");
    std::smatch match;
    if (!std::regex_match(line.frames, match, range)) {
      throw CommandError(
          kExitUsage, "--frames " + ui::ShownText(line.frames) + ": give the frames as FIRST:LAST");
    }
    if (line.frame) {
      throw CommandError(kExitUsage, "give --frame or --frames, not both");
    }
    pictures.kind = PreviewPictures::Kind::kFrames;
    pictures.first = FrameNumber(match[1], "--frames");
    pictures.last = FrameNumber(match[2], "--frames");
    if (pictures.last < pictures.first) {
      throw CommandError(kExitUsage,
                         "--frames " + line.frames + ": the last frame lies before the first");
    }
    CheckFrame(pictures.last, last, "--frames");
    std::error_code error;
    std::filesystem::create_directories(line.output, error);
    if (!std::filesystem::is_directory(line.output, error)) {
      throw CommandError(kExitFileError, "-o " + ui::ShownText(line.output) +
                                             ": not a folder and cannot be made one");
    }
  } else if (!HasExtension(line.output, ".png")) {
    throw CommandError(kExitUsage, "-o " + ui::ShownText(line.output) +
                                       ": the picture is written as .png (a folder with --frames)");
  } else if (line.frame) {
    CheckFrame(*line.frame, last, "--frame");
    pictures.first = pictures.last = *line.frame;
  }
  pictures.output = line.output;
  return pictures;
}

int RunPreview(const PreviewOptions& line) {
  if (line.output.empty() && (line.storyboard || !line.frames.empty())) {
    throw CommandError(kExitUsage,
                       std::string(line.storyboard ? "--storyboard" : "--frames") + " needs -o");
  }
  ModelPtr model = OpenModelFileForReading(line.path);
  host::Scene scene;
  try {
    scene = host::ReadSceneFile(line.path);
  } catch (const host::Ms3dError& error) {
    throw CommandError(kExitFileError, error.ForPerson());
  }
  check::CheckOptions options;
  if (const char* root = std::getenv("ZU2_Root"); root != nullptr && *root != '\0') {
    options.gameRoot = root;
  }
  check::ModelFacts facts = check::ReadModelFacts(model.get(), options);
  const nis::NisTimeline timeline(nis::ReadSequenceInput(facts));
  const std::int64_t last = std::max<std::int64_t>(timeline.Input().lastFrame, 0);
  PreviewModel preview{line.path, &scene, &timeline, nullptr, {}};
  if (!line.output.empty()) {
    WritePreviewPictures(preview, Pictures(line, last));
    return kExitSuccess;
  }
  if (line.frame) {
    CheckFrame(*line.frame, last, "--frame");
  }
  const timeline::Sequence strip = timeline::BuildSequence(facts);
  preview.strip = &strip;
  preview.heading = TimelineHeading(line.path, strip);
  return ShowPreviewWindow(preview, line.frame.value_or(0));
}

}  // namespace

void AddPreviewCommand(CLI::App& app, const GlobalOptions&, CommandList& commands) {
  CLI::App* command = app.add_subcommand(
      "preview",
      "Play a model's sequence through its cameras, with its cuts, fades, wide screen and "
      "texts, in a window or as pictures");
  auto line = std::make_shared<PreviewOptions>();
  command->add_option("MODEL", line->path, "The model file (.ms3d)")->required();
  command->add_option(
      "-o,--output", line->output,
      "Write pictures instead of opening the window: FILE.png (one frame, --frame), a "
      "folder (--frames: one frame_NNNN.png a frame) or, with --storyboard, FILE.png. "
      "The window's keys: Space play/pause, Left/Right a frame, Home/End first/last "
      "frame, C the free orbit view (drag turns, wheel zooms), Escape closes; a click on "
      "the strip jumps there");
  command
      ->add_option("--frame", line->frame,
                   "The frame to write with -o FILE.png, or to open the window at "
                   "(default 0)")
      ->check(CLI::NonNegativeNumber);
  command
      ->add_option("--frames", line->frames,
                   "Write every frame from FIRST to LAST into the folder -o names")
      ->option_text("FIRST:LAST");
  command->add_flag("--storyboard", line->storyboard,
                    "Write one picture with a thumbnail of each shot (the start and each "
                    "camera cut), captioned with frame, time and camera");
  command
      ->add_option("--size", line->size,
                   "The size of a picture, or of a storyboard's thumbnail, in pixels "
                   "(default 640x360; 320x180 for a thumbnail)")
      ->option_text("WxH");
  commands.push_back({command, [line] { return RunPreview(*line); }});
}

}  // namespace quorvel::app
