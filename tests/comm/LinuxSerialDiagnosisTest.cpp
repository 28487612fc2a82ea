#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "comm/LinuxSerialDiagnosis.h"
#include "comm/LinuxSerialFacts.h"
#include "comm/SerialNotices.h"

using comm::FindingKind;

namespace {

comm::SerialSystemFacts Facts(std::vector<comm::DeviceAccess> devices, QStringList session,
                              QStringList account, QStringList processes = {}, QStringList vanished = {}) {
  comm::SerialSystemFacts facts;
  facts.Devices = std::move(devices);
  facts.Groups = {"ana", std::move(session), std::move(account)};
  facts.Processes = std::move(processes);
  facts.VanishedPorts = std::move(vanished);
  return facts;
}

}  // namespace

TEST(LinuxSerialDiagnosis, FindingsFollowTheFacts) {
  const comm::DeviceAccess usb0{"/dev/ttyUSB0", "dialout", false};
  const comm::DeviceAccess usb1{"/dev/ttyUSB1", "dialout", false};
  const comm::DeviceAccess open{"/dev/ttyUSB0", "dialout", true};
  const comm::DeviceAccess rootOnly{"/dev/ttyS0", "root", false};
  const comm::DeviceAccess unknown{"/dev/ttyS1", "", false};
  struct Case {
    const char* what;
    comm::SerialSystemFacts facts;
    std::vector<comm::Finding> findings;
  };
  const Case cases[] = {
      {"all fine", Facts({open}, {"ana"}, {"ana"}), {}},
      {"not in the group, said once for two ports",
       Facts({usb0, usb1}, {"ana"}, {"ana"}),
       {{FindingKind::NeedsGroup, "/dev/ttyUSB0", "dialout"}}},
      {"added, but the session is older",
       Facts({usb0}, {"ana"}, {"ana", "dialout"}),
       {{FindingKind::NeedsNewLogin, "/dev/ttyUSB0", "dialout"}}},
      {"in the group and still refused: busy, not groups",
       Facts({usb0}, {"ana", "dialout"}, {"ana", "dialout"}),
       {}},
      {"root and unknown owners get no group advice", Facts({rootOnly, unknown}, {"ana"}, {"ana"}), {}},
      {"services",
       Facts({}, {}, {}, {"bash", "ModemManager", "brltty"}),
       {{FindingKind::BrailleService, {}, {}}, {FindingKind::ModemManager, {}, {}}}},
      {"a vanished port",
       Facts({}, {}, {}, {"bash"}, {"ttyUSB3", "ttyUSB4"}),
       {{FindingKind::PortVanished, "ttyUSB3", {}}}},
      {"brltty already explains a vanished port",
       Facts({}, {}, {}, {"brltty"}, {"ttyUSB3"}),
       {{FindingKind::BrailleService, {}, {}}}},
      {"names are compared exactly", Facts({}, {}, {}, {"brltty-udev", "modemmanager"}), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(comm::DiagnoseLinuxSerial(c.facts), c.findings) << c.what;
}

TEST(LinuxSerialDiagnosis, TextsNameTheGroupTheCommandAndTheRemedy) {
  struct Case {
    comm::Finding finding;
    QStringList parts;
  };
  const Case cases[] = {
      {{FindingKind::NeedsGroup, "/dev/ttyUSB0", "dialout"},
       {"No se puede abrir /dev/ttyUSB0", "grupo dialout", "(ana)", "«sudo usermod -a -G dialout ana»",
        "cierre la sesión y vuelva a entrar"}},
      {{FindingKind::NeedsNewLogin, "/dev/ttyACM0", "uucp"},
       {"No se puede abrir /dev/ttyACM0", "(ana) ya está en el grupo uucp", "Cierre la sesión"}},
      {{FindingKind::BrailleService, {}, {}}, {"brltty", "«sudo apt remove brltty»"}},
      {{FindingKind::ModemManager, {}, {}}, {"ModemManager", "«sudo systemctl disable --now ModemManager»"}},
      {{FindingKind::PortVanished, "ttyUSB3", {}},
       {"El puerto ttyUSB3 desapareció", "«sudo apt remove brltty»"}},
  };
  for (const Case& c : cases) {
    const QString text = comm::FindingText(c.finding, "ana");
    for (const QString& part : c.parts)
      EXPECT_TRUE(text.contains(part)) << text.toStdString() << " / " << part.toStdString();
    EXPECT_FALSE(text.contains(u'%')) << text.toStdString();
  }
}

TEST(LinuxSerialFacts, ProcessNamesComeFromTheCommFiles) {
  QTemporaryDir proc;
  ASSERT_TRUE(proc.isValid());
  const struct {
    const char* entry;
    const char* comm;  // nullptr: no comm file (the process ended)
  } entries[] = {{"1", "systemd\n"},    {"412", "ModemManager\n"}, {"977", "brltty\n"}, {"978", "brltty\n"},
                 {"self", "rovalis\n"}, {"sys", "kernel\n"},       {"1200", nullptr}};
  for (const auto& e : entries) {
    ASSERT_TRUE(QDir(proc.path()).mkpath(e.entry));
    if (e.comm == nullptr) continue;
    QFile file(proc.path() + "/" + e.entry + "/comm");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(e.comm);
  }
  QStringList names = comm::RunningProcessNames(proc.path());
  names.sort();
  EXPECT_EQ(names, (QStringList{"ModemManager", "brltty", "systemd"}));
  EXPECT_TRUE(comm::RunningProcessNames(proc.path() + "/missing").isEmpty());
}

TEST(LinuxSerialFacts, DevicesAndPaths) {
  EXPECT_EQ(comm::DevicePath("ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(comm::DevicePath("/dev/pts/3"), "/dev/pts/3");
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.path() + "/device";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const comm::DeviceAccess device = comm::InspectDevice(path);
  EXPECT_TRUE(device.Accessible);
  EXPECT_FALSE(device.Group.isEmpty());
  // The group of a file this process made is one of the session's groups.
  EXPECT_TRUE(comm::CurrentUserGroups().Session.contains(device.Group));
  const comm::DeviceAccess missing = comm::InspectDevice(folder.path() + "/none");
  EXPECT_FALSE(missing.Accessible);
  EXPECT_TRUE(missing.Group.isEmpty());
}

TEST(SerialNotices, EachTroubleIsSaidOncePerRun) {
  comm::SerialSystemFacts facts;
  facts.Groups = {"ana", {"ana"}, {"ana"}};
  facts.Devices = {{"/dev/ttyUSB0", "dialout", false}};
  facts.Processes = {"ModemManager"};
  comm::SerialNotices notices;
  const QStringList first = notices.Fresh(facts);
  ASSERT_EQ(first.size(), 2);
  EXPECT_TRUE(first[0].contains("dialout"));
  EXPECT_TRUE(first[1].contains("ModemManager"));
  // Another port of the same group, the same service, a first vanished port.
  facts.Devices = {{"/dev/ttyUSB1", "dialout", false}};
  facts.VanishedPorts = {"ttyUSB2"};
  const QStringList second = notices.Fresh(facts);
  ASSERT_EQ(second.size(), 1);
  EXPECT_TRUE(second[0].contains("ttyUSB2"));
  // A second vanished port and another group.
  facts.Devices = {{"/dev/ttyACM0", "uucp", false}};
  facts.VanishedPorts = {"ttyUSB5"};
  const QStringList third = notices.Fresh(facts);
  ASSERT_EQ(third.size(), 1);
  EXPECT_TRUE(third[0].contains("uucp"));
}
