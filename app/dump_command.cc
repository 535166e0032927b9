#include "app/dump_command.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <memory>
#include <string>

#include "app/command_error.h"
#include "app/json_text.h"
#include "app/model_file.h"
#include "host/ms_model_handle.h"

namespace quorvel::app {
namespace {

// Collects the dump in a buffer that is handed on in large pieces: a model at the
// format's limits writes some 80 MB of comments.
class DumpBuffer {
 public:
  explicit DumpBuffer(std::ostream& out) : out_(out), buffer_(kSize, '\0') {}
  DumpBuffer(const DumpBuffer&) = delete;
  DumpBuffer& operator=(const DumpBuffer&) = delete;
  ~DumpBuffer() { Flush(); }

  void Text(std::string_view text) {
    char* to = Room(text.size());
    std::copy(text.begin(), text.end(), to);
    used_ += text.size();
  }
  template <typename Integer>
  void Number(Integer number) {
    constexpr std::size_t kDigits = 24;  // sign and digits of any 64-bit number
    char* to = Room(kDigits);
    used_ = static_cast<std::size_t>(std::to_chars(to, to + kDigits, number).ptr - buffer_.data());
  }
  void String(std::string_view bytes) {
    char* to = Room(JsonStringCapacity(bytes.size()));
    used_ = static_cast<std::size_t>(WriteJsonString(to, bytes) - buffer_.data());
  }

 private:
  static constexpr std::size_t kSize = std::size_t{1} << 20;

  // Where `size` more characters can go, flushing first when they would not fit.
  char* Room(std::size_t size) {
    if (buffer_.size() - used_ < size) {
      Flush();
      if (buffer_.size() < size) {
        buffer_.resize(size);
      }
    }
    return buffer_.data() + used_;
  }
  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
  }

  std::ostream& out_;
  std::string buffer_;
  std::size_t used_ = 0;
};

}  // namespace

void WriteDump(const host::Model& model, std::ostream& out) {
  DumpBuffer dump(out);
  dump.Text("{\n  \"meshes\": ");
  dump.Number(model.meshes.size());
  dump.Text(",\n  \"materials\": ");
  dump.Number(model.materials.size());
  dump.Text(",\n  \"frames\": ");
  dump.Number(model.totalFrames);
  dump.Text(",\n  \"comment\": ");
  dump.String(model.comment);
  dump.Text(",\n  \"joints\": [");
  std::string_view separator = "\n    ";
  for (std::size_t i = 0; i < model.joints.size(); ++i) {
    const host::Joint& joint = model.joints[i];
    dump.Text(separator);
    dump.Text("{\"index\":");
    dump.Number(i);
    dump.Text(",\"name\":");
    dump.String(joint.name);
    dump.Text(",\"flags\":");
    dump.Number(unsigned{joint.flags});
    dump.Text(",\"comment\":");
    dump.String(joint.comment);
    dump.Text("}");
    separator = ",\n    ";
  }
  dump.Text(model.joints.empty() ? "]\n}\n" : "\n  ]\n}\n");
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
