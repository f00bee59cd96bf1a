#pragma once
// Settings files damaged in ways the reader must survive: each one ends the
// load as damaged, keeping only the entries that were read completely. Both
// the native tests and the Wine tests (64-bit and 32-bit) feed them to the
// reader; the lengths near 2^31 and 2^32 are the ones that wrap a 32-bit
// size_t when they are doubled or added to.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::damaged_settings {

inline std::string Int(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  return std::string{static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                     static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
}

// Header of a version-10 file: the eleven switches (all on) and a count.
inline std::string Header(std::int32_t count) {
  std::string bytes = Int(10);
  for (int i = 0; i < 11; ++i) bytes += Int(1);
  return bytes + Int(count);
}

// One entry whose name is a UTF-16 string of the given character count, in
// the longest length form, followed by filler bytes.
inline std::string WideNameOfLength(std::uint32_t characters, std::size_t filler) {
  return Header(1) + Int(0) + std::string("\xFF\xFE\xFF\xFF\xFF\xFF", 6) + Int(static_cast<std::int32_t>(characters)) +
         std::string(filler, 'x');
}

// The 84-byte file that once parked the 32-bit program off-screen for good:
// a wide length of 0x80000001 doubles to 2 in 32 bits.
inline std::string WrappingWideLengthFile() { return WideNameOfLength(0x80000001u, 18); }

struct DamagedFile {
  const char* what;
  std::string bytes;
  std::size_t entries;  // complete entries read before the damage
};

inline std::vector<DamagedFile> DamagedFiles() {
  const std::string complete = Int(1) + "\x03" "one" + Int(1) + "\x06" "Dir:C:" + Int(0);
  const std::string partial = Int(0) + "\x03" "two" + Int(1);  // its dirs string is missing
  return {
      {"empty file", "", 0},
      {"ends inside the version", "\x0A\x00", 0},
      {"ends inside the switches", Int(10) + Int(1) + Int(0), 0},
      {"ends before the count", Header(0).substr(0, 48), 0},
      {"count larger than the entries", Header(2147483647) + complete, 1},
      {"entry cut short", Header(2) + complete + partial, 1},
      {"name length past the end", Header(1) + Int(0) + "\x40" "short", 0},
      {"long length past the end", Header(1) + Int(0) + std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7), 0},
      {"string count of 2^31-1", Header(1) + Int(0) + "\x01" "n" + Int(2147483647) + "\x01" "x", 0},
      {"wide length past the end", Header(1) + Int(0) + std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 9), 0},
      {"wide length 0x80000001 (doubles to 2)", WrappingWideLengthFile(), 0},
      {"wide length 0x80000000 (doubles to 0)", WideNameOfLength(0x80000000u, 4), 0},
      {"wide length 0xFFFFFFFF (doubles to -2)", WideNameOfLength(0xFFFFFFFFu, 40), 0},
      {"long length 0xFFFFFFFF", Header(1) + Int(0) + std::string("\xFF\xFF\xFF", 3) + Int(-1) + "abc", 0},
      {"long length 0xFFFFFFFF after a complete entry", Header(2) + complete + Int(0) + std::string("\xFF\xFF\xFF", 3) + Int(-1), 1},
  };
}

}  // namespace vantrel::damaged_settings
