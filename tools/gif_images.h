// The images the pages name: "iso.gif" before the ISO dates and "l1.gif" ..
// "l4.gif" for the moon phases, drawn here and written with giflib.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int ImageSize = 16;

// A palette image: ImageSize x ImageSize indices into Colors (0xRRGGBB);
// index 0 is transparent.
struct PaletteImage {
  std::vector<uint32_t> Colors;
  std::vector<uint8_t> Pixels;  // row by row from the top
};

// The moon of the phase 1 new, 2 first quarter, 3 full, 4 last quarter.
PaletteImage DrawMoonImage(int phase);
// A small calendar sheet with the letters of the ISO dates.
PaletteImage DrawIsoImage();

// Writes the image as a GIF with a transparent background; 1 when written,
// else 0 after the message.
int WriteGif(const std::string& path, const PaletteImage& image);
