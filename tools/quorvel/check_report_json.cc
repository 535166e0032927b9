#include "tools/quorvel/check_report_json.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "framework/core/latin1.h"
#include "tools/quorvel/output_buffer.h"

namespace quorvel::app {
namespace {

// The pieces of a document indented by two spaces a level, as dump(2) writes them.
class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  // `"name": ` at the start of a member's line.
  void Name(int level, std::string_view name) {
    Indent(level);
    out_.Text("\"");
    out_.Text(name);
    out_.Text("\": ");
  }
  // `,` ending the previous member's line, then the next member's name.
  void Next(int level, std::string_view name) {
    out_.Text(",\n");
    Name(level, name);
  }
  // The end of an object or list: a line of its own at `level`, with `bracket`.
  void Close(int level, std::string_view bracket) {
    out_.Text("\n");
    Indent(level);
    out_.Text(bracket);
  }
  void Indent(int level) {
    constexpr std::string_view kSpaces = "                    ";
    for (std::size_t left = 2 * static_cast<std::size_t>(level); left > 0;) {
      const std::size_t now = std::min(left, kSpaces.size());
      out_.Text(kSpaces.substr(0, now));
      left -= now;
    }
  }
  // An 8-bit model text, each byte the code point of its number.
  void Latin1(std::string_view bytes) { out_.String(bytes); }
  // A text already in UTF-8 (a file name as shown), as the JSON library writes it.
  void Utf8(const std::string& text) { out_.Text(nlohmann::ordered_json(text).dump()); }
  void Text(std::string_view text) { out_.Text(text); }
  template <typename Integer>
  void Number(Integer number) {
    out_.Number(number);
  }

 private:
  OutputBuffer out_;
};

void WriteCounts(JsonWriter& json, int level, const SeverityCounts& counts) {
  json.Text("{\n");
  json.Name(level + 1, "errors");
  json.Number(counts.errors);
  json.Next(level + 1, "warnings");
  json.Number(counts.warnings);
  json.Next(level + 1, "infos");
  json.Number(counts.infos);
  json.Close(level, "}");
}

void WriteProblem(JsonWriter& json, int level, const check::ProblemView& problem) {
  json.Indent(level);
  json.Text("{\n");
  json.Name(level + 1, "code");
  json.Latin1(problem.code);
  json.Next(level + 1, "severity");
  json.Latin1(check::SeverityName(problem.severity));
  json.Next(level + 1, "joint");
  if (problem.joint >= 0) {
    json.Number(problem.joint);
    json.Next(level + 1, "jointName");
    json.Latin1(problem.jointName);
  } else {
    json.Text("null");
  }
  json.Next(level + 1, "key");
  json.Latin1(problem.key);
  json.Next(level + 1, "message");
  json.Latin1(problem.message);
  json.Close(level, "}");
}

void WriteFile(JsonWriter& json, int level, const FileCheck& file) {
  json.Indent(level);
  json.Text("{\n");
  json.Name(level + 1, "file");
  json.Utf8(ui::ShownText(file.file));
  json.Text(",\n");
  if (!file.readError.empty()) {
    json.Name(level + 1, "readError");
    json.Utf8(ui::ShownText(file.readError));
    json.Text(",\n");
  }
  json.Name(level + 1, "counts");
  WriteCounts(json, level + 1, file.counts);
  json.Next(level + 1, "problems");
  if (file.problems.empty()) {
    json.Text("[]");
  } else {
    json.Text("[\n");
    bool first = true;
    for (const check::ProblemView problem : file.problems) {
      if (!first) {
        json.Text(",\n");
      }
      first = false;
      WriteProblem(json, level + 2, problem);
    }
    json.Close(level + 1, "]");
  }
  json.Close(level, "}");
}

}  // namespace

void WriteCheckReportJson(const CheckReport& report, std::ostream& out) {
  JsonWriter json(out);
  json.Text("{\n");
  json.Name(1, "counts");
  WriteCounts(json, 1, report.counts);
  json.Next(1, "notShown");
  json.Number(report.notShown);
  json.Next(1, "stoppedEarly");
  json.Text(report.stoppedEarly ? "true" : "false");
  json.Next(1, "filesNotChecked");
  json.Number(report.filesNotChecked);
  json.Next(1, "files");
  if (report.files.empty()) {
    json.Text("[]");
  } else {
    json.Text("[\n");
    for (std::size_t i = 0; i < report.files.size(); ++i) {
      if (i > 0) {
        json.Text(",\n");
      }
      WriteFile(json, 2, report.files[i]);
    }
    json.Close(1, "]");
  }
  json.Text("\n}\n");
}

}  // namespace quorvel::app
