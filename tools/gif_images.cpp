#include "gif_images.h"

#include <gif_lib.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

// Palette indices shared by the pictures.
enum : uint8_t { Clear = 0, Outline = 1, Shadow = 2, Light = 3, Sheet = 4, Band = 5, Ink = 6, LightRim = 7 };
static const std::vector<uint32_t> kColors = {
    // Clear, Outline, Shadow, Light, Sheet, Band, Ink, LightRim (0xRRGGBB)
    0xF7F7EF, 0x5A5A6E, 0x34344A, 0xF2DE7A, 0xFFFFFF, 0xC00000, 0x303030, 0xC9AE4A,
};

PaletteImage DrawMoonImage(int phase) {
  PaletteImage image{kColors, std::vector<uint8_t>(ImageSize * ImageSize, Clear)};
  const double centre = ImageSize / 2.0, radius = ImageSize / 2.0 - 1.0;
  for (int y = 0; y < ImageSize; ++y)
    for (int x = 0; x < ImageSize; ++x) {
      const double dx = x + 0.5 - centre, dy = y + 0.5 - centre, r2 = dx * dx + dy * dy;
      if (r2 > radius * radius) continue;
      // Seen from the north: the first quarter is lit on the right, the last on the left.
      const bool lit = phase == 3 || (phase == 2 && dx > 0) || (phase == 4 && dx < 0);
      const bool rim = r2 > (radius - 1) * (radius - 1);
      image.Pixels[y * ImageSize + x] = rim ? (lit ? LightRim : Outline) : lit ? Light : Shadow;
    }
  return image;
}

PaletteImage DrawIsoImage() {
  PaletteImage image{kColors, std::vector<uint8_t>(ImageSize * ImageSize, Clear)};
  auto set = [&](int x, int y, uint8_t c) { image.Pixels[y * ImageSize + x] = c; };
  for (int y = 1; y < 15; ++y)  // the sheet with its frame and a red band on top
    for (int x = 1; x < 15; ++x) set(x, y, x == 1 || x == 14 || y == 14 ? Outline : y <= 4 ? Band : Sheet);
  // "ISO" in a 3 x 5 font on the sheet
  static const char* const kLetters[5] = {
      "### ### ###", " #  #   # #", " #  ### # #", " #    # # #", "### ### ###",
  };
  for (int row = 0; row < 5; ++row)
    for (int column = 0; kLetters[row][column]; ++column)
      if (kLetters[row][column] == '#') set(2 + column, 7 + row, Ink);
  return image;
}

int WriteGif(const std::string& path, const PaletteImage& image) {
  int error = 0;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  GifFileType* gif = fd < 0 ? nullptr : EGifOpenFileHandle(fd, &error);
  if (!gif) {
    if (fd >= 0) close(fd);
    std::fprintf(stderr, "oristel_data: cannot write %s: %s\n", path.c_str(), GifErrorString(error));
    return 0;
  }
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(image.Colors.size()), nullptr);
  for (size_t i = 0; i < image.Colors.size(); ++i)
    map->Colors[i] = {static_cast<GifByteType>(image.Colors[i] >> 16), static_cast<GifByteType>(image.Colors[i] >> 8),
                      static_cast<GifByteType>(image.Colors[i])};
  GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, Clear};
  GifByteType extension[4];
  const size_t extensionSize = EGifGCBToExtension(&control, extension);
  EGifSetGifVersion(gif, true);  // GIF89a, for the transparent colour
  int ok = EGifPutScreenDesc(gif, ImageSize, ImageSize, 8, Clear, map) == GIF_OK &&
           EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionSize), extension) == GIF_OK &&
           EGifPutImageDesc(gif, 0, 0, ImageSize, ImageSize, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < ImageSize; ++y)
    ok = EGifPutLine(gif, const_cast<GifPixelType*>(&image.Pixels[y * ImageSize]), ImageSize) == GIF_OK;
  GifFreeMapObject(map);
  if (EGifCloseFile(gif, &error) != GIF_OK) ok = 0;
  if (!ok) std::fprintf(stderr, "oristel_data: cannot write %s\n", path.c_str());
  return ok;
}
