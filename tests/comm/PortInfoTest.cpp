#include <gtest/gtest.h>

#include "comm/PortInfo.h"

TEST(PortInfo, LabelsSayWhatTheSystemKnowsOfTheAdapter) {
  struct Case {
    comm::PortFacts facts;
    QString label;
  };
  const QString dash = QStringLiteral(" \u2014 ");
  const Case cases[] = {
      {{"USB serial adapter", "", "A1B2C3"}, "ttyUSB0" + dash + "USB serial adapter (A1B2C3)"},
      {{"FT232R USB UART", "FTDI", "A1B2C3"}, "ttyUSB0" + dash + "FT232R USB UART, FTDI (A1B2C3)"},
      // A manufacturer already named in the description is not repeated.
      {{"FTDI FT232R", "ftdi", ""}, "ttyUSB0" + dash + "FTDI FT232R"},
      {{"", "Prolific", ""}, "ttyUSB0" + dash + "Prolific"},
      {{"", "", "0042"}, "ttyUSB0" + dash + "0042"},
      {{"", "", ""}, "ttyUSB0"},
      // Placeholders and blanks say nothing.
      {{"n/a", "  ", ""}, "ttyUSB0"},
      // What the device reports stays on one line and carries no control characters.
      {{"Evil\x1b[2J\nAdapter", "", "12\t34"}, "ttyUSB0" + dash + "Evil [2J Adapter (12 34)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(comm::PortLabel("ttyUSB0", c.facts), c.label) << c.label.toStdString();
}

TEST(PortInfo, PortsTheSystemDoesNotListKeepTheirBareName) {
  EXPECT_EQ(comm::PortLabels({"/dev/pts/98765", "ttyNOSUCH9"}),
            (QStringList{"/dev/pts/98765", "ttyNOSUCH9"}));
}
