#include <gtest/gtest.h>

#include "comm/PortWatch.h"

TEST(PortWatch, AUsbPortGoneRightAfterItAppearedHasVanished) {
  struct Step {
    qint64 now;
    QStringList ports;
    QStringList vanished;
  };
  const Step steps[] = {
      // Ports present at the first look may have been there for hours.
      {0, {"ttyS0", "ttyUSB0"}, {}},
      {500, {"ttyS0"}, {}},
      // Plugged in, taken away two seconds later: vanished.
      {1000, {"ttyS0", "ttyUSB1"}, {}},
      {3000, {"ttyS0"}, {"ttyUSB1"}},
      // Plugged in and unplugged long after: the user did it.
      {4000, {"ttyS0", "ttyACM0"}, {}},
      {4000 + comm::kQuickVanishMs + 1, {"ttyS0"}, {}},
      // Only USB serial adapters count; it is said once.
      {30000, {"ttyS1", "/dev/ttyUSB2"}, {}},
      {30100, {}, {"/dev/ttyUSB2"}},
      {30200, {}, {}},
  };
  comm::PortWatch watch;
  for (const Step& s : steps) EXPECT_EQ(watch.Observe(s.ports, s.now), s.vanished) << s.now;
}
