#include "textio/YamlConfig.h"

#include <yaml-cpp/depthguard.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <span>

#include "model/BandTable.h"
#include "model/ConfigFile.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ValueText.h"
#include "model/Version.h"
#include "rules/ChannelFrequency.h"
#include "textio/ChannelColumns.h"
#include "textio/ChannelRowImport.h"
#include "textio/ImportReport.h"
#include "textio/KeptValues.h"
#include "textio/OptionCombinations.h"
#include "textio/OptionFields.h"
#include "textio/PagesShown.h"
#include "textio/TextValues.h"

namespace kx {

namespace {

using text_values::EqualNoCase;

constexpr std::string_view kModelKey = "model";
constexpr std::string_view kSubBandKey = "sub_band";
constexpr std::string_view kChannelsKey = "channels";
constexpr std::string_view kKeptKey = "kept";
constexpr std::string_view kStepKey = "step_khz";
constexpr std::array<std::string_view, 5> kGroups{"timers", "system", "gps", "modem", "radio_held"};

// ------------------------------------------------------------------ export

bool needsQuotes(std::string_view v) {
  if (v.empty() || v.front() == ' ' || v.back() == ' ' || v.back() == ':') return true;
  if (std::string_view("-?:,[]{}#&*!|>'\"%@`").find(v.front()) != std::string_view::npos)
    return true;
  return v.find(": ") != std::string_view::npos || v.find(" #") != std::string_view::npos;
}

std::string scalar(std::string_view v) {
  if (!needsQuotes(v)) return std::string(v);
  std::string q = "\"";
  for (char c : v) {
    if (c == '"' || c == '\\') q += '\\';
    q += c;
  }
  return q + "\"";
}

void line(std::string& out, int indent, std::string_view key, std::string_view value) {
  out += std::string(static_cast<std::size_t>(indent), ' ') + std::string(key) + ": " +
         scalar(value) + "\n";
}

std::string modelText(ModelType type) {
  const std::string_view name = model::selectableName(type);
  return name.empty() ? std::to_string(type) : std::string(name);
}

std::string subBandText(const CKX200Doc& doc) {
  const std::string_view name = SubBandName(doc.modelType, doc.subBandIndex);
  return name.empty() ? std::to_string(doc.subBandIndex) : std::string(name);
}

void writeChannel(std::string& out, const ChannelRecord& c, int number) {
  const ChannelCells cells = CellsOf(c, number);
  for (const auto& column : kChannelColumns) {
    const bool first = column.column == ChannelColumn::kChannel;
    out += first ? "  - " : "    ";
    out += std::string(column.key) + ": " + scalar(cells[ColumnIndex(column.column)]) + "\n";
  }
  line(out, 4, kStepKey, StepText(c.stepCode));
  const ChannelRecord fresh;
  std::string kept;
  for (const KeptChannelField& f : KeptChannelFields()) {
    if (f.hidden(c) && f.show(c) != f.show(fresh)) line(kept, 6, f.key, f.show(c));
  }
  if (!kept.empty()) out += "    " + std::string(kKeptKey) + ":\n" + kept;
}

CKX200Doc freshOf(ModelType type) {
  CKX200Doc fresh;
  fresh.ChooseModel(type);
  return fresh;
}

// ------------------------------------------------------------------ import

int markLine(const YAML::Mark& mark) {
  return mark.is_null() ? 0 : mark.line + 1;
}
int lineOf(const YAML::Node& node) {
  return markLine(node.Mark());
}

// A value that must be one line of text; an empty value reads as "".
std::optional<std::string> scalarOf(const YAML::Node& node) {
  if (node.IsNull()) return std::string();
  if (node.IsScalar()) return node.Scalar();
  return std::nullopt;
}

// The entries of a mapping by key, in file order, with duplicates and unknown keys refused.
struct Entry {
  std::string key;
  YAML::Node value;
  int line;
};

class YamlImport {
 public:
  YamlImport(const CKX200Doc& current, const std::string& fileName)
      : work_(current), report_(fileName) {}

  Outcome run(std::string_view text, CKX200Doc& doc) {
    try {
      // Every document of the file, so that a second one is refused rather than left unread.
      const std::vector<YAML::Node> documents = YAML::LoadAll(std::string(text));
      const YAML::Node root = documents.empty() ? YAML::Node() : documents.front();
      if (documents.size() > 1) {
        report_.Refuse(lineOf(documents[1]), {},
                       "a second document: a file holds one configuration");
      } else if (!root.IsMap()) {
        report_.Refuse(lineOf(root), {}, "not a configuration: a mapping of model, channels, ...");
      } else if (apply(root)) {
        normalise();
        doc = work_;
      }
    } catch (const YAML::DeepRecursion& e) {
      // The reader's own word for it is "bad file".
      report_.Refuse(markLine(e.mark), {}, "nested too deeply");
    } catch (const YAML::Exception& e) {
      report_.Refuse(markLine(e.mark), {}, e.msg);
    }
    return report_.Finish();
  }

 private:
  // Reads a mapping's entries; allowed says which keys it may hold.
  template <typename Allowed>
  std::vector<Entry> entriesOf(const YAML::Node& map, Allowed allowed) {
    std::vector<Entry> entries;
    std::map<std::string, int> seen;
    for (const auto& pair : map) {
      const std::string key = pair.first.IsScalar() ? pair.first.Scalar() : std::string();
      const int line = lineOf(pair.first);
      if (!allowed(key)) {
        report_.Refuse(line, text_values::Printable(key), "unknown key");
      } else if (const auto [at, fresh] = seen.emplace(key, line); !fresh) {
        report_.Refuse(line, key, "also on line " + std::to_string(at->second));
      } else {
        entries.push_back({key, pair.second, line});
      }
    }
    return entries;
  }

  // A mapping's value that must be a mapping itself; one left empty holds nothing.
  bool isMap(const Entry& e) {
    if (e.value.IsMap()) return true;
    if (!e.value.IsNull()) report_.Refuse(e.line, e.key, "must hold keys and values");
    return false;
  }

  std::optional<std::string> text(const Entry& e) {
    auto t = scalarOf(e.value);
    if (!t) report_.Refuse(e.line, e.key, "must be a single value");
    return t;
  }

  const Entry* find(const std::vector<Entry>& entries, std::string_view key) {
    for (const Entry& e : entries) {
      if (e.key == key) return &e;
    }
    return nullptr;
  }

  bool apply(const YAML::Node& root) {
    const auto top = entriesOf(root, [](const std::string& key) {
      return key == kModelKey || key == kSubBandKey || key == kChannelsKey || key == kKeptKey ||
             std::find(kGroups.begin(), kGroups.end(), key) != kGroups.end();
    });
    if (!model(find(top, kModelKey), lineOf(root))) return false;
    if (const Entry* e = find(top, kSubBandKey)) subBand(*e);
    for (std::string_view group : kGroups) {
      if (const Entry* e = find(top, group); e && isMap(*e)) options(group, *e);
    }
    if (const Entry* e = find(top, kChannelsKey)) channels(*e);
    for (const CombinationRefusal& r : CombinationRefusals(work_))
      report_.Refuse(lineOfKey_[std::string(r.key)], r.key, r.text);
    if (const Entry* e = find(top, kKeptKey); e && isMap(*e)) kept(*e);
    return !report_.Refused();
  }

  bool model(const Entry* e, int rootLine) {
    if (!e) {
      report_.Refuse(rootLine, kModelKey, "missing: " + model::selectableNames(", ", " or "));
      return false;
    }
    const auto written = text(*e);
    if (!written) return false;
    const auto type = model::parseSelectable(text_values::Trimmed(*written));
    if (!type) {
      report_.Refuse(
          e->line, kModelKey,
          text_values::Quoted(*written) + " is not " + model::selectableNames(", ", " or "));
      return false;
    }
    // Every field a configuration file holds starts as in a fresh configuration of the model;
    // the others stay as they are, as when a .dat file is opened.
    DecodeConfigFile(work_, EncodeConfigFile(freshOf(*type)));
    return true;
  }

  void subBand(const Entry& e) {
    const auto written = text(e);
    if (!written) return;
    const BandEntry& band = work_.band();
    std::string names;
    for (int i = 0; i < band.subBandCount; ++i) {
      const auto name = band.subBandName[static_cast<std::size_t>(i)];
      if (EqualNoCase(text_values::Trimmed(*written), name)) {
        work_.subBandIndex = static_cast<std::uint8_t>(i);
        return;
      }
      names += (names.empty() ? "" : ", ") + std::string(name);
    }
    report_.Refuse(e.line, e.key,
                   text_values::Quoted(*written) + " is not a sub-band of the model: " + names);
  }

  // A value as written and as it was stored, for the notes once the pages have had their say.
  struct Taken {
    const OptionField* field;
    int line;
    std::string written;
    std::string stored;
    bool adjusted;
  };

  void options(std::string_view group, const Entry& groupEntry) {
    const auto entries = entriesOf(groupEntry.value, [group](const std::string& key) {
      return FindOptionField(group, key) != nullptr;
    });
    // In the table's order: a value may depend on one before it.
    for (const OptionField& field : OptionFields()) {
      if (field.group != group) continue;
      const Entry* e = find(entries, field.key);
      if (!e) continue;
      lineOfKey_[e->key] = e->line;
      const auto written = text(*e);
      if (!written) continue;
      const FieldTake took = field.take(work_, *written);
      if (took.refusal)
        report_.Refuse(e->line, e->key, *took.refusal);
      else
        taken_.push_back({&field, e->line, *written, field.show(work_), took.adjusted});
    }
  }

  void channels(const Entry& e) {
    if (!e.value.IsSequence()) {
      if (!e.value.IsNull()) report_.Refuse(e.line, e.key, "must be a list of channels");
      return;
    }
    std::array<int, kChannelCount> lineOfChannel{};
    for (const YAML::Node& item : e.value) {
      if (!item.IsMap()) {
        report_.Refuse(lineOf(item), e.key, "each channel must hold keys and values");
        continue;
      }
      channel(item, lineOfChannel);
    }
  }

  static bool channelKey(const std::string& key) {
    return key == kStepKey || key == kKeptKey ||
           std::any_of(kChannelColumns.begin(), kChannelColumns.end(),
                       [&](const auto& c) { return c.key == key; });
  }

  void channel(const YAML::Node& item, std::array<int, kChannelCount>& lineOfChannel) {
    const auto entries = entriesOf(item, channelKey);
    const std::string_view chKey = KeyOf(ChannelColumn::kChannel);
    const Entry* ch = find(entries, chKey);
    if (!ch) {
      report_.Refuse(lineOf(item), chKey, "missing: the channel number 1..16");
      return;
    }
    const auto chText = text(*ch);
    const auto number = chText ? text_values::ParseWhole(*chText) : std::nullopt;
    if (!number || *number < 1 || *number > kChannelCount) {
      if (chText)
        report_.Refuse(ch->line, chKey, text_values::Quoted(*chText) + " is not a channel 1..16");
      return;
    }
    int& seenOn = lineOfChannel[static_cast<std::size_t>(*number - 1)];
    if (seenOn) {
      report_.Refuse(ch->line, chKey,
                     "channel " + *chText + " is also on line " + std::to_string(seenOn));
      return;
    }
    seenOn = ch->line;
    const int index = *number - 1;

    GivenCells cells;
    std::array<int, kChannelColumnCount> lines{};
    for (const auto& column : kChannelColumns) {
      const Entry* cell = find(entries, column.key);
      if (!cell || column.column == ChannelColumn::kChannel) continue;
      cells[ColumnIndex(column.column)] = text(*cell);
      lines[ColumnIndex(column.column)] = cell->line;
    }
    for (const CellRemark& r : ApplyChannelRow(work_, index, cells)) {
      const int at = lines[ColumnIndex(r.column)];
      if (r.refused)
        report_.Refuse(at, KeyOf(r.column), r.text);
      else
        report_.Note(at, KeyOf(r.column), r.text);
    }
    if (const Entry* step = find(entries, kStepKey)) this->step(index, *step);
    if (const Entry* kept = find(entries, kKeptKey); kept && isMap(*kept))
      keptOfChannel(index, *kept);
  }

  // The step the frequencies were entered on; the rules found one, the file may name another
  // that holds both frequencies.
  void step(int index, const Entry& e) {
    const auto written = text(e);
    if (!written) return;
    const std::string shown = text_values::Printable(*written);
    const auto khz = text_values::ParseNumber(*written);
    const auto code = khz ? StepCodeOf(*khz) : std::nullopt;
    if (!code) {
      report_.Refuse(e.line, e.key, "'" + shown + "' is not a step: 7.5, 6.25, 5 or 2.5");
      return;
    }
    ChannelRecord& c = work_.channels[static_cast<std::size_t>(index)];
    // An empty channel's step is only where the next frequency typed starts from.
    if (!c.isEmpty()) {
      if (const auto refusal = offStep(c, *code, shown)) {
        report_.Refuse(e.line, e.key, *refusal);
        return;
      }
    }
    c.stepCode = *code;
  }

  // Why a programmed channel cannot be on a step, or nothing when it can.
  std::optional<std::string> offStep(const ChannelRecord& c, int stepCode,
                                     const std::string& shown) const {
    const ModelTraits& traits = Traits(work_.modelType);
    if (stepCode < 1 || stepCode > traits.stepCount)
      return shown + " kHz is not a step of this model";
    const int hz = traits.stepsHz[static_cast<std::size_t>(stepCode - 1)];
    for (double mhz : {c.rxFreqMHz, c.txFreqMHz}) {
      const auto whole = WholeHz(mhz);
      if (!whole || !IsStepMultiple(*whole, hz))
        return value_text::FrequencyMHz(mhz) + " is not on the " + shown + " kHz step";
    }
    return std::nullopt;
  }

  void keptOfChannel(int index, const Entry& e) {
    keptValues(e, KeptChannelFields(), work_.channels[static_cast<std::size_t>(index)]);
  }
  void kept(const Entry& e) { keptValues(e, KeptFields(), work_); }

  FieldTake take(const KeptField& f, CKX200Doc& doc, std::string_view text) {
    return f.take(doc, text);
  }
  FieldTake take(const KeptChannelField& f, ChannelRecord& channel, std::string_view text) {
    return f.take(work_, channel, text);
  }

  // Kept values go only where no control shows them.
  template <typename Field, typename Target>
  void keptValues(const Entry& e, std::span<const Field> fields, Target& target) {
    const auto named = [&](const std::string& key) {
      return std::find_if(fields.begin(), fields.end(),
                          [&](const Field& f) { return f.key == key; });
    };
    const auto entries =
        entriesOf(e.value, [&](const std::string& key) { return named(key) != fields.end(); });
    for (const Entry& k : entries) {
      const Field& f = *named(k.key);
      const auto written = text(k);
      if (!written) continue;
      if (!f.hidden(target)) {
        report_.Refuse(k.line, k.key, "in use: it is written as " + std::string(f.shownAs));
      } else if (const FieldTake took = take(f, target, *written); took.refusal) {
        report_.Refuse(k.line, k.key, *took.refusal);
      }
    }
  }

  // The configuration as the app holds it once the file is open and the pages shown; every
  // value stored other than written is a note.
  void normalise() {
    DecodeConfigFile(work_, EncodeConfigFile(work_));
    ShowOnPages(work_);
    for (const Taken& t : taken_) {
      const std::string now = t.field->show(work_);
      if (t.adjusted || now != t.stored)
        report_.Note(t.line, t.field->key,
                     std::string(text_values::Trimmed(t.written)) + " stored as " + now);
    }
  }

  CKX200Doc work_;
  ImportReport report_;
  std::map<std::string, int> lineOfKey_;
  std::vector<Taken> taken_;
};

}  // namespace

std::string ExportConfigYaml(const CKX200Doc& doc) {
  std::string out = "# " + std::string(doc.band().caption.empty() ? "kxprog" : doc.band().caption) +
                    " configuration, written by kxprog " + std::string(version::kNumber) + "\n";
  line(out, 0, kModelKey, modelText(doc.modelType));
  line(out, 0, kSubBandKey, subBandText(doc));
  out += std::string(kChannelsKey) + ":\n";
  for (int i = 0; i < kChannelCount; ++i)
    writeChannel(out, doc.channels[static_cast<std::size_t>(i)], i + 1);

  std::string_view group;
  for (const OptionField& f : OptionFields()) {
    if (f.group != group) out += std::string(f.group) + ":\n";
    group = f.group;
    const std::string value = f.show(doc);
    if (!value.empty()) line(out, 2, f.key, value);
  }

  const CKX200Doc fresh = freshOf(doc.modelType);
  std::string kept;
  for (const KeptField& f : KeptFields()) {
    if (f.hidden(doc) && f.show(doc) != f.show(fresh)) line(kept, 2, f.key, f.show(doc));
  }
  if (!kept.empty()) out += std::string(kKeptKey) + ":\n" + kept;
  return out;
}

Outcome ImportConfigYaml(CKX200Doc& doc, std::string_view text, const std::string& fileName) {
  return YamlImport(doc, fileName).run(text, doc);
}

}  // namespace kx
