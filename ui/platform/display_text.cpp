#include "ui/platform/display_text.h"

#include "lexicon/utf8.h"

namespace tarvo::ui {
namespace {

void AppendEscape(std::string& out, unsigned char byte) {
  static const char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0f];
}

bool IsControl(unsigned char byte) { return byte < 0x20 || (byte >= 0x7f && byte < 0xa0); }

}  // namespace

std::string DisplayText(std::string_view bytes, DisplayEncoding encoding) {
  std::string out;
  out.reserve(bytes.size() + 8);
  for (std::size_t pos = 0; pos < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (IsControl(byte)) {
      AppendEscape(out, byte);
      ++pos;
    } else if (byte < 0x80) {
      out += static_cast<char>(byte);
      ++pos;
    } else if (encoding == DisplayEncoding::kLatin1) {
      out += static_cast<char>(0xc0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3f));
      ++pos;
    } else if (std::size_t length = Utf8SequenceLength(bytes, pos)) {
      out.append(bytes.substr(pos, length));
      pos += length;
    } else {
      AppendEscape(out, byte);
      ++pos;
    }
  }
  return out;
}

}  // namespace tarvo::ui
