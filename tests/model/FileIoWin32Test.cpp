#include <gtest/gtest.h>

#include <filesystem>

#include "model/ConfigFile.h"
#include "model/FileCheck.h"
#include "model/FileIo.h"
#include "model/KX200Doc.h"
#include "support/TempFolder.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::TempFolder;

const std::vector<std::uint8_t> kNew{1, 2, 3};

TEST(AtomicSaveWin32Test, ReplacesTheFileAndLeavesNothingBeside) {
  TempFolder folder;
  const std::string path = folder.file("radio.dat");
  test::writeText(path, "the technician's earlier file");
  const auto earlier = readAll(path);
  bool renamedOver = false;
  fileio::SetBeforeRenameHook([&](const std::string& temporary) {
    // The new bytes wait beside the old file, which is whole until the replace.
    renamedOver = readAll(temporary) == kNew && readAll(path) == earlier;
  });
  ASSERT_TRUE(fileio::writeAtomically(path, kNew));
  fileio::SetBeforeRenameHook({});
  EXPECT_TRUE(renamedOver);
  EXPECT_EQ(readAll(path), kNew);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(AtomicSaveWin32Test, ReadOnlyFilesFoldersAndDevicesAreRefusedWithTheReason) {
  TempFolder folder;
  const std::string readOnly = folder.file("ro.dat");
  test::writeText(readOnly, "keep");
  fs::permissions(fileio::nativePath(readOnly), fs::perms::owner_read);
  const struct {
    std::string path;
    const char* reason;
  } refused[] = {
      {readOnly, "The file is read-only"},
      {fileio::utf8Path(folder.path()), "Not a regular file"},
      {"\\\\.\\COM1", "Not a regular file"},
  };
  for (const auto& target : refused) {
    std::string reason;
    EXPECT_FALSE(fileio::writeAtomically(target.path, kNew, &reason)) << target.path;
    EXPECT_EQ(reason, target.reason) << target.path;
  }
  EXPECT_EQ(readAll(readOnly), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
  fs::permissions(fileio::nativePath(readOnly), fs::perms::owner_all);
}

// Paths are UTF-8 in the programs and reach Windows as UTF-16: a bench folder with umlauts.
TEST(AtomicSaveWin32Test, FoldersWithUmlautsWorkForEveryFileKind) {
  TempFolder folder;
  const std::string bench =
      fileio::joinPath(fileio::utf8Path(folder.path()), "Funkgeräte\\Prüfstand");
  ASSERT_TRUE(fileio::makeFolders(bench));
  EXPECT_TRUE(fs::is_directory(fileio::nativePath(bench)));
  const std::string path = fileio::joinPath(bench, "Kanäle.dat");
  CKX200Doc doc;
  doc.ChooseModel(model::kKx600Uhf);
  ASSERT_TRUE(doc.OnSaveDocument(path).ok);
  EXPECT_TRUE(CheckFileToOpen(path, 4096).ok);
  CKX200Doc loaded;
  EXPECT_TRUE(loaded.OnOpenDocument(path).ok);
  EXPECT_EQ(loaded, doc);
  bool taken = false;
  EXPECT_FALSE(fileio::createNew(path, &taken));
  EXPECT_TRUE(taken);
  EXPECT_EQ(fileio::folderOf(path), bench);
  EXPECT_EQ(fileio::folderOf("C:\\radio.dat"), "C:\\");
  EXPECT_EQ(fileio::folderOf("\\\\server\\share\\radio.dat"), "\\\\server\\share\\");
  // Names in messages and extensions come from the last part, whichever separator parts it.
  EXPECT_EQ(fileio::nameOf(path), "Kanäle.dat");
  EXPECT_EQ(fileio::nameOf("C:/radio/site.csv"), "site.csv");
  EXPECT_EQ(fileio::nameOf("C:site.yaml"), "site.yaml");
}

}  // namespace
}  // namespace kx
