#include <gtest/gtest.h>
#include <stdlib.h>

#include "model/KX200Doc.h"
#include "model/SideFile.h"
#include "support/TempFolder.h"

namespace kx {
namespace {

class SideFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) saved_ = old;
    ::setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
  }
  void TearDown() override {
    if (saved_.empty())
      ::unsetenv("XDG_CONFIG_HOME");
    else
      ::setenv("XDG_CONFIG_HOME", saved_.c_str(), 1);
  }
  test::TempFolder folder;

 private:
  std::string saved_;
};

TEST_F(SideFileTest, LivesInTheUsersConfigurationFolder) {
  EXPECT_EQ(SideFilePath("KX400"), folder.file("kxprog/KX400.ini"));
  ::setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored
  ::setenv("HOME", "/home/tech", 1);
  EXPECT_EQ(SideFilePath("KX400"), "/home/tech/.config/kxprog/KX400.ini");
}

TEST_F(SideFileTest, PortNumberIsFourLittleEndianBytes) {
  CKX200Doc doc;
  doc.sideFileValue = 3;
  const std::string path = SideFilePath(doc.modelName);
  ASSERT_TRUE(doc.WriteSideFile(path).ok);  // the folder does not exist yet
  EXPECT_EQ(test::readAll(path), (std::vector<std::uint8_t>{0x03, 0x00, 0x00, 0x00}));

  CKX200Doc later;
  EXPECT_EQ(later.sideFileValue, 1);
  later.ReadSideFile(path);
  EXPECT_EQ(later.sideFileValue, 3);
}

TEST_F(SideFileTest, MissingOrShortFileKeepsTheValue) {
  CKX200Doc doc;
  doc.sideFileValue = 5;
  doc.ReadSideFile(folder.file("absent.ini"));
  EXPECT_EQ(doc.sideFileValue, 5);
  test::writeAll(folder.file("short.ini"), {0x09, 0x00});
  doc.ReadSideFile(folder.file("short.ini"));
  EXPECT_EQ(doc.sideFileValue, 5);
}

}  // namespace
}  // namespace kx
