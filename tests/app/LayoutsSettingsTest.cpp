#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/core/Layouts.h"
#include "app/core/Settings.h"
#include "app/core/Shortcuts.h"

namespace {

QByteArray Words(std::initializer_list<int> words) {
  QByteArray bytes;
  for (int w : words) {
    bytes.append(static_cast<char>(w & 0xFF));
    bytes.append(static_cast<char>((w >> 8) & 0xFF));
  }
  return bytes;
}

TEST(LayoutRecords, ReadLittleEndianFieldsAndRefuseShortRecords) {
  EXPECT_EQ(app::ParseControlLayout(Words({0, 0, 807, 527})), QRect(0, 0, 807, 527));
  EXPECT_EQ(app::ParseControlLayout(Words({0x1234, 2, 3, 4})), QRect(0x1234, 2, 3, 4));
  EXPECT_FALSE(app::ParseControlLayout(Words({1, 2, 3})));
  EXPECT_FALSE(app::ParseControlLayout(QByteArray()));

  const auto background = app::ParsePictureLayout(Words({0, 0, 0, 801, 577, 1, 0, 1}));
  ASSERT_TRUE(background);
  EXPECT_EQ(background->Tag, 0);
  EXPECT_EQ(background->Geometry, QRect(0, 0, 801, 577));
  EXPECT_TRUE(background->Stretch);
  EXPECT_FALSE(background->Transparent);
  EXPECT_TRUE(background->Visible);
  // Only the low byte of the three flags counts, and only 1 means yes.
  const auto flags = app::ParsePictureLayout(Words({7, 161, 381, 65, 28, 0x0101, 2, 0x0100}));
  ASSERT_TRUE(flags);
  EXPECT_EQ(flags->Tag, 7);
  EXPECT_TRUE(flags->Stretch);
  EXPECT_FALSE(flags->Transparent);
  EXPECT_FALSE(flags->Visible);
  EXPECT_FALSE(app::ParsePictureLayout(Words({0, 0, 0, 801, 577, 1, 0})));
}

TEST(LayoutRecords, AdvancedModeTakesRecordPlus90OnlyWhereItExists) {
  // Main window: 75 beginner, 165 advanced.
  EXPECT_EQ(app::ControlLayoutRecord(75, false), QRect(0, 0, 534, 527));
  EXPECT_EQ(app::ControlLayoutRecord(75, true), QRect(0, 0, 807, 527));
  // The test window has no advanced record (166), so both modes use 76.
  EXPECT_EQ(app::ControlLayoutRecord(76, false), QRect(0, 0, 454, 480));
  EXPECT_EQ(app::ControlLayoutRecord(76, true), QRect(0, 0, 454, 480));
  // Picture slot 1 in both modes.
  const auto background = app::PictureLayoutRecord(1, false);
  ASSERT_TRUE(background);
  EXPECT_EQ(background->Geometry, QRect(0, 0, 801, 577));
  EXPECT_TRUE(background->Stretch);
  EXPECT_TRUE(background->Visible);
  // Slot 10 (sensor set frame) exists in the advanced mode only.
  EXPECT_FALSE(app::PictureLayoutRecord(10, false));
  EXPECT_TRUE(app::PictureLayoutRecord(10, true));
  EXPECT_FALSE(app::ControlLayoutRecord(500, true));
}

TEST(LayoutRecords, ButtonsSitWhereTheTableSays) {
  const struct {
    int normalSlot;
    int tag;
    QRect beginner, advanced;
  } cases[] = {
      {22, 7, {161, 381, 65, 28}, {245, 346, 65, 28}}, {26, 8, {161, 346, 65, 28}, {311, 346, 65, 28}},
      {30, 9, {241, 346, 65, 28}, {377, 346, 65, 28}}, {34, 10, {322, 346, 65, 28}, {443, 346, 65, 28}},
      {38, 11, {322, 381, 65, 28}, {509, 346, 65, 28}}, {42, 1, {19, 429, 75, 39}, {124, 392, 75, 39}},
      {46, 2, {103, 429, 75, 39}, {220, 392, 75, 39}},  {50, 3, {187, 429, 75, 39}, {316, 392, 75, 39}},
      {54, 4, {271, 429, 75, 39}, {412, 392, 75, 39}},  {58, 5, {355, 429, 75, 39}, {508, 392, 75, 39}},
      {62, 6, {439, 429, 75, 39}, {604, 392, 75, 39}},
  };
  for (const auto& c : cases) {
    for (int look = 0; look < 4; ++look) {
      const auto b = app::PictureLayoutRecord(c.normalSlot + look, false);
      const auto a = app::PictureLayoutRecord(c.normalSlot + look, true);
      ASSERT_TRUE(b && a) << c.normalSlot + look;
      EXPECT_EQ(b->Geometry, c.beginner) << c.normalSlot + look;
      EXPECT_EQ(a->Geometry, c.advanced) << c.normalSlot + look;
      // Normal and highlight carry the tag; so do all four looks of the edit buttons.
      const bool tagged = look < 2 || c.tag >= 7;
      EXPECT_EQ(b->Tag, tagged ? c.tag : 0) << c.normalSlot + look;
    }
  }
}

TEST(PictureResources, SlotOneIsABitmapAndAdvancedVariantsWinWherePresent) {
  EXPECT_TRUE(app::PictureResource(1, "BMP", false));
  EXPECT_FALSE(app::PictureResource(1, "GIF", false));
  for (int s = 2; s <= 65; ++s) {
    if (s == 10) continue;  // the sensor set frame has a picture in the advanced mode only
    EXPECT_TRUE(app::PictureResource(s, "GIF", false)) << s;
  }
  // Where an advanced variant exists it differs from the beginner picture.
  for (int s = 8; s <= 10; ++s) {
    const auto advanced = app::PictureResource(s, "GIF", true);
    ASSERT_TRUE(advanced) << s;
    EXPECT_NE(advanced, app::PictureResource(s, "GIF", false)) << s;
  }
  EXPECT_FALSE(app::PictureResource(66, "GIF", true));
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    store_ = std::make_unique<QSettings>(dir_.filePath("settings.ini"), QSettings::IniFormat);
  }
  QTemporaryDir dir_;
  std::unique_ptr<QSettings> store_;
};

TEST_F(SettingsTest, NothingStoredKeepsTheDefaults) {
  app::SettingsValues values;
  app::ReadSettings(*store_, values);
  EXPECT_TRUE(values.HyperHelp);
  EXPECT_EQ(values.LeftServoCenter, 100);
  EXPECT_EQ(values.RightServoCenter, 100);
  EXPECT_EQ(values.ComPort, "AUTO");
  EXPECT_EQ(values.LastDirectory, "");
}

TEST_F(SettingsTest, RoundTripUnderGroupOneDotZeroWithTheStoredTypes) {
  app::SettingsValues written;
  written.HyperHelp = false;
  written.LeftServoCenter = 0;
  written.RightServoCenter = 255;
  written.ComPort = "ttyUSB0";
  written.LastDirectory = "/home/ana/robots";
  app::WriteSettings(*store_, written);

  EXPECT_EQ(store_->value("1.0/HyperHelp").toInt(), 0);
  EXPECT_EQ(store_->value("1.0/LeftServoCenter").toInt(), 0);
  EXPECT_EQ(store_->value("1.0/ComPort").toString(), "ttyUSB0");

  app::SettingsValues read;
  app::ReadSettings(*store_, read);
  EXPECT_FALSE(read.HyperHelp);
  EXPECT_EQ(read.LeftServoCenter, 0);
  EXPECT_EQ(read.RightServoCenter, 255);
  EXPECT_EQ(read.ComPort, "ttyUSB0");  // not upper-cased: device names are case-sensitive
  EXPECT_EQ(read.LastDirectory, "/home/ana/robots");
}

TEST_F(SettingsTest, UnusableStoredValuesLeaveTheStartValues) {
  const struct {
    const char* name;
    QVariant stored;
    int left;
    bool help;
  } cases[] = {
      {"LeftServoCenter", 300, 100, true},  {"LeftServoCenter", -1, 100, true},
      {"LeftServoCenter", "abc", 100, true}, {"LeftServoCenter", 150, 150, true},
      {"HyperHelp", 1, 100, true},          {"HyperHelp", 0, 100, false},
      {"HyperHelp", 7, 100, true},          {"HyperHelp", "false", 100, false},
  };
  for (const auto& c : cases) {
    store_->clear();
    store_->setValue(QString("1.0/") + c.name, c.stored);
    app::SettingsValues values;
    app::ReadSettings(*store_, values);
    EXPECT_EQ(values.LeftServoCenter, c.left) << c.name << " " << c.stored.toString().toStdString();
    EXPECT_EQ(values.HyperHelp, c.help) << c.name << " " << c.stored.toString().toStdString();
  }
}

TEST(PortAfterStart, AStoredPortThatIsGoneBecomesAuto) {
  const QStringList ports = {"ttyUSB0", "ttyACM1", "/dev/pts/4"};
  const struct {
    const char* stored;
    const char* expected;
  } cases[] = {
      {"AUTO", "AUTO"},       {"ttyUSB0", "ttyUSB0"}, {"/dev/pts/4", "/dev/pts/4"},
      {"ttyusb0", "AUTO"},    {"COM3", "AUTO"},       {"", "AUTO"},
  };
  for (const auto& c : cases) EXPECT_EQ(app::PortAfterStart(c.stored, ports), c.expected) << c.stored;
}

TEST(Shortcuts, FirstMatchingLetterWins) {
  using C = app::ShortcutCommand;
  const struct {
    const char* letters;
    int key;
    C command;
  } cases[] = {
      // This build's letters: O and G appear twice, so Test and Save have no working letter.
      {"ICOGDEVLOAGS", 'I', C::Delete}, {"ICOGDEVLOAGS", 'C', C::Copy},  {"ICOGDEVLOAGS", 'O', C::Cut},
      {"ICOGDEVLOAGS", 'G', C::Paste},  {"ICOGDEVLOAGS", 'D', C::Undo},  {"ICOGDEVLOAGS", 'E', C::Go},
      {"ICOGDEVLOAGS", 'V', C::View},   {"ICOGDEVLOAGS", 'L', C::Clear}, {"ICOGDEVLOAGS", 'A', C::Open},
      {"ICOGDEVLOAGS", 'S', C::Quit},   {"ICOGDEVLOAGS", 'X', C::None},  {"ICOGDEVLOAGS", 'i', C::None},
      // The default letters select every command.
      {"DCTPUGVRELSQ", 'D', C::Delete}, {"DCTPUGVRELSQ", 'T', C::Cut},   {"DCTPUGVRELSQ", 'E', C::Test},
      {"DCTPUGVRELSQ", 'S', C::Save},   {"DCTPUGVRELSQ", 'Q', C::Quit},  {"DCTPUGVRELSQ", 'R', C::Clear},
      {"", 'A', C::None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(app::ShortcutFor(c.letters, c.key), c.command) << c.letters << " " << char(c.key);
}

}  // namespace
