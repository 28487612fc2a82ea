#include <gtest/gtest.h>

#include <QRect>
#include <set>
#include <vector>

#include "ResourceRecords.h"

namespace look {
namespace {

std::set<int> ExpectedRecords() {
  std::set<int> r;
  auto range = [&r](int a, int b) {
    for (int n = a; n <= b; ++n) r.insert(n);
  };
  range(1, 9);
  range(11, 70);
  range(73, 89);
  r.insert({93, 94, 96});
  range(98, 103);
  range(112, 162);
  r.insert({164, 165, 178});
  return r;
}

bool IsPictureRecord(int n) {
  return (n >= 1 && n <= 65) || (n >= 91 && n <= 155);
}

TEST(LayoutRecords, ExactlyTheRecordsOfThisBuildWithTheirLengths) {
  const auto expected = ExpectedRecords();
  for (int n = 1; n <= 180; ++n) {
    const auto bytes = Record(n);
    if (!expected.count(n)) {
      EXPECT_FALSE(bytes.has_value()) << "record " << n << " must not exist";
      continue;
    }
    ASSERT_TRUE(bytes.has_value()) << "record " << n << " is missing";
    EXPECT_EQ(bytes->size(), IsPictureRecord(n) ? 16 : 8) << "record " << n;
  }
}

TEST(LayoutRecords, GivenValuesAreKept) {
  const PictureFields background{0, 0, 0, 801, 577, 1, 0, 1};
  EXPECT_EQ(PictureRecord(*Record(1)), background);

  struct Given {
    int record;
    QRect rect;
  };
  const std::vector<Given> given = {
      {73, {19, 103, 128, 263}},   {74, {16, 482, 500, 49}},    {75, {0, 0, 534, 527}},
      {76, {0, 0, 454, 480}},      {88, {159, 103, 231, 226}},  {89, {4, 24, 193, 198}},
      {161, {460, 103, 201, 226}}, {162, {471, 70, 23, 23}},    {164, {16, 444, 771, 34}},
      {165, {0, 0, 807, 527}},     {178, {158, 103, 287, 226}},
  };
  for (const auto& g : given) EXPECT_EQ(ControlRect(*Record(g.record)), g.rect) << "record " << g.record;
}

// The eleven picture buttons: four looks each at one place, with the tags and start states
// the window relies on.
TEST(LayoutRecords, ButtonsHaveTheirPlacesTagsAndStartStates) {
  struct Button {
    int tag, firstSlot;
    QPoint beginner, advanced;
    QSize size;
    bool startsEnabled;
  };
  const QSize edit(65, 28), command(75, 39);
  const std::vector<Button> buttons = {
      {7, 22, {161, 381}, {245, 346}, edit, false},    {8, 26, {161, 346}, {311, 346}, edit, false},
      {9, 30, {241, 346}, {377, 346}, edit, false},    {10, 34, {322, 346}, {443, 346}, edit, false},
      {11, 38, {322, 381}, {509, 346}, edit, false},   {1, 42, {19, 429}, {124, 392}, command, false},
      {2, 46, {103, 429}, {220, 392}, command, false}, {3, 50, {187, 429}, {316, 392}, command, true},
      {4, 54, {271, 429}, {412, 392}, command, true},  {5, 58, {355, 429}, {508, 392}, command, false},
      {6, 62, {439, 429}, {604, 392}, command, true},
  };
  for (const auto& b : buttons) {
    for (int look = 0; look < 4; ++look) {
      const int slot = b.firstSlot + look;
      const bool editButton = b.tag >= 7;
      const int tag = (look < 2 || editButton) ? b.tag : 0;
      const int visible = (look == 0 || (look == 3 && !b.startsEnabled)) ? 1 : 0;
      for (bool advanced : {false, true}) {
        const int n = slot + (advanced ? kAdvancedOffset : 0);
        const auto bytes = Record(n);
        ASSERT_TRUE(bytes) << "record " << n;
        const auto f = PictureRecord(*bytes);
        const QPoint at = advanced ? b.advanced : b.beginner;
        EXPECT_EQ(f[0], tag) << "record " << n;
        EXPECT_EQ(QRect(f[1], f[2], f[3], f[4]), QRect(at, b.size)) << "record " << n;
        EXPECT_EQ(f[7], visible) << "record " << n;
      }
    }
  }
}

TEST(LayoutRecords, PaletteTilesCarryTheirKindAndSitInTheBox) {
  const int kinds[8] = {0, 1, 2, 3, 4, 5, 7, 6};
  const QRect box(QPoint(0, 0), ControlRect(*Record(73)).size());
  for (int slot = 14; slot <= 21; ++slot) {
    const auto f = PictureRecord(*Record(slot));
    EXPECT_EQ(f[0], kinds[slot - 14]) << "slot " << slot;
    EXPECT_EQ(QSize(f[3], f[4]), QSize(54, 54)) << "slot " << slot;
    EXPECT_TRUE(box.contains(QRect(f[1], f[2], f[3], f[4]))) << "slot " << slot;
    EXPECT_FALSE(Record(slot + kAdvancedOffset)) << "slot " << slot;
  }
}

// The controls a mode shows must neither overlap each other nor leave the window (the help
// memo may reach below the recorded height: the help panel grows the window).
TEST(LayoutRecords, ShownControlsOfTheMainWindowDoNotOverlap) {
  for (bool advanced : {false, true}) {
    std::vector<int> shown = {66, 67, 68, 69, 73, 74, 88};
    if (advanced)
      shown.insert(shown.end(), {71, 72});
    else
      shown.push_back(70);
    const QRect window = ControlRect(*Record(*Effective(75, advanced)));
    std::vector<std::pair<int, QRect>> rects;
    for (int c : shown) {
      const auto n = Effective(c, advanced);
      ASSERT_TRUE(n) << "control " << c << (advanced ? " advanced" : " beginner");
      rects.emplace_back(*n, ControlRect(*Record(*n)));
    }
    for (size_t i = 0; i < rects.size(); ++i) {
      const auto& [n, r] = rects[i];
      if (n % kAdvancedOffset != 74) {
        EXPECT_TRUE(window.contains(r)) << "record " << n;
      }
      EXPECT_LE(r.right(), window.right()) << "record " << n;
      for (size_t j = i + 1; j < rects.size(); ++j)
        EXPECT_FALSE(r.intersects(rects[j].second)) << "records " << n << " and " << rects[j].first;
    }
  }
}

// A picture under a control is a frame around it or stays clear of it, so no picture cuts
// through a grid, a check box or the port box.
TEST(LayoutRecords, PicturesFrameControlsOrStayClear) {
  for (bool advanced : {false, true}) {
    std::vector<int> shown = {66, 67, 68, 69, 73, 74, 88};
    if (advanced)
      shown.insert(shown.end(), {71, 72});
    else
      shown.push_back(70);
    for (int slot = 5; slot <= 65; ++slot) {
      if (slot >= 14 && slot <= 21) continue;  // the tiles lie in the palette box
      const auto n = Effective(slot, advanced);
      if (!n) continue;
      const auto f = PictureRecord(*Record(*n));
      if (!(f[7] & 1) && slot < 22) continue;  // hidden for good; button looks all count
      const QRect picture(f[1], f[2], f[3], f[4]);
      for (int c : shown) {
        const QRect control = ControlRect(*Record(*Effective(c, advanced)));
        EXPECT_TRUE(!picture.intersects(control) || picture.contains(control))
            << "picture record " << *n << " cuts control " << *Effective(c, advanced);
      }
    }
  }
}

TEST(LayoutRecords, TestWindowControlsFitTheWindowApart) {
  const QRect window = ControlRect(*Record(76));
  for (int a = 77; a <= 87; ++a) {
    const QRect ra = ControlRect(*Record(a));
    EXPECT_TRUE(window.contains(ra)) << "record " << a;
    for (int b = a + 1; b <= 87; ++b)
      EXPECT_FALSE(ra.intersects(ControlRect(*Record(b)))) << "records " << a << " and " << b;
  }
  for (int n = 166; n <= 177; ++n) EXPECT_FALSE(Record(n)) << "record " << n;
}

}  // namespace
}  // namespace look
