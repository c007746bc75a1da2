#include <gtest/gtest.h>

#include "model/BandTable.h"
#include "model/KX200Doc.h"
#include "model/ToneTables.h"

namespace kx {
namespace {

TEST(DocumentTest, NewDocumentIsAKx400VhfWithDefaults) {
  const CKX200Doc doc;
  EXPECT_EQ(doc.modelType, 2);
  EXPECT_EQ(doc.modelName, "KX400");
  EXPECT_EQ(doc.sideFileValue, 1);
  // The KX400 rule: AFSK, dumb mode and Tx forcing.
  EXPECT_EQ(doc.afsk, 1);
  EXPECT_EQ(doc.modemMode, 1);
  EXPECT_EQ(doc.txForcingMode, 1);
  EXPECT_EQ(doc.txDelay2Index, 4);
  EXPECT_EQ(doc.regB8, 2);
  EXPECT_EQ(doc.reg0B, 12);
  EXPECT_EQ(doc.twoToneLocked, 1);
  for (const ChannelRecord& c : doc.channels) {
    EXPECT_TRUE(c.isEmpty());
    EXPECT_EQ(c.stepCode, kStep5000Hz);
    EXPECT_EQ(c.rxCtcssHz, 67.0);
    EXPECT_EQ(c.rxDcsCode, 23);
    EXPECT_EQ(c.twoToneSelect, kToneBoth);
    EXPECT_EQ(c.toneAMs, 300.0);
  }
}

struct TypeDefaults {
  ModelType type;
  int afsk, modemMode, txForcingMode, txDelay2Index, regB8, reg0B;
};

TEST(DocumentTest, ResetAppliesTheDefaultsOfEachModelType) {
  const TypeDefaults table[] = {
      {model::kFirstGenVhf, 1, 1, 1, 4, 0, 9}, {model::kFirstGenUhf, 1, 1, 1, 1, 0, 9},
      {model::kKx400Vhf, 1, 1, 1, 4, 2, 12},   {model::kKx400Uhf, 1, 1, 1, 1, 2, 12},
      {model::kKx600Vhf, 0, 2, 0, 1, 4, 12},   {model::kKx600Uhf, 0, 2, 0, 1, 4, 9},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.type);
    CKX200Doc doc;
    doc.modelType = row.type;
    doc.ResetToDefaults();
    EXPECT_EQ(doc.modelType, row.type);
    EXPECT_EQ(doc.afsk, row.afsk);
    EXPECT_EQ(doc.modemMode, row.modemMode);
    EXPECT_EQ(doc.txForcingMode, row.txForcingMode);
    EXPECT_EQ(doc.txDelay2Index, row.txDelay2Index);
    EXPECT_EQ(doc.regB8, row.regB8);
    EXPECT_EQ(doc.reg0B, row.reg0B);
  }
}

TEST(DocumentTest, ResetClearsEditsButKeepsModelSubBandBaudAndPort) {
  CKX200Doc doc;
  doc.modelType = model::kKx600Uhf;
  doc.subBandIndex = 1;
  doc.sBandBaudIndex = 2;
  doc.nBandBaudIndex = 1;
  doc.sideFileValue = 7;
  doc.gmsk = 1;
  doc.squelchEnabled = 0;
  doc.scanSpeedMs = 500;
  doc.twoToneUnlocked = 1;
  doc.twoToneLocked = 0;
  doc.pllIcIndex = 1;
  doc.regB6 = 0;
  doc.channels[3].rxFreqMHz = 440.0;
  doc.channels[3].scan = 1;

  doc.ResetToDefaults();

  EXPECT_EQ(doc.modelType, model::kKx600Uhf);
  EXPECT_EQ(doc.subBandIndex, 1);
  EXPECT_EQ(doc.sBandBaudIndex, 2);
  EXPECT_EQ(doc.nBandBaudIndex, 1);
  EXPECT_EQ(doc.sideFileValue, 7);
  EXPECT_EQ(doc.gmsk, 0);
  EXPECT_EQ(doc.squelchEnabled, 1);
  EXPECT_EQ(doc.scanSpeedMs, 100);
  EXPECT_EQ(doc.twoToneUnlocked, 0);
  EXPECT_EQ(doc.twoToneLocked, 1);
  EXPECT_EQ(doc.pllIcIndex, 0);
  EXPECT_EQ(doc.regB6, 33);
  EXPECT_EQ(doc.channels[3], ChannelRecord{});
}

TEST(DocumentTest, ChoosingAModelStartsAFreshConfigurationOnItsFirstSubBand) {
  CKX200Doc doc;
  doc.subBandIndex = 1;
  doc.twoToneUnlocked = 1;
  doc.channels[0].rxFreqMHz = 440.0;
  doc.ChooseModel(model::kKx600Uhf);
  EXPECT_EQ(doc.modelType, model::kKx600Uhf);
  EXPECT_EQ(doc.subBandIndex, 0);
  EXPECT_EQ(doc.twoToneUnlocked, 0);
  EXPECT_TRUE(doc.channels[0].isEmpty());
  EXPECT_EQ(doc.regB8, 4);
}

TEST(DocumentTest, BandLookUpNeverReadsPastTheTable) {
  EXPECT_EQ(GetBand(model::kKx600Uhf).caption, "KX600 UHF");
  EXPECT_EQ(GetBand(model::kFirstGenUhf).subBandCount, 0);  // the first generation has an empty row
  EXPECT_TRUE(GetBand(static_cast<ModelType>(-1)).caption.empty());
  EXPECT_TRUE(GetBand(static_cast<ModelType>(99)).caption.empty());
  EXPECT_EQ(SubBandName(model::kKx400Uhf, 1), "U2");
  EXPECT_EQ(SubBandName(model::kKx400Vhf, 1), "");  // the KX400 VHF has one sub-band
}

TEST(DocumentTest, WindowTitleIgnoresTheFileName) {
  EXPECT_EQ(CKX200Doc::SetTitle("radio.dat"), "Data Radio PC Test Programmer Ver 1.61");
}

TEST(ToneTablesTest, PositionsBothWays) {
  EXPECT_EQ(CtcssPosition(67.0), 1);
  EXPECT_EQ(CtcssPosition(254.1), 49);
  EXPECT_EQ(CtcssPosition(100.0), 13);
  EXPECT_EQ(CtcssPosition(100.05), 0);
  EXPECT_EQ(DcsPosition(23), 1);
  EXPECT_EQ(DcsPosition(754), 104);
  EXPECT_EQ(DcsPosition(24), 0);
  for (int p = 1; p <= 49; ++p)
    EXPECT_EQ(CtcssPosition(CtcssToneAt(p)), p);
  for (int p = 1; p <= 104; ++p)
    EXPECT_EQ(DcsPosition(DcsCodeAt(p)), p);
  EXPECT_EQ(CtcssToneAt(0), 0.0);
  EXPECT_EQ(CtcssToneAt(50), 0.0);
  EXPECT_EQ(DcsCodeAt(105), 0);
}

TEST(ToneTablesTest, NonStandardTonesAreMembersOfTheToneTable) {
  EXPECT_TRUE(IsNonStandardCtcss(69.3));
  EXPECT_FALSE(IsNonStandardCtcss(71.9));
  for (double tone : nonStandardCtcssTones)
    EXPECT_NE(CtcssPosition(tone), 0) << tone;
}

TEST(ModelTypeTest, CommandLineNames) {
  EXPECT_EQ(model::parseSelectable("kx400-uhf"), 3);
  EXPECT_EQ(model::parseSelectable("KX600-VHF"), 4);
  EXPECT_EQ(model::parseSelectable("5"), 5);
  EXPECT_FALSE(model::parseSelectable("1"));
  EXPECT_FALSE(model::parseSelectable("kx100"));
}

}  // namespace
}  // namespace kx
