#include "plugin/attributes/name_list.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

std::vector<std::string> Names(const NameList& list) {
  return {list.begin(), list.end()};
}

TEST(NameListTest, KeepsOrderAndDuplicates) {
  NameList list;
  EXPECT_TRUE(list.empty());
  for (const char* name : {"Rock", "Fighter1", "Rock"}) {
    list.push_back(name);
  }
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Rock", "Fighter1", "Rock"}));
  EXPECT_EQ(list[1], "Fighter1");
}

TEST(NameListTest, CopiesShareUntilChangedAndThenAreIndependent) {
  NameList original{"CAM_Main", "CAM_Side"};
  NameList copy = original;
  EXPECT_TRUE(copy.SharesStorageWith(original));

  copy.push_back("CAM_Extra");
  EXPECT_FALSE(copy.SharesStorageWith(original));
  EXPECT_EQ(Names(original), (std::vector<std::string>{"CAM_Main", "CAM_Side"}));
  EXPECT_EQ(copy.size(), 3u);

  original.clear();
  EXPECT_TRUE(original.empty());
  EXPECT_EQ(copy.size(), 3u);
}

TEST(NameListTest, EqualityComparesNamesNotStorage) {
  EXPECT_EQ(NameList({"a", "b"}), NameList({"a", "b"}));
  EXPECT_FALSE(NameList({"a", "b"}) == NameList({"b", "a"}));
  EXPECT_EQ(NameList(), NameList(std::vector<std::string>{}));
}

}  // namespace
}  // namespace quorvel
