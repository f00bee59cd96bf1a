#include "platform/program_header.h"

namespace vantrel {

namespace {

std::uint32_t Little(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;

}  // namespace

ProgramHeader ReadProgramHeader(std::string_view head, std::uint64_t fileSize) {
  ProgramHeader header;
  if (head.size() < 0x40 || head[0] != 'M' || head[1] != 'Z') return header;
  const std::uint64_t pe = Little(head, 0x3C, 4);
  if (pe + 4 + kCoffHeaderSize > head.size() || head.substr(pe, 4) != std::string_view("PE\0\0", 4)) return header;
  const std::uint64_t coff = pe + 4;
  const std::uint32_t sections = Little(head, coff + 2, 2);
  const std::uint64_t optionalSize = Little(head, coff + 16, 2);
  const std::uint64_t table = coff + kCoffHeaderSize + optionalSize;
  if (sections == 0 || table + sections * kSectionHeaderSize > head.size()) return header;
  for (std::uint32_t i = 0; i < sections; ++i) {
    const std::uint64_t section = table + i * kSectionHeaderSize;
    const std::uint64_t rawSize = Little(head, section + 16, 4);
    const std::uint64_t rawStart = Little(head, section + 20, 4);
    if (rawSize != 0 && rawStart + rawSize > fileSize) return header;
  }
  header.whole = true;
  header.machine = static_cast<std::uint16_t>(Little(head, coff, 2));
  return header;
}

}  // namespace vantrel
