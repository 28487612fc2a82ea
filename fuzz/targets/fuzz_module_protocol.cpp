// libFuzzer entry: fuzz::CheckModuleProtocol on every input (see Checks.h for the input's layout).

#include <cstddef>
#include <cstdint>

#include "Checks.h"
#include "Report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzz::Report(fuzz::CheckModuleProtocol(fuzz::Bytes(data, size)));
}
