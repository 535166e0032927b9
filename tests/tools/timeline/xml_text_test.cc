#include "tools/timeline/xml_text.h"

#include <gtest/gtest.h>

namespace quorvel::timeline {
namespace {

TEST(XmlTextTest, KeepsWhatXmlAllowsAndReplacesTheRest) {
  const std::string replacement = "\xEF\xBF\xBD";
  struct Case {
    std::string what;
    std::string text;
    std::string xml;
  };
  const Case cases[] = {
      {"markup", "a&b <c> \"d\"", "a&amp;b &lt;c&gt; &quot;d&quot;"},
      {"tab and line feed stay", "a\tb\nc", "a\tb\nc"},
      {"other control characters", std::string("a\x01\rb\0c", 6),
       "a" + replacement + replacement + "b" + replacement + "c"},
      {"U+FFFF and U+FFFE", "x\xEF\xBF\xBFy\xEF\xBF\xBEz",
       "x" + replacement + "y" + replacement + "z"},
      {"U+FFFD, U+E000 and beyond the first plane stay", "\xEF\xBF\xBD\xEE\x80\x80\xF0\x9F\x98\x80",
       "\xEF\xBF\xBD\xEE\x80\x80\xF0\x9F\x98\x80"},
      {"Latin-1 as UTF-8 stays", "\xC3\xA9\xC3\xBF", "\xC3\xA9\xC3\xBF"},
      {"a byte that begins no character", "a\xE9z", "a" + replacement + "z"},
      {"a surrogate's form", "a\xED\xA0\x80z", "a" + replacement + replacement + replacement + "z"},
      {"an overlong form", "\xC0\xBC", replacement + replacement},
      {"cut short at the end", "ab\xE2\x82", "ab" + replacement + replacement},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(XmlText(c.text), c.xml) << c.what;
  }
}

}  // namespace
}  // namespace quorvel::timeline
