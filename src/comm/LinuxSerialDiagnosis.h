#pragma once
// Why a serial port on Linux may fail before the robot is ever reached: the user is not in
// the group that owns the device, a braille-display service grabs USB serial adapters, or a
// modem manager probes every new port. The diagnosis only reads facts handed to it; it never
// changes anything on the system.

#include <QString>
#include <QStringList>
#include <vector>

namespace comm {

struct DeviceAccess {
  QString Path;            // e.g. /dev/ttyUSB0
  QString Group;           // the group that owns the device node; empty when unknown
  bool Accessible = true;  // this process may open it for reading and writing
};

struct UserGroups {
  QString User;
  QStringList Session;  // the groups this process runs with (fixed at login)
  QStringList Account;  // the groups the account is in; a new login gets these
};

struct SerialSystemFacts {
  std::vector<DeviceAccess> Devices;
  UserGroups Groups;
  QStringList Processes;      // command names of the running processes
  QStringList VanishedPorts;  // USB serial ports that disappeared right after they appeared
};

enum class FindingKind {
  NeedsGroup,      // not in the device's group: add the user, then log in again
  NeedsNewLogin,   // already added to the group, but this session started before
  BrailleService,  // brltty runs and takes USB serial adapters away
  ModemManager,    // ModemManager runs and sends bytes to every new port
  PortVanished,    // a USB serial port went away right after it appeared
};

struct Finding {
  FindingKind Kind;
  QString Device;  // the device concerned, when there is one
  QString Group;   // the group concerned, for the two group findings
  bool operator==(const Finding&) const = default;
};

// Each kind of trouble is reported once (a group once, however many of its ports fail).
// Devices owned by root or by no known group get no finding: adding a user to such a group
// is no remedy worth proposing.
std::vector<Finding> DiagnoseLinuxSerial(const SerialSystemFacts& facts);

// The finding explained with its usual remedy, from the text table.
QString FindingText(const Finding& finding, const QString& user);

// The command that adds the user to the group (printed, never run).
QString AddToGroupCommand(const QString& group, const QString& user);

// Process names that the diagnosis looks for.
inline constexpr const char* kBrailleProcess = "brltty";
inline constexpr const char* kModemManagerProcess = "ModemManager";

}  // namespace comm
