// Information files made for the tests: day texts joined with their
// separators, packed with LZO1X, with a header and a DayStart table.
#pragma once
#include <lzo/lzo1x.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "infofiles/info_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

using Bytes = std::vector<unsigned char>;

// An unpacked text and its DayStart table ([1..367]; [0] unused).
struct RawText {
  std::string Text;
  std::vector<uint32_t> DayStart;
};

// "+" text(1) "+" ... "+" text(366) "+", the days not given empty.
inline RawText JoinDays(const std::map<int, std::string>& days) {
  RawText raw{"", std::vector<uint32_t>(DayStartCount + 1, 0)};
  for (uint32_t d = 1; d <= DayStartCount; ++d) {
    raw.Text += '+';
    raw.DayStart[d] = static_cast<uint32_t>(raw.Text.size());
    if (auto it = days.find(static_cast<int>(d)); it != days.end()) raw.Text += it->second;
  }
  return raw;
}

inline Bytes Pack(const std::string& text) {
  Bytes packed(text.size() + text.size() / 16 + 64 + 3), work(LZO1X_1_MEM_COMPRESS);
  lzo_uint size = packed.size();
  EXPECT_EQ(lzo1x_1_compress(reinterpret_cast<const unsigned char*>(text.data()), text.size(), packed.data(), &size,
                             work.data()),
            LZO_E_OK);
  packed.resize(size);
  return packed;
}

struct InfoFileLayout {
  std::string Name;
  uint32_t Id;
  std::string Title;
  RawText Raw;
  InfoFileHeader Header{};
  Bytes Packed;
};

// Packs the text and fills in the header.
inline void PackInfoFile(InfoFileLayout* f) {
  f->Packed = Pack(f->Raw.Text);
  InfoFileHeader& h = f->Header;
  h.FileId = f->Id;
  std::snprintf(h.FileName, sizeof h.FileName, "%s", f->Name.c_str());
  std::snprintf(h.Title, sizeof h.Title, "%s", f->Title.c_str());
  h.TextSize = static_cast<uint32_t>(f->Raw.Text.size());
  h.PackedSize = static_cast<uint32_t>(f->Packed.size());
  h.WholeViewAllowed = 1;
  h.FormatMarker = InfoFormatMarker;
}

// Writes the file as the description stands (damaged or not); returns its header.
inline InfoFileHeader WriteLayout(const std::filesystem::path& dir, const InfoFileLayout& f) {
  Bytes file(PackedTextOffset, 0);
  std::memcpy(file.data(), &f.Header, sizeof f.Header);
  std::memcpy(file.data() + DayStartOffset + 4, &f.Raw.DayStart[1], DayStartCount * 4);
  file.insert(file.end(), f.Packed.begin(), f.Packed.end());
  std::ofstream((dir / f.Name).string(), std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return f.Header;
}

inline InfoFileHeader WriteInfoFile(const std::filesystem::path& dir, InfoFileLayout f) {
  PackInfoFile(&f);
  return WriteLayout(dir, f);
}

// Makes the directory search report the file without the archive bit;
// false where that cannot be (Wine shows every Unix file archived).
inline bool ClearArchiveBit(const std::string& path) {
#ifdef _WIN32
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return !(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_ARCHIVE);
#else
  return chmod(path.c_str(), 0744) == 0;
#endif
}
