#include <gtest/gtest.h>

#include <algorithm>

#include "model/ChangeCaption.h"
#include "model/EditState.h"
#include "model/KX200Doc.h"
#include "model/RadioMemory.h"
#include "model/RadioOptions.h"
#include "report/DataSheet.h"
#include "textio/OptionFields.h"

namespace kx {
namespace {

// The YAML form, the undo names and the data sheet read one table of options: the YAML keys are
// its rows with a group, in its order, and nothing else.
TEST(RadioOptionsTest, TheYamlFormIsTheTablesRowsWithAGroup) {
  std::vector<const RadioOption*> carried;
  for (const RadioOption& option : RadioOptions())
    if (!option.group.empty()) carried.push_back(&option);
  const auto fields = OptionFields();
  ASSERT_EQ(fields.size(), carried.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(fields[i].option, carried[i]) << fields[i].key;
    EXPECT_EQ(fields[i].key, carried[i]->key);
    EXPECT_EQ(fields[i].label, carried[i]->label);
  }
}

// Every field an option keeps names an undo step that changes it alone, by the name in the
// option's row (a pair by the side it now stands at); a field no control edits is a
// configuration change.
TEST(RadioOptionsTest, AnUndoStepIsNamedByTheRowOfTheFieldItChanges) {
  const EditState before = CaptureEditState(CKX200Doc{}, RadioMemory{});
  for (const RadioOption& option : RadioOptions()) {
    for (const OptionMember& member : option.Members()) {
      EditState after = before;
      member.store(after.doc, member.value(after.doc) + 1);
      const std::string expected =
          member.name.empty() ? "Configuration change" : std::string(member.NameAfter(after.doc));
      EXPECT_EQ(DescribeChange(before, after), expected) << option.key;
    }
  }
}

// Each value text of the table is on the sheet, for every model and with the parts that print
// "-" while off switched on.
TEST(RadioOptionsTest, TheSheetPrintsEveryRowsValueText) {
  for (const ModelType type : model::selectableTypes()) {
    CKX200Doc doc;
    doc.ChooseModel(type);
    for (const bool on : {false, true}) {
      doc.powerSaveEnabled = doc.gpsEnabled = doc.modemEnabled = doc.ffsk = on;
      const DataSheet sheet = LayoutDataSheet(doc);
      for (const RadioOption& option : RadioOptions()) {
        if (!option.sheetValue) continue;
        const std::string value = option.sheetValue(doc);
        const bool printed = std::ranges::any_of(
            sheet.items, [&](const SheetText& item) { return item.text == value; });
        EXPECT_TRUE(value.empty() || printed) << type << " " << option.key << " " << value;
      }
    }
  }
}

}  // namespace
}  // namespace kx
