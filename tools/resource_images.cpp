// resource_images: draws Oristel's image resources.
//
//   resource_images <data-dir> <out-dir>
//
// Reads the flag designs from <data-dir>/flags.txt and the icon's from
// <data-dir>/icon32.txt and icon16.txt, and writes into <out-dir>:
//   flags.bmp     the flag strip: 900 x 31, 8 bits per pixel, twenty 45 x 31
//                 tiles side by side, tile k - 1 for community code k;
//   template.bmp  4 x 1, 24 bits per pixel (fixes the off-screen pixel format);
//   oristel.ico   the program icon, 32 x 32 and 16 x 16, 32-bit with alpha;
//   hand.cur      the pointing-hand cursor, 32 x 32 monochrome.
// Exits with 0 when every file was written, 1 after printing what went wrong.
//
// Drawing language (flags.txt and the icon designs). One command a
// line; a line whose first word starts with '#' is a comment. Coordinates are
// pixels of the picture, origin at the top left, x towards the fly, y down;
// pixel (i, j) covers [i, i + 1) x [j, j + 1). Numbers may have decimals.
// COLOUR is #RRGGBB or #RRGGBBAA (alpha, FF opaque). Later commands paint over
// earlier ones; edges are anti-aliased from 4 x 4 samples a pixel.
//   flag CODE NAME...             starts the tile of community CODE (1..20)
//   fill COLOUR                   the whole picture
//   rect X0 Y0 X1 Y1 COLOUR
//   frame X0 Y0 X1 Y1 W COLOUR    outline W wide, inside the rectangle
//   hstripes Y0 Y1 N COLOUR...    N full-width stripes between Y0 and Y1 on
//                                 whole-pixel boundaries, colours in turn
//   vstripes X0 X1 N COLOUR...    the same, full-height, between X0 and X1
//   line X0 Y0 X1 Y1 W COLOUR     a band W wide along the segment, square ends
//   ellipse CX CY RX RY COLOUR
//   disc CX CY R COLOUR
//   star CX CY R COLOUR           five points, one straight up, outer radius R
//   poly X Y X Y X Y ... COLOUR   a polygon, even-odd filling
//   shield X0 Y0 X1 Y1 COLOUR     square top, round bottom
//   castle X0 Y0 X1 Y1 COLOUR DOOR  three towers; door and windows in DOOR
//   crown X0 Y0 X1 Y1 COLOUR      band and three points
//   lion X0 Y0 X1 Y1 COLOUR       rampant, facing the hoist
//   clip rect|shield X0 Y0 X1 Y1  later commands paint only inside it
//   clip off

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"
#include "view/layout.h"

namespace {

// One tile a community, as the calendar window shows it.
constexpr int kTileWidth = FlagTileWidth;
constexpr int kTileHeight = FlagTileHeight;
constexpr int kTileCount = CommunityCount;
constexpr int kSamples = 4;  // anti-aliasing samples along each pixel side

// ---------------------------------------------------------------- shapes

struct Colour {
  double r, g, b;  // 0..255
  double a;        // 0..1
};

enum class Kind { Rect, Ellipse, Polygon, Band, Shield };

// Rect: x0 y0 x1 y1. Ellipse: cx cy rx ry. Polygon: x y pairs.
// Band: x0 y0 x1 y1 width. Shield: x0 y0 x1 y1.
struct Shape {
  Kind kind;
  std::vector<double> v;
};

struct Paint {
  Shape shape;
  std::optional<Shape> clip;
  Colour colour;
};

using Design = std::vector<Paint>;

// Whether the point lies inside the shape.
bool Contains(const Shape& s, double x, double y) {
  const std::vector<double>& v = s.v;
  switch (s.kind) {
    case Kind::Rect:
      return x >= v[0] && x < v[2] && y >= v[1] && y < v[3];
    case Kind::Ellipse: {
      const double dx = (x - v[0]) / v[2], dy = (y - v[1]) / v[3];
      return dx * dx + dy * dy <= 1.0;
    }
    case Kind::Polygon: {
      bool inside = false;
      const size_t n = v.size() / 2;
      for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = v[2 * i], yi = v[2 * i + 1];
        const double xj = v[2 * j], yj = v[2 * j + 1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
      }
      return inside;
    }
    case Kind::Band: {
      const double dx = v[2] - v[0], dy = v[3] - v[1];
      const double length = std::hypot(dx, dy);
      if (length == 0.0) return false;
      const double along = ((x - v[0]) * dx + (y - v[1]) * dy) / length;
      const double across = ((x - v[0]) * dy - (y - v[1]) * dx) / length;
      return along >= 0.0 && along <= length && std::fabs(across) <= v[4] / 2.0;
    }
    case Kind::Shield: {
      if (x < v[0] || x >= v[2] || y < v[1] || y >= v[3]) return false;
      const double radius = (v[2] - v[0]) / 2.0;
      const double round_top = std::max(v[1], v[3] - radius);
      if (y < round_top) return true;
      const double dx = (x - (v[0] + radius)) / radius;
      const double dy = (y - round_top) / (v[3] - round_top);
      return dx * dx + dy * dy <= 1.0;
    }
  }
  return false;
}

// A polygon given in the unit square, placed into the box (x0, y0)-(x1, y1).
Shape PlaceUnitPolygon(const std::vector<double>& unit, double x0, double y0, double x1, double y1) {
  Shape s{Kind::Polygon, {}};
  for (size_t i = 0; i + 1 < unit.size(); i += 2) {
    s.v.push_back(x0 + unit[i] * (x1 - x0));
    s.v.push_back(y0 + unit[i + 1] * (y1 - y0));
  }
  return s;
}

Shape MakeRect(double x0, double y0, double x1, double y1) { return Shape{Kind::Rect, {x0, y0, x1, y1}}; }

// The castle's outline on a grid of 11 columns by 10 rows, so that a castle
// 11 pixels wide and 10 high falls on whole pixels: a wall with a tall middle
// tower and two side towers, each with a notch in its battlement.
const std::vector<double> kCastleOutline = [] {
  const int grid[][2] = {{0, 10}, {0, 3}, {1, 3}, {1, 4}, {2, 4},  {2, 3},  {3, 3},  {3, 5},
                         {4, 5},  {4, 0}, {5, 0}, {5, 1}, {6, 1},  {6, 0},  {7, 0},  {7, 5},
                         {8, 5},  {8, 3}, {9, 3}, {9, 4}, {10, 4}, {10, 3}, {11, 3}, {11, 10}};
  std::vector<double> unit;
  for (const auto& point : grid) {
    unit.push_back(point[0] / 11.0);
    unit.push_back(point[1] / 10.0);
  }
  return unit;
}();

// A crown: a band with three points between two lower ones.
const std::vector<double> kCrownOutline = {0.00, 1.00, 1.00, 1.00, 1.00, 0.25, 0.82, 0.55, 0.70, 0.15, 0.58,
                                           0.50, 0.50, 0.00, 0.42, 0.50, 0.30, 0.15, 0.18, 0.55, 0.00, 0.25};

// A rampant lion facing left: head at the top left, raised fore paws, tail
// curling up at the right, standing on its hind legs.
const std::vector<double> kLionOutline = {0.28, 0.02, 0.50, 0.00, 0.60, 0.14, 0.62, 0.34, 0.72, 0.56, 0.80, 0.62,
                                          0.86, 0.36, 0.80, 0.18, 0.90, 0.12, 1.00, 0.30, 0.94, 0.62, 0.84, 0.78,
                                          0.88, 1.00, 0.64, 1.00, 0.62, 0.86, 0.50, 1.00, 0.30, 1.00, 0.42, 0.80,
                                          0.38, 0.60, 0.18, 0.60, 0.04, 0.48, 0.14, 0.44, 0.28, 0.50, 0.30, 0.42,
                                          0.06, 0.34, 0.00, 0.24, 0.16, 0.26, 0.24, 0.22, 0.10, 0.16};

// ---------------------------------------------------------------- parsing

std::vector<std::string> SplitWords(const std::string& line) {
  std::istringstream in(line);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// Reads a number; 1 when the whole word is one, else 0.
int ParseNumber(const std::string& word, double& out) {
  if (word.empty()) return 0;
  char* end = nullptr;
  out = std::strtod(word.c_str(), &end);
  return end == word.c_str() + word.size() && std::isfinite(out) ? 1 : 0;
}

// Reads #RRGGBB or #RRGGBBAA; 1 when well formed, else 0.
int ParseColour(const std::string& word, Colour& out) {
  if ((word.size() != 7 && word.size() != 9) || word[0] != '#') return 0;
  unsigned channel[4] = {0, 0, 0, 255};
  for (size_t k = 0; 1 + 2 * k < word.size(); ++k) {
    unsigned value = 0;
    for (const char c : word.substr(1 + 2 * k, 2)) {
      if (c >= '0' && c <= '9')
        value = value * 16 + unsigned(c - '0');
      else if (c >= 'a' && c <= 'f')
        value = value * 16 + unsigned(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        value = value * 16 + unsigned(c - 'A' + 10);
      else
        return 0;
    }
    channel[k] = value;
  }
  out = Colour{double(channel[0]), double(channel[1]), double(channel[2]), channel[3] / 255.0};
  return 1;
}

// What a drawing command was given, and where its paints go.
struct CommandInput {
  const std::vector<double>& n;
  const std::vector<Colour>& c;
  int width, height;
  Design& design;
  const std::optional<Shape>& clip;
  void Paint(Shape shape, const Colour& colour) const { design.push_back({std::move(shape), clip, colour}); }
};

// Appends the command's paints; 0 when its values make no picture.
using CommandAction = int (*)(const CommandInput&);

struct DrawCommand {
  std::string_view name;
  int numbers;  // how many numbers; -1: pairs, three at least
  int colours;  // how many colours; -1: one or more
  CommandAction action;
};

int PaintStripes(const CommandInput& in, bool horizontal) {
  if (in.n[2] < 1) return 0;
  const double from = in.n[0], to = in.n[1];
  const int count = int(in.n[2]);
  for (int i = 0; i < count; ++i) {
    const double a = std::floor(from + i * (to - from) / count + 0.5);
    const double b = std::floor(from + (i + 1) * (to - from) / count + 0.5);
    const Colour& c = in.c[i % in.c.size()];
    in.Paint(horizontal ? MakeRect(-1, a, in.width + 1, b) : MakeRect(a, -1, b, in.height + 1), c);
  }
  return 1;
}

int PaintCastle(const CommandInput& in) {
  const double x0 = in.n[0], y0 = in.n[1], x1 = in.n[2], y1 = in.n[3];
  const double w = x1 - x0, h = y1 - y0;
  in.Paint(PlaceUnitPolygon(kCastleOutline, x0, y0, x1, y1), in.c[0]);
  in.Paint(MakeRect(x0 + w * 5 / 11, y0 + h * 7 / 10, x0 + w * 6 / 11, y1), in.c[1]);
  in.Paint(MakeRect(x0 + w * 5 / 11, y0 + h * 2 / 10, x0 + w * 6 / 11, y0 + h * 3 / 10), in.c[1]);
  return 1;
}

int PaintFrame(const CommandInput& in) {
  const double x0 = in.n[0], y0 = in.n[1], x1 = in.n[2], y1 = in.n[3], w = in.n[4];
  in.Paint(MakeRect(x0, y0, x1, y0 + w), in.c[0]);
  in.Paint(MakeRect(x0, y1 - w, x1, y1), in.c[0]);
  in.Paint(MakeRect(x0, y0 + w, x0 + w, y1 - w), in.c[0]);
  in.Paint(MakeRect(x1 - w, y0 + w, x1, y1 - w), in.c[0]);
  return 1;
}

int PaintStar(const CommandInput& in) {
  Shape star{Kind::Polygon, {}};
  const double pi = std::acos(-1.0);
  for (int i = 0; i < 10; ++i) {
    const double radius = in.n[2] * (i % 2 == 0 ? 1.0 : 0.382);
    const double angle = -pi / 2 + i * pi / 5;
    star.v.push_back(in.n[0] + radius * std::cos(angle));
    star.v.push_back(in.n[1] + radius * std::sin(angle));
  }
  in.Paint(std::move(star), in.c[0]);
  return 1;
}

// The drawing commands, by name.
constexpr DrawCommand kDrawCommands[] = {
    {"castle", 4, 2, PaintCastle},
    {"crown", 4, 1,
     [](const CommandInput& in) {
       in.Paint(PlaceUnitPolygon(kCrownOutline, in.n[0], in.n[1], in.n[2], in.n[3]), in.c[0]);
       return 1;
     }},
    {"disc", 3, 1,
     [](const CommandInput& in) {
       if (in.n[2] <= 0) return 0;
       in.Paint(Shape{Kind::Ellipse, {in.n[0], in.n[1], in.n[2], in.n[2]}}, in.c[0]);
       return 1;
     }},
    {"ellipse", 4, 1,
     [](const CommandInput& in) {
       if (in.n[2] <= 0 || in.n[3] <= 0) return 0;
       in.Paint(Shape{Kind::Ellipse, in.n}, in.c[0]);
       return 1;
     }},
    {"fill", 0, 1,
     [](const CommandInput& in) {
       in.Paint(MakeRect(-1, -1, in.width + 1, in.height + 1), in.c[0]);
       return 1;
     }},
    {"frame", 5, 1, PaintFrame},
    {"hstripes", 3, -1, [](const CommandInput& in) { return PaintStripes(in, true); }},
    {"line", 5, 1,
     [](const CommandInput& in) {
       in.Paint(Shape{Kind::Band, in.n}, in.c[0]);
       return 1;
     }},
    {"lion", 4, 1,
     [](const CommandInput& in) {
       in.Paint(PlaceUnitPolygon(kLionOutline, in.n[0], in.n[1], in.n[2], in.n[3]), in.c[0]);
       return 1;
     }},
    {"poly", -1, 1,
     [](const CommandInput& in) {
       in.Paint(Shape{Kind::Polygon, in.n}, in.c[0]);
       return 1;
     }},
    {"rect", 4, 1,
     [](const CommandInput& in) {
       in.Paint(MakeRect(in.n[0], in.n[1], in.n[2], in.n[3]), in.c[0]);
       return 1;
     }},
    {"shield", 4, 1,
     [](const CommandInput& in) {
       in.Paint(Shape{Kind::Shield, in.n}, in.c[0]);
       return 1;
     }},
    {"star", 3, 1, PaintStar},
    {"vstripes", 3, -1, [](const CommandInput& in) { return PaintStripes(in, false); }},
};
static_assert(std::ranges::is_sorted(kDrawCommands, {}, &DrawCommand::name));

const DrawCommand* FindDrawCommand(std::string_view name) {
  const auto it = std::ranges::lower_bound(kDrawCommands, name, {}, &DrawCommand::name);
  return it != std::end(kDrawCommands) && it->name == name ? &*it : nullptr;
}

// Turns one command (already split into words) into paints appended to the
// design, within the given picture size. Returns an empty string when done,
// else what is wrong with the command. `clip` carries the clip region from
// one command to the next.
std::string ParseCommand(const std::vector<std::string>& words, int width, int height, Design& design,
                         std::optional<Shape>& clip) {
  const std::string& name = words[0];
  std::vector<double> numbers;
  std::vector<Colour> colours;
  // Numbers first, then colours; nothing may follow the colours.
  for (size_t i = 1; i < words.size(); ++i) {
    double number;
    Colour colour;
    if (colours.empty() && ParseNumber(words[i], number))
      numbers.push_back(number);
    else if (ParseColour(words[i], colour))
      colours.push_back(colour);
    else if (!(name == "clip" && i == 1))
      return "bad word '" + words[i] + "'";
  }
  const std::string usage = "wrong number of values for '" + name + "'";

  if (name == "clip") {
    if (words.size() == 2 && words[1] == "off") {
      clip.reset();
      return "";
    }
    if (words.size() != 6 || !colours.empty() || numbers.size() != 4) return usage;
    if (words[1] == "rect")
      clip = MakeRect(numbers[0], numbers[1], numbers[2], numbers[3]);
    else if (words[1] == "shield")
      clip = Shape{Kind::Shield, numbers};
    else
      return "clip takes rect, shield or off";
    return "";
  }
  const DrawCommand* command = FindDrawCommand(name);
  if (!command) return "unknown command '" + name + "'";
  const bool numbersFit = command->numbers >= 0 ? numbers.size() == size_t(command->numbers)
                                                : numbers.size() >= 6 && numbers.size() % 2 == 0;
  const bool coloursFit = command->colours >= 0 ? colours.size() == size_t(command->colours) : !colours.empty();
  if (!numbersFit || !coloursFit || !command->action({numbers, colours, width, height, design, clip})) return usage;
  return "";
}

struct FlagDesign {
  int code = 0;  // 0 until its 'flag' line is read
  Design design;
};

// Reads flags.txt. Returns 1 with one design for each code 1..20 in `flags`
// (index code - 1); 0 after printing the first fault with its line number.
int ReadFlagDesigns(const std::filesystem::path& path, std::vector<FlagDesign>& flags) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "resource_images: cannot read %s\n", path.string().c_str());
    return 0;
  }
  flags.assign(kTileCount, FlagDesign{});
  FlagDesign* current = nullptr;
  std::optional<Shape> clip;
  std::string line;
  int number = 0;
  auto fail = [&](const std::string& message) {
    std::fprintf(stderr, "%s:%d: %s\n", path.string().c_str(), number, message.c_str());
    return 0;
  };
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty() || words[0][0] == '#') continue;
    if (words[0] == "flag") {
      double code;
      if (words.size() < 3 || !ParseNumber(words[1], code) || code != std::floor(code) || code < 1 || code > kTileCount)
        return fail("expected 'flag CODE NAME' with a code from 1 to 20");
      current = &flags[size_t(code) - 1];
      if (current->code != 0) return fail("community " + words[1] + " is drawn twice");
      current->code = int(code);
      clip.reset();
      continue;
    }
    if (current == nullptr) return fail("a drawing command before the first 'flag'");
    const std::string error = ParseCommand(words, kTileWidth, kTileHeight, current->design, clip);
    if (!error.empty()) return fail(error);
  }
  for (int code = 1; code <= kTileCount; ++code)
    if (flags[code - 1].code == 0) {
      std::fprintf(stderr, "%s: no drawing for community %d\n", path.string().c_str(), code);
      return 0;
    }
  return 1;
}

// Reads a design without 'flag' lines (an icon) of the given size; 1 when
// read, else 0 after printing the first fault with its line number.
int ReadDesign(const std::filesystem::path& path, int width, int height, Design& design) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "resource_images: cannot read %s\n", path.string().c_str());
    return 0;
  }
  std::optional<Shape> clip;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty() || words[0][0] == '#') continue;
    const std::string error = ParseCommand(words, width, height, design, clip);
    if (!error.empty()) {
      std::fprintf(stderr, "%s:%d: %s\n", path.string().c_str(), number, error.c_str());
      return 0;
    }
  }
  return 1;
}

// ---------------------------------------------------------------- drawing

struct Rgba {
  std::uint8_t r, g, b, a;
};

struct Image {
  int width = 0, height = 0;
  std::vector<Rgba> pixels;  // top row first
  Rgba& at(int x, int y) { return pixels[size_t(y) * width + x]; }
  const Rgba& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Draws the design on a transparent picture of the given size.
Image Render(const Design& design, int width, int height) {
  struct Sample {
    double r = 0, g = 0, b = 0, a = 0;  // premultiplied
  };
  const int sw = width * kSamples, sh = height * kSamples;
  std::vector<Sample> samples(size_t(sw) * sh);
  for (const Paint& paint : design) {
    const Colour& c = paint.colour;
    for (int sy = 0; sy < sh; ++sy) {
      const double y = (sy + 0.5) / kSamples;
      for (int sx = 0; sx < sw; ++sx) {
        const double x = (sx + 0.5) / kSamples;
        if (!Contains(paint.shape, x, y)) continue;
        if (paint.clip && !Contains(*paint.clip, x, y)) continue;
        Sample& s = samples[size_t(sy) * sw + sx];
        s.r = c.r * c.a + s.r * (1 - c.a);
        s.g = c.g * c.a + s.g * (1 - c.a);
        s.b = c.b * c.a + s.b * (1 - c.a);
        s.a = c.a + s.a * (1 - c.a);
      }
    }
  }
  Image image{width, height, std::vector<Rgba>(size_t(width) * height)};
  auto byte = [](double v) { return std::uint8_t(std::clamp(std::floor(v + 0.5), 0.0, 255.0)); };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Sample sum;
      for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i) {
          const Sample& s = samples[size_t(y * kSamples + j) * sw + (x * kSamples + i)];
          sum.r += s.r, sum.g += s.g, sum.b += s.b, sum.a += s.a;
        }
      Rgba& p = image.at(x, y);
      p.a = byte(sum.a / (kSamples * kSamples) * 255);
      if (sum.a > 0)
        p = Rgba{byte(sum.r / sum.a), byte(sum.g / sum.a), byte(sum.b / sum.a), p.a};
      else
        p = Rgba{0, 0, 0, 0};
    }
  return image;
}

// ---------------------------------------------------------------- palette

using Rgb = std::array<std::uint8_t, 3>;

struct Indexed {
  std::vector<Rgb> palette;         // at most 256 entries
  std::vector<std::uint8_t> index;  // one per pixel, top row first
};

// Reduces the picture's colours to at most 256. When there are more, the
// colours the designs name (`named`) keep exact entries and the blended edge
// colours share the rest by median cut; every pixel takes its nearest entry.
Indexed Quantise(const Image& image, const std::vector<Rgb>& named) {
  std::map<Rgb, long> histogram;
  for (const Rgba& p : image.pixels) ++histogram[Rgb{p.r, p.g, p.b}];

  Indexed out;
  if (histogram.size() <= 256) {
    for (const auto& [colour, count] : histogram) out.palette.push_back(colour);
  } else {
    for (const Rgb& c : named)
      if (histogram.count(c) && std::find(out.palette.begin(), out.palette.end(), c) == out.palette.end() &&
          out.palette.size() < 128)
        out.palette.push_back(c);
    using Box = std::vector<std::pair<Rgb, long>>;
    std::vector<Box> boxes(1);
    for (const auto& entry : histogram)
      if (std::find(out.palette.begin(), out.palette.end(), entry.first) == out.palette.end())
        boxes[0].push_back(entry);
    const size_t slots = 256 - out.palette.size();
    while (boxes.size() < slots) {
      // Split the box with the widest spread in one channel at its weighted median.
      int best = -1, best_channel = 0, best_range = 0;
      for (size_t b = 0; b < boxes.size(); ++b) {
        if (boxes[b].size() < 2) continue;
        for (int ch = 0; ch < 3; ++ch) {
          int lo = 255, hi = 0;
          for (const auto& [c, n] : boxes[b]) lo = std::min<int>(lo, c[ch]), hi = std::max<int>(hi, c[ch]);
          if (hi - lo > best_range) best = int(b), best_channel = ch, best_range = hi - lo;
        }
      }
      if (best < 0) break;
      Box& box = boxes[size_t(best)];
      std::sort(box.begin(), box.end(),
                [&](const auto& l, const auto& r) { return l.first[best_channel] < r.first[best_channel]; });
      long total = 0, running = 0;
      for (const auto& e : box) total += e.second;
      size_t cut = 1;
      for (; cut < box.size() - 1; ++cut) {
        running += box[cut - 1].second;
        if (2 * running >= total) break;
      }
      boxes.emplace_back(box.begin() + cut, box.end());
      boxes[size_t(best)].resize(cut);
    }
    for (const Box& box : boxes) {
      double sum[3] = {0, 0, 0};
      long total = 0;
      for (const auto& [c, n] : box) {
        for (int ch = 0; ch < 3; ++ch) sum[ch] += double(c[ch]) * n;
        total += n;
      }
      Rgb mean;
      for (int ch = 0; ch < 3; ++ch) mean[ch] = std::uint8_t(std::floor(sum[ch] / total + 0.5));
      out.palette.push_back(mean);
    }
  }

  std::map<Rgb, std::uint8_t> nearest;
  for (const auto& entry : histogram) {
    const Rgb& c = entry.first;
    long best_distance = -1;
    for (size_t i = 0; i < out.palette.size(); ++i) {
      const Rgb& p = out.palette[i];
      const long dr = c[0] - p[0], dg = c[1] - p[1], db = c[2] - p[2];
      const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (best_distance < 0 || d < best_distance) best_distance = d, nearest[c] = std::uint8_t(i);
    }
  }
  for (const Rgba& p : image.pixels) out.index.push_back(nearest[Rgb{p.r, p.g, p.b}]);
  return out;
}

// ---------------------------------------------------------------- file formats

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

constexpr std::uint32_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

// BITMAPINFOHEADER, uncompressed, 2835 pixels a metre (72 dpi).
void PutInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t image_size, std::uint32_t colours) {
  Put32(out, kInfoHeaderSize);
  Put32(out, std::uint32_t(width));
  Put32(out, std::uint32_t(height));
  Put16(out, 1);
  Put16(out, unsigned(bits));
  Put32(out, 0);
  Put32(out, image_size);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, colours);
  Put32(out, 0);
}

// Row length in bytes of a bitmap row, padded to whole 32-bit words.
std::uint32_t RowBytes(int width, int bits) { return (std::uint32_t(width) * bits + 31) / 32 * 4; }

void PutFileHeader(Bytes& out, std::uint32_t file_size, std::uint32_t bits_offset) {
  out.push_back('B');
  out.push_back('M');
  Put32(out, file_size);
  Put32(out, 0);
  Put32(out, bits_offset);
}

// An 8-bit bottom-up BMP with a full 256-entry palette.
Bytes EncodeIndexedBmp(int width, int height, const Indexed& picture) {
  const std::uint32_t row = RowBytes(width, 8);
  const std::uint32_t bits_offset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;
  Bytes out;
  PutFileHeader(out, bits_offset + row * height, bits_offset);
  PutInfoHeader(out, width, height, 8, row * height, 256);
  for (size_t i = 0; i < 256; ++i) {
    const Rgb c = i < picture.palette.size() ? picture.palette[i] : Rgb{0, 0, 0};
    out.insert(out.end(), {c[2], c[1], c[0], 0});
  }
  for (int y = height - 1; y >= 0; --y) {
    const auto first = picture.index.begin() + std::ptrdiff_t(y) * width;
    out.insert(out.end(), first, first + width);
    out.resize(out.size() + (row - std::uint32_t(width)), 0);
  }
  return out;
}

// A 24-bit bottom-up BMP of the opaque picture.
Bytes EncodeRgbBmp(const Image& image) {
  const std::uint32_t row = RowBytes(image.width, 24);
  const std::uint32_t bits_offset = kFileHeaderSize + kInfoHeaderSize;
  Bytes out;
  PutFileHeader(out, bits_offset + row * image.height, bits_offset);
  PutInfoHeader(out, image.width, image.height, 24, row * image.height, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < image.width; ++x) {
      const Rgba& p = image.at(x, y);
      out.insert(out.end(), {p.b, p.g, p.r});
    }
    out.resize(start + row, 0);
  }
  return out;
}

// A one-bit mask of an icon or cursor image, bottom-up rows, leftmost pixel
// in the high bit. In the AND mask a set bit is transparent; in a monochrome
// cursor's colour mask it is white.
void PutMask(Bytes& out, int width, int height, const std::vector<bool>& transparent) {
  const std::uint32_t row = RowBytes(width, 1);
  for (int y = height - 1; y >= 0; --y) {
    Bytes bits(row, 0);
    for (int x = 0; x < width; ++x)
      if (transparent[size_t(y) * width + x]) bits[size_t(x) / 8] |= std::uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), bits.begin(), bits.end());
  }
}

// An ICO file of 32-bit images (straight alpha) with their AND masks.
Bytes EncodeIcon(const std::vector<Image>& images) {
  std::vector<Bytes> bodies;
  for (const Image& image : images) {
    Bytes body;
    const std::uint32_t colour_size = std::uint32_t(image.width) * image.height * 4;
    const std::uint32_t mask_size = RowBytes(image.width, 1) * image.height;
    PutInfoHeader(body, image.width, 2 * image.height, 32, colour_size + mask_size, 0);
    std::vector<bool> transparent;
    for (const Rgba& p : image.pixels) transparent.push_back(p.a < 128);
    for (int y = image.height - 1; y >= 0; --y)
      for (int x = 0; x < image.width; ++x) {
        const Rgba& p = image.at(x, y);
        body.insert(body.end(), {p.b, p.g, p.r, p.a});
      }
    PutMask(body, image.width, image.height, transparent);
    bodies.push_back(std::move(body));
  }
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, unsigned(images.size()));
  std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(std::uint8_t(images[i].width));
    out.push_back(std::uint8_t(images[i].height));
    out.push_back(0);  // not a palette image
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, std::uint32_t(bodies[i].size()));
    Put32(out, offset);
    offset += std::uint32_t(bodies[i].size());
  }
  for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

// A CUR file with one monochrome 32 x 32 image drawn as text rows:
// '#' black, 'o' white, anything else transparent. The hotspot is (hx, hy).
Bytes EncodeMonochromeCursor(const std::vector<std::string_view>& rows, int hx, int hy) {
  constexpr int kSize = 32;
  std::vector<bool> white(kSize * kSize, false), transparent(kSize * kSize, true);
  for (size_t y = 0; y < rows.size() && y < kSize; ++y)
    for (size_t x = 0; x < rows[y].size() && x < kSize; ++x) {
      const char c = rows[y][x];
      if (c == '#' || c == 'o') transparent[y * kSize + x] = false;
      if (c == 'o') white[y * kSize + x] = true;
    }
  Bytes body;
  const std::uint32_t mask_size = RowBytes(kSize, 1) * kSize;
  PutInfoHeader(body, kSize, 2 * kSize, 1, 2 * mask_size, 2);
  body.insert(body.end(), {0, 0, 0, 0, 255, 255, 255, 0});  // black, white
  PutMask(body, kSize, kSize, white);
  PutMask(body, kSize, kSize, transparent);

  Bytes out;
  Put16(out, 0);
  Put16(out, 2);  // cursor
  Put16(out, 1);
  out.push_back(kSize);
  out.push_back(kSize);
  out.push_back(2);  // colours
  out.push_back(0);
  Put16(out, unsigned(hx));
  Put16(out, unsigned(hy));
  Put32(out, std::uint32_t(body.size()));
  Put32(out, 6 + 16);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// Writes the bytes to the file; 1 when written, else 0 after printing why.
int WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "resource_images: cannot write %s\n", path.string().c_str());
    return 0;
  }
  return 1;
}

// ---------------------------------------------------------------- the pictures

// The pointing hand; its hotspot is the top of the index finger.
constexpr std::array<std::string_view, 22> kHand = {
    ".....##...........", "....#oo#..........", "....#oo#..........", "....#oo#..........", "....#oo#..........",
    "....#oo###........", "....#oo#oo###.....", "....#oo#oo#oo##...", "....#oo#oo#oo#oo#.", "....#oo#oo#oo#oo#.",
    ".##.#oo#oo#oo#oo#.", "#oo##ooooooooooo#.", "#ooo#ooooooooooo#.", ".#oooooooooooooo#.", ".#oooooooooooooo#.",
    "..#ooooooooooooo#.", "..#ooooooooooooo#.", "...#oooooooooooo#.", "...#ooooooooooo#..", "....#oooooooooo#..",
    "....#oooooooooo#..", "....############..",
};
constexpr int kHandHotspotX = 5;
constexpr int kHandHotspotY = 0;

// The flag strip: every tile rendered from its design, laid side by side on
// an opaque white ground, then reduced to the 8-bit palette.
Bytes DrawFlagStrip(const std::vector<FlagDesign>& flags) {
  Image strip{kTileWidth * kTileCount, kTileHeight, std::vector<Rgba>(size_t(kTileWidth) * kTileCount * kTileHeight)};
  std::vector<Rgb> named;
  for (const FlagDesign& flag : flags) {
    const Image tile = Render(flag.design, kTileWidth, kTileHeight);
    for (int y = 0; y < kTileHeight; ++y)
      for (int x = 0; x < kTileWidth; ++x) {
        const Rgba& p = tile.at(x, y);
        auto over_white = [&](std::uint8_t v) { return std::uint8_t((v * p.a + 255 * (255 - p.a) + 127) / 255); };
        strip.at((flag.code - 1) * kTileWidth + x, y) = Rgba{over_white(p.r), over_white(p.g), over_white(p.b), 255};
      }
    for (const Paint& paint : flag.design)
      if (paint.colour.a == 1.0)
        named.push_back(Rgb{std::uint8_t(paint.colour.r), std::uint8_t(paint.colour.g), std::uint8_t(paint.colour.b)});
  }
  return EncodeIndexedBmp(strip.width, strip.height, Quantise(strip, named));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: resource_images <data-dir> <out-dir>\n");
    return 1;
  }
  const std::filesystem::path data_dir = argv[1], out_dir = argv[2];
  std::vector<FlagDesign> flags;
  if (!ReadFlagDesigns(data_dir / "flags.txt", flags)) return 1;
  std::error_code error;
  std::filesystem::create_directories(out_dir, error);

  const Image white_template{4, 1, std::vector<Rgba>(4, Rgba{255, 255, 255, 255})};
  Design icon32, icon16;
  if (!ReadDesign(data_dir / "icon32.txt", 32, 32, icon32) || !ReadDesign(data_dir / "icon16.txt", 16, 16, icon16))
    return 1;
  const std::vector<Image> icon = {Render(icon32, 32, 32), Render(icon16, 16, 16)};
  const std::vector<std::string_view> hand(kHand.begin(), kHand.end());

  int ok = 1;
  ok &= WriteBytes(out_dir / "flags.bmp", DrawFlagStrip(flags));
  ok &= WriteBytes(out_dir / "template.bmp", EncodeRgbBmp(white_template));
  ok &= WriteBytes(out_dir / "oristel.ico", EncodeIcon(icon));
  ok &= WriteBytes(out_dir / "hand.cur", EncodeMonochromeCursor(hand, kHandHotspotX, kHandHotspotY));
  return ok ? 0 : 1;
}
