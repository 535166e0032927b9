#include "host/byte_source.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/ms3d_error.h"
#include "host/ms3d_reader.h"
#include "host/unique_fd.h"
#include "tests/support/ms3d_fixture.h"

namespace quorvel::host {
namespace {

using quorvel::testing::Ms3dFixture;
using quorvel::testing::SampleFixture;
using quorvel::testing::TempFolder;
using quorvel::testing::WriteMs3d;
using quorvel::testing::WriteWholeFile;

// Bigger than the source's buffer, in what the reader skips (vertices, keys) and in
// what it reads (a long comment).
Ms3dFixture BigFixture() {
  Ms3dFixture fixture = SampleFixture();
  fixture.vertices = 60000;
  fixture.joints[1].rotationKeys = 20000;
  fixture.modelComment = std::string(700000, 'c');
  fixture.trailer.clear();  // its vertex extra data would not fit 60000 vertices
  return fixture;
}

struct HashCase {
  const char* name;
  Ms3dFixture (*fixture)();
};

class FileSourceHashTest : public ::testing::TestWithParam<HashCase> {};

// The reader reads a part of the file and skips the rest; with a hash every byte is
// still hashed, once and in order, whatever was skipped or left after the reader.
TEST_P(FileSourceHashTest, HashesEveryByteInTheSamePass) {
  TempFolder folder;
  const std::string bytes = WriteMs3d(GetParam().fixture()).bytes;
  const std::string path = folder.File("model.ms3d");
  WriteWholeFile(path, bytes);
  UniqueFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  ContentHash hash;
  FileSource source(file.get(), bytes.size(), path, &hash);
  Ms3dContents read = ReadMs3d(source, path);
  ASSERT_TRUE(source.ReadToEnd());
  ContentHash expected;
  expected.Add(bytes.data(), bytes.size());
  EXPECT_EQ(hash.Value(), expected.Value());

  // The same file read without a hash gives the same model.
  FileSource plain(file.get(), bytes.size(), path);
  Ms3dContents again = ReadMs3d(plain, path);
  EXPECT_EQ(again.model.comment, read.model.comment);
  EXPECT_EQ(again.comments.end, read.comments.end);
}

INSTANTIATE_TEST_SUITE_P(Files, FileSourceHashTest,
                         ::testing::Values(HashCase{"Sample", SampleFixture},
                                           HashCase{"Big", BigFixture},
                                           HashCase{"NoComments",
                                                    [] {
                                                      Ms3dFixture fixture = SampleFixture();
                                                      fixture.withComments = false;
                                                      fixture.trailer.clear();
                                                      return fixture;
                                                    }}),
                         [](const ::testing::TestParamInfo<HashCase>& info) {
                           return info.param.name;
                         });

// Comments read from a file view one block that the model keeps, or the mapped
// file: they read as the copies that a read from memory makes, after the source and
// the file are gone, in copies of the model too; comments longer than the source's
// buffer, and the extra data after the section, read as well, with and without a
// hash.
TEST(FileSourceTest, CommentsViewTheBlockThatTheModelKeeps) {
  Ms3dFixture longComments = SampleFixture();
  longComments.jointComments = {{3, std::string(300000, 'r')},
                                {0, "root"},
                                {2, std::string(600001, 'f')},
                                {1, std::string(5, '\0') + "x"}};
  longComments.groupComments = {{0, std::string(262144, 'g')}};
  const Ms3dFixture fixtures[] = {SampleFixture(), BigFixture(), longComments};
  for (const Ms3dFixture& fixture : fixtures) {
    const std::string bytes = WriteMs3d(fixture).bytes;
    MemorySource memory(bytes);
    const Model copied = ReadMs3d(memory, "copy").model;
    EXPECT_EQ(copied.fileBytes, nullptr);
    for (const char* how : {"kept", "hashed", "mapped"}) {
      const bool hashed = std::string_view(how) == "hashed";
      const auto held = std::string_view(how) == "mapped" ? FileSource::Bytes::kMapped
                                                          : FileSource::Bytes::kCopied;
      SCOPED_TRACE(std::to_string(bytes.size()) + " bytes, " + how);
      Model kept;
      {
        TempFolder folder;
        const std::string path = folder.File("model.ms3d");
        WriteWholeFile(path, bytes);
        UniqueFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
        ContentHash hash;
        FileSource source(file.get(), bytes.size(), path, hashed ? &hash : nullptr, held);
        Model read = ReadMs3d(source, path).model;
        EXPECT_NE(read.fileBytes, nullptr);
        if (hashed) {
          ASSERT_TRUE(source.ReadToEnd());
        }
        kept = read;
      }
      EXPECT_EQ(kept.comment, copied.comment);
      ASSERT_EQ(kept.meshes.size(), copied.meshes.size());
      for (std::size_t i = 0; i < kept.meshes.size(); ++i) {
        EXPECT_EQ(kept.meshes[i].comment, copied.meshes[i].comment) << i;
      }
      ASSERT_EQ(kept.joints.size(), copied.joints.size());
      for (std::size_t i = 0; i < kept.joints.size(); ++i) {
        EXPECT_EQ(kept.joints[i].comment, copied.joints[i].comment) << i;
      }
    }
  }
}

// A file shorter than the size it was opened with: reads and skips fail saying so,
// with or without a hash, and ReadToEnd reports it; such a file is not mapped.
TEST(FileSourceTest, AFileThatShrankIsCaught) {
  TempFolder folder;
  const std::string path = folder.File("short");
  WriteWholeFile(path, std::string(300000, 'x'));
  UniqueFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  for (bool hashed : {false, true}) {
    ContentHash hash;
    FileSource source(file.get(), 400000, path, hashed ? &hash : nullptr,
                      FileSource::Bytes::kMapped);
    std::string out(100, '\0');
    source.Skip(299950);
    EXPECT_THAT([&] { source.Read(out.data(), out.size()); },
                ::testing::ThrowsMessage<Ms3dError>(::testing::HasSubstr(
                    "cannot read at byte 300000: the file is shorter than when it was opened")))
        << hashed;
    FileSource comments(file.get(), 400000, path, hashed ? &hash : nullptr,
                        FileSource::Bytes::kMapped);
    CommentText comment;
    comments.Skip(299950);
    EXPECT_THAT([&] { comments.ReadComment(comment, 100); },
                ::testing::ThrowsMessage<Ms3dError>(::testing::HasSubstr(
                    "cannot read at byte 299950: the file is shorter than when it was opened")))
        << hashed;
    FileSource rest(file.get(), 400000, path, hashed ? &hash : nullptr);
    EXPECT_FALSE(rest.ReadToEnd()) << hashed;
  }
}

}  // namespace
}  // namespace quorvel::host
