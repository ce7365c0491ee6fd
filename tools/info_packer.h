// Packing of the delivered files: UTF-8 sources to Windows-1252, LZO1X-999
// streams, and the information file layout (header, DayStart table, text).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "infofiles/info_file.h"

using Bytes = std::vector<unsigned char>;
// The HTML text of each DayIndex: [1..366], Windows-1252, "" for no text.
using DayTexts = std::vector<std::string>;
constexpr int DayTextSlots = 367;

// The Windows-1252 bytes of the UTF-8 text; 1 when every character has one,
// else 0 after naming the first that has none (where names the source).
int Utf8ToCp1252(std::string_view utf8, const std::string& where, std::string* out);

// The text packed as one LZO1X stream, with the best ratio (LZO1X-999).
Bytes PackLzo999(std::string_view text);

// An information file to pack.
struct InfoFileSource {
  uint32_t FileId;
  uint32_t SelectionOrder;
  uint32_t WholeViewAllowed;
  std::string FileName;
  std::string Title;  // Windows-1252
  DayTexts Days;
};

// "+" text(1) "+" ... "+" text(366) "+" and its DayStart table ([1..367]).
std::string JoinDayTexts(const DayTexts& days, std::vector<uint32_t>* dayStart);
// The whole file and its header; 1 when written, else 0 after the message
// (a day text with "+", a NUL or fewer than MinDayTextLength characters, a
// name or title too long for its field, a text too large to unpack).
int BuildInfoFile(const InfoFileSource& source, Bytes* file, InfoFileHeader* header);
