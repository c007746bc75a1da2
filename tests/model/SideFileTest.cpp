#include <gtest/gtest.h>

#include "model/KX200Doc.h"
#include "model/SideFile.h"
#include "support/Environment.h"
#include "support/TempFolder.h"

namespace kx {
namespace {

#ifdef _WIN32
constexpr const char* kConfigVariable = "APPDATA";
#else
constexpr const char* kConfigVariable = "XDG_CONFIG_HOME";
#endif

class SideFileTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
  test::ScopedVariable config{kConfigVariable, fileio::utf8Path(folder.path())};
};

#ifdef _WIN32
TEST_F(SideFileTest, LivesInTheUsersConfigurationFolder) {
  config.set("C:\\Users\\Funkgeräte\\AppData\\Roaming");
  EXPECT_EQ(SideFilePath("KX400"), "C:\\Users\\Funkgeräte\\AppData\\Roaming\\kxprog\\KX400.ini");
}
#else
TEST_F(SideFileTest, LivesInTheUsersConfigurationFolder) {
  EXPECT_EQ(SideFilePath("KX400"), folder.file("kxprog/KX400.ini"));
  config.set("relative/path");  // not absolute: ignored
  const test::ScopedVariable home("HOME", "/home/tech");
  EXPECT_EQ(SideFilePath("KX400"), "/home/tech/.config/kxprog/KX400.ini");
}
#endif

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
