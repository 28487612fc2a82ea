#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "actions/ActionLists.h"
#include "actions/FileFormat.h"
#include "actions/SaveQuestion.h"

using namespace actions;

namespace {

std::vector<std::uint8_t> Bytes(const DocumentBytes& bytes) {
  return {bytes.begin(), bytes.end()};
}

std::size_t RecordOffset(int list, int row) {
  return 24 + 1536 * (list - 1) + 6 * row;
}

void PutRecord(std::vector<std::uint8_t>& file, int list, int row, const StepRecord& record) {
  WriteRecord(record, file.data() + RecordOffset(list, row));
}

// A proper advanced-mode file with a few steps in the main list and in Set2.
std::vector<std::uint8_t> SampleFile() {
  ActionLists lists;
  lists.AdvancedMode = true;
  lists.AppendTile(ActionKind::Forward);
  lists.AppendTile(ActionKind::TurnRight);
  lists.AppendTile(ActionKind::GoToStep);
  lists.AssignSet(2, 3, 4);
  lists.CurrentList = 4;
  lists.AppendTile(ActionKind::RotateLeft);
  lists.Document().LeftServoCenter = 93;
  lists.Document().RightServoCenter = 107;
  return Bytes(lists.SaveBytes());
}

std::filesystem::path TempFolder(const std::string& name) {
  auto folder =
      std::filesystem::temp_directory_path() / ("rovalis_actions_" + name + "_" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

TEST(FileFormat, LayoutOfASavedFile) {
  const std::vector<std::uint8_t> file = SampleFile();
  ASSERT_EQ(file.size(), 9240u);
  EXPECT_EQ(file[0], 19);
  EXPECT_EQ(std::string(file.begin() + 1, file.begin() + 20), "Rovalis Action List");
  EXPECT_EQ(file[20], 0x13);
  EXPECT_EQ(file[21], 1);
  EXPECT_EQ(file[22], 93);
  EXPECT_EQ(file[23], 107);
  // Main list: sentinel, F 12, R 13 with LeftSet 4, G 1, then sentinel copies.
  const std::vector<std::uint8_t> expected{0, 0xFF, 0xFF, 0, 0, 0, 0, 12, 0, 0, 0,    0,    3, 13, 0,
                                           0, 4,    0,    7, 1, 0, 0, 0,  0, 0, 0xFF, 0xFF, 0, 0,  0};
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 24, file.begin() + 24 + expected.size()), expected);
  EXPECT_EQ(ReadRecord(file.data() + RecordOffset(4, 1)), MakeStep(ActionKind::RotateLeft, 15));
  EXPECT_EQ(ReadRecord(file.data() + RecordOffset(6, 255)), kSentinel);
}

TEST(FileFormat, SaveThenLoadGivesTheSameBytes) {
  const std::vector<std::uint8_t> file = SampleFile();
  ActionLists lists;
  lists.AdvancedMode = true;
  ASSERT_TRUE(lists.Load(file).ok());
  EXPECT_EQ(Bytes(lists.SaveBytes()), file);
  EXPECT_EQ(lists.StepCount(1), 3);
  EXPECT_EQ(lists.StepCount(4), 1);
  EXPECT_EQ(lists.Document().LeftServoCenter, 93);

  ActionLists empty;
  ActionLists loaded;
  loaded.AppendTile(ActionKind::Forward);
  ASSERT_TRUE(loaded.Load(Bytes(empty.SaveBytes())).ok());
  for (int list = 1; list <= kListCount; ++list) EXPECT_EQ(loaded.StepCount(list), 0);
}

TEST(FileFormat, AFullListHasNoEndMarker) {
  ActionLists lists;
  for (int i = 0; i < kMaxSteps; ++i) lists.AppendTile(ActionKind::StopAndWait);
  const std::vector<std::uint8_t> file = Bytes(lists.SaveBytes());
  for (int r = 1; r <= 255; ++r) EXPECT_EQ(ReadRecord(file.data() + RecordOffset(1, r)).Value, 10);
  EXPECT_EQ(ReadRecord(file.data() + RecordOffset(2, 0)), kSentinel);  // the next list follows at once
  ActionLists again;
  ASSERT_TRUE(again.Load(file).ok());
  EXPECT_EQ(again.StepCount(1), 255);
  EXPECT_EQ(Bytes(again.SaveBytes()), file);
}

TEST(FileFormat, RefusedFilesAndTheirMessages) {
  const std::vector<std::uint8_t> good = SampleFile();
  struct Case {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    bool advanced;
    LoadStatus status;
    std::string message;
  };
  const std::string notProper = "Not proper Rovalis file format.";
  const Case cases[] = {
      {"short", [](auto& f) { f.resize(9239); }, true, LoadStatus::NotProperFormat, notProper},
      {"empty", [](auto& f) { f.clear(); }, true, LoadStatus::NotProperFormat, notProper},
      {"header length", [](auto& f) { f[0] = 18; }, true, LoadStatus::NotProperFormat, notProper},
      {"header text", [](auto& f) { f[19] = 'T'; }, true, LoadStatus::NotProperFormat, notProper},
      {"version 1.2", [](auto& f) { f[20] = 0x12; }, true, LoadStatus::OtherVersion,
       "Can not open Rovalis file.  File format is version 1.2.  Expected version 1.3."},
      {"version 15.0", [](auto& f) { f[20] = 0xF0; }, true, LoadStatus::OtherVersion,
       "Can not open Rovalis file.  File format is version 15.0.  Expected version 1.3."},
      {"advanced in beginner", [](auto&) {}, false, LoadStatus::AdvancedFile,
       "This Rovalis file was saved in Advanced Mode.  You must switch to Advanced Mode before opening this "
       "file."},
      {"kind 8", [](auto& f) { f[RecordOffset(1, 2)] = 8; }, true, LoadStatus::NotProperFormat, notProper},
      {"set 5", [](auto& f) { f[RecordOffset(4, 1) + 5] = 5; }, true, LoadStatus::NotProperFormat, notProper},
      {"both set 200", [](auto& f) { f[RecordOffset(1, 3) + 3] = 200; }, true, LoadStatus::NotProperFormat,
       notProper},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> file = good;
    c.damage(file);
    ActionLists lists;
    lists.AdvancedMode = c.advanced;
    lists.AppendTile(ActionKind::Backward);
    const DocumentBytes before = ToBytes(lists.Document());
    LoadResult result = lists.Load(file);
    EXPECT_EQ(result.Status, c.status) << c.name;
    EXPECT_EQ(result.Message.Literal, c.message) << c.name;
    EXPECT_EQ(ToBytes(lists.Document()), before) << c.name;
    EXPECT_TRUE(lists.Modified) << c.name;
  }
}

TEST(FileFormat, LoadingBringsValuesIntoRange) {
  std::vector<std::uint8_t> file = Bytes(ActionLists().SaveBytes());
  PutRecord(file, 1, 1, MakeStep(ActionKind::Forward, 0));
  PutRecord(file, 1, 2, MakeStep(ActionKind::Backward, 300));
  PutRecord(file, 1, 3, MakeStep(ActionKind::GoToStep, 9));
  PutRecord(file, 1, 4, MakeStep(ActionKind::GoToStep, 0));
  PutRecord(file, 1, 5, MakeStep(ActionKind::StopAndWait, 32767));
  PutRecord(file, 2, 0, MakeStep(ActionKind::Forward, 5, 3, 3, 3));  // a damaged sentinel
  PutRecord(file, 2, 1, MakeStep(ActionKind::Forward, 7));
  // Behind the end marker anything may stand; it is not a step.
  PutRecord(file, 2, 3, MakeStep(ActionKind::Forward, 7, 9, 9, 9));
  file[RecordOffset(2, 4)] = 200;
  ActionLists lists;
  LoadResult result = lists.Load(file);
  ASSERT_TRUE(result.ok());
  const int expected[] = {1, 255, 3, 1, 255};
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(lists.Step(1, r).Value, expected[r - 1]) << r;
  EXPECT_EQ(lists.Step(2, 0), kSentinel);
  EXPECT_EQ(lists.StepCount(2), 1);
  EXPECT_EQ(lists.Step(2, 3), kSentinel);
}

TEST(FileFormat, BeginnerFileOpensInAdvancedModeAndNegativeValueEndsAList) {
  ActionLists beginner;
  beginner.AppendTile(ActionKind::Forward);
  beginner.AppendTile(ActionKind::Backward);
  beginner.AppendTile(ActionKind::TurnLeft);
  std::vector<std::uint8_t> file = Bytes(beginner.SaveBytes());
  EXPECT_EQ(file[21], 0);
  ActionLists advanced;
  advanced.AdvancedMode = true;
  ASSERT_TRUE(advanced.Load(file).ok());
  EXPECT_EQ(advanced.StepCount(1), 3);
  for (int list = 2; list <= kListCount; ++list) EXPECT_EQ(advanced.StepCount(list), 0);

  PutRecord(file, 1, 2, MakeStep(ActionKind::Backward, -5));
  ASSERT_TRUE(advanced.Load(file).ok());
  EXPECT_EQ(advanced.StepCount(1), 1);
}

TEST(FileFormat, LoadLeavesUndoAndClipboardAndClearsModified) {
  ActionLists lists;
  lists.AdvancedMode = true;
  lists.AppendTile(ActionKind::Forward);
  lists.CopyRows(1, 1, 1);
  ASSERT_TRUE(lists.Load(SampleFile()).ok());
  EXPECT_FALSE(lists.Modified);
  EXPECT_TRUE(lists.CanUndo());
  EXPECT_EQ(lists.Clip().Size(), 1);
}

TEST(FileFormat, SaveToPathIsAtomic) {
  const auto folder = TempFolder("save");
  const auto target = folder / "list.rvl";
  ActionLists lists;
  lists.AppendTile(ActionKind::Forward);
  ASSERT_EQ(lists.SaveToPath(target), "");
  EXPECT_FALSE(lists.Modified);
  std::ifstream in(target, std::ios::binary);
  std::vector<std::uint8_t> written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, Bytes(lists.SaveBytes()));

  // A target that cannot be replaced: the old content and Modified stay, no stray files.
  lists.AppendTile(ActionKind::Backward);
  const auto blocked = folder / "blocked.rvl";
  std::filesystem::create_directories(blocked / "inside");
  std::string error = lists.SaveToPath(blocked);
  EXPECT_NE(error, "");
  EXPECT_NE(error.find("blocked.rvl"), std::string::npos);
  EXPECT_TRUE(lists.Modified);
  EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
  error = lists.SaveToPath(folder / "missing" / "list.rvl");
  EXPECT_NE(error, "");
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
  EXPECT_EQ(files, 2);  // list.rvl and blocked.rvl only

  // Through a link the linked file is replaced and keeps its permissions.
  std::filesystem::permissions(target,
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  const auto link = folder / "link.rvl";
  std::filesystem::create_symlink(target, link);
  ActionLists viaLink;
  viaLink.AppendTile(ActionKind::Backward);
  ASSERT_EQ(viaLink.SaveToPath(link), "");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::remove(link);

  ActionLists reread;
  EXPECT_TRUE(reread.LoadFile(target).ok());
  EXPECT_EQ(reread.StepCount(1), 1);
  EXPECT_EQ(reread.LoadFile(folder / "nothing.rvl").Status, LoadStatus::Missing);
  std::filesystem::remove_all(folder);
}

TEST(FileFormat, UnsavedChangesQuestion) {
  struct Case {
    bool modified;
    SaveAnswer answer;
    bool saveSucceeds;
    bool asked, saved, goesOn;
  };
  const Case cases[] = {
      {false, SaveAnswer::Cancel, true, false, false, true},
      {true, SaveAnswer::Yes, true, true, true, true},
      {true, SaveAnswer::Yes, false, true, true, false},  // the save did not happen: keep the lists
      {true, SaveAnswer::No, true, true, false, true},
      {true, SaveAnswer::Cancel, true, true, false, false},
  };
  for (const Case& c : cases) {
    bool asked = false, saved = false;
    SaveAnswer result = CheckIfSaved(
        c.modified,
        [&](const UiMessage& question) {
          asked = true;
          EXPECT_EQ(question.TextNumber, 427);
          return c.answer;
        },
        [&] {
          saved = true;
          return c.saveSucceeds;
        });
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(saved, c.saved);
    EXPECT_EQ(CallerGoesOn(result), c.goesOn);
  }
}

// Random, truncated and damaged files never crash a load, and change nothing unless proper;
// a proper one always yields steps whose kinds, sets and values are in range.
TEST(FileFormat, TenThousandDamagedFiles) {
  const std::vector<std::uint8_t> good = SampleFile();
  std::mt19937 random(20261208);
  int loaded = 0;
  for (int i = 0; i < 10000; ++i) {
    std::vector<std::uint8_t> file;
    switch (i % 4) {
      case 0:  // random bytes behind a proper header
        file = good;
        for (std::size_t k = 24; k < file.size(); ++k) file[k] = static_cast<std::uint8_t>(random());
        break;
      case 1:  // truncated
        file.assign(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(random() % good.size()));
        break;
      case 2:  // a few bytes changed anywhere
        file = good;
        for (int k = 0; k < 1 + static_cast<int>(random() % 8); ++k)
          file[random() % file.size()] = static_cast<std::uint8_t>(random());
        break;
      default:  // pure noise of any length, sometimes longer than a file
        file.resize(random() % 10000);
        for (auto& b : file) b = static_cast<std::uint8_t>(random());
        break;
    }
    ActionLists lists;
    lists.AdvancedMode = (i % 3) != 0;
    lists.AppendTile(ActionKind::RotateRight);
    const DocumentBytes before = ToBytes(lists.Document());
    LoadResult result = lists.Load(file);
    if (!result.ok()) {
      ASSERT_EQ(ToBytes(lists.Document()), before) << i;
      ASSERT_TRUE(lists.Modified);
      continue;
    }
    ++loaded;
    ASSERT_FALSE(lists.Modified);
    for (int list = 1; list <= kListCount; ++list) {
      ASSERT_EQ(lists.Step(list, 0), kSentinel);
      for (int r = 1; r <= lists.StepCount(list); ++r) {
        const StepRecord& s = lists.Step(list, r);
        ASSERT_LE(s.Kind, 7);
        ASSERT_LE(std::max({s.BothSet, s.LeftSet, s.RightSet}), 4);
        ASSERT_GE(s.Value, 1);
        ASSERT_LE(s.Value, s.kind() == ActionKind::GoToStep ? r : 255);
      }
    }
  }
  EXPECT_GT(loaded, 100);  // the damage left many files proper, so both paths ran
}
