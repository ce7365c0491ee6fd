// The LZO library the build links (Debian's natively, the static one from
// Debian's source for Windows) packs and unpacks LZO1X as the data files use it.
#include <gtest/gtest.h>
#include <lzo/lzo1x.h>

#include <string>
#include <vector>

TEST(Lzo, PacksAndUnpacksAPage) {
  ASSERT_EQ(lzo_init(), LZO_E_OK);
  std::string page;
  for (int i = 0; i < 400; ++i) page += "<p>D\xED" "a " + std::to_string(i % 31 + 1) + " de marzo</p>\r\n";
  const auto* bytes = reinterpret_cast<const unsigned char*>(page.data());
  std::vector<unsigned char> packed(page.size() + page.size() / 16 + 64 + 3), work(LZO1X_1_MEM_COMPRESS);
  std::vector<unsigned char> unpacked(page.size());
  lzo_uint packedSize = packed.size(), unpackedSize = unpacked.size();
  ASSERT_EQ(lzo1x_1_compress(bytes, page.size(), packed.data(), &packedSize, work.data()), LZO_E_OK);
  EXPECT_LT(packedSize, page.size() / 4);
  ASSERT_EQ(lzo1x_decompress_safe(packed.data(), packedSize, unpacked.data(), &unpackedSize, nullptr), LZO_E_OK);
  EXPECT_EQ(std::string(unpacked.begin(), unpacked.begin() + unpackedSize), page);
  // A damaged stream is refused, not overrun.
  packed[packedSize / 2] ^= 0xFF;
  unpackedSize = unpacked.size();
  lzo1x_decompress_safe(packed.data(), packedSize, unpacked.data(), &unpackedSize, nullptr);
  EXPECT_LE(unpackedSize, unpacked.size());
}
