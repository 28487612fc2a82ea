#include "comm/PortStatusTable.h"
#include "comm/Ports.h"

#include <gtest/gtest.h>

#include "app/core/Texts.h"

TEST(PortBox, ChoiceFollowsTheItems) {
  comm::PortBox box;
  box.Rebuild({"ttyS0", "ttyUSB0", "ttyUSB1"});
  EXPECT_EQ(box.model()->stringList(), (QStringList{"AUTO", "ttyS0", "ttyUSB0", "ttyUSB1"}));
  struct Case {
    QString pick;
    QString choice;
    int index;
  };
  const Case cases[] = {
      {"ttyUSB0", "ttyUSB0", 2},
      {"COM7", "AUTO", 0},
      {"AUTO", "AUTO", 0},
      {"ttyS0", "ttyS0", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(box.SelectPort(c.pick), c.choice) << c.pick.toStdString();
    EXPECT_EQ(box.currentIndex(), c.index);
  }
  box.SetCurrentIndex(-1);
  EXPECT_EQ(box.PortBoxChoice(), "AUTO");
}

TEST(PortBox, RebuildKeepsThePreviousChoiceWhenStillPresent) {
  comm::PortBox box;
  box.Rebuild({"ttyS0", "ttyUSB0"});
  box.SelectPort("ttyUSB0");
  box.Rebuild({"ttyUSB0", "ttyS1"});
  EXPECT_EQ(box.PortBoxChoice(), "ttyUSB0");
  box.Rebuild({"ttyS1"});
  EXPECT_EQ(box.PortBoxChoice(), "AUTO") << "an unplugged port falls back to AUTO";
}

TEST(Ports, ExtraPortsComeAfterTheSystemsOnce) {
  comm::AddExtraPort("/dev/pts/77");
  comm::AddExtraPort("/dev/pts/77");
  QStringList first;
  QStringList second;
  comm::EnumeratePorts(first);
  comm::EnumeratePorts(second);
  EXPECT_EQ(first, second) << "stable order";
  EXPECT_EQ(first.count("/dev/pts/77"), 1);
  EXPECT_EQ(first.last(), "/dev/pts/77");
  comm::RemoveExtraPort("/dev/pts/77");
  comm::EnumeratePorts(first);
  EXPECT_FALSE(first.contains("/dev/pts/77"));
}

TEST(PortStatusTable, LayoutOfRows) {
  struct Case {
    QStringList ports;
    int rows;
  };
  const Case cases[] = {{{}, 2}, {{"a"}, 2}, {{"a", "b", "c"}, 4}};
  for (const auto& c : cases) {
    comm::PortStatusTable table;
    table.Lay(c.ports, true);
    EXPECT_EQ(table.RowCount(), c.rows);
    EXPECT_EQ(table.Cell(comm::kPortColumn, 0), app::LoadText(381));
    EXPECT_EQ(table.Cell(comm::kEchoColumn, 0), QStringLiteral("Eco:"));
    for (int i = 0; i < c.ports.size(); ++i) EXPECT_EQ(table.Cell(comm::kPortColumn, i + 1), c.ports[i] + ":");
    if (c.ports.isEmpty()) {
      EXPECT_TRUE(table.Cell(comm::kPortColumn, 1).isEmpty());
    }
  }
}

TEST(PortStatusTable, ClearRowsOnlyWhenAsked) {
  comm::PortStatusTable table;
  table.Lay({"a", "b"}, true);
  table.SetCell(comm::kDeviceColumn, 2, "x");
  table.Lay({"a", "b"}, false);
  EXPECT_EQ(table.Cell(comm::kDeviceColumn, 2), "x");
  table.Lay({"a", "b"}, true);
  EXPECT_TRUE(table.Cell(comm::kDeviceColumn, 2).isEmpty());
}

TEST(PortStatusTable, MakeRowVisibleScrollsByTheSixRowWindow) {
  struct Case {
    int top;
    int row;
    int newTop;
  };
  const Case cases[] = {{1, 6, 1}, {1, 7, 2}, {1, 12, 7}, {5, 3, 3}, {5, 10, 5}};
  for (const auto& c : cases) {
    comm::PortStatusTable table;
    table.Lay(QStringList(12, "p"), true);
    table.SetTopRow(c.top);
    table.MakeRowVisible(c.row);
    EXPECT_EQ(table.TopRow(), c.newTop) << c.top << " " << c.row;
  }
}
