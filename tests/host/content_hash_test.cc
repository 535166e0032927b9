#include "host/content_hash.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel::host {
namespace {

std::uint64_t HashInPieces(const std::string& bytes, std::size_t piece) {
  ContentHash hash;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    hash.Add(bytes.data() + at, std::min(piece, bytes.size() - at));
  }
  return hash.Value();
}

TEST(ContentHashTest, DependsOnTheBytesOnlyNotOnThePieces) {
  std::string bytes;
  for (int i = 0; i < 100000; ++i) {
    bytes += static_cast<char>((i * 131) ^ (i >> 7));
  }
  const std::uint64_t whole = HashInPieces(bytes, bytes.size());
  for (std::size_t piece : {1, 3, 7, 64, 240, 1000, 4096, 65537}) {
    EXPECT_EQ(HashInPieces(bytes, piece), whole) << "pieces of " << piece;
  }
  // Any one byte changed, wherever it is, changes the value.
  for (std::size_t at : {std::size_t{0}, std::size_t{239}, std::size_t{50000}, bytes.size() - 1}) {
    std::string changed = bytes;
    changed[at] = static_cast<char>(changed[at] ^ 1);
    EXPECT_NE(HashInPieces(changed, 1000), whole) << "byte " << at;
  }
  EXPECT_NE(HashInPieces(bytes.substr(0, bytes.size() - 1), 1000), whole);
}

}  // namespace
}  // namespace quorvel::host
