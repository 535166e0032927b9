#include "framework/script/script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

namespace quorvel::ui {
namespace {

TEST(ParseScript, ReadsEveryStepOfTheFormat) {
  const Script script = ParseScript(
      "# a comment\n"
      "window sheet\n"
      "\n"
      "   \n"
      "expect-tabs [\"NIS Attributes\",\"Actor: Fighter1\"]\n"
      "tab 1\n"
      "set 11009 30\n"
      "set 11011 \"a\\tb\"\n"
      "set 11001 \n"
      "set 11001\n"
      "pick 11010 6\n"
      "pick 11006 -1\n"
      "dblclick 11006 0\n"
      "click 11014\n"
      "expect 11008 2.50\n"
      "expect-items 11006 []\n"
      "expect-selected 11006 -1\n"
      "expect-active 0\n"
      "expect-title Event Attributes...\n"
      "expect-message Overwrite existing attributes?\n"
      "answer yes\n"
      "expect-folder C:\\Games\\ZU2\\data\\\n"
      "choose \"C:\\\\a b.wav\"\n"
      "cancel\r\n"
      "window 11005\n");
  ASSERT_EQ(script.steps.size(), 22u);
  EXPECT_EQ(script.lineCount, 25);
  const Step& window = script.steps[0];
  EXPECT_EQ(window.kind, StepKind::kWindow);
  EXPECT_EQ(window.name, "sheet");
  EXPECT_EQ(window.line, 2);
  EXPECT_EQ(script.steps[1].items, (std::vector<std::string>{"NIS Attributes", "Actor: Fighter1"}));
  EXPECT_EQ(script.steps[1].line, 5);
  EXPECT_EQ(script.steps[2].number, 1);
  EXPECT_EQ(script.steps[3].id, 11009);
  EXPECT_EQ(script.steps[3].text, "30");
  EXPECT_EQ(script.steps[4].text, "a\tb");
  EXPECT_EQ(script.steps[5].text, "");
  EXPECT_EQ(script.steps[6].text, "");
  EXPECT_EQ(script.steps[8].number, -1);
  EXPECT_EQ(script.steps[9].kind, StepKind::kDoubleClick);
  EXPECT_EQ(script.steps[11].text, "2.50");
  EXPECT_TRUE(script.steps[12].items.empty());
  EXPECT_EQ(script.steps[15].text, "Event Attributes...");
  EXPECT_EQ(script.steps[16].text, "Overwrite existing attributes?");
  EXPECT_EQ(script.steps[17].text, "yes");
  EXPECT_EQ(script.steps[18].text, "C:\\Games\\ZU2\\data\\");
  EXPECT_EQ(script.steps[19].text, "C:\\a b.wav");
  EXPECT_EQ(script.steps[20].kind, StepKind::kCancel);  // CR of a CR LF line dropped
  EXPECT_EQ(script.steps[20].line, 24);
}

TEST(ParseScript, TextKeepsBlanksAsTheyStand) {
  const Script script = ParseScript("set 11001  two  blanks \nexpect-title  \n");
  EXPECT_EQ(script.steps[0].text, " two  blanks ");
  EXPECT_EQ(script.steps[1].text, " ");
}

TEST(ParseScript, TextsStandForThe8BitTextsOfTheSystem) {
  // UTF-8 characters up to U+00FF become their bytes, in every form of TEXT and LIST;
  // a script saved as 8-bit text reads byte for byte.
  const Script script = ParseScript(
      "expect 11003 Fr\xc3\xa9gate\n"
      "expect 11003 \"Fr\xc3\xa9gate\"\n"
      "expect 11003 \"Fr\\u00e9gate\"\n"
      "expect 11003 Fr\xe9gate\n"
      "expect 11003 \"Fr\xe9gate\"\n"
      "expect-tabs [\"Actor: J\xc3\xa4ger\",\"Actor: J\\u00e4ger\"]\n");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(script.steps[i].text, "Fr\xe9gate") << "step " << i;
  }
  EXPECT_EQ(script.steps[5].items,
            (std::vector<std::string>{"Actor: J\xe4ger", "Actor: J\xe4ger"}));
  // Quoted for a script, 8-bit text comes back as itself.
  EXPECT_EQ(ParseScript("expect 1 " + QuoteScriptText("\xe9\xff\x80")).steps[0].text,
            "\xe9\xff\x80");
}

struct MalformedCase {
  const char* text;
  const char* message;
};

TEST(ParseScript, MalformedLinesFailWithTheirLineNumber) {
  const MalformedCase cases[] = {
      {"clik 1", "script line 1: unknown step \"clik\""},
      {"\n\nclick", "script line 3: missing a control id"},
      {"click OK", "script line 1: a control id expected, found \"OK\""},
      {"click 1 2", "script line 1: unexpected \"2\" at the end of the step"},
      {"pick 11010", "script line 1: missing an item number"},
      {"pick 11010 x", "script line 1: an item number expected, found \"x\""},
      {"pick  11010 1", "script line 1: a control id expected, found a second blank"},
      {"tab 1.5", "script line 1: a number expected, found \"1.5\""},
      {"window dialog",
       "script line 1: a window is a template number, sheet, message or file; "
       "found \"dialog\""},
      {"window", "script line 1: missing a window name"},
      {"answer maybe", "script line 1: an answer is ok, yes, no or cancel; found \"maybe\""},
      {"set 1 \"open", "script line 1: a JSON string expected, found \"\\\"open\""},
      {"set 1 \"a\" b", "script line 1: a JSON string expected, found \"\\\"a\\\" b\""},
      {"expect-items 1 [1,2]", "script line 1: the list holds 1, which is not a string"},
      {"expect-tabs \"a\"", "script line 1: a JSON array of strings expected, found \"\\\"a\\\"\""},
      {"expect-tabs", "script line 1: a JSON array of strings expected, found \"\""},
      {"cancel now", "script line 1: unexpected \"now\" at the end of the step"},
      // Texts are 8-bit: a character beyond U+00FF is refused in every form.
      {"set 11001 \"\\u0100\"",
       "script line 1: a text holds U+0100, but texts are 8-bit: they hold characters up to "
       "U+00FF only"},
      {"click 1\nexpect 11003 \xe2\x82\xac",
       "script line 2: a text holds U+20AC, but texts are 8-bit: they hold characters up to "
       "U+00FF only"},
      {"expect-tabs [\"a\",\"\xf0\x9f\x98\x80\"]",
       "script line 1: a text holds U+1F600, but texts are 8-bit: they hold characters up to "
       "U+00FF only"},
  };
  for (const MalformedCase& c : cases) {
    try {
      ParseScript(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const ScriptFailure& failure) {
      EXPECT_STREQ(failure.what(), c.message) << "script: " << c.text;
    }
  }
}

// The host takes texts as C strings: a NUL would end a comment early and lose what
// follows it, so no text of a script may hold one, written as an escape or raw.
TEST(ParseScript, RefusesANulInEveryFormOfText) {
  using namespace std::string_literals;
  const std::string nul =
      ": a text holds U+0000 (NUL), which no text of the system can hold: the host would end "
      "the text there";
  const std::pair<std::string, std::string> cases[] = {
      {"set 11001 \"A\\u0000B\"", "script line 1" + nul},
      {"window sheet\nset 11001 A\0B"s, "script line 2" + nul},
      {"expect 11003 \"CAM_Wide\\u0000 2.5\"", "script line 1" + nul},
      {"expect-tabs [\"a\",\"\\u0000\"]", "script line 1" + nul},
      {"choose \0"s, "script line 1" + nul},
  };
  for (const auto& [text, message] : cases) {
    try {
      ParseScript(text);
      ADD_FAILURE() << "accepted: " << QuoteScriptText(text);
    } catch (const ScriptFailure& failure) {
      EXPECT_EQ(failure.what(), message) << "script: " << QuoteScriptText(text);
    }
  }
}

TEST(LoadScript, ReadsAFileAndReportsAMissingOne) {
  const std::string path = std::string(QUORVEL_BINARY_DIR) + "/load_script_test.ui";
  {
    std::ofstream file(path, std::ios::binary);
    file << "window 11005\r\nclick 2\r\n";
  }
  const Script script = LoadScript(path);
  std::remove(path.c_str());
  ASSERT_EQ(script.steps.size(), 2u);
  EXPECT_EQ(script.steps[1].id, 2);
  try {
    LoadScript(path);
    ADD_FAILURE() << "a missing file was read";
  } catch (const ScriptFailure& failure) {
    EXPECT_EQ(failure.Line(), 0);
    EXPECT_NE(std::string(failure.what()).find("cannot read the script file"), std::string::npos);
  }
}

// Hostile scripts end in a failure with a message, never in a crash or a hang.
TEST(ParseScript, BoundsNestingAndSize) {
  const std::string deep = "click 1\nexpect-tabs " + std::string(70000, '[') + "\n";
  try {
    ParseScript(deep);
    ADD_FAILURE() << "deep nesting accepted";
  } catch (const ScriptFailure& failure) {
    EXPECT_STREQ(failure.what(),
                 "script line 2: a JSON array of strings expected, found brackets nested more "
                 "than 32 deep");
  }
  // Brackets inside a string are text.
  EXPECT_EQ(ParseScript("expect-tabs [\"" + std::string(100, '[') + "\"]").steps[0].items.size(),
            1u);
  try {
    ParseScript(std::string((std::size_t{16} << 20) + 1, '#'));
    ADD_FAILURE() << "an oversized script accepted";
  } catch (const ScriptFailure& failure) {
    EXPECT_STREQ(failure.what(),
                 "script: the script holds 16777217 bytes; a script may hold at most 16777216");
  }
}

TEST(QuoteScriptText, EscapesWhatAScriptWouldEscape) {
  EXPECT_EQ(QuoteScriptText("a\"b\\c\td\x01"), "\"a\\\"b\\\\c\\td\\u0001\"");
  EXPECT_EQ(QuoteScriptText("caf\xe9"), "\"caf\xc3\xa9\"");
  EXPECT_EQ(QuoteScriptList({"a", ""}), "[\"a\",\"\"]");
}

}  // namespace
}  // namespace quorvel::ui
