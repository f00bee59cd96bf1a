// Feeds arbitrary bytes to the settings reader. Whatever it accepts must store
// and read back to the same record; nothing may crash, hang or allocate in
// proportion to a count that the bytes do not back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/message_box.h"
#include "platform/text_converter.h"
#include "settings/archive.h"
#include "settings/setup_data.h"

namespace {

class QuietBoxes : public vantrel::MessageBoxes {
 public:
  int Show(const std::string&, const std::string&, unsigned) override { return 1; }
};

// Keeps each character's low byte: enough for the reader's control flow.
class LowByteConverter : public vantrel::TextConverter {
 public:
  std::string WideToAnsi(const std::u16string& text) override {
    std::string out;
    for (char16_t c : text) out.push_back(static_cast<char>(c & 0xFF));
    return out;
  }
};

std::string Stored(const vantrel::SetupData& settings) {
  vantrel::ArchiveWriter writer;
  settings.Store(writer);
  return writer.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  QuietBoxes boxes;
  LowByteConverter converter;
  vantrel::ArchiveReader reader(bytes, converter);
  vantrel::SetupData settings;
  if (settings.Load(reader, boxes) != vantrel::SetupData::LoadResult::kLoaded) return 0;

  const std::string stored = Stored(settings);
  vantrel::ArchiveReader again(stored, converter);
  vantrel::SetupData reloaded;
  if (reloaded.Load(again, boxes) != vantrel::SetupData::LoadResult::kLoaded ||
      Stored(reloaded) != stored) {
    std::abort();
  }
  return 0;
}
