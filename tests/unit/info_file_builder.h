// Information files made for the tests: day texts joined with their
// separators, packed with LZO1X, with a header and a DayStart table.
#pragma once
#include <lzo/lzo1x.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "infofiles/info_file.h"

inline Bytes Pack(const std::string& text) {
  Bytes packed(text.size() + text.size() / 16 + 64 + 3), work(LZO1X_1_MEM_COMPRESS);
  lzo_uint size = packed.size();
  lzo1x_1_compress(reinterpret_cast<const unsigned char*>(text.data()), text.size(), packed.data(), &size, work.data());
  packed.resize(size);
  return packed;
}

// "+" text(1) "+" ... "+" text(366) "+" (the days not given empty), its
// DayStart table ([1..367]), the packed text and the header.
struct InfoFileLayout {
  std::string Text;
  std::vector<uint32_t> DayStart;
  InfoFileHeader Header;
  Bytes Packed;
};

// before and after stand outside the days' texts: ahead of the first "+"
// and behind the last.
inline InfoFileLayout Layout(const char* name, uint32_t id, const char* title, const std::map<int, std::string>& days,
                             const std::string& before = "", const std::string& after = "") {
  InfoFileLayout f{before, std::vector<uint32_t>(DayStartCount + 1), {id, 0, {}, {}, 0, 0, 1, InfoFormatMarker}, {}};
  for (uint32_t d = 1; d <= DayStartCount; ++d) {
    f.DayStart[d] = static_cast<uint32_t>((f.Text += '+').size());
    if (days.count(d)) f.Text += days.at(d);
  }
  f.Text += after;
  std::snprintf(f.Header.FileName, sizeof f.Header.FileName, "%s", name);
  std::snprintf(f.Header.Title, sizeof f.Header.Title, "%s", title);
  f.Packed = Pack(f.Text);
  f.Header.TextSize = static_cast<uint32_t>(f.Text.size());
  f.Header.PackedSize = static_cast<uint32_t>(f.Packed.size());
  return f;
}

// Writes the file as the layout stands (damaged or not); returns its header.
inline InfoFileHeader WriteLayout(const std::filesystem::path& dir, const InfoFileLayout& f) {
  Bytes file(PackedTextOffset, 0);
  std::memcpy(file.data(), &f.Header, sizeof f.Header);
  std::memcpy(file.data() + DayStartOffset + 4, &f.DayStart[1], DayStartCount * 4);
  file.insert(file.end(), f.Packed.begin(), f.Packed.end());
  const std::string name(f.Header.FileName, strnlen(f.Header.FileName, sizeof f.Header.FileName));
  WriteBytes((dir / name).string(), file);
  return f.Header;
}

inline InfoFileHeader WriteInfoFile(const std::filesystem::path& dir, const char* name, uint32_t id, const char* title,
                                    const std::map<int, std::string>& days) {
  return WriteLayout(dir, Layout(name, id, title, days));
}
