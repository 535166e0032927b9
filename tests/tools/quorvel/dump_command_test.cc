#include "tools/quorvel/dump_command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace quorvel::app {
namespace {

// Turns the dump's text back into the model's bytes: every code point is one byte.
std::string Bytes(const nlohmann::json& text) {
  std::u32string points;
  std::string utf8 = text.get<std::string>();
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      bytes.push_back(static_cast<char>(lead));
    } else {
      EXPECT_TRUE(lead == 0xc2 || lead == 0xc3) << "code point above U+00FF";
      auto next = static_cast<unsigned char>(utf8[++i]);
      bytes.push_back(static_cast<char>(((lead & 0x1f) << 6) | (next & 0x3f)));
    }
  }
  return bytes;
}

TEST(DumpCommandTest, WritesEveryFieldAndEveryByte) {
  host::Model model;
  model.meshes.resize(2);
  model.materials.resize(3);
  model.totalFrames = 240;
  std::string all;
  for (int c = 0; c < 256; ++c) {
    all.push_back(static_cast<char>(c));
  }
  model.comment = "OPT_FPS=30\r\n" + all;
  model.joints = {{"CAM_Main", 1, ""}, {"Na\xefve", 0x85, all + "\"quoted\"\\"}};

  std::ostringstream out;
  WriteDump(model, out);
  nlohmann::json dump = nlohmann::json::parse(out.str());  // throws on invalid UTF-8

  EXPECT_EQ(dump["meshes"], 2);
  EXPECT_EQ(dump["materials"], 3);
  EXPECT_EQ(dump["frames"], 240);
  EXPECT_EQ(Bytes(dump["comment"]), model.comment);
  ASSERT_EQ(dump["joints"].size(), 2u);
  EXPECT_EQ(dump["joints"][0]["index"], 0);
  EXPECT_EQ(dump["joints"][0]["name"], "CAM_Main");
  EXPECT_EQ(dump["joints"][0]["flags"], 1);
  EXPECT_EQ(dump["joints"][0]["comment"], "");
  EXPECT_EQ(dump["joints"][1]["index"], 1);
  EXPECT_EQ(Bytes(dump["joints"][1]["name"]), "Na\xefve");
  EXPECT_EQ(dump["joints"][1]["flags"], 0x85);
  EXPECT_EQ(Bytes(dump["joints"][1]["comment"]), model.joints[1].comment);
}

TEST(DumpCommandTest, KeysInTheDocumentedOrder) {
  host::Model model;
  model.joints = {{"A", 0, "x"}};
  std::ostringstream out;
  WriteDump(model, out);
  std::string text = out.str();
  std::size_t meshes = text.find("\"meshes\"");
  std::size_t materials = text.find("\"materials\"");
  std::size_t frames = text.find("\"frames\"");
  std::size_t comment = text.find("\"comment\"");
  std::size_t joints = text.find("\"joints\"");
  EXPECT_LT(meshes, materials);
  EXPECT_LT(materials, frames);
  EXPECT_LT(frames, comment);
  EXPECT_LT(comment, joints);
  EXPECT_NE(text.find("{\"index\":0,\"name\":\"A\",\"flags\":0,\"comment\":\"x\"}"),
            std::string::npos);
}

TEST(DumpCommandTest, EmptyModel) {
  std::ostringstream out;
  WriteDump(host::Model{}, out);
  nlohmann::json dump = nlohmann::json::parse(out.str());
  EXPECT_EQ(dump["joints"], nlohmann::json::array());
  EXPECT_EQ(dump["comment"], "");
}

TEST(DumpCommandTest, LargeModelsPassThroughTheBufferWhole) {
  // Comments larger than the dump's buffer, and enough joints to fill it many times.
  host::Model model;
  model.totalFrames = -1;
  model.comment = std::string(3 << 20, '"');
  for (int i = 0; i < 3000; ++i) {
    model.joints.push_back({"J" + std::to_string(i), 0, std::string(1000, '\x01')});
  }
  model.joints[1500].comment = std::string(5 << 20, '\xe9');

  std::ostringstream out;
  WriteDump(model, out);
  nlohmann::json dump = nlohmann::json::parse(out.str());

  EXPECT_EQ(dump["frames"], -1);
  EXPECT_EQ(Bytes(dump["comment"]), model.comment);
  ASSERT_EQ(dump["joints"].size(), model.joints.size());
  for (std::size_t i = 0; i < model.joints.size(); ++i) {
    ASSERT_EQ(dump["joints"][i]["name"], model.joints[i].name);
    ASSERT_EQ(Bytes(dump["joints"][i]["comment"]), model.joints[i].comment) << i;
  }
}

}  // namespace
}  // namespace quorvel::app
