// The notes' Windows-1252 and iCalendar's UTF-8.
#include <cstdint>

#include "exchange/ical_exchange.h"

// The code points of Windows-1252's bytes 0x80..0x9F (the others are those of
// Latin-1); the five bytes without a character stand for the C1 controls of
// the same number, as Windows maps them.
static constexpr uint16_t kHighCodes[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char* PutCp1252AsUtf8(char* out, unsigned char byte) {
  const uint32_t c = byte >= 0x80 && byte < 0xA0 ? kHighCodes[byte - 0x80] : byte;
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | c >> 6);
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | c >> 12);
    *out++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::string Cp1252ToUtf8(const char* text) {
  std::string out;
  char utf8[3];
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
    out.append(utf8, PutCp1252AsUtf8(utf8, *p));
  return out;
}

unsigned char Cp1252Byte(uint32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHighCodes[i] == c) return static_cast<unsigned char>(0x80 + i);
  return 0;
}

std::string Utf8ToCp1252(const char* text) {
  std::string out;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    // The sequence's length by its lead byte, and the smallest code point it
    // may carry (a longer form of a smaller one is not valid UTF-8).
    const unsigned char lead = *p;
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0) {  // a continuation byte without its lead, or 0xF8..0xFF
      ++p;
      continue;
    }
    uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    int i = 1;
    for (; i < length && (p[i] & 0xC0) == 0x80; ++i) c = c << 6 | (p[i] & 0x3F);
    static constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = i == length && c >= kSmallest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    p += i;  // a broken sequence is dropped up to the byte that broke it
    if (!valid) continue;
    if (const unsigned char byte = Cp1252Byte(c)) out += static_cast<char>(byte);
  }
  return out;
}
