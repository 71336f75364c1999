#include "tools/corpus/corpus_pictures.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// SplitMix64: small, and the same sequence everywhere.
struct Random {
  uint64_t state;
  uint64_t Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int32_t Below(int32_t n) { return static_cast<int32_t>(Next() % static_cast<uint64_t>(n)); }
  int32_t Between(int32_t low, int32_t high) { return low + Below(high - low + 1); }
  Rgb Colour() { return Rgb{Below(256), Below(256), Below(256)}; }
  Rgb Grey() {
    const int32_t v = Below(256);
    return Rgb{v, v, v};
  }
  // Mostly colours, a third greys: text art's pictures are both.
  Rgb Paint() { return Below(3) == 0 ? Grey() : Colour(); }
};

int64_t IntegerRoot(int64_t v) {
  int64_t r = 0;
  for (int64_t bit = int64_t{1} << 30; bit > 0; bit >>= 1) {
    if ((r + bit) * (r + bit) <= v) r += bit;
  }
  return r;
}

// Sixteen samples a pixel (4 x 4), in quarter pixels: the cover of a shape whose
// inside test takes quarter-pixel coordinates of sample centres (2x2 units apart).
template <typename Inside>
void FillShape(Canvas* canvas, Rgb colour, int32_t left, int32_t top, int32_t right, int32_t bottom,
               Inside inside) {
  left = std::max(left, 0), top = std::max(top, 0);
  right = std::min(right, canvas->width - 1), bottom = std::min(bottom, canvas->height - 1);
  for (int32_t y = top; y <= bottom; ++y) {
    for (int32_t x = left; x <= right; ++x) {
      int32_t cover = 0;
      for (int32_t sy = 0; sy < 4; ++sy) {
        for (int32_t sx = 0; sx < 4; ++sx) cover += inside(8 * x + 2 * sx + 1, 8 * y + 2 * sy + 1);
      }
      canvas->Blend(x, y, colour, cover * 16);
    }
  }
}

// Eighth-pixel units from here on: sample (x, y) of FillShape is at (x/8, y/8).
void Disc(Canvas* c, Rgb colour, int64_t cx, int64_t cy, int64_t outer, int64_t inner) {
  FillShape(c, colour, static_cast<int32_t>((cx - outer) / 8 - 1),
            static_cast<int32_t>((cy - outer) / 8 - 1), static_cast<int32_t>((cx + outer) / 8 + 1),
            static_cast<int32_t>((cy + outer) / 8 + 1), [&](int64_t x, int64_t y) {
              const int64_t d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
              return d <= outer * outer && d >= inner * inner;
            });
}

// A stroke of half-width w from (x0, y0) to (x1, y1), round ends.
void Stroke(Canvas* c, Rgb colour, int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t w) {
  const int64_t dx = x1 - x0, dy = y1 - y0, length2 = std::max<int64_t>(dx * dx + dy * dy, 1);
  FillShape(c, colour, static_cast<int32_t>((std::min(x0, x1) - w) / 8 - 1),
            static_cast<int32_t>((std::min(y0, y1) - w) / 8 - 1),
            static_cast<int32_t>((std::max(x0, x1) + w) / 8 + 1),
            static_cast<int32_t>((std::max(y0, y1) + w) / 8 + 1), [&](int64_t x, int64_t y) {
              const int64_t t = std::clamp<int64_t>((x - x0) * dx + (y - y0) * dy, 0, length2);
              const int64_t px = x0 * length2 + t * dx - x * length2;
              const int64_t py = y0 * length2 + t * dy - y * length2;
              // |p| / length2 <= w, kept whole: scaled down first so squares fit.
              const int64_t sx = px / length2, sy = py / length2;
              return sx * sx + sy * sy <= w * w;
            });
}

void Box(Canvas* c, Rgb colour, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  FillShape(c, colour, static_cast<int32_t>(x0 / 8 - 1), static_cast<int32_t>(y0 / 8 - 1),
            static_cast<int32_t>(x1 / 8 + 1), static_cast<int32_t>(y1 / 8 + 1),
            [&](int64_t x, int64_t y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
}

// Two colours (three for some) along a straight or circular ramp.
void Gradient(Canvas* c, Random* random) {
  const Rgb from = random->Paint(), to = random->Paint(), middle = random->Paint();
  const bool radial = random->Below(3) == 0, threeColours = random->Below(2) == 0;
  const int32_t dx = random->Between(-16, 16), dy = random->Between(-16, 16) | 1;
  const int64_t cx = random->Below(c->width), cy = random->Below(c->height);
  const int64_t reach = c->width + c->height;
  int64_t low = INT64_MAX, high = INT64_MIN;
  for (int32_t corner = 0; corner < 4; ++corner) {
    const int64_t v =
        int64_t{corner % 2 * (c->width - 1)} * dx + int64_t{corner / 2 * (c->height - 1)} * dy;
    low = std::min(low, v), high = std::max(high, v);
  }
  for (int32_t y = 0; y < c->height; ++y) {
    for (int32_t x = 0; x < c->width; ++x) {
      const int64_t t =
          radial
              ? IntegerRoot((x - cx) * (x - cx) + (y - cy) * (y - cy)) * 512 / reach
              : (int64_t{x} * dx + int64_t{y} * dy - low) * 256 / std::max<int64_t>(high - low, 1);
      const int32_t s = static_cast<int32_t>(std::min<int64_t>(t, 256));
      const Rgb colour = !threeColours ? Mix(from, to, s)
                         : s < 128     ? Mix(from, middle, 2 * s)
                                       : Mix(middle, to, 2 * s - 256);
      uint8_t* p = c->At(x, y);
      p[0] = static_cast<uint8_t>(colour.r), p[1] = static_cast<uint8_t>(colour.g),
      p[2] = static_cast<uint8_t>(colour.b);
    }
  }
}

// Value noise over octaves of halving cell size: clouds, bark, stone.
void FractalNoise(Canvas* c, Random* random, int32_t largest) {
  std::vector<int32_t> level(static_cast<size_t>(c->width) * c->height, 0);
  int32_t total = 0;
  for (int32_t cell = largest, weight = 256; cell >= 2; cell /= 2, weight = weight * 5 / 8) {
    const int32_t across = c->width / cell + 2, down = c->height / cell + 2;
    std::vector<int32_t> lattice(static_cast<size_t>(across) * down);
    for (int32_t& v : lattice) v = random->Below(256);
    for (int32_t y = 0; y < c->height; ++y) {
      const int32_t ly = y / cell, fy = (y % cell) * 256 / cell;
      const int32_t sy = fy * fy * (768 - 2 * fy) / 65536;  // smoothstep, 0-256
      for (int32_t x = 0; x < c->width; ++x) {
        const int32_t lx = x / cell, fx = (x % cell) * 256 / cell;
        const int32_t sx = fx * fx * (768 - 2 * fx) / 65536;
        const int32_t* row = &lattice[static_cast<size_t>(ly) * across + lx];
        const int32_t top = row[0] * (256 - sx) + row[1] * sx;
        const int32_t bottom = row[across] * (256 - sx) + row[across + 1] * sx;
        level[static_cast<size_t>(y) * c->width + x] +=
            static_cast<int32_t>((int64_t{top} * (256 - sy) + int64_t{bottom} * sy) / 65536) *
            weight;
      }
    }
    total += weight;
  }
  const Rgb dark = random->Paint(), light = random->Paint();
  // Contrast stretched around the middle: summed octaves crowd towards grey.
  const int32_t gain = random->Between(256, 640);
  for (int32_t y = 0; y < c->height; ++y) {
    for (int32_t x = 0; x < c->width; ++x) {
      const int32_t v = level[static_cast<size_t>(y) * c->width + x] / total;
      const Rgb colour = Mix(dark, light, 128 + (v - 128) * gain / 256);
      uint8_t* p = c->At(x, y);
      p[0] = static_cast<uint8_t>(colour.r), p[1] = static_cast<uint8_t>(colour.g),
      p[2] = static_cast<uint8_t>(colour.b);
    }
  }
}

void Shapes(Canvas* c, Random* random, int32_t count) {
  const int64_t w = 8 * c->width, h = 8 * c->height;
  for (int32_t i = 0; i < count; ++i) {
    const Rgb colour = random->Paint();
    const int64_t x = random->Below(static_cast<int32_t>(w)),
                  y = random->Below(static_cast<int32_t>(h));
    const int64_t size = random->Between(40, static_cast<int32_t>(h / 3));
    switch (random->Below(5)) {
      case 0:
        Disc(c, colour, x, y, size, 0);
        break;
      case 1:
        Disc(c, colour, x, y, size, size - random->Between(8, 64));
        break;
      case 2:
        Box(c, colour, x, y, x + size * random->Between(1, 4) / 2, y + size);
        break;
      default:
        Stroke(c, colour, x, y, x + random->Between(-400, 400) * 8,
               y + random->Between(-400, 400) * 8, random->Between(4, 40));
    }
  }
}

// Letters of a small pixel font, five columns by seven rows, one bit a pixel.
constexpr const char kLetters[] = "ACEGHILNOPRSTXY0123456789";
constexpr uint8_t kFont[][7] = {
    {14, 17, 17, 31, 17, 17, 17}, {14, 17, 16, 16, 16, 17, 14}, {31, 16, 16, 30, 16, 16, 31},
    {14, 17, 16, 23, 17, 17, 15}, {17, 17, 17, 31, 17, 17, 17}, {14, 4, 4, 4, 4, 4, 14},
    {16, 16, 16, 16, 16, 16, 31}, {17, 25, 21, 19, 17, 17, 17}, {14, 17, 17, 17, 17, 17, 14},
    {30, 17, 17, 30, 16, 16, 16}, {30, 17, 17, 30, 20, 18, 17}, {15, 16, 16, 14, 1, 1, 30},
    {31, 4, 4, 4, 4, 4, 4},       {17, 17, 10, 4, 10, 17, 17},  {17, 17, 10, 4, 4, 4, 4},
    {14, 17, 19, 21, 25, 17, 14}, {4, 12, 4, 4, 4, 4, 14},      {14, 17, 1, 2, 4, 8, 31},
    {31, 2, 4, 2, 1, 17, 14},     {2, 6, 10, 18, 31, 2, 2},     {31, 16, 30, 1, 1, 17, 14},
    {6, 8, 16, 30, 17, 17, 14},   {31, 1, 2, 4, 8, 8, 8},       {14, 17, 17, 14, 17, 17, 14},
    {14, 17, 17, 15, 1, 2, 12}};

void Text(Canvas* c, Random* random, int32_t lines) {
  for (int32_t line = 0; line < lines; ++line) {
    const Rgb ink = random->Paint();
    const int32_t scale = random->Between(2, 9);
    int32_t x = random->Below(c->width / 2), y = random->Below(c->height);
    for (int32_t n = random->Between(3, 14); n > 0; --n, x += 6 * scale) {
      const uint8_t* glyph = kFont[random->Below(static_cast<int32_t>(sizeof kLetters - 1))];
      for (int32_t row = 0; row < 7; ++row) {
        for (int32_t col = 0; col < 5; ++col) {
          if ((glyph[row] >> (4 - col)) & 1) {
            Box(c, ink, 8 * (x + col * scale), 8 * (y + row * scale), 8 * (x + (col + 1) * scale),
                8 * (y + (row + 1) * scale));
          }
        }
      }
    }
  }
}

// Fur, grass, hair: dense short strokes, each a little lighter or darker than the
// picture under it, so that the texture is finer than a cell while the tone follows
// the picture's larger forms. Photographs are full of it, and a set that draws its
// every stroke ripples where the eye sees an even tone.
void Fur(Canvas* c, Random* random) {
  const int32_t count = random->Between(3000, 9000), length = random->Between(24, 120);
  const int32_t contrast = random->Between(20, 90), width = random->Between(4, 10);
  const int32_t turn = random->Between(0, 400);
  for (int32_t n = 0; n < count; ++n) {
    const int32_t x = random->Below(c->width), y = random->Below(c->height);
    const uint8_t* under = c->At(x, y);
    const int32_t shift = random->Between(-contrast, contrast);
    const Rgb colour{std::clamp(under[0] + shift, 0, 255), std::clamp(under[1] + shift, 0, 255),
                     std::clamp(under[2] + shift, 0, 255)};
    // Strokes lie mostly one way, turning across the picture, as fur does.
    const int32_t dx = random->Between(-length, length) + turn * x / c->width - turn / 2;
    const int32_t dy = random->Between(-length, length);
    Stroke(c, colour, 8 * x, 8 * y, 8 * x + dx, 8 * y + dy, width);
  }
}

// Clip art: shapes filled with paint and outlined in ink on paper, and a line of
// text now and then, as drawings and logos come to text art.
void Drawing(Canvas* c, Random* random) {
  const int32_t paper = random->Between(224, 255);
  const Rgb ink{random->Below(64), random->Below(64), random->Below(64)};
  for (int32_t y = 0; y < c->height; ++y) {
    for (int32_t x = 0; x < c->width; ++x) {
      uint8_t* p = c->At(x, y);
      p[0] = p[1] = p[2] = static_cast<uint8_t>(paper);
    }
  }
  const int64_t w = 8 * c->width, h = 8 * c->height;
  for (int32_t n = random->Between(3, 10); n > 0; --n) {
    const Rgb paint = random->Paint();
    const int64_t x = random->Below(static_cast<int32_t>(w)),
                  y = random->Below(static_cast<int32_t>(h));
    const int64_t size = random->Between(80, static_cast<int32_t>(h / 4));
    const int64_t line = 8 * random->Between(1, 5);
    switch (random->Below(3)) {
      case 0:
        Disc(c, ink, x, y, size + line, 0);
        Disc(c, paint, x, y, size, 0);
        break;
      case 1: {
        const int64_t right = x + size * random->Between(2, 6) / 2, bottom = y + size;
        Box(c, ink, x - line, y - line, right + line, bottom + line);
        Box(c, paint, x, y, right, bottom);
        break;
      }
      default:
        Stroke(c, ink, x, y, x + random->Between(-300, 300) * 8, y + random->Between(-300, 300) * 8,
               line);
    }
  }
  if (random->Below(2) == 0) Text(c, random, 1);
}

const char* const kKinds[] = {"gradient", "noise", "shapes", "text", "scene", "fur", "drawing"};

// The first 39 pictures take turns among the first five kinds; eight of fur and
// eight drawings came later and follow them, so that the others kept their
// numbers and bytes.
constexpr int32_t kTakingTurns = 39, kOfEachLaterKind = 8;
int32_t KindOf(int32_t number) {
  return number < kTakingTurns ? number % 5 : 5 + (number - kTakingTurns) / kOfEachLaterKind;
}

}  // namespace

Canvas CorpusPicture(int32_t number, int32_t width, int32_t height) {
  Random random{0x676C7970ull + static_cast<uint64_t>(number) * 0x100000001B3ull};
  Canvas c(width, height);
  switch (KindOf(number)) {
    case 0:
      Gradient(&c, &random);
      break;
    case 1:
      FractalNoise(&c, &random, 8 << random.Below(5));
      break;
    case 2:
      Gradient(&c, &random);
      Shapes(&c, &random, random.Between(4, 30));
      break;
    case 3:
      Gradient(&c, &random);
      Text(&c, &random, random.Between(3, 12));
      break;
    case 4:
      FractalNoise(&c, &random, 32 << random.Below(3));
      Shapes(&c, &random, random.Between(3, 12));
      Text(&c, &random, random.Below(3));
      BoxBlur(&c, random.Between(1, 3));
      break;
    case 5:
      FractalNoise(&c, &random, 64 << random.Below(2));
      Fur(&c, &random);
      break;
    default:
      Drawing(&c, &random);
  }
  return c;
}

std::string CorpusPictureName(int32_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "%02d-%s.ppm", static_cast<int>(number), kKinds[KindOf(number)]);
  return name;
}
