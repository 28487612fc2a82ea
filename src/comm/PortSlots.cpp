#include "comm/PortSlots.h"

#include <cassert>

#include "comm/QtSerialDevice.h"

namespace comm {

PortSlots::PortSlots(SerialDeviceFactory factory) {
  for (auto& slot : slots_) slot = std::make_unique<TSerial>(factory);
}

TSerial& PortSlots::SlotPort(int slot) {
  assert(slot > kNoPort && slot <= 0);
  return *slots_[slot + kSlotCount - 1];
}

int PortSlots::AcquirePort(const QString& name, std::uint32_t* error) {
  if (error) *error = 0;
  int found = kNoPort;
  {
    std::lock_guard lock(SlotLock);
    for (int slot = 0; slot > kNoPort; --slot) {
      TSerial& port = SlotPort(slot);
      if (!port.IsOpen() && !port.Claimed()) {
        port.SetClaimed(true);  // keeps other threads off while this one opens it
        found = slot;
        break;
      }
    }
  }
  if (found == kNoPort) return kNoPort;
  TSerial& port = SlotPort(found);
  if (!port.Open(name, QStringLiteral("9600"), QStringLiteral("None"), QStringLiteral("8"),
                 QStringLiteral("Off"), false)) {
    if (error) *error = port.LastError();
    return kNoPort;
  }
  return found;
}

int PortSlots::BusyCount() {
  std::lock_guard lock(SlotLock);
  int busy = 0;
  for (auto& slot : slots_) busy += (slot->IsOpen() || slot->Claimed()) ? 1 : 0;
  return busy;
}

PortSlots& SerialSlots() {
  static PortSlots table(QtSerialDeviceFactory());
  return table;
}

}  // namespace comm
