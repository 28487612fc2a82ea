// libFuzzer entry: fuzz::CheckIdentifyAndDownload on every input (see CommChecks.h for the input's layout).

#include <cstddef>
#include <cstdint>

#include "CommChecks.h"
#include "Report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzz::Report(fuzz::CheckIdentifyAndDownload(fuzz::Bytes(data, size)));
}
