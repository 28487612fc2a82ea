#pragma once
// The four port slots -3..0. A slot number names an open port; kNoPort (-4) means none.
// Up to four identification threads and the GUI thread use the table at once; only the
// search for a free slot is shared, and it runs under SlotLock.

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>

#include "comm/Serial.h"

namespace comm {

inline constexpr int kNoPort = -4;
inline constexpr int kSlotCount = 4;

class PortSlots {
 public:
  explicit PortSlots(SerialDeviceFactory factory);

  // Takes the first free slot in the order 0, -1, -2, -3 and opens the port there without
  // messages. kNoPort with error 0 when all slots are busy; kNoPort with the open failure
  // code when the port cannot be opened.
  int AcquirePort(const QString& name, std::uint32_t* error);
  // The TSerial of slot -3..0.
  TSerial& SlotPort(int slot);
  // The number of slots that are open or claimed.
  int BusyCount();

  std::mutex SlotLock;

 private:
  std::array<std::unique_ptr<TSerial>, kSlotCount> slots_;
};

// The program's one slot table, over the system's serial ports.
PortSlots& SerialSlots();

}  // namespace comm
