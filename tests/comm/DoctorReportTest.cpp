#include <gtest/gtest.h>

#include "comm/DoctorReport.h"

namespace {

comm::DoctorFacts SampleFacts() {
  comm::DoctorFacts facts;
  facts.Ports.push_back(
      {"ttyUSB0", {"FT232R USB UART", "FTDI", "A1B2C3"}, {"/dev/ttyUSB0", "dialout", false}});
  facts.Ports.push_back({"ttyS0", {}, {"/dev/ttyS0", "dialout", true}});
  facts.System.Groups = {"ana", {"ana", "cdrom"}, {"ana", "cdrom"}};
  facts.System.Processes = {"systemd", "ModemManager"};
  facts.Platform = {"", "x11", ":0", "", {"offscreen", "xcb"}};
  return facts;
}

}  // namespace

TEST(DoctorReport, ShowsEveryPartAndTheProblems) {
  const QStringList lines = comm::DoctorReport(SampleFacts());
  const QString dot = QStringLiteral(" \u00b7 ");
  const QStringList expected = {
      "Puertos serie:",
      "  ttyUSB0 \u2014 FT232R USB UART, FTDI (A1B2C3)" + dot + "/dev/ttyUSB0" + dot + "grupo dialout" + dot +
          "acceso: no",
      "  ttyS0" + dot + "/dev/ttyS0" + dot + "grupo dialout" + dot + "acceso: sí",
      "Usuario: ana",
      "Grupos de esta sesión: ana, cdrom",
      "  brltty: no está en marcha",
      "  ModemManager: en marcha",
      "  QT_QPA_PLATFORM: (sin fijar)",
      "  tipo de sesión: x11",
      "  DISPLAY: :0",
      "  complementos de plataforma: offscreen, xcb",
      "Problemas encontrados:",
  };
  for (const QString& line : expected) EXPECT_TRUE(lines.contains(line)) << line.toStdString();
  // One problem line for the group, one for the modem manager; a screen is there.
  EXPECT_EQ(lines.filter(QStringLiteral("  - ")).size(), 2);
  EXPECT_EQ(lines.filter(QStringLiteral("sudo usermod -a -G dialout ana")).size(), 1);
}

TEST(DoctorReport, NothingWrongAndNoPorts) {
  comm::DoctorFacts facts;
  facts.System.Groups = {"ana", {"ana"}, {"ana"}};
  facts.Platform.WaylandDisplay = "wayland-0";
  const QStringList lines = comm::DoctorReport(facts);
  EXPECT_TRUE(lines.contains("  (ninguno)"));
  EXPECT_EQ(lines.back(), "No se ha encontrado ningún problema.");
}

TEST(DoctorReport, NoScreenIsAProblemUnlessAPlatformIsChosen) {
  comm::DoctorFacts facts;
  EXPECT_EQ(comm::DoctorReport(facts).filter("xvfb-run rovalis").size(), 1);
  facts.Platform.Variable = "offscreen";
  EXPECT_TRUE(comm::DoctorReport(facts).filter("xvfb-run rovalis").isEmpty());
}
