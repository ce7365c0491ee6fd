// Any bytes as a packed page, unpacked into its HTML file.
#include "fuzz_dir.h"
#include "infofiles/info_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string source = FromMemory("Anyo_2007.cal", data, size), target = FuzzDir() + "Anyo_2007.htm";
  UnpackPackedPage(source.c_str(), target.c_str());
  return 0;
}
