#pragma once
// The byte encoding of the settings file: little-endian 32-bit integers and
// the length-prefixed string forms of the original framework's archives.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel {

class TextConverter;

class ArchiveWriter {
 public:
  void WriteInt(std::int32_t value);
  void WriteBool(bool value) { WriteInt(value ? 1 : 0); }
  void WriteString(const std::string& text);
  const std::string& Bytes() const { return bytes_; }

 private:
  void WriteU16(std::uint16_t value);
  void WriteU32(std::uint32_t value);
  std::string bytes_;
};

// Reads what ArchiveWriter wrote. A read past the end, or a length that runs
// past it, fails: the reader then stays failed and every later read fails too,
// so a caller can read on and check Failed() where it matters.
class ArchiveReader {
 public:
  ArchiveReader(const std::string& bytes, TextConverter& converter)
      : bytes_(bytes), converter_(converter) {}

  bool ReadInt(std::int32_t& value);
  bool ReadBool(bool& value);
  bool ReadString(std::string& text);
  bool Failed() const { return failed_; }

 private:
  bool ReadU8(std::uint8_t& value);
  bool ReadU16(std::uint16_t& value);
  bool ReadU32(std::uint32_t& value);
  bool ReadLength(std::uint32_t& length);
  bool Fail();
  std::size_t Remaining() const { return bytes_.size() - offset_; }

  const std::string& bytes_;
  TextConverter& converter_;
  std::size_t offset_ = 0;
  bool failed_ = false;
};

}  // namespace vantrel
