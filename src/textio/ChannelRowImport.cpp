#include "textio/ChannelRowImport.h"

#include <limits>
#include <variant>

#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ValueText.h"
#include "rules/ChannelFrequency.h"
#include "rules/ChannelPage.h"
#include "rules/TwoTone.h"
#include "textio/SignallingText.h"
#include "textio/TextValues.h"

namespace kx {

namespace {

using text_values::Trimmed;

constexpr const char* kNoTwoToneHere = "this model has no two-tone signalling";
constexpr const char* kTwoToneReceiveOnly = "Two Tone is for receive only";

// Applies the cells of one row and keeps what the rules said.
class RowImport {
 public:
  RowImport(CKX200Doc& doc, int index, const GivenCells& cells)
      : doc_(doc), index_(index), cells_(cells) {}

  std::vector<CellRemark> run() {
    frequencies();
    signalling(ChannelColumn::kRxOption);
    signalling(ChannelColumn::kTxOption);
    choice(ChannelColumn::kWidth, "Narrow", "Wide", channel().wide);
    choice(ChannelColumn::kPower, "Low", "High", channel().highPower);
    choice(ChannelColumn::kScan, "OFF", "ON", channel().scan, kAnyFlag);
    tone(ChannelColumn::kToneAHz, channel().toneAHz, ValidateToneFrequency);
    tone(ChannelColumn::kToneAMs, channel().toneAMs, ValidateToneDuration);
    tone(ChannelColumn::kToneBHz, channel().toneBHz, ValidateToneFrequency);
    tone(ChannelColumn::kToneBMs, channel().toneBMs, ValidateToneDuration);
    return std::move(remarks_);
  }

 private:
  ChannelRecord& channel() { return doc_.channels.at(static_cast<std::size_t>(index_)); }
  const std::optional<std::string>& given(ChannelColumn column) const {
    return cells_[ColumnIndex(column)];
  }
  // A cell other than a frequency: nothing when absent or empty.
  std::optional<std::string_view> value(ChannelColumn column) const {
    const auto& cell = given(column);
    if (!cell || Trimmed(*cell).empty()) return std::nullopt;
    return Trimmed(*cell);
  }
  void refuse(ChannelColumn column, std::string text) {
    remarks_.push_back({column, std::move(text), true});
  }
  void note(ChannelColumn column, std::string_view written, const std::string& stored) {
    remarks_.push_back({column, std::string(written) + " stored as " + stored, false});
  }

  // The text an edit gets for a written frequency: "%.5f" of its value, empty for none (an
  // empty cell or 0). Nothing when the cell holds no number.
  std::optional<std::string> editText(ChannelColumn column, std::string_view written) {
    if (written.empty()) return std::string();
    const auto mhz = text_values::ParseNumber(written);
    if (!mhz) {
      refuse(column, text_values::Quoted(written) + " is not a frequency in MHz");
      return std::nullopt;
    }
    return *mhz == 0 ? std::string() : value_text::FrequencyMHz(*mhz);
  }

  // A written frequency the rules stored differently.
  void noteSnap(ChannelColumn column, std::string_view written, double storedMHz) {
    const auto mhz = text_values::ParseNumber(written);
    if (!mhz || *mhz == 0 || WholeHz(*mhz) == WholeHz(storedMHz)) return;
    note(column, written, value_text::FrequencyMHz(storedMHz));
  }

  // The rules pick a step for a frequency typed afresh; a row that gives the frequencies the
  // channel held keeps them on the channel's own step, where that step holds both (162.4875 MHz
  // is on the 2.5 kHz and the 6.25 kHz step alike).
  void keepStep(const ChannelRecord& before) {
    ChannelRecord& c = channel();
    const ModelTraits& traits = Traits(doc_.modelType);
    if (before.isEmpty() || before.stepCode == c.stepCode || before.stepCode < 1 ||
        before.stepCode > traits.stepCount)
      return;
    const int stepHz = traits.stepsHz[static_cast<std::size_t>(before.stepCode - 1)];
    for (auto [was, now] :
         {std::pair{before.rxFreqMHz, c.rxFreqMHz}, std::pair{before.txFreqMHz, c.txFreqMHz}}) {
      const auto hz = WholeHz(now);
      if (!hz || hz != WholeHz(was) || !IsStepMultiple(*hz, stepHz)) return;
    }
    c.stepCode = before.stepCode;
  }

  bool check(ChannelColumn column, const FrequencyEdit& edit) {
    if (edit.notice) refuse(column, edit.notice->text);
    ApplyFrequencyEdit(doc_, index_, edit);
    return !edit.notice;
  }

  void frequencies() {
    const auto& rxCell = given(ChannelColumn::kRxFreq);
    const auto& txCell = given(ChannelColumn::kTxFreq);
    if (!rxCell && !txCell) return;
    const ChannelRecord before = channel();
    const ChannelRowView base = RowView(before);
    const std::string_view rxWritten = rxCell ? Trimmed(*rxCell) : std::string_view(base.rxText);
    // An emptied RX empties the channel; the TX the row does not give is not typed anew.
    const bool emptied = rxCell && rxWritten.empty() && !txCell;
    const std::string_view txWritten = txCell    ? Trimmed(*txCell)
                                       : emptied ? std::string_view()
                                                 : std::string_view(base.txText);
    const auto rx = editText(ChannelColumn::kRxFreq, rxWritten);
    const auto tx = editText(ChannelColumn::kTxFreq, txWritten);
    if (!rx || !tx) return;

    if (rx->empty() && !tx->empty()) {
      if (check(ChannelColumn::kTxFreq, ValidateTxFrequency(doc_, index_, "", *tx)) && txCell)
        noteSnap(ChannelColumn::kTxFreq, txWritten, channel().rxFreqMHz);
      return;
    }
    const FrequencyEdit rxEdit = ValidateRxFrequency(doc_, index_, *rx, *tx);
    const bool rxKept = check(ChannelColumn::kRxFreq, rxEdit);
    const bool txKept = check(ChannelColumn::kTxFreq,
                              ValidateTxFrequency(doc_, index_, rxEdit.rxText, rxEdit.txText));
    if (rxKept && rxCell) noteSnap(ChannelColumn::kRxFreq, rxWritten, channel().rxFreqMHz);
    if (txKept && txCell) noteSnap(ChannelColumn::kTxFreq, txWritten, channel().txFreqMHz);
    if (rxKept && txKept) keepStep(before);
  }

  void signalling(ChannelColumn column) {
    const auto written = value(column);
    if (!written) return;
    const auto parsed = ParseSignalling(*written);
    if (const auto* error = std::get_if<std::string>(&parsed)) return refuse(column, *error);
    const Signalling s = std::get<Signalling>(parsed);
    const bool rx = column == ChannelColumn::kRxOption;
    if (s.kind == kOptionTwoTone && !rx) return refuse(column, kTwoToneReceiveOnly);
    if (s.kind == kOptionTwoTone && !Traits(doc_.modelType).twoToneChoice)
      return refuse(column, kNoTwoToneHere);
    ChannelRecord& c = channel();
    (rx ? c.rxOption : c.txOption) = s.kind;
    if (s.kind == kOptionCtcss) (rx ? c.rxCtcssHz : c.txCtcssHz) = s.ctcssHz;
    if (s.kind == kOptionDcs) (rx ? c.rxDcsCode : c.txDcsCode) = s.dcsCode;
    if (s.kind == kOptionTwoTone) c.twoToneSelect = s.twoToneGroup;
  }

  // Width and power take their words and 0 or 1; scan is a flag, which may hold any number that
  // is not negative (non-zero is on), as a .dat file may.
  static constexpr std::int32_t kAnyFlag = std::numeric_limits<std::int32_t>::max();
  void choice(ChannelColumn column, std::string_view off, std::string_view on, std::int32_t& field,
              std::int32_t highest = 1) {
    const auto written = value(column);
    if (!written) return;
    if (text_values::EqualNoCase(*written, off)) {
      field = 0;
    } else if (text_values::EqualNoCase(*written, on)) {
      field = 1;
    } else if (const auto flag = text_values::ParseFlag(*written); flag && *flag <= highest) {
      field = *flag;
    } else {
      refuse(column, text_values::Quoted(*written) + " is not " + std::string(off) + " or " +
                         std::string(on));
    }
  }

  void tone(ChannelColumn column, double& field,
            ToneFieldEdit (*validate)(std::string_view, double)) {
    const auto written = value(column);
    if (!written) return;
    const auto number = text_values::ParseNumber(*written);
    if (!number) return refuse(column, text_values::Quoted(*written) + " is not a number");
    const ToneFieldEdit edit = validate(text_values::EditText(*number), field);
    if (edit.notice) return refuse(column, edit.notice->text);
    field = *edit.value;
    if (field != *number) note(column, *written, text_values::NumberText(field));
  }

  CKX200Doc& doc_;
  int index_;
  const GivenCells& cells_;
  std::vector<CellRemark> remarks_;
};

}  // namespace

std::vector<CellRemark> ApplyChannelRow(CKX200Doc& doc, int index, const GivenCells& cells) {
  return RowImport(doc, index, cells).run();
}

}  // namespace kx
