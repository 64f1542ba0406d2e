// libFuzzer target: the word list reader on files larger than its 1 MiB
// block, with the fuzzer's bytes placed across the block boundaries.
//
// The first read fills the whole buffer (1 MiB + 256 bytes); the second
// ends up to 256 bytes earlier than 2 MiB + 512, depending on the token
// kept from the first. The input is laid out as
//   filler up to near the first boundary, payload,
//   filler up to near the second boundary, payload
// where the control bytes choose the filler (separators, byte 0, one giant
// token, words of 200, 255 or 256 bytes) and where within 2 KiB of each
// boundary the payload starts. Fillers that are tokens run straight into
// the payload, so that tokens also grow across a boundary.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "reader_check.h"

namespace {

constexpr std::size_t kFirstBoundary = (std::size_t{1} << 20) + 256;
constexpr std::size_t kSecondBoundary = (std::size_t{2} << 20) + 512;

void AppendFiller(std::string& out, std::size_t until, unsigned kind) {
  if (out.size() >= until) return;
  const std::size_t need = until - out.size();
  switch (kind % 6) {
    case 0: out.append(need, ' '); break;
    case 1: out.append(need, '\0'); break;
    case 2: out.append(need, 'x'); break;
    default: {
      const std::size_t word = kind % 6 == 3 ? 200 : kind % 6 == 4 ? 255 : 256;
      while (out.size() < until) {
        out.append(std::min(word, until - out.size()), 'w');
        if (out.size() < until) out += '\n';
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  static tarvo::fuzz::MemoryFile file;
  const unsigned first_kind = data[0] & 7;
  const unsigned second_kind = data[0] >> 3;
  const std::size_t first_offset = (data[1] | (std::size_t{data[2]} << 8)) % 2048;
  const std::size_t second_offset = (data[3] | (std::size_t{data[4]} << 8)) % 2048;
  const std::string_view payload = tarvo::fuzz::AsText(data + 5, size - 5);

  std::string content;
  content.reserve(kSecondBoundary + 2 * payload.size());
  AppendFiller(content, kFirstBoundary - 1024 + first_offset, first_kind);
  content.append(payload);
  AppendFiller(content, kSecondBoundary - 1024 + second_offset, second_kind);
  content.append(payload);
  file.Set(content);
  tarvo::fuzz::CheckReader(file.path(), content);
  return 0;
}
