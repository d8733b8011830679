// bannergen: draws the first-run dialog's title banner and QUARVEL's application icon.
//
//   banner.bmp   228 x 57, 16 colours: a clock-face "Q" monogram and the name QUARVEL in white
//                on the dial's dark blue (red 0, green 64, blue 128).
//   quarvel.ico  32 x 32 and 16 x 16, 256 colours each: the dark blue dial with light hour
//                marks and two hands, transparent outside the disc.
//
// Shapes are sampled on a fine sub-pixel grid, and the resulting colours are mapped onto small
// palettes that hold the in-between shades, so edges stay smooth at 4 and 8 bits per pixel.
// The files are written by hand: the formats are short and fixed, and the resource compiler
// wants exactly these layouts.
//
// Build and run from the repository root:
//   g++ -std=c++20 -O2 tools/bannergen/bannergen.cpp -o /tmp/bannergen &&
//   /tmp/bannergen infodialog/resources
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
  double r, g, b;
};

constexpr Rgb kDialBlue{0, 64, 128};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kMarkBlue{150, 190, 236};
constexpr Rgb kAmber{255, 168, 40};

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// ---------------------------------------------------------------------------------------------
// Shapes: inside tests in pixel coordinates (x right, y down, pixel (i, j) spans [i, i + 1)).

using Shape = std::function<bool(double, double)>;

Shape Rect(double x0, double y0, double x1, double y1) {
  return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
  };
}

Shape Disc(double cx, double cy, double r) {
  return Ellipse(cx, cy, r, r);
}

Shape Minus(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

Shape Clip(Shape s, double x0, double y0, double x1, double y1) {
  return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1 && s(x, y); };
}

Shape Translate(Shape s, double dx, double dy) {
  return [=](double x, double y) { return s(x - dx, y - dy); };
}

// A straight stroke from a to b with square ends cut across the stroke.
Shape Bar(double ax, double ay, double bx, double by, double width) {
  double len = std::hypot(bx - ax, by - ay);
  double ux = (bx - ax) / len, uy = (by - ay) / len;
  return [=](double x, double y) {
    double along = (x - ax) * ux + (y - ay) * uy;
    double across = (x - ax) * -uy + (y - ay) * ux;
    return along >= 0.0 && along <= len && std::fabs(across) <= width / 2;
  };
}

// A straight stroke from a to b with round ends.
Shape Capsule(double ax, double ay, double bx, double by, double width) {
  double vx = bx - ax, vy = by - ay, len2 = vx * vx + vy * vy;
  return [=](double x, double y) {
    double t = std::clamp(((x - ax) * vx + (y - ay) * vy) / len2, 0.0, 1.0);
    return std::hypot(x - ax - t * vx, y - ay - t * vy) <= width / 2;
  };
}

// A point at distance r from (cx, cy) in the clock direction of a minute (0 = straight up).
std::pair<double, double> OnDial(double cx, double cy, double minute, double r) {
  double a = minute * 2.0 * kPi / 60.0;
  return {cx + r * std::sin(a), cy - r * std::cos(a)};
}

// ---------------------------------------------------------------------------------------------
// Canvas

class Canvas {
 public:
  Canvas(int width, int height, const Rgb& fill)
      : width_(width), height_(height), pixels_(width * height, fill) {}

  int width() const { return width_; }
  int height() const { return height_; }
  const Rgb& at(int x, int y) const { return pixels_[y * width_ + x]; }

  // Fraction of a pixel's sub-samples that fall inside the shape.
  static double Coverage(const Shape& shape, int x, int y) {
    constexpr int kGrid = 8;
    int inside = 0;
    for (int j = 0; j < kGrid; ++j) {
      for (int i = 0; i < kGrid; ++i) {
        if (shape(x + (i + 0.5) / kGrid, y + (j + 0.5) / kGrid)) ++inside;
      }
    }
    return static_cast<double>(inside) / (kGrid * kGrid);
  }

  void Paint(const Rgb& colour, const Shape& shape) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        double a = Coverage(shape, x, y);
        if (a > 0.0) pixels_[y * width_ + x] = Mix(pixels_[y * width_ + x], colour, a);
      }
    }
  }

  void Paint(const Rgb& colour, const std::vector<Shape>& pieces) {
    Paint(colour, [&pieces](double x, double y) {
      return std::any_of(pieces.begin(), pieces.end(), [=](const Shape& s) { return s(x, y); });
    });
  }

  void Set(int x, int y, const Rgb& colour) { pixels_[y * width_ + x] = colour; }

 private:
  int width_, height_;
  std::vector<Rgb> pixels_;
};

// Index of the palette entry nearest to c, weighting green most as the eye does.
int Nearest(const std::vector<Rgb>& palette, const Rgb& c) {
  int best = 0;
  double bestDist = 1e300;
  for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
    double dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
    double d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (d < bestDist) {
      bestDist = d;
      best = i;
    }
  }
  return best;
}

// ---------------------------------------------------------------------------------------------
// Little-endian file writing

class Bytes {
 public:
  void U8(unsigned v) { data_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(unsigned v) {
    U8(v & 0xFF);
    U8(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void Palette(const std::vector<Rgb>& palette, std::size_t entries) {
    for (std::size_t i = 0; i < entries; ++i) {
      Rgb c = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
      U8(ToByte(c.b));
      U8(ToByte(c.g));
      U8(ToByte(c.r));
      U8(0);
    }
  }
  void Append(const Bytes& other) {
    data_.insert(data_.end(), other.data_.begin(), other.data_.end());
  }
  std::size_t size() const { return data_.size(); }

  bool Save(const std::string& path) const {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data_.data(), 1, data_.size(), f) == data_.size();
    return std::fclose(f) == 0 && ok;
  }

  static unsigned ToByte(double v) {
    return static_cast<unsigned>(std::lround(std::clamp(v, 0.0, 255.0)));
  }

 private:
  std::vector<std::uint8_t> data_;
};

void InfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize,
                std::uint32_t colours) {
  out.U32(40);
  out.I32(width);
  out.I32(height);
  out.U16(1);
  out.U16(bits);
  out.U32(0);  // BI_RGB
  out.U32(imageSize);
  out.I32(2835);  // 72 dpi
  out.I32(2835);
  out.U32(colours);
  out.U32(0);
}

// ---------------------------------------------------------------------------------------------
// Banner

constexpr int kBannerWidth = 228;
constexpr int kBannerHeight = 57;

// Cap height, stem width and bar thickness of the lettering; bars are a little thinner than
// stems so the letters look evenly heavy.
constexpr double kCap = 26.0;
constexpr double kStem = 5.0;
constexpr double kBarT = 4.4;

struct Glyph {
  double width;
  std::vector<Shape> pieces;  // origin at the top-left of the cap box
};

Glyph MakeGlyph(char c) {
  const double h = kCap, s = kStem, t = kBarT;
  switch (c) {
    case 'Q': {
      const double w = 23.0, cx = w / 2, cy = h / 2;
      // Round letters overshoot the cap box slightly so they look as tall as flat ones.
      const double rx = w / 2, ry = h / 2 + 0.4;
      Shape ring = Minus(Ellipse(cx, cy, rx, ry), Ellipse(cx, cy, rx - s, ry - t));
      Shape tail = Clip(Bar(12.5, 16.0, 24.5, 28.0, s), -1, -1, w + 1, h + 1.5);
      return {w, {ring, tail}};
    }
    case 'U': {
      const double w = 20.0, r = w / 2, cy = h - r;
      Shape bowl = Clip(Minus(Ellipse(r, cy, r, r + 0.4), Ellipse(r, cy, r - s, r + 0.4 - t)), 0,
                        cy, w, h + 1);
      return {w, {Rect(0, 0, s, cy), Rect(w - s, 0, w, cy), bowl}};
    }
    case 'A': {
      const double w = 22.0, mid = w / 2, foot = 2.3, lean = 3.0;
      const double bw = s * 1.06;  // diagonals look thinner than stems at equal width
      // The legs start above the cap box and are cut flat by it, which leaves a flat apex.
      double dx = (mid - foot) / (h + 2 * lean);
      Shape left = Clip(Bar(mid + dx * lean, -lean, foot - dx * lean, h + lean, bw), 0, 0, w, h);
      Shape right =
          Clip(Bar(mid - dx * lean, -lean, w - foot + dx * lean, h + lean, bw), 0, 0, w, h);
      Shape bar = Rect(5, 16.5, w - 5, 16.5 + t - 0.4);
      return {w, {left, right, bar}};
    }
    case 'R': {
      const double w = 20.0, bowlH = 15.0, xc = 11.0;
      const double rx = w - 0.5 - xc, ry = bowlH / 2;
      Shape bowl =
          Clip(Minus(Ellipse(xc, ry, rx, ry), Ellipse(xc, ry, rx - s, ry - t)), xc, 0, w, bowlH);
      Shape leg = Clip(Bar(8.5, 10.5, w + 0.2, h + 3, s * 1.06), 0, bowlH - t, w, h);
      return {w, {Rect(0, 0, s, h), Rect(0, 0, xc, t), Rect(0, bowlH - t, xc, bowlH), bowl, leg}};
    }
    case 'V': {
      const double w = 22.0, mid = w / 2, top = 2.3, lean = 3.0;
      const double bw = s * 1.06;
      double dx = (mid - top) / (h + 2 * lean);
      Shape left = Clip(Bar(top - dx * lean, -lean, mid + dx * lean, h + lean, bw), 0, 0, w, h);
      Shape right =
          Clip(Bar(w - top + dx * lean, -lean, mid - dx * lean, h + lean, bw), 0, 0, w, h);
      return {w, {left, right}};
    }
    case 'E': {
      const double w = 16.0;
      return {w,
              {Rect(0, 0, s, h), Rect(0, 0, w, t), Rect(0, (h - t) / 2, w - 1.5, (h + t) / 2),
               Rect(0, h - t, w, h)}};
    }
    case 'L': {
      const double w = 15.0;
      return {w, {Rect(0, 0, s, h), Rect(0, h - t, w, h)}};
    }
    default:
      return {0.0, {}};
  }
}

// Extra space between two letters, so round and slanted sides look as far apart as straight ones.
double Kern(char a, char b) {
  static const std::array<std::pair<std::string, double>, 4> kPairs{{
      {"UA", -1.0},
      {"RV", -0.8},
      {"VE", -1.0},
      {"QU", 0.5},
  }};
  for (const auto& [pair, k] : kPairs) {
    if (pair[0] == a && pair[1] == b) return k;
  }
  return 0.0;
}

std::vector<Shape> Lettering(const std::string& text, double& width) {
  constexpr double kTracking = 3.6;
  std::vector<Glyph> glyphs;
  for (char c : text) glyphs.push_back(MakeGlyph(c));
  std::vector<Shape> pieces;
  double x = 0;
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    for (const Shape& p : glyphs[i].pieces) pieces.push_back(Translate(p, x, 0));
    x += glyphs[i].width;
    if (i + 1 < glyphs.size()) x += kTracking + Kern(text[i], text[i + 1]);
  }
  width = x;
  return pieces;
}

// The banner's 16 colours: the dial blue, a ramp from it to white for the lettering's edges,
// the light blue of the monogram's marks and the amber of its centre, each with half tones.
std::vector<Rgb> BannerPalette() {
  std::vector<Rgb> p{kDialBlue};
  for (int i = 1; i <= 8; ++i) p.push_back(Mix(kDialBlue, kWhite, i / 8.0));
  for (int i = 1; i <= 3; ++i) p.push_back(Mix(kDialBlue, kMarkBlue, i / 3.0));
  p.push_back(Mix(kDialBlue, kAmber, 0.5));
  p.push_back(kAmber);
  p.push_back(Mix(kAmber, kWhite, 0.5));
  p.push_back(Mix(kDialBlue, Rgb{0, 0, 0}, 0.35));  // shade under the lettering
  return p;
}

Canvas DrawBanner() {
  Canvas canvas(kBannerWidth, kBannerHeight, kDialBlue);

  // Monogram: a dial ring whose minute hand runs out through the rim as the tail of a "Q".
  const double cx = 29.0, cy = 28.5, rOuter = 21.0, ring = 3.6;
  canvas.Paint(kWhite, Minus(Disc(cx, cy, rOuter), Disc(cx, cy, rOuter - ring)));
  for (int hour = 0; hour < 12; ++hour) {
    double len = hour % 3 == 0 ? 3.6 : 2.0, w = hour % 3 == 0 ? 2.2 : 1.6;
    auto [ax, ay] = OnDial(cx, cy, hour * 5.0, rOuter - ring - 1.6);
    auto [bx, by] = OnDial(cx, cy, hour * 5.0, rOuter - ring - 1.6 - len);
    if (hour == 4 || hour == 5) continue;  // under the tail
    canvas.Paint(kMarkBlue, Bar(ax, ay, bx, by, w));
  }
  const double tailMinute = 22.5;
  auto [tx, ty] = OnDial(cx, cy, tailMinute, rOuter + 5.5);
  // A channel of background colour where the tail crosses the rim keeps the two apart.
  auto [gx, gy] = OnDial(cx, cy, tailMinute, rOuter - ring - 2.0);
  canvas.Paint(kDialBlue, Capsule(gx, gy, tx, ty, 4.0 + 3.0));
  canvas.Paint(kWhite, Bar(cx, cy, tx, ty, 4.0));
  auto [hx, hy] = OnDial(cx, cy, 7.0, 10.5);
  canvas.Paint(kWhite, Capsule(cx, cy, hx, hy, 3.6));
  canvas.Paint(kAmber, Disc(cx, cy, 2.6));

  // Name: centred in the space right of the monogram.
  double textWidth = 0;
  std::vector<Shape> text = Lettering("QUARVEL", textWidth);
  const double left = cx + rOuter + 4.0, right = kBannerWidth - 2.0;
  const double x0 = std::round(left + (right - left - textWidth) / 2);
  const double y0 = std::round((kBannerHeight - kCap) / 2);
  std::vector<Shape> placed, shade;
  for (const Shape& p : text) {
    placed.push_back(Translate(p, x0, y0));
    shade.push_back(Translate(p, x0 + 1.0, y0 + 1.0));
  }
  canvas.Paint(Mix(kDialBlue, Rgb{0, 0, 0}, 0.35), shade);
  canvas.Paint(kWhite, placed);
  return canvas;
}

// 4 bits per pixel, bottom-up, rows padded to 4 bytes.
bool WriteBmp4(const Canvas& canvas, const std::vector<Rgb>& palette, const std::string& path) {
  const int w = canvas.width(), h = canvas.height();
  const std::uint32_t stride = ((w * 4 + 31) / 32) * 4;
  const std::uint32_t imageSize = stride * h;
  const std::uint32_t offset = 14 + 40 + 16 * 4;
  Bytes out;
  out.U8('B');
  out.U8('M');
  out.U32(offset + imageSize);
  out.U32(0);
  out.U32(offset);
  InfoHeader(out, w, h, 4, imageSize, 16);
  out.Palette(palette, 16);
  for (int y = h - 1; y >= 0; --y) {
    std::vector<unsigned> row(stride, 0);
    for (int x = 0; x < w; ++x) {
      unsigned index = Nearest(palette, canvas.at(x, y));
      row[x / 2] |= x % 2 == 0 ? index << 4 : index;
    }
    for (unsigned b : row) out.U8(b);
  }
  return out.Save(path);
}

// ---------------------------------------------------------------------------------------------
// Icon

struct IconImage {
  Canvas colour;
  std::vector<bool> opaque;
};

// The 32 x 32 icon: a miniature of the dial at ten past ten, with a light bezel so the disc
// stands out on dark and light backgrounds alike.
IconImage DrawIcon32() {
  constexpr int n = 32;
  const double c = n / 2.0, r = n / 2.0;
  Canvas canvas(n, n, kDialBlue);
  // The bezel colour runs to the outer edge, so the edge pixels kept by the mask are solid.
  canvas.Paint(Rgb{30, 52, 92}, Minus(Rect(0, 0, n, n), Disc(c, c, r - 0.9)));
  canvas.Paint(Rgb{206, 220, 240}, Minus(Disc(c, c, r - 0.9), Disc(c, c, r - 2.4)));
  for (int hour = 0; hour < 12; ++hour) {
    bool quarter = hour % 3 == 0;
    auto [ax, ay] = OnDial(c, c, hour * 5.0, r - 3.6);
    auto [bx, by] = OnDial(c, c, hour * 5.0, r - (quarter ? 7.0 : 5.2));
    canvas.Paint(quarter ? kWhite : kMarkBlue, Bar(ax, ay, bx, by, quarter ? 2.0 : 1.5));
  }
  auto [hx, hy] = OnDial(c, c, 50.0, 6.8);
  auto [mx, my] = OnDial(c, c, 10.0, 10.5);
  canvas.Paint(kWhite, Capsule(c, c, hx, hy, 2.6));
  canvas.Paint(kWhite, Capsule(c, c, mx, my, 2.0));
  canvas.Paint(kAmber, Disc(c, c, 1.7));

  std::vector<bool> opaque(n * n);
  Shape disc = Disc(c, c, r);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) opaque[y * n + x] = Canvas::Coverage(disc, x, y) >= 0.5;
  }
  return {canvas, opaque};
}

// The 16 x 16 icon is drawn pixel by pixel: at this size only a bezel, four marks and two
// square-on hands stay crisp.
IconImage DrawIcon16() {
  static const std::array<const char*, 16> kArt{{
      ".....oooooo.....",
      "...oolllllloo...",
      "..ollbbbbbbllo..",
      ".olbbbbwwbbbblo.",
      ".olbbbbwwbbbblo.",
      "olbbbbbwwbbbbblo",
      "olbbbbbwwbbbbblo",
      "olwbbbbaawwbbwlo",
      "olwbbbbaawwbbwlo",
      "olbbbbbbbbbbbblo",
      "olbbbbbbbbbbbblo",
      ".olbbbbbbbbbblo.",
      ".olbbbbbbbbbblo.",
      "..ollbbwwbbllo..",
      "...oolllllloo...",
      ".....oooooo.....",
  }};
  constexpr int n = 16;
  Canvas canvas(n, n, kDialBlue);
  std::vector<bool> opaque(n * n);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      char k = kArt[y][x];
      opaque[y * n + x] = k != '.';
      switch (k) {
        case 'o':
          canvas.Set(x, y, Rgb{30, 52, 92});
          break;
        case 'l':
          canvas.Set(x, y, Rgb{206, 220, 240});
          break;
        case 'w':
          canvas.Set(x, y, kWhite);
          break;
        case 'a':
          canvas.Set(x, y, kAmber);
          break;
        default:
          break;
      }
    }
  }
  return {canvas, opaque};
}

// One palette for both icon images: entry 0 is black for the masked-out pixels, the rest are
// the images' own colours, merging the closest pair while there are too many.
std::vector<Rgb> IconPalette(const std::vector<const IconImage*>& images) {
  struct Entry {
    Rgb c;
    double weight;
  };
  std::vector<Entry> entries;
  for (const IconImage* image : images) {
    const Canvas& canvas = image->colour;
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) {
        if (!image->opaque[y * canvas.width() + x]) continue;
        Rgb c = canvas.at(x, y);
        c = {std::round(c.r), std::round(c.g), std::round(c.b)};
        auto it = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
          return e.c.r == c.r && e.c.g == c.g && e.c.b == c.b;
        });
        if (it == entries.end()) {
          entries.push_back({c, 1.0});
        } else {
          it->weight += 1.0;
        }
      }
    }
  }
  while (entries.size() > 255) {
    std::size_t bi = 0, bj = 1;
    double best = 1e300;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      for (std::size_t j = i + 1; j < entries.size(); ++j) {
        double dr = entries[i].c.r - entries[j].c.r, dg = entries[i].c.g - entries[j].c.g,
               db = entries[i].c.b - entries[j].c.b;
        double d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < best) {
          best = d;
          bi = i;
          bj = j;
        }
      }
    }
    Entry& a = entries[bi];
    const Entry& b = entries[bj];
    double t = b.weight / (a.weight + b.weight);
    a.c = Mix(a.c, b.c, t);
    a.weight += b.weight;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(bj));
  }
  std::vector<Rgb> palette{Rgb{0, 0, 0}};
  for (const Entry& e : entries) palette.push_back(e.c);
  return palette;
}

// One icon image: header with doubled height, 256-entry palette, colour rows, then the mask
// rows (1 = transparent), all bottom-up and padded to 32 bits.
Bytes IconBitmap(const IconImage& image, const std::vector<Rgb>& palette) {
  const Canvas& canvas = image.colour;
  const int w = canvas.width(), h = canvas.height();
  const std::uint32_t colourStride = ((w * 8 + 31) / 32) * 4;
  const std::uint32_t maskStride = ((w + 31) / 32) * 4;
  Bytes out;
  InfoHeader(out, w, h * 2, 8, (colourStride + maskStride) * h, 256);
  out.Palette(palette, 256);
  for (int y = h - 1; y >= 0; --y) {
    for (std::uint32_t x = 0; x < colourStride; ++x) {
      bool inside = static_cast<int>(x) < w && image.opaque[y * w + x];
      out.U8(inside ? Nearest(palette, canvas.at(x, y)) : 0);
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<unsigned> row(maskStride, 0);
    for (int x = 0; x < w; ++x) {
      if (!image.opaque[y * w + x]) row[x / 8] |= 0x80u >> (x % 8);
    }
    for (unsigned b : row) out.U8(b);
  }
  return out;
}

bool WriteIco(const std::vector<const IconImage*>& images, const std::string& path) {
  std::vector<Rgb> palette = IconPalette(images);
  std::vector<Bytes> bitmaps;
  for (const IconImage* image : images) bitmaps.push_back(IconBitmap(*image, palette));

  Bytes out;
  out.U16(0);
  out.U16(1);  // icon
  out.U16(static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.U8(images[i]->colour.width());
    out.U8(images[i]->colour.height());
    out.U8(0);  // 0 means 256 colours or more
    out.U8(0);
    out.U16(1);
    out.U16(8);
    out.U32(static_cast<std::uint32_t>(bitmaps[i].size()));
    out.U32(offset);
    offset += static_cast<std::uint32_t>(bitmaps[i].size());
  }
  for (const Bytes& b : bitmaps) out.Append(b);
  return out.Save(path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bannergen OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];

  const std::string bannerPath = folder + "/banner.bmp";
  if (!WriteBmp4(DrawBanner(), BannerPalette(), bannerPath)) {
    std::fprintf(stderr, "bannergen: cannot write %s\n", bannerPath.c_str());
    return 1;
  }

  const IconImage large = DrawIcon32();
  const IconImage small = DrawIcon16();
  const std::string iconPath = folder + "/quarvel.ico";
  if (!WriteIco({&large, &small}, iconPath)) {
    std::fprintf(stderr, "bannergen: cannot write %s\n", iconPath.c_str());
    return 1;
  }
  return 0;
}
