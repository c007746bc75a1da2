#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
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

// In a process of its own: a save whose file may grow to 1000 bytes only. True when it failed
// for that reason.
bool saveOnFullDisk(const std::string& path) {
  ::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{1000, 1000};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::string reason;
  const bool saved = fileio::writeAtomically(path, std::vector<std::uint8_t>(4096, 0x5A), &reason);
  return !saved && reason == std::strerror(EFBIG);
}

TEST(AtomicSaveTest, SaveThatFailsHalfWayLeavesThePreviousFile) {
  TempFolder folder;
  const std::string path = folder.file("radio.dat");
  const std::vector<std::uint8_t> previous{'o', 'l', 'd'};
  test::writeAll(path, previous);
  const auto onlyTheFile = [&] {
    return std::distance(std::filesystem::directory_iterator(folder.path()),
                         std::filesystem::directory_iterator()) == 1;
  };

  // The disk takes no more after the first 1000 bytes (a full disk, a quota).
  EXPECT_EXIT(std::_Exit(saveOnFullDisk(path) ? 0 : 1), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(readAll(path), previous);
  EXPECT_TRUE(onlyTheFile());

  // The folder is gone by the time the new file would take the old one's place.
  const std::string inner = folder.file("inner");
  std::filesystem::create_directory(inner);
  fileio::SetBeforeRenameHook([&](const std::string&) { std::filesystem::remove_all(inner); });
  std::string reason;
  EXPECT_FALSE(fileio::writeAtomically(inner + "/radio.dat", kNew, &reason));
  fileio::SetBeforeRenameHook(nullptr);
  EXPECT_EQ(reason, std::strerror(ENOENT));
  EXPECT_FALSE(std::filesystem::exists(inner));
  EXPECT_EQ(readAll(path), previous);
  EXPECT_TRUE(onlyTheFile());
}

}  // namespace
}  // namespace kx
