// libFuzzer target: the word list reader splits any bytes exactly as the
// reference split does (engine_checks.h), counts the long tokens it skips,
// and reads nothing outside its buffer (AddressSanitizer).
#include <cstdint>
#include <string>
#include <vector>

#include "engine_checks.h"
#include "fuzz_support.h"
#include "reader_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tarvo::fuzz::MemoryFile file;
  const std::string_view content = tarvo::fuzz::AsText(data, size);
  file.Set(content);
  tarvo::fuzz::CheckReader(file.path(), content);
  return 0;
}
