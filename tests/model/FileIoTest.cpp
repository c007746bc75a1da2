#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "model/FileIo.h"
#include "support/TempFolder.h"

namespace kx {
namespace {

using test::readAll;
using test::TempFolder;

const std::vector<std::uint8_t> kNew{1, 2, 3};

bool save(const std::string& path, std::string* reason = nullptr) {
  return fileio::writeAtomically(path, kNew, reason);
}

mode_t modeOf(const std::string& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info.st_mode;
}

TEST(AtomicSaveTest, ThroughASymbolicLinkTheLinkedFileIsReplaced) {
  TempFolder folder;
  std::filesystem::create_directory(folder.file("real"));
  test::writeText(folder.file("real/radio.dat"), "old");
  std::filesystem::create_symlink("real/radio.dat", folder.file("hop"));
  std::filesystem::create_symlink(folder.file("hop"), folder.file("link.dat"));
  ASSERT_TRUE(save(folder.file("link.dat")));
  EXPECT_TRUE(S_ISLNK(modeOf(folder.file("link.dat"))));
  EXPECT_EQ(readAll(folder.file("real/radio.dat")), kNew);

  // A link to a file that does not exist yet creates that file.
  std::filesystem::create_symlink("fresh.dat", folder.file("new-link.dat"));
  ASSERT_TRUE(save(folder.file("new-link.dat")));
  EXPECT_EQ(readAll(folder.file("fresh.dat")), kNew);
}

TEST(AtomicSaveTest, ReadOnlyAndNonRegularTargetsAreRefusedWithTheReason) {
  TempFolder folder;
  const std::string readOnly = folder.file("ro.dat");
  test::writeText(readOnly, "keep");
  ::chmod(readOnly.c_str(), 0444);
  ::mkfifo(folder.file("fifo.dat").c_str(), 0644);
  std::filesystem::create_symlink("fifo.dat", folder.file("to-fifo.dat"));

  const struct {
    std::string path;
    const char* reason;
  } refused[] = {
      {readOnly, "The file is read-only"},
      {folder.file("fifo.dat"), "Not a regular file"},
      {folder.file("to-fifo.dat"), "Not a regular file"},
      {"/dev/null", "Not a regular file"},
      {folder.path().string(), "Not a regular file"},
  };
  for (const auto& target : refused) {
    std::string reason;
    EXPECT_FALSE(save(target.path, &reason)) << target.path;
    EXPECT_EQ(reason, target.reason) << target.path;
  }
  EXPECT_EQ(readAll(readOnly), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
  EXPECT_TRUE(S_ISFIFO(modeOf(folder.file("fifo.dat"))));
  EXPECT_TRUE(S_ISCHR(modeOf("/dev/null")));
}

TEST(AtomicSaveTest, ReplacementKeepsModeAndOwnerAndSurvivesInTheFolder) {
  TempFolder folder;
  const std::string path = folder.file("private.dat");
  test::writeText(path, "old");
  ::chmod(path.c_str(), 0600);
  // Another owner can only be given away by root; as anyone else the mode alone is checked.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  }

  ASSERT_TRUE(save(path));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  if (root) {
    EXPECT_EQ(info.st_uid, 65534u);
  }
  EXPECT_EQ(readAll(path), kNew);
  // Nothing but the file is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace kx
