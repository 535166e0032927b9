// Feeds a model made of arbitrary text to the whole-model check and to the timeline
// drawing, as `quorvel check` and `quorvel timeline -o FILE.svg` run them. Every
// problem reported has a known code with that code's severity, a message and a
// place in the model; labels never overlap; the SVG is well-formed XML (as expat reads it).
//
// The input is text: a first line "FRAMES WIDTH FROM TO TITLE" (numbers that are
// missing or out of the command's range are left out), then the model comment, then
// for each joint a line "--NAME" ("--*NAME" for a marked joint) followed by its
// comment.
#include <expat.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/latin1.h"
#include "host/ms_model_handle.h"
#include "host/ms_model_lib.h"
#include "tools/check/model_check.h"
#include "tools/check/problem.h"
#include "tools/timeline/layout.h"
#include "tools/timeline/sequence.h"
#include "tools/timeline/svg_writer.h"

namespace {

using namespace quorvel;

constexpr std::size_t kMostJoints = 64;

[[noreturn]] void Fail(const std::string& what = "") {
  if (!what.empty()) {
    std::fprintf(stderr, "%s\n", what.c_str());
  }
  __builtin_trap();
}

// Why `xml` is not well-formed (expat's word for it), or an empty text.
std::string XmlFault(const std::string& xml) {
  XML_Parser parser = XML_ParserCreate("UTF-8");
  std::string fault;
  if (XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) != XML_STATUS_OK) {
    fault = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
            std::to_string(XML_GetCurrentLineNumber(parser));
  }
  XML_ParserFree(parser);
  return fault;
}

// The next blank-separated word of `line`, consumed.
std::string_view Word(std::string_view& line) {
  const std::size_t blank = line.find(' ');
  const std::string_view word = line.substr(0, blank);
  line = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
  return word;
}

// A whole number of at most nine digits, or -1.
std::int64_t Number(std::string_view word) {
  if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != word.npos) {
    return -1;
  }
  return std::stoll(std::string(word));
}

struct Input {
  host::Model model;
  timeline::View view;
  std::string title;
};

Input Read(std::string_view text) {
  Input input;
  input.model.meshes.resize(1);
  input.model.framesPerSecond = 30;
  std::size_t lineEnd = text.find('\n');
  std::string_view header = text.substr(0, lineEnd);
  text = lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);
  const std::int64_t frames = Number(Word(header));
  input.model.totalFrames = frames < 0 ? 0 : static_cast<std::int32_t>(frames);
  const std::int64_t width = Number(Word(header));
  if (width >= 400 && width <= 100000) {
    input.view.width = static_cast<double>(width);
  }
  const std::int64_t from = Number(Word(header));
  const std::int64_t to = Number(Word(header));
  if (from >= 0) {
    input.view.from = from;
  }
  if (to >= 0 && to >= std::max<std::int64_t>(from, 0)) {
    input.view.to = to;
  }
  input.title = ui::ShownText(header) + ": " + std::to_string(input.model.totalFrames) + " frames";

  // The model comment, then "--NAME" and the comment of each joint.
  std::string* comment = nullptr;
  std::string modelComment;
  std::vector<std::string> jointComments;
  comment = &modelComment;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string_view::npos ? text.size() : end + 1;
    const std::string_view line = text.substr(start, end - start);
    start = end;
    if (line.starts_with("--") && input.model.joints.size() < kMostJoints) {
      std::string_view name = line.substr(2);
      if (name.ends_with('\n')) {
        name.remove_suffix(1);
      }
      host::Joint joint;
      if (name.starts_with('*')) {
        joint.flags = 1;
        name.remove_prefix(1);
      }
      joint.name = std::string(name);
      input.model.joints.push_back(std::move(joint));
      jointComments.emplace_back();
      comment = &jointComments.back();
      continue;
    }
    comment->append(line);
  }
  input.model.comment = std::move(modelComment);
  for (std::size_t i = 0; i < jointComments.size(); ++i) {
    input.model.joints[i].comment = std::move(jointComments[i]);
  }
  return input;
}

void CheckProblems(const check::ProblemList& problems, std::size_t jointCount) {
  for (const check::Problem& problem : problems) {
    const check::ProblemCode* known = nullptr;
    for (const check::ProblemCode& code : check::ProblemCodes()) {
      if (code.code == problem.code) {
        known = &code;
      }
    }
    if (known == nullptr || known->severity != problem.severity || problem.message.empty() ||
        problem.place.joint < -1 || problem.place.joint >= static_cast<int>(jointCount)) {
      Fail();
    }
  }
}

void CheckLabels(const timeline::Layout& layout) {
  for (std::size_t i = 0; i < layout.events.size(); ++i) {
    for (std::size_t j = i + 1; j < layout.events.size(); ++j) {
      if (layout.events[i].label.Overlaps(layout.events[j].label)) {
        Fail();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input = Read(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::size_t jointCount = input.model.joints.size();
  msModel* handle = host::AdoptDocument(host::ModelDocument(std::move(input.model)));
  check::ModelFacts facts = check::ReadModelFacts(handle, {});
  const check::ProblemList problems = check::CheckModel(facts);
  CheckProblems(problems, jointCount);

  const timeline::Sequence sequence = timeline::BuildSequence(facts);
  const timeline::Layout layout = timeline::LayOut(sequence, input.view);
  CheckLabels(layout);
  const std::string svg = timeline::WriteSvg(layout, input.title);
  if (const std::string fault = XmlFault(svg); !fault.empty()) {
    Fail("the SVG is not well-formed: " + fault);
  }
  msHost_FreeModel(handle);
  return 0;
}
