// Any bytes as a packed page, unpacked into its HTML file.
#include "fuzz_dir.h"
#include "infofiles/info_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UnpackPackedPage(FromMemory("Anyo_2007.cal", data, size).c_str(), (FuzzDir() + "Anyo_2007.htm").c_str());
  return 0;
}
