// Information files: the ".cal" files delivered beside the executable, each
// holding an HTML text for each day of the year, packed with LZO1X; and the
// packed pages ("Anyo_2007.cal", "ExpImp.cal"), one whole HTML page packed.
//
// An information file, little-endian:
//   0     the 120-byte InfoFileHeader
//   120   DayStart[1..367]: DayStart[d] at 116 + 4 d, the offset in the
//         unpacked text of the first character of the text of DayIndex d;
//         DayStart[367] closes the text of 366
//   1588  4 bytes not read
//   1592  PackedSize bytes: one LZO1X stream
// The unpacked text is "+" text(1) "+" text(2) ... "+" text(366) "+"; a day
// whose text has fewer than 5 characters has none.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"

struct InfoFileHeader {
  uint32_t FileId;            // nonzero and unique; never YearOverviewId
  uint32_t SelectionOrder;    // 0 not on the today list, k >= 1 the k-th file on it
  char FileName[30];          // the file's own name, NUL-terminated
  char Title[66];             // NUL-terminated, shown in the lists and on the whole-file page
  uint32_t TextSize;          // length of the unpacked text, the last "+" included
  uint32_t PackedSize;        // length of the packed text at PackedTextOffset
  uint32_t WholeViewAllowed;  // 0: the file serves only the today page
  uint32_t FormatMarker;      // InfoFormatMarker in every information file
};
static_assert(sizeof(InfoFileHeader) == 120);
static_assert(offsetof(InfoFileHeader, SelectionOrder) == 4);
static_assert(offsetof(InfoFileHeader, FileName) == 8);
static_assert(offsetof(InfoFileHeader, Title) == 38);
static_assert(offsetof(InfoFileHeader, TextSize) == 104);
static_assert(offsetof(InfoFileHeader, PackedSize) == 108);
static_assert(offsetof(InfoFileHeader, WholeViewAllowed) == 112);
static_assert(offsetof(InfoFileHeader, FormatMarker) == 116);

constexpr uint32_t InfoFormatMarker = 12;
constexpr uint32_t YearOverviewId = 100;  // the year overview entry of the year data list
constexpr uint32_t DayStartOffset = 116;  // DayStart[d] at DayStartOffset + 4 d, d = 1..367
constexpr uint32_t DayStartCount = 367;
constexpr uint32_t PackedTextOffset = 1592;
constexpr uint32_t UnpackBufferSize = 278595;  // every unpacked text and page is shorter
constexpr int MinDayTextLength = 5;            // a shorter text is no text

// The today selection, behind the settings record in the settings file: a
// count, then that many header copies in selection order.
constexpr uint32_t TodaySelectionCountOffset = SettingsRecordSize;
constexpr uint32_t TodaySelectionOffset = SettingsRecordSize + 4;
static_assert(TodaySelectionCountOffset == 280);

// The packed pages.
constexpr const char* YearOverviewPackedName = "Anyo_2007.cal";
constexpr const char* YearOverviewPageName = "Anyo_2007.htm";
constexpr const char* FormatsPackedName = "ExpImp.cal";
constexpr const char* FormatsPageName = "ExpImp.htm";

// Number of entries of the program directory whose names end in ".cal",
// directories included; 0 when there are none.
int CountInfoFiles();
// Fills at most n slots, in the order of the directory listing, with the
// headers of the information files: archived, a "7" before the extension,
// FormatMarker 12 and a FileName ending within its field (a Title need not).
// A file of another format takes a slot that stays zero; a file that cannot be read is told and takes none.
void ScanInfoFiles(InfoFileHeader* slots, int n);

// The title of a header, up to its NUL or the end of its field.
std::string TitleText(const InfoFileHeader& header);

// The file of the header is read whole and unpacked again for every use;
// "Fallo al descomprimir" refuses a packed text that does not decode within
// the buffer, a DayStart table that does not ascend within the unpacked
// text, and a PackedSize past the end of the file.
// The text of DayIndex d (1..366), or "" when the day has none; 1 when read,
// else 0 after the message. Reads only the table when the day has no text;
// the header's TextSize plays no part.
int ReadDayText(const InfoFileHeader& header, int d, std::string* text);
// Calls yield (DayIndex, text) for every day closed within the first
// TextSize characters that has a text, in ascending order; 1 when the file
// was read, else 0 after the message (also for a TextSize longer than the
// unpacked text).
int WalkDayTexts(const InfoFileHeader& header, const std::function<void(int, std::string_view)>& yield);

// Unpacks the packed page source into the HTML file target (created anew);
// 1 when written, else 0 after the message (none for an empty source).
int UnpackPackedPage(const char* source, const char* target);

// The headers of the today selection, in their order, and their number;
// -1 when the settings file cannot be read (that failure told).
int ReadTodaySelection(std::vector<InfoFileHeader>* headers);
// Stores the chosen headers (SelectionOrder and FileId nonzero) of the array,
// in its order, as the today selection; 1 when saved, else 0 after the
// message, with the stored count unchanged.
int SaveTodaySelection(const InfoFileHeader* headers, int count);
// SelectionOrder of a minus that of b: ascending selection order.
int CompareSelectionOrder(const InfoFileHeader& a, const InfoFileHeader& b);
// Orders the array by selection order, saves the today selection and
// rewrites the header of every listed file; 1 when the last write succeeded.
int ApplyTodaySelection(InfoFileHeader* headers, int count);
