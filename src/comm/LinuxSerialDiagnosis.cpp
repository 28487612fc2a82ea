#include "comm/LinuxSerialDiagnosis.h"

#include "comm/TextSource.h"

namespace comm {
namespace {

// Text numbers of the findings and the remedies they name.
constexpr int kNeedsGroupText = 560;
constexpr int kNeedsNewLoginText = 561;
constexpr int kBrailleText = 562;
constexpr int kModemManagerText = 563;
constexpr int kVanishedText = 564;
const char* const kBrailleRemedy = "sudo apt remove brltty";
const char* const kModemManagerRemedy = "sudo systemctl disable --now ModemManager";

bool AlreadyFound(const std::vector<Finding>& findings, FindingKind kind, const QString& group = {}) {
  for (const Finding& f : findings) {
    if (f.Kind == kind && f.Group == group) return true;
  }
  return false;
}

void DiagnoseDevices(const SerialSystemFacts& facts, std::vector<Finding>& findings) {
  for (const DeviceAccess& device : facts.Devices) {
    if (device.Accessible || device.Group.isEmpty() || device.Group == u"root") continue;
    // In the session's groups and still refused: busy or locked, not a question of groups.
    if (facts.Groups.Session.contains(device.Group)) continue;
    const FindingKind kind =
        facts.Groups.Account.contains(device.Group) ? FindingKind::NeedsNewLogin : FindingKind::NeedsGroup;
    if (!AlreadyFound(findings, kind, device.Group)) findings.push_back({kind, device.Path, device.Group});
  }
}

}  // namespace

std::vector<Finding> DiagnoseLinuxSerial(const SerialSystemFacts& facts) {
  std::vector<Finding> findings;
  DiagnoseDevices(facts, findings);
  if (facts.Processes.contains(QString::fromLatin1(kBrailleProcess)))
    findings.push_back({FindingKind::BrailleService, {}, {}});
  if (facts.Processes.contains(QString::fromLatin1(kModemManagerProcess)))
    findings.push_back({FindingKind::ModemManager, {}, {}});
  // brltty already explains a vanished port; saying it twice helps nobody.
  if (!facts.VanishedPorts.isEmpty() && !AlreadyFound(findings, FindingKind::BrailleService))
    findings.push_back({FindingKind::PortVanished, facts.VanishedPorts.front(), {}});
  return findings;
}

QString AddToGroupCommand(const QString& group, const QString& user) {
  return QStringLiteral("sudo usermod -a -G %1 %2").arg(group, user);
}

QString FindingText(const Finding& finding, const QString& user) {
  switch (finding.Kind) {
    case FindingKind::NeedsGroup:
      return Text(kNeedsGroupText)
          .arg(finding.Device, finding.Group, user, AddToGroupCommand(finding.Group, user));
    case FindingKind::NeedsNewLogin:
      return Text(kNeedsNewLoginText).arg(finding.Device, finding.Group, user);
    case FindingKind::BrailleService:
      return Text(kBrailleText).arg(QString::fromLatin1(kBrailleRemedy));
    case FindingKind::ModemManager:
      return Text(kModemManagerText).arg(QString::fromLatin1(kModemManagerRemedy));
    case FindingKind::PortVanished:
      return Text(kVanishedText).arg(finding.Device, QString::fromLatin1(kBrailleRemedy));
  }
  return {};
}

}  // namespace comm
