#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "model/ByteOrder.h"
#include "model/ConfigFile.h"
#include "model/KX200Doc.h"
#include "support/TempFolder.h"

namespace kx {
namespace {

using test::readAll;
using test::TempFolder;
using test::writeAll;

// A document with a distinct value in every field the file holds, so a field written at the
// wrong offset or in the wrong size shows.
CKX200Doc distinctDocument() {
  CKX200Doc doc;
  doc.modelType = model::kKx600Uhf;
  doc.ResetToDefaults();
  doc.ffsk = 1;
  doc.squelchBusyPortCheck = 1;
  doc.reservedDouble1 = 1.5;
  doc.reservedDouble2 = -2.25;
  doc.reservedInt1 = 3;
  doc.toneLookupHz = 88.5;
  doc.toneLookupDcs = 754;
  doc.txTimeoutSec = 120;
  doc.scanSpeedMs = 250;
  doc.hangOnTimeMs = 1000;
  doc.gpsDataDelaySec = 300;
  doc.modemMode = 1;
  doc.sBandBaudIndex = 2;
  doc.nBandBaudIndex = 1;
  doc.afskBell202 = 1;
  for (int i = 0; i < kChannelCount; ++i) {
    ChannelRecord& c = doc.channels[static_cast<std::size_t>(i)];
    c.rxFreqMHz = 440.0 + i * 0.0125;
    c.txFreqMHz = 445.0 + i * 0.0125;
    c.scan = i % 2;
    c.stepCode = i % 4;
    c.wide = 1;
    c.rxOption = 3;
    c.txOption = 2;
    c.rxCtcssHz = 100.0;
    c.txCtcssHz = 254.1;
    c.rxDcsCode = 754;
    c.txDcsCode = 25;
    c.twoToneSelect = 1;
    c.toneAHz = 1000.0;
    c.toneBHz = 2000.0;
    c.toneAMs = 500.0;
    c.toneBMs = 700.0;
    c.highPower = 1;
  }
  doc.regB8 = 4;
  doc.regB6 = 33;
  doc.subBandIndex = 1;
  doc.externalModulation = 1;
  return doc;
}

TEST(ConfigFileTest, LayoutIsByteExact) {
  const CKX200Doc doc = distinctDocument();
  const auto bytes = EncodeConfigFile(doc);
  ASSERT_EQ(bytes.size(), 1827u);
  EXPECT_EQ(le::getI32(bytes, 0x000), 5);      // modelType
  EXPECT_EQ(le::getI32(bytes, 0x004), 1);      // ffsk
  EXPECT_EQ(le::getI32(bytes, 0x00C), 1);      // squelchBusyPortCheck
  EXPECT_EQ(le::getF64(bytes, 0x014), 1.5);    // reservedDouble1
  EXPECT_EQ(le::getF64(bytes, 0x01C), -2.25);  // reservedDouble2
  EXPECT_EQ(le::getI32(bytes, 0x024), 3);      // reservedInt1
  EXPECT_EQ(le::getF64(bytes, 0x028), 88.5);   // toneLookupHz
  EXPECT_EQ(le::getI32(bytes, 0x030), 754);    // toneLookupDcs
  EXPECT_EQ(le::getI32(bytes, 0x038), 120);    // txTimeoutSec
  EXPECT_EQ(le::getI32(bytes, 0x04C), 250);    // scanSpeedMs
  EXPECT_EQ(le::getI32(bytes, 0x068), 1000);   // hangOnTimeMs
  EXPECT_EQ(le::getI32(bytes, 0x074), 300);    // gpsDataDelaySec
  EXPECT_EQ(le::getI32(bytes, 0x080), 1);      // modemMode
  EXPECT_EQ(le::getI32(bytes, 0x094), 2);      // sBandBaudIndex
  EXPECT_EQ(le::getI32(bytes, 0x098), 1);      // nBandBaudIndex
  EXPECT_EQ(le::getI32(bytes, 0x0A8), 2);      // byteCountIndex
  EXPECT_EQ(le::getI32(bytes, 0x0B4), 1);      // txDelay2Index
  EXPECT_EQ(le::getI32(bytes, 0x0C8), 1);      // squelchEnabled
  EXPECT_EQ(le::getI32(bytes, 0x0D8), 1);      // afskBell202

  // Channel 2 starts at 220 + 100.
  const std::size_t ch2 = 320;
  EXPECT_EQ(le::getF64(bytes, ch2 + 0x00), 440.0125);  // rxFreqMHz
  EXPECT_EQ(le::getF64(bytes, ch2 + 0x08), 445.0125);  // txFreqMHz
  EXPECT_EQ(le::getI32(bytes, ch2 + 0x10), 1);         // scan
  EXPECT_EQ(le::getI32(bytes, ch2 + 0x14), 1);         // stepCode
  EXPECT_EQ(le::getI32(bytes, ch2 + 0x1C), 3);         // rxOption
  EXPECT_EQ(le::getI32(bytes, ch2 + 0x20), 2);         // txOption
  EXPECT_EQ(le::getF64(bytes, ch2 + 0x24), 100.0);     // rxCtcssHz
  EXPECT_EQ(le::getF64(bytes, ch2 + 0x2C), 254.1);     // txCtcssHz
  EXPECT_EQ(le::getI32(bytes, ch2 + 0x34), 754);       // rxDcsCode
  EXPECT_EQ(le::getI32(bytes, ch2 + 0x38), 25);        // txDcsCode
  EXPECT_EQ(le::getI32(bytes, ch2 + 0x3C), 1);         // twoToneSelect
  // Both frequencies come before both durations.
  EXPECT_EQ(le::getF64(bytes, ch2 + 0x40), 1000.0);  // toneAHz
  EXPECT_EQ(le::getF64(bytes, ch2 + 0x48), 2000.0);  // toneBHz
  EXPECT_EQ(le::getF64(bytes, ch2 + 0x50), 500.0);   // toneAMs
  EXPECT_EQ(le::getF64(bytes, ch2 + 0x58), 700.0);   // toneBMs
  EXPECT_EQ(le::getI32(bytes, ch2 + 0x60), 1);       // highPower
  EXPECT_EQ(le::getF64(bytes, 220 + 15 * 100), 440.0 + 15 * 0.0125);

  EXPECT_EQ(bytes[1820], 4);              // regB8
  EXPECT_EQ(bytes[1821], 33);             // regB6
  EXPECT_EQ(bytes[1822], 1);              // subBandIndex
  EXPECT_EQ(le::getI32(bytes, 1823), 1);  // externalModulation
}

TEST(ConfigFileTest, SaveThenLoadGivesTheSameConfiguration) {
  TempFolder folder;
  const CKX200Doc saved = distinctDocument();
  ASSERT_TRUE(saved.OnSaveDocument(folder.file("radio.dat")).ok);
  EXPECT_EQ(readAll(folder.file("radio.dat")).size(), 1827u);

  CKX200Doc loaded;
  const Outcome outcome = loaded.OnOpenDocument(folder.file("radio.dat"));
  EXPECT_TRUE(outcome.ok);
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(loaded, saved);
}

TEST(ConfigFileTest, LoadForcesTheRadioHeldBytesToFollowTheModel) {
  CKX200Doc doc;
  doc.modelType = model::kKx600Vhf;
  doc.regB6 = 0x55;
  doc.regB8 = 0x77;
  auto bytes = EncodeConfigFile(doc);

  CKX200Doc loaded;
  loaded.reg0B = 0;
  ASSERT_TRUE(DecodeConfigFile(loaded, bytes).ok);
  EXPECT_EQ(loaded.regB6, 33);
  EXPECT_EQ(loaded.regB8, 4);
  EXPECT_EQ(loaded.reg0B, 12);

  // The first generation keeps the regB8 it was saved with.
  doc.modelType = model::kFirstGenUhf;
  bytes = EncodeConfigFile(doc);
  ASSERT_TRUE(DecodeConfigFile(loaded, bytes).ok);
  EXPECT_EQ(loaded.regB8, 0x77);
  EXPECT_EQ(loaded.reg0B, 9);
}

TEST(ConfigFileTest, RefusalsLeaveTheDocumentExactlyAsItWas) {
  const CKX200Doc original = distinctDocument();
  auto bytes = EncodeConfigFile(CKX200Doc{});

  for (std::int32_t badType : {6, -1, 0x7FFFFFFF}) {
    le::putI32(bytes, 0, badType);
    CKX200Doc doc = original;
    const Outcome outcome = DecodeConfigFile(doc, bytes);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.text(), "This file is corrupted or wrong file type!");
    EXPECT_EQ(doc, original);
  }

  // A short file is refused the same way rather than half loaded.
  const auto good = EncodeConfigFile(CKX200Doc{});
  for (std::size_t size : {0u, 4u, 220u, 1826u}) {
    CKX200Doc doc = original;
    const Outcome outcome = DecodeConfigFile(doc, std::span(good).first(size));
    EXPECT_FALSE(outcome.ok) << size;
    EXPECT_EQ(outcome.text(), "This file is corrupted or wrong file type!");
    EXPECT_EQ(doc, original);
  }
}

TEST(ConfigFileTest, TrailingBytesAreIgnored) {
  TempFolder folder;
  const CKX200Doc saved = distinctDocument();
  const auto bytes = EncodeConfigFile(saved);
  std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
  longer.resize(4000, 0xEE);
  writeAll(folder.file("long.dat"), longer);
  CKX200Doc loaded;
  EXPECT_TRUE(loaded.OnOpenDocument(folder.file("long.dat")).ok);
  EXPECT_EQ(loaded, saved);
}

TEST(ConfigFileTest, ReadOnlyFileLoads) {
  TempFolder folder;
  const std::string path = folder.file("locked.dat");
  ASSERT_TRUE(distinctDocument().OnSaveDocument(path).ok);
  std::filesystem::permissions(fileio::nativePath(path), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::group_read |
                                                             std::filesystem::perms::others_read);
  CKX200Doc loaded;
  EXPECT_TRUE(loaded.OnOpenDocument(path).ok);
  EXPECT_EQ(loaded.modelType, model::kKx600Uhf);
}

#ifndef _WIN32
// In a process of its own, which an alarm ends should the open wait: a configuration or a
// KX100 file that is a FIFO nobody writes to is refused as empty, at once.
bool idleFifoIsRefused(const std::string& path) {
  ::alarm(10);
  CKX200Doc doc;
  doc.ChooseModel(model::kKx600Uhf);
  const CKX200Doc before = doc;
  const Outcome outcome = OpenConfigurationFile(doc, path);
  return !outcome.ok && outcome.text() == "This file is corrupted or wrong file type!" &&
         doc == before;
}

TEST(ConfigFileTest, FifoNobodyWritesToIsRefusedAtOnce) {
  TempFolder folder;
  for (const char* name : {"radio.dat", "radio.UHF"}) {
    const std::string path = folder.file(name);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EXIT(std::_Exit(idleFifoIsRefused(path) ? 0 : 1), ::testing::ExitedWithCode(0), "")
        << name;
  }
}
#endif

TEST(ConfigFileTest, MissingFileCannotBeOpened) {
  TempFolder folder;
  CKX200Doc doc;
  const CKX200Doc before = doc;
  const Outcome outcome = doc.OnOpenDocument(folder.file("absent.dat"));
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.text(), "Cannot Open File!");
  EXPECT_EQ(doc, before);
}

TEST(ConfigFileTest, FailedSaveLeavesTheExistingFileUntouched) {
  TempFolder folder;
  const std::string path = folder.file("radio.dat");
  test::writeText(path, "the technician's earlier file");
  const auto before = readAll(path);

#ifndef _WIN32
  // A folder the program cannot write to: no temporary file, so no replacement.
  ::chmod(folder.path().c_str(), 0555);
  const bool rootCanWriteAnyway = ::access(folder.path().c_str(), W_OK) == 0;
  const Outcome outcome = distinctDocument().OnSaveDocument(path);
  ::chmod(folder.path().c_str(), 0755);
  if (!rootCanWriteAnyway) {
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.text(), "Cannot Save File!");
    EXPECT_EQ(readAll(path), before);
  }
#endif

  // A target that is a folder cannot be replaced either; nothing is left behind.
  std::filesystem::create_directory(folder.file("taken.dat"));
  const Outcome onFolder = distinctDocument().OnSaveDocument(folder.file("taken.dat"));
  EXPECT_FALSE(onFolder.ok);
  EXPECT_EQ(onFolder.text(), "Cannot Save File!");
  EXPECT_EQ(onFolder.messages[0].detail, "Not a regular file");
  EXPECT_EQ(onFolder.messages[0].kind, NoticeKind::kStop);
  EXPECT_TRUE(std::filesystem::is_directory(folder.file("taken.dat")));
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2);  // radio.dat and taken.dat, no temporary file

  const Outcome nowhere = distinctDocument().OnSaveDocument(folder.file("no/such/folder.dat"));
  EXPECT_FALSE(nowhere.ok);
  EXPECT_EQ(nowhere.text(), "Cannot Save File!");
}

TEST(ConfigFileTest, SaveReplacesAnExistingFile) {
  TempFolder folder;
  const std::string path = folder.file("radio.dat");
  test::writeText(path, "old");
  ASSERT_TRUE(distinctDocument().OnSaveDocument(path).ok);
  EXPECT_EQ(readAll(path).size(), 1827u);
}

class OpenDispatchTest : public ::testing::Test {
 protected:
  // A KX100 file with one UHF channel.
  std::string legacyFile(const std::string& name) {
    std::string text;
    for (int address = 0; address < 100; ++address) {
      char record[16];
      std::snprintf(record, sizeof record, "%02X:0000 \r\n", address);
      text += record;
    }
    const std::string path = folder.file(name);
    test::writeText(path, text);
    return path;
  }
  TempFolder folder;
};

TEST_F(OpenDispatchTest, ExtensionChoosesTheLoaderInAnyCase) {
  CKX200Doc source = distinctDocument();
  ASSERT_TRUE(source.OnSaveDocument(folder.file("radio.DaT")).ok);
  CKX200Doc doc;
  EXPECT_TRUE(OpenConfigurationFile(doc, folder.file("radio.DaT")).ok);
  EXPECT_EQ(doc.modelType, model::kKx600Uhf);

  doc.channels[0].rxFreqMHz = 450.0;
  EXPECT_TRUE(OpenConfigurationFile(doc, legacyFile("old.uhf")).ok);
  EXPECT_TRUE(doc.channels[0].isEmpty());  // the import replaced the configuration

  const CKX200Doc before = doc;
  const Outcome ignored = OpenConfigurationFile(doc, legacyFile("notes.txt"));
  EXPECT_FALSE(ignored.ok);
  EXPECT_TRUE(ignored.messages.empty());
  EXPECT_EQ(doc, before);
}

TEST_F(OpenDispatchTest, BandMismatchIsRefusedWithItsMessage) {
  const std::string uhf = legacyFile("a.UHF");
  const std::string vhf = legacyFile("a.vhf");
  const char* uhfMessage =
      "This file is for UHF. Model type is mismatched.\r\n\r\nPlease select model again...";
  const char* vhfMessage =
      "This file is for VHF. Model type is mismatched.\r\n\r\nPlease select model again...";

  for (const ModelType type : model::kAllTypes) {
    SCOPED_TRACE(type);
    CKX200Doc doc;
    doc.modelType = type;
    doc.ResetToDefaults();
    doc.channels[2].rxFreqMHz = 150.0;
    const CKX200Doc before = doc;
    const Outcome fromUhf = OpenConfigurationFile(doc, uhf);
    if (type == 3 || type == 5) {
      EXPECT_TRUE(fromUhf.ok);
    } else {
      EXPECT_EQ(fromUhf.text(), uhfMessage);
      EXPECT_EQ(doc, before);
    }
    doc = before;
    const Outcome fromVhf = OpenConfigurationFile(doc, vhf);
    if (type == 2 || type == 4) {
      EXPECT_TRUE(fromVhf.ok);
    } else {
      EXPECT_EQ(fromVhf.text(), vhfMessage);
      EXPECT_EQ(doc, before);
    }
  }
}

}  // namespace
}  // namespace kx
