// The files installed beside Oristel.exe, as the data tool writes them from
// the sources in data/.
#pragma once
#include <string>
#include <vector>

#include "base/settings.h"
#include "info_packer.h"

// The three information files, in their selection order.
int InfoFileSources(const std::string& dataDir, std::vector<InfoFileSource>* sources);

// The settings record of data/settings.txt ("Name = value" lines) over the
// program's defaults, with the own holidays of its region; 1 when every line
// was understood, else 0 after the message.
int ReadSettingsSource(const std::string& path, CalendarSettings* s);

// The images beside the pages, by file name.
struct DeliveredImage {
  const char* FileName;
  int Phase;  // 1..4 a moon phase, 0 the ISO picture
};
constexpr DeliveredImage DeliveredImages[] = {
    {"iso.gif", 0}, {"l1.gif", 1}, {"l2.gif", 2}, {"l3.gif", 3}, {"l4.gif", 4},
};

// Writes every installed file into programDir: cal_2007.op (the settings
// record and the today selection of the three information files),
// cal_notas.dat, the information files, the two packed pages and the
// images; 1 when all were written, else 0 after the message.
int WriteDeliveredFiles(const std::string& dataDir, const std::string& programDir);
