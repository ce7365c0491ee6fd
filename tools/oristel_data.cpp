// Writes the files installed beside Oristel.exe from the sources in data/:
//   oristel_data <data-dir> <program-dir>
// cal_2007.op     the settings record as the first run expects it, followed
//                 by the today selection of the three information files;
// cal_notas.dat   an empty notes store;
// Sol_2007.cal, Festivos_2007.cal, DiasMundiales_2007.cal
//                 the information files;
// Anyo_2007.cal, ExpImp.cal
//                 the year overview and the page on the export formats;
// iso.gif, l1.gif .. l4.gif
//                 the images the pages name.
#include <cstdio>

#include "delivered_files.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: oristel_data <data-dir> <program-dir>\n");
    return 2;
  }
  return WriteDeliveredFiles(argv[1], argv[2]) ? 0 : 1;
}
