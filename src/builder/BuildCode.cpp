#include "builder/BuildCode.h"

#include <array>
#include <string>

#include "builder/ListEntries.h"
#include "builder/MarkerLine.h"

namespace builder {

namespace {

constexpr int kDataStart = 14;  // the Configure line's 4 bytes and 5 words
constexpr int kEntriesPerLine = 4;
constexpr std::array<const char*, actions::kListCount> kListNames{
    "Main Action List", "Sensor Set All", "Sensor Set 1", "Sensor Set 2", "Sensor Set 3", "Sensor Set 4"};

// The DATA lines of one list; entries are counted per step, "C" entries ride along.
std::vector<std::string> DataLines(const EncodedList& encoded, bool isMain) {
  std::vector<std::string> lines;
  std::string line = isMain ? "ActionList\tDATA\t" : "\t\tDATA \t";
  int j = 0;
  for (const StepEntries& step : encoded.Steps) {
    for (const ConfigEntry& config : step.Configs)
      line += "\"C\",$" + std::to_string(config.Column) + std::to_string(config.Set) + ",";
    line += std::string("\"") + step.Letter + "\"," + std::to_string(step.Value) + "   ";
    if (++j < kEntriesPerLine) {
      line += ",";
    } else {
      lines.push_back(line);
      line = "\t\tDATA \t";
      j = 0;
    }
  }
  line += "\"Q\"";
  lines.push_back(line);
  return lines;
}

}  // namespace

int SensorMode(const BuildOptions& options) {
  if (options.AdvancedMode) return 2;
  return options.SensorsEnabled ? 1 : 0;
}

BuildResult BuildCode(const actions::ListDocument& doc, const BuildOptions& options,
                      const std::vector<std::string>& templateLines) {
  BuildResult result;
  std::optional<std::size_t> marker = FindMarkerLine(templateLines);
  if (!marker) {
    result.Error.Message = actions::UiMessage::Plain(kNoMarkerMessage);
    return result;
  }

  // Everything is encoded first, so a list that cannot be written stops the build before
  // any text is made.
  std::array<EncodedList, actions::kListCount> encoded;
  for (int list = 1; list <= actions::kListCount; ++list) {
    if (auto error = EncodeList(doc, list, options.AdvancedMode, encoded[list - 1])) {
      result.Error = *error;
      return result;
    }
  }

  std::vector<std::string> generated;
  std::array<int, actions::kListCount + 1> addr{};
  addr[0] = kDataStart;
  for (int k = 1; k <= actions::kListCount; ++k) {
    const EncodedList& list = encoded[k - 1];
    addr[k] = addr[k - 1] + 2 * list.EntryCount + 1;
    generated.emplace_back();
    generated.push_back(std::string("' ----- ") + kListNames[k - 1] + " -----");
    for (std::string& line : DataLines(list, k == 1)) generated.push_back(std::move(line));
  }

  std::string configure = "Configure\tDATA\t@0," + std::to_string(SensorMode(options)) + ",0," +
                          std::to_string(doc.LeftServoCenter) + "," + std::to_string(doc.RightServoCenter);
  for (int k = 1; k <= 5; ++k) configure += ",WORD " + std::to_string(addr[k]);

  result.Lines.reserve(templateLines.size() + generated.size() + 1);
  result.Lines.assign(templateLines.begin(), templateLines.begin() + static_cast<std::ptrdiff_t>(*marker));
  result.Lines.push_back(std::move(configure));
  for (std::string& line : generated) result.Lines.push_back(std::move(line));
  result.Lines.emplace_back();  // the emptied marker line
  result.Lines.insert(result.Lines.end(), templateLines.begin() + static_cast<std::ptrdiff_t>(*marker) + 1,
                      templateLines.end());
  result.Ok = true;
  return result;
}

}  // namespace builder
