#include "RobotData.h"

#include <sstream>

namespace programs_test {

namespace {

constexpr int kMainStart = 14;
constexpr char kEnd = 'Q';
constexpr char kConfig = 'C';
constexpr char kGoTo = 'G';
constexpr const char* kLetters = "FBLREISG";  // by step kind

int Word(const std::array<std::uint8_t, 2048>& image, int address) {
  return image[address] | (image[address + 1] << 8);
}

struct Sets {
  int Both = 0, Left = 0, Right = 0;  // the robot starts with the set All everywhere
  bool operator==(const Sets&) const = default;
};

void ApplyConfig(Sets& sets, int value) {
  const int set = value & 7;
  switch ((value >> 4) & 3) {
    case 3:
      sets.Both = set;
      break;
    case 2:
      sets.Left = set;
      break;
    case 1:
      sets.Right = set;
      break;
    default:
      sets = Sets{5, 5, 5};
      break;
  }
}

struct Step {
  const Entry* Own = nullptr;
  int FirstAddress = 0;  // its first entry, configuration entries included
  Sets InForce;
};

std::string Describe(const Sets& s) {
  return std::to_string(s.Both) + "/" + std::to_string(s.Left) + "/" + std::to_string(s.Right);
}

}  // namespace

DecodedData DecodeRobotData(const std::array<std::uint8_t, 2048>& image) {
  DecodedData data;
  data.Mode = image[0];
  data.Reserved = image[1];
  data.LeftCentre = image[2];
  data.RightCentre = image[3];
  for (int k = 0; k < 5; ++k) data.SetStarts[k] = Word(image, 4 + 2 * k);
  int address = kMainStart;
  for (DecodedList& list : data.Lists) {
    list.Start = address;
    while (address < 2048 && image[address] != kEnd) {
      if (address + 1 >= 2048) break;
      list.Entries.push_back(Entry{address, static_cast<char>(image[address]), image[address + 1]});
      address += 2;
    }
    if (address >= 2048) {
      data.Problem = "a list runs past the end of the image";
      return data;
    }
    list.End = address++;
  }
  return data;
}

std::string CompareWithDocument(const DecodedData& data, const actions::ListDocument& doc, bool advancedMode,
                                int mode) {
  std::ostringstream problems;
  if (!data.Problem.empty()) return data.Problem;
  if (data.Mode != mode) problems << "mode " << data.Mode << " instead of " << mode << "\n";
  if (data.Reserved != 0) problems << "address 1 holds " << data.Reserved << "\n";
  if (data.LeftCentre != doc.LeftServoCenter) problems << "left centre " << data.LeftCentre << "\n";
  if (data.RightCentre != doc.RightServoCenter) problems << "right centre " << data.RightCentre << "\n";
  for (int k = 0; k < 5; ++k)
    if (data.SetStarts[k] != data.Lists[k + 1].Start)
      problems << "set " << k << " recorded at " << data.SetStarts[k] << " but starts at "
               << data.Lists[k + 1].Start << "\n";

  // The main list, walked as the robot walks it.
  std::vector<Step> steps;
  Sets sets;
  int pendingFirst = -1;
  for (const Entry& entry : data.Lists[0].Entries) {
    if (entry.Letter == kConfig) {
      if (!advancedMode) problems << "configuration entry at " << entry.Address << " in beginner mode\n";
      ApplyConfig(sets, entry.Value);
      if (pendingFirst < 0) pendingFirst = entry.Address;
      continue;
    }
    steps.push_back(Step{&entry, pendingFirst < 0 ? entry.Address : pendingFirst, sets});
    pendingFirst = -1;
  }
  if (pendingFirst >= 0) problems << "configuration entries after the last step\n";
  const int count = doc.StepCount(actions::kMainList);
  if (static_cast<int>(steps.size()) != count)
    return problems.str() + "main list has " + std::to_string(steps.size()) + " steps instead of " +
           std::to_string(count) + "\n";

  for (int s = 1; s <= count; ++s) {
    const actions::StepRecord& record = doc.List(actions::kMainList)[s];
    const Step& step = steps[s - 1];
    const char expected = kLetters[record.Kind];
    if (step.Own->Letter != expected) {
      problems << "step " << s << " letter " << step.Own->Letter << " instead of " << expected << "\n";
      continue;
    }
    if (advancedMode && !(step.InForce == Sets{record.BothSet, record.LeftSet, record.RightSet}))
      problems << "step " << s << " runs with sets " << Describe(step.InForce) << "\n";
    if (expected != kGoTo) {
      if (step.Own->Value != record.Value) problems << "step " << s << " value " << step.Own->Value << "\n";
      continue;
    }
    // The robot reads on at the entry `value` entries before the go-to entry.
    const int target = record.Value;
    const int landing = step.Own->Address - 2 * step.Own->Value;
    if (target < 1 || target > s || landing != steps[target - 1].FirstAddress) {
      problems << "go-to at step " << s << " lands at " << landing << ", not on step " << target << "\n";
      continue;
    }
    Sets after = step.InForce;
    for (const Entry& entry : data.Lists[0].Entries)
      if (entry.Address >= landing && entry.Address < steps[target - 1].Own->Address)
        ApplyConfig(after, entry.Value);
    if (advancedMode && !(after == steps[target - 1].InForce))
      problems << "go-to at step " << s << " leaves sets " << Describe(after) << " at step " << target
               << "\n";
  }

  for (int list = 2; list <= actions::kListCount; ++list) {
    const DecodedList& decoded = data.Lists[list - 1];
    const int n = doc.StepCount(list);
    if (static_cast<int>(decoded.Entries.size()) != n) {
      problems << "list " << list << " has " << decoded.Entries.size() << " entries instead of " << n << "\n";
      continue;
    }
    for (int s = 1; s <= n; ++s) {
      const actions::StepRecord& record = doc.List(list)[s];
      const Entry& entry = decoded.Entries[s - 1];
      if (entry.Letter != kLetters[record.Kind] || entry.Value != record.Value)
        problems << "list " << list << " step " << s << " is " << entry.Letter << entry.Value << "\n";
    }
  }
  return problems.str();
}

}  // namespace programs_test
