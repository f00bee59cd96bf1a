#include "settings/archive.h"

#include "platform/text_converter.h"

namespace vantrel {

namespace {
constexpr std::uint8_t kLongLength = 0xFF;
constexpr std::uint16_t kLongerLength = 0xFFFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
}  // namespace

void ArchiveWriter::WriteU16(std::uint16_t value) {
  bytes_.push_back(static_cast<char>(value & 0xFF));
  bytes_.push_back(static_cast<char>(value >> 8));
}

void ArchiveWriter::WriteU32(std::uint32_t value) {
  WriteU16(static_cast<std::uint16_t>(value & 0xFFFF));
  WriteU16(static_cast<std::uint16_t>(value >> 16));
}

void ArchiveWriter::WriteInt(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }

void ArchiveWriter::WriteString(const std::string& text) {
  const std::size_t length = text.size();
  if (length < kLongLength) {
    bytes_.push_back(static_cast<char>(length));
  } else if (length < kWideMarker) {
    bytes_.push_back(static_cast<char>(kLongLength));
    WriteU16(static_cast<std::uint16_t>(length));
  } else {
    bytes_.push_back(static_cast<char>(kLongLength));
    WriteU16(kLongerLength);
    WriteU32(static_cast<std::uint32_t>(length));
  }
  bytes_ += text;
}

bool ArchiveReader::Fail() {
  failed_ = true;
  return false;
}

bool ArchiveReader::ReadU8(std::uint8_t& value) {
  if (failed_ || Remaining() < 1) return Fail();
  value = static_cast<std::uint8_t>(bytes_[offset_++]);
  return true;
}

bool ArchiveReader::ReadU16(std::uint16_t& value) {
  std::uint8_t low = 0, high = 0;
  if (!ReadU8(low) || !ReadU8(high)) return false;
  value = static_cast<std::uint16_t>(low | (high << 8));
  return true;
}

bool ArchiveReader::ReadU32(std::uint32_t& value) {
  std::uint16_t low = 0, high = 0;
  if (!ReadU16(low) || !ReadU16(high)) return false;
  value = static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
  return true;
}

bool ArchiveReader::ReadInt(std::int32_t& value) {
  std::uint32_t raw = 0;
  if (!ReadU32(raw)) return false;
  value = static_cast<std::int32_t>(raw);
  return true;
}

bool ArchiveReader::ReadBool(bool& value) {
  std::int32_t raw = 0;
  if (!ReadInt(raw)) return false;
  value = raw != 0;
  return true;
}

// The length that follows a string's first 0xFF byte.
bool ArchiveReader::ReadLength(std::uint32_t& length) {
  std::uint16_t shortLength = 0;
  if (!ReadU16(shortLength)) return false;
  if (shortLength != kLongerLength) {
    length = shortLength;
    return true;
  }
  return ReadU32(length);
}

bool ArchiveReader::ReadString(std::string& text) {
  std::uint8_t first = 0;
  if (!ReadU8(first)) return false;
  std::uint32_t length = first;
  bool wide = false;
  if (first == kLongLength) {
    std::uint16_t marker = 0;
    if (!ReadU16(marker)) return false;
    if (marker == kWideMarker) {
      // UTF-16 text: a length in the same scheme follows, counting characters.
      wide = true;
      if (!ReadU8(first)) return false;
      length = first;
      if (first == kLongLength && !ReadLength(length)) return false;
    } else if (marker == kLongerLength) {
      if (!ReadU32(length)) return false;
    } else {
      length = marker;
    }
  }
  // Lengths are checked against what is left before anything is allocated, so
  // a damaged length costs nothing. The check divides rather than doubles: a
  // doubled length wraps in a 32-bit size_t.
  const std::size_t charSize = wide ? 2 : 1;
  if (length > Remaining() / charSize) return Fail();
  const std::size_t byteCount = std::size_t{length} * charSize;
  if (wide) {
    std::u16string utf16(length, u'\0');
    for (std::uint32_t i = 0; i < length; ++i) {
      const auto low = static_cast<std::uint8_t>(bytes_[offset_ + 2 * i]);
      const auto high = static_cast<std::uint8_t>(bytes_[offset_ + 2 * i + 1]);
      utf16[i] = static_cast<char16_t>(low | (high << 8));
    }
    text = converter_.WideToAnsi(utf16);
  } else {
    text.assign(bytes_, offset_, byteCount);
  }
  offset_ += byteCount;
  return true;
}

}  // namespace vantrel
