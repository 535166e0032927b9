#include "app/dump_command.h"

#include <iostream>
#include <memory>
#include <string>

#include "app/command_error.h"
#include "app/latin1.h"
#include "app/model_file.h"
#include "host/ms_model_handle.h"

namespace quorvel::app {
void WriteDump(const host::Model& model, std::ostream& out) {
  // Built in a buffer that is handed on in large pieces: a model at the format's
  // limits writes some 80 MB of comments.
  constexpr std::size_t kFlushSize = 1 << 20;
  std::string text;
  text.reserve(kFlushSize + 4096);
  text.append("{\n  \"meshes\": ").append(std::to_string(model.meshes.size()));
  text.append(",\n  \"materials\": ").append(std::to_string(model.materials.size()));
  text.append(",\n  \"frames\": ").append(std::to_string(model.totalFrames));
  text.append(",\n  \"comment\": ");
  AppendJsonString(text, model.comment);
  text.append(",\n  \"joints\": [");
  const char* separator = "\n    ";
  for (std::size_t i = 0; i < model.joints.size(); ++i) {
    const host::Joint& joint = model.joints[i];
    text.append(separator).append("{\"index\":").append(std::to_string(i));
    text.append(",\"name\":");
    AppendJsonString(text, joint.name);
    text.append(",\"flags\":").append(std::to_string(joint.flags));
    text.append(",\"comment\":");
    AppendJsonString(text, joint.comment);
    text.push_back('}');
    separator = ",\n    ";
    if (text.size() >= kFlushSize) {
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
      text.clear();
    }
  }
  text.append(model.joints.empty() ? "]\n}\n" : "\n  ]\n}\n");
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void AddDumpCommand(CLI::App& app, const GlobalOptions&, CommandList& commands) {
  CLI::App* line = app.add_subcommand(
      "dump", "Write a model file's meshes, materials, frames, comments and joints as JSON");
  auto path = std::make_shared<std::string>();
  line->add_option("MODEL", *path, "The model file (.ms3d)")->required();
  commands.push_back({line, [path] {
                        ModelPtr model = OpenModelFile(*path);
                        WriteDump(host::DocumentOf(model.get())->model(), std::cout);
                        std::cout.flush();
                        if (!std::cout) {
                          throw CommandError(kExitFileError, "cannot write to standard output");
                        }
                        return kExitSuccess;
                      }});
}

}  // namespace quorvel::app
