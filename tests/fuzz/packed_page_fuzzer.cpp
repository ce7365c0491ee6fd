// Any bytes as a packed page, unpacked into its HTML file.
#include <string>

#include "fuzz_dir.h"
#include "infofiles/info_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = FuzzDir();
  const std::string source = dir + "Anyo_2007.cal", target = dir + "Anyo_2007.htm";
  WriteFuzzFile(source, data, size);
  UnpackPackedPage(source.c_str(), target.c_str());
  return 0;
}
