#include "common/file_util.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/replacing_file.h"
#include "support/corpus.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

TEST(FileUtil, ReplacingWriteKeepsTheOldFileWhenItCannotFinish) {
  const std::string dir = test::MakeTempDir();
  const std::string path = dir + "/project.sfg";
  WriteWholeFile(path, "old");
  WriteFileReplacing(path, "new content");
  EXPECT_EQ(ReadWholeFile(path), (std::vector<std::uint8_t>{'n', 'e', 'w', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't'}));

  // A folder that cannot be written: the write fails and the old file stays.
  chmod(dir.c_str(), 0555);
  if (geteuid() != 0) {
    EXPECT_THAT([&] { (void)(WriteFileReplacing(path, "lost")); },
                ThrowsMessage<std::runtime_error>(StrEq("Unable to create file " + path + ".part: Permission denied")));
    EXPECT_EQ(ReadWholeFile(path).size(), 11u);
  }
  chmod(dir.c_str(), 0755);
  EXPECT_THAT([&] { (void)(WriteFileReplacing(dir + "/missing/x.sfg", "x")); },
              ThrowsMessage<std::runtime_error>(StrEq("Unable to create file " + dir + "/missing/x.sfg.part: No such file or directory")));
}

TEST(FileUtil, ReadsWithACeiling) {
  const std::string path = test::MakeTempDir() + "/f.bin";
  WriteWholeFile(path, "0123456789");
  EXPECT_THAT([&] { (void)(ReadWholeFile(path, 9)); },
              ThrowsMessage<std::runtime_error>(StrEq("File is too large: " + path)));
  EXPECT_EQ(ReadWholeFile(path, 10).size(), 10u);
  EXPECT_EQ(ReadFileStart(path, 4).size(), 4u);
  EXPECT_EQ(ReadFileStart(path, 40).size(), 10u);
  EXPECT_TRUE(ReadFileStart(path + ".missing", 4).empty());
  EXPECT_THAT(
      [&] { (void)(ReadWholeFile(path + ".missing")); },
      ThrowsMessage<std::runtime_error>(StrEq("Unable to open file " + path + ".missing: No such file or directory")));
}

TEST(FileUtil, ExtensionsAndFolders) {
  EXPECT_EQ(LowerExtension("/Pics/Beach.JPEG"), ".jpeg");
  EXPECT_EQ(LowerExtension("/Pics/noext"), "");
  EXPECT_EQ(LowerExtension("/a.b/c"), ".b/c") << "the text from the last dot, as the drop command takes it";
  EXPECT_EQ(FolderOf("/out/img"), "/out/");
  EXPECT_EQ(FolderOf("img"), "");
  EXPECT_EQ(ToLowerAscii("C:/Pics/Beach.JPG"), "c:/pics/beach.jpg");
}

TEST(ReplacingFile, TheDestinationChangesOnlyWhenTheNewFileIsPutInPlace) {
  const std::string dir = test::MakeTempDir();
  const std::string path = dir + "/out.avi";
  WriteWholeFile(path, "old");
  chmod(path.c_str(), 0640);
  {
    ReplacingFile abandoned(path);
    WriteWholeFile(abandoned.WritingPath(), "half");
  }
  EXPECT_EQ(ReadWholeFile(path).size(), 3u);
  EXPECT_FALSE(PathExists(path + ".part")) << "an abandoned write leaves nothing behind";

  ReplacingFile finished(path);
  WriteWholeFile(finished.WritingPath(), "new!");
  finished.PutInPlace();
  EXPECT_EQ(ReadWholeFile(path).size(), 4u);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  const std::string folder = dir + "/clip.gif";
  std::filesystem::create_directory(folder);
  ReplacingFile blocked(folder);
  WriteWholeFile(blocked.WritingPath(), "gif");
  EXPECT_THAT([&] { blocked.PutInPlace(); },
              ThrowsMessage<std::runtime_error>(StrEq("Unable to write " + folder + ": a folder of that name is in the way")));
  EXPECT_FALSE(PathExists(folder + ".part"));
}

}  // namespace
}  // namespace sf
