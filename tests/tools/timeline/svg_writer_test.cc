#include "tools/timeline/svg_writer.h"

#include <expat.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "tests/tools/check/check_fixture.h"
#include "tests/tools/timeline/timeline_models.h"

namespace quorvel::timeline {
namespace {

using quorvel::testing::SequenceOf;

// What a parse of the SVG found: whether it is well-formed, and the event groups.
struct Parsed {
  bool wellFormed = false;
  std::string error;
  std::multiset<std::pair<std::string, std::string>> events;  // (data-row, data-index)
  std::string text;                                           // all character data
};

Parsed Parse(const std::string& svg) {
  Parsed parsed;
  XML_Parser parser = XML_ParserCreate("UTF-8");
  XML_SetUserData(parser, &parsed);
  XML_SetStartElementHandler(parser, [](void* data, const XML_Char* name, const XML_Char** atts) {
    auto& result = *static_cast<Parsed*>(data);
    if (std::string(name) != "g") {
      return;
    }
    std::map<std::string, std::string> attributes;
    for (int i = 0; atts[i] != nullptr; i += 2) {
      attributes[atts[i]] = atts[i + 1];
    }
    if (attributes["class"].starts_with("event")) {
      result.events.insert({attributes["data-row"], attributes["data-index"]});
    }
  });
  XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
    static_cast<Parsed*>(data)->text.append(text, static_cast<std::size_t>(length));
  });
  parsed.wellFormed =
      XML_Parse(parser, svg.data(), static_cast<int>(svg.size()), XML_TRUE) == XML_STATUS_OK;
  if (!parsed.wellFormed) {
    parsed.error = XML_ErrorString(XML_GetErrorCode(parser));
  }
  XML_ParserFree(parser);
  return parsed;
}

TEST(SvgWriterTest, WellFormedWithEveryEventOnce) {
  const Sequence sequence = SequenceOf(quorvel::testing::CrowdedModel(1000, 3000, 11));
  const Layout layout = LayOut(sequence, {1200, {}, {}});
  const Parsed parsed = Parse(WriteSvg(layout, "crowded.ms3d"));
  ASSERT_TRUE(parsed.wellFormed) << parsed.error;
  EXPECT_EQ(parsed.events.size(), 1000u);
  for (std::size_t row = 0; row < sequence.rows.size(); ++row) {
    for (const TimelineEvent& event : sequence.rows[row].events) {
      EXPECT_EQ(parsed.events.count({std::to_string(row), std::to_string(event.index)}), 1u);
    }
  }
}

TEST(SvgWriterTest, ModelTextIsEscapedAndEightBitTextShownAsUtf8) {
  host::Model model = quorvel::testing::CleanModel();
  model.joints[2].name = "F<&\"\xE9>";
  model.joints[2].comment = quorvel::testing::FollowerComment(
      "ship", "", {"20|death|\"<b>&amp;\x01\xFF\"", "21|spe]]>ech|x"});
  const Sequence sequence = SequenceOf(model);
  const Parsed parsed = Parse(WriteSvg(LayOut(sequence, {1200, {}, {}}), "a&b <model>.ms3d"));
  ASSERT_TRUE(parsed.wellFormed) << parsed.error;
  EXPECT_NE(parsed.text.find("a&b <model>.ms3d"), std::string::npos);
  EXPECT_NE(parsed.text.find("F<&\"\xC3\xA9>"), std::string::npos);
  EXPECT_NE(parsed.text.find("\"<b>&amp;\xEF\xBF\xBD\xC3\xBF\""), std::string::npos);
  EXPECT_NE(parsed.text.find("[EVENT_UNKNOWN]"), std::string::npos);  // problems in the hover
}

// Drawn row by row from a layout without its events, or from one that holds them
// all, and written whole or to a stream: the same bytes.
TEST(SvgWriterTest, RowByRowIsTheSamePicture) {
  const Sequence sequence = SequenceOf(quorvel::testing::CrowdedModel(1000, 3000, 12));
  const std::string whole = WriteSvg(LayOut(sequence, {1200, {}, {}}), "crowded.ms3d");
  const Layout rowByRow = LayOut(sequence, {1200, {}, {}}, std::nullopt, false);
  EXPECT_TRUE(rowByRow.events.empty());
  std::ostringstream streamed;
  WriteSvg(rowByRow, "crowded.ms3d", streamed);
  EXPECT_TRUE(streamed.str() == whole);
  EXPECT_GT(whole.size(), 200000u);  // larger than a chunk of the stream
}

// A file name may hold any character; the picture stays well-formed whatever it is.
TEST(SvgWriterTest, TitleWithCharactersXmlRefusesIsReplaced) {
  const Sequence sequence = SequenceOf(quorvel::testing::CleanModel());
  const std::string svg = WriteSvg(LayOut(sequence, {1200, {}, {}}),
                                   "a\xEF\xBF\xBF"
                                   "b\xEF\xBF\xBE"
                                   "c\x01.ms3d");
  const Parsed parsed = Parse(svg);
  ASSERT_TRUE(parsed.wellFormed) << parsed.error;
  EXPECT_NE(parsed.text.find("a\xEF\xBF\xBD"
                             "b\xEF\xBF\xBD"
                             "c\xEF\xBF\xBD.ms3d"),
            std::string::npos);
}

// A file name may hold characters that XML does not allow anywhere (U+FFFE, U+FFFF)
// or bytes that are no UTF-8: the picture stays well-formed all the same, and what
// XML allows is kept.
TEST(SvgWriterTest, TitleWithCharactersXmlRefusesStaysWellFormed) {
  const Sequence sequence = SequenceOf(quorvel::testing::CleanModel());
  const Layout layout = LayOut(sequence, {1200, {}, {}});
  const std::pair<std::string, std::string> titles[] = {
      {"a\xEF\xBF\xBF\xEF\xBF\xBE.ms3d", "a\xEF\xBF\xBD\xEF\xBF\xBD.ms3d"},
      {"\xEF\xBF\xBC\xEF\xBF\xBD.ms3d", "\xEF\xBF\xBC\xEF\xBF\xBD.ms3d"},  // allowed, kept
      {"b\xE9\xFF.ms3d", "b\xEF\xBF\xBD\xEF\xBF\xBD.ms3d"},
  };
  for (const auto& [title, shown] : titles) {
    const Parsed parsed = Parse(WriteSvg(layout, title));
    ASSERT_TRUE(parsed.wellFormed) << parsed.error;
    EXPECT_NE(parsed.text.find(shown), std::string::npos);
  }
}

}  // namespace
}  // namespace quorvel::timeline
