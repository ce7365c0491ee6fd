#include "info_packer.h"

#include <lzo/lzo1x.h>

#include <cstdio>
#include <cstring>

#include "exchange/ical_exchange.h"

int Utf8ToCp1252(std::string_view utf8, const std::string& where, std::string* out) {
  out->clear();
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    int ok = length > 0 && i + length <= utf8.size();
    for (int k = 1; ok && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      ok = (next >> 6) == 2;
      c = (c << 6) | (next & 0x3F);
    }
    // The delivered texts hold no C1 controls: a code point of 0x80..0x9F is refused.
    const unsigned char byte = ok && (c < 0x80 || c >= 0xA0) ? Cp1252Byte(c) : 0;
    if (!ok || (byte == 0 && c != 0)) {
      std::fprintf(stderr, "oristel_data: %s: byte %zu: no Windows-1252 character for it\n", where.c_str(), i);
      return 0;
    }
    out->push_back(static_cast<char>(byte));
    i += length;
  }
  return 1;
}

Bytes PackLzo999(std::string_view text) {
  Bytes packed(text.size() + text.size() / 16 + 64 + 3), work(LZO1X_999_MEM_COMPRESS);
  lzo_uint size = packed.size();
  lzo1x_999_compress(reinterpret_cast<const unsigned char*>(text.data()), text.size(), packed.data(), &size,
                     work.data());
  packed.resize(size);
  return packed;
}

std::string JoinDayTexts(const DayTexts& days, std::vector<uint32_t>* dayStart) {
  std::string text;
  dayStart->assign(DayStartCount + 1, 0);
  for (uint32_t d = 1; d <= DayStartCount; ++d) {
    text += '+';
    (*dayStart)[d] = static_cast<uint32_t>(text.size());
    if (d < days.size()) text += days[d];
  }
  return text;
}

// 1 when every day text can stand between two separators.
static int DayTextsSound(const InfoFileSource& source) {
  if (source.Days.size() != DayTextSlots) {
    std::fprintf(stderr, "oristel_data: %s: %zu day slots\n", source.FileName.c_str(), source.Days.size());
    return 0;
  }
  for (int d = 1; d < DayTextSlots; ++d) {
    const std::string& t = source.Days[d];
    if (t.empty()) continue;
    if (t.find('+') != std::string::npos || t.find('\0') != std::string::npos ||
        t.size() < static_cast<size_t>(MinDayTextLength)) {
      std::fprintf(stderr, "oristel_data: %s: the text of DayIndex %d cannot be stored: %s\n", source.FileName.c_str(),
                   d, t.c_str());
      return 0;
    }
  }
  return 1;
}

int BuildInfoFile(const InfoFileSource& source, Bytes* file, InfoFileHeader* header) {
  *header = {};
  if (!DayTextsSound(source)) return 0;
  if (source.FileName.size() >= sizeof header->FileName || source.Title.size() >= sizeof header->Title) {
    std::fprintf(stderr, "oristel_data: %s: name or title too long\n", source.FileName.c_str());
    return 0;
  }
  std::vector<uint32_t> dayStart;
  const std::string text = JoinDayTexts(source.Days, &dayStart);
  if (text.size() >= UnpackBufferSize) {
    std::fprintf(stderr, "oristel_data: %s: text of %zu bytes\n", source.FileName.c_str(), text.size());
    return 0;
  }
  const Bytes packed = PackLzo999(text);
  header->FileId = source.FileId;
  header->SelectionOrder = source.SelectionOrder;
  std::memcpy(header->FileName, source.FileName.data(), source.FileName.size());
  std::memcpy(header->Title, source.Title.data(), source.Title.size());
  header->TextSize = static_cast<uint32_t>(text.size());
  header->PackedSize = static_cast<uint32_t>(packed.size());
  header->WholeViewAllowed = source.WholeViewAllowed;
  header->FormatMarker = InfoFormatMarker;
  file->assign(PackedTextOffset, 0);
  std::memcpy(file->data(), header, sizeof *header);
  std::memcpy(file->data() + DayStartOffset + 4, &dayStart[1], DayStartCount * 4);
  file->insert(file->end(), packed.begin(), packed.end());
  return 1;
}
