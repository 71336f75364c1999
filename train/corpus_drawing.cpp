#include "train/corpus_drawing.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "score/image_filters.h"
#include "train/training_tiles.h"

namespace {

// The tone window: a Gaussian of sigma 1.5 over eleven pixels, in whole weights
// that sum to 2^10, so that a window's sum of quarter grey levels times the
// weights of both directions is its mean times 2^20.
constexpr int32_t kRadius = 5;
// AlongWindow and DownWindow spell the same weights out.
constexpr int64_t kWeights[2 * kRadius + 1] = {1, 8, 37, 112, 218, 272, 218, 112, 37, 8, 1};
constexpr int32_t kMeanShift = 20;

// SSIM's constants, (0.01 x 255)^2 and (0.03 x 255)^2 grey levels squared, in
// squared quarter levels times 2^40, the unit of squared window means.
constexpr int64_t kLuminanceC = (int64_t{10404} << 40) / 100;
constexpr int64_t kStructureC = (int64_t{93636} << 40) / 100;
constexpr int32_t kOneShift = 24;  // each pixel's SSIM, times 2^24

// The largest quarter grey level, and so the largest window mean is below 2^30:
// every square and product of two means, and twice one, stays below 2^63.
constexpr int64_t kQuarterWhite = 4 * 255;
static_assert(2 * (kQuarterWhite << kMeanShift) * (kQuarterWhite << kMeanShift) + kStructureC <
                  INT64_MAX,
              "twice a product of window means, with a constant, fits 64 bits");

// The tone window's sums along a line: out[c] from in[c] to in[c + 2 kRadius].
void AlongWindow(const int32_t* __restrict in, int32_t columns, int32_t* __restrict out) {
  for (int32_t c = 0; c < columns; ++c) {
    const int32_t* v = in + c;
    out[c] = (v[0] + v[10]) + 8 * (v[1] + v[9]) + 37 * (v[2] + v[8]) + 112 * (v[3] + v[7]) +
             218 * (v[4] + v[6]) + 272 * v[5];
  }
}

// The tone window's sums down a column of lines `columns` apart.
void DownWindow(const int32_t* __restrict in, int32_t columns, double* __restrict out) {
  for (int32_t c = 0; c < columns; ++c) {
    const int32_t* v = in + c;
    auto at = [&](int32_t j) { return static_cast<double>(v[static_cast<size_t>(j) * columns]); };
    out[c] = (at(0) + at(10)) + 8 * (at(1) + at(9)) + 37 * (at(2) + at(8)) + 112 * (at(3) + at(7)) +
             218 * (at(4) + at(6)) + 272 * at(5);
  }
}

// One pixel's SSIM, times 2^24 and truncated, from the window sums (times 2^20)
// of a, a^2, b, b^2 and a b. The sums are exact; the ratio is taken in double
// precision, whose every operation rounds alike on every build that does its
// arithmetic in SSE2 registers (which the i686 build is told to).
int32_t PixelSimilarity(int32_t meanA, int64_t squareA, double mb, double squareB, double product) {
  const double one = static_cast<double>(int64_t{1} << kMeanShift);
  const double ma = static_cast<double>(meanA);
  const double varianceA = static_cast<double>(squareA) * one - ma * ma;
  const double varianceB = squareB * one - mb * mb;
  const double covariance = product * one - ma * mb;
  const double c1 = static_cast<double>(kLuminanceC), c2 = static_cast<double>(kStructureC);
  const double similarity = ((2 * ma * mb + c1) * (2 * covariance + c2)) /
                            ((ma * ma + mb * mb + c1) * (varianceA + varianceB + c2));
  return static_cast<int32_t>(similarity * (int64_t{1} << kOneShift));
}

// Sums of values over a box around every pixel of a width x height map, edges
// mirrored: the box of `side` along one direction starts side / 2 before the
// pixel, as the scorer's box blur does.
std::vector<int64_t> BoxSums(const std::vector<int64_t>& values, int32_t width, int32_t height,
                             int32_t across, int32_t down) {
  std::vector<int64_t> rows(values.size()), out(values.size());
  for (int32_t y = 0; y < height; ++y) {
    const int64_t* line = &values[static_cast<size_t>(y) * width];
    int64_t sum = 0;
    for (int32_t i = 0; i < across; ++i) sum += line[Mirrored(i - across / 2, width)];
    for (int32_t x = 0; x < width; ++x) {
      rows[static_cast<size_t>(y) * width + x] = sum;
      sum += line[Mirrored(x + across - across / 2, width)] - line[Mirrored(x - across / 2, width)];
    }
  }
  for (int32_t x = 0; x < width; ++x) {
    int64_t sum = 0;
    for (int32_t j = 0; j < down; ++j)
      sum += rows[static_cast<size_t>(Mirrored(j - down / 2, height)) * width + x];
    for (int32_t y = 0; y < height; ++y) {
      out[static_cast<size_t>(y) * width + x] = sum;
      sum += rows[static_cast<size_t>(Mirrored(y + down - down / 2, height)) * width + x] -
             rows[static_cast<size_t>(Mirrored(y - down / 2, height)) * width + x];
    }
  }
  return out;
}

// The tone window's sums (times 2^20) of values around every pixel, edges mirrored.
std::vector<int64_t> WindowSums(const std::vector<int64_t>& values, int32_t width, int32_t height) {
  std::vector<int64_t> rows(values.size()), out(values.size());
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      int64_t sum = 0;
      for (int32_t i = -kRadius; i <= kRadius; ++i)
        sum +=
            kWeights[i + kRadius] * values[static_cast<size_t>(y) * width + Mirrored(x + i, width)];
      rows[static_cast<size_t>(y) * width + x] = sum;
    }
  }
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      int64_t sum = 0;
      for (int32_t j = -kRadius; j <= kRadius; ++j)
        sum +=
            kWeights[j + kRadius] * rows[static_cast<size_t>(Mirrored(y + j, height)) * width + x];
      out[static_cast<size_t>(y) * width + x] = sum;
    }
  }
  return out;
}

// The oriented part (Jxx - Jyy, 2 Jxy) of the structure tensor of a smoothed map,
// summed over the pixels of one cell; central differences, edges mirrored.
template <typename Value>
void CellParts(const Value* smooth, int32_t width, int32_t height, int32_t left, int32_t top,
               int32_t cellWidth, int32_t cellHeight, double parts[2]) {
  double along = 0, across = 0;
  const bool inside = left > 0 && left + cellWidth < width;
  for (int32_t y = top; y < top + cellHeight; ++y) {
    const Value* up = smooth + static_cast<size_t>(Mirrored(y - 1, height)) * width;
    const Value* down = smooth + static_cast<size_t>(Mirrored(y + 1, height)) * width;
    const Value* row = smooth + static_cast<size_t>(y) * width;
    for (int32_t x = left; x < left + cellWidth; ++x) {
      const Value right = inside ? row[x + 1] : row[Mirrored(x + 1, width)];
      const Value leftOf = inside ? row[x - 1] : row[Mirrored(x - 1, width)];
      const double gx = static_cast<double>(right - leftOf);
      const double gy = static_cast<double>(down[x] - up[x]);
      along += gx * gx - gy * gy;
      across += 2 * gx * gy;
    }
  }
  parts[0] = along;
  parts[1] = across;
}

}  // namespace

CorpusDrawing::CorpusDrawing(const std::vector<std::vector<uint8_t>>& cells, int32_t blockWidth,
                             int32_t blockHeight)
    : tileWidth_(3 * blockWidth),
      tileHeight_(3 * blockHeight),
      halfWidth_(std::max(1, 3 * blockWidth / 2)),
      halfHeight_(std::max(1, 3 * blockHeight / 2)) {
  int32_t darkest = 0;
  for (const std::vector<uint8_t>& cell : cells) {
    std::vector<uint8_t> ink(cell.size());
    int32_t total = 0;
    for (size_t i = 0; i < cell.size(); ++i) total += ink[i] = static_cast<uint8_t>(255 - cell[i]);
    darkest = std::max(darkest, total);
    ink_.push_back(std::move(ink));
  }
  // A box of one cell holding the darkest cell's ink reads black; more reads black
  // too, as the scorer clips after its blur.
  darkest_ = std::max(darkest, 1);
  toneOfInk_.resize(static_cast<size_t>(darkest_) + 1);
  for (int32_t n = 0; n <= darkest_; ++n)
    toneOfInk_[n] =
        static_cast<int16_t>((kQuarterWhite * (darkest_ - n) + darkest_ / 2) / darkest_);
}

uint32_t CorpusDrawing::Shown(size_t tile) const {
  const Sheet& sheet = sheets_[sheetOfTile_[tile]];
  return sheet.glyph[tile - sheet.firstTile];
}

void CorpusDrawing::Paint(Sheet& sheet, size_t index) {
  const int32_t tx = static_cast<int32_t>(index % sheet.across),
                ty = static_cast<int32_t>(index / sheet.across);
  const uint8_t* cell = ink_[sheet.glyph[index]].data();
  for (int32_t y = 0; y < tileHeight_; ++y) {
    std::copy(
        cell + static_cast<size_t>(y) * tileWidth_, cell + static_cast<size_t>(y + 1) * tileWidth_,
        &sheet.ink[static_cast<size_t>(ty * tileHeight_ + y) * sheet.width + tx * tileWidth_]);
  }
}

void CorpusDrawing::InkBoxSums(const Sheet& sheet, const Rect& r, int32_t boxWidth,
                               int32_t boxHeight, std::vector<int32_t>* out) {
  const int32_t beforeX = boxWidth / 2, beforeY = boxHeight / 2;
  const int32_t columns = r.x1 - r.x0 + boxWidth, rows = r.y1 - r.y0 + 1;
  std::vector<int32_t>& column = columnScratch_;
  column.assign(columns, 0);
  std::vector<int32_t>& at = indexScratch_;
  at.resize(columns);
  for (int32_t c = 0; c < columns; ++c) at[c] = Mirrored(r.x0 - beforeX + c, sheet.width);
  auto line = [&](int32_t y) {
    return &sheet.ink[static_cast<size_t>(Mirrored(y, sheet.height)) * sheet.width];
  };
  for (int32_t j = 0; j < boxHeight; ++j) {
    const uint8_t* ink = line(r.y0 - beforeY + j);
    for (int32_t c = 0; c < columns; ++c) column[c] += ink[at[c]];
  }
  out->resize(static_cast<size_t>(rows) * (r.x1 - r.x0 + 1));
  int32_t* o = out->data();
  for (int32_t y = r.y0; y <= r.y1; ++y) {
    int32_t sum = 0;
    for (int32_t c = 0; c < boxWidth; ++c) sum += column[c];
    for (int32_t c = 0; c + boxWidth <= columns; ++c) {
      *o++ = sum;
      if (c + boxWidth < columns) sum += column[c + boxWidth] - column[c];
    }
    if (y == r.y1) break;
    const uint8_t* leaving = line(y - beforeY);
    const uint8_t* entering = line(y + boxHeight - beforeY);
    for (int32_t c = 0; c < columns; ++c) column[c] += entering[at[c]] - leaving[at[c]];
  }
}

void CorpusDrawing::RescoreTone(Sheet& sheet, const Rect& r) {
  const int32_t columns = r.x1 - r.x0 + 1, lines = r.y1 - r.y0 + 1 + 2 * kRadius;
  const int32_t reach = columns + 2 * kRadius;
  std::vector<int32_t>& at = indexScratch_;
  at.resize(reach);
  for (int32_t c = 0; c < reach; ++c) at[c] = Mirrored(r.x0 - kRadius + c, sheet.width);
  // Each line's window sums along x of b, b^2 and a b: below 2^31 each, as the
  // weights sum to 2^10 and every value and product of two is at most 1020^2.
  const size_t plane = static_cast<size_t>(lines) * columns;
  lineScratch_.resize(3 * static_cast<size_t>(reach));
  sumScratch_.resize(3 * plane);
  int32_t* b = lineScratch_.data();
  int32_t* bb = b + reach;
  int32_t* ab = bb + reach;
  for (int32_t l = 0; l < lines; ++l) {
    const size_t row =
        static_cast<size_t>(Mirrored(r.y0 - kRadius + l, sheet.height)) * sheet.width;
    for (int32_t c = 0; c < reach; ++c) {
      const int32_t v = sheet.drawing[row + at[c]];
      b[c] = v, bb[c] = v * v, ab[c] = v * sheet.picture[row + at[c]];
    }
    int32_t* mean = &sumScratch_[static_cast<size_t>(l) * columns];
    AlongWindow(b, columns, mean);
    AlongWindow(bb, columns, mean + plane);
    AlongWindow(ab, columns, mean + 2 * plane);
  }
  // Down the window, in doubles: every sum is a whole number below 2^41, which
  // doubles hold exactly.
  windowScratch_.resize(3 * static_cast<size_t>(columns));
  double* mean = windowScratch_.data();
  double* square = mean + columns;
  double* product = square + columns;
  for (int32_t y = r.y0; y <= r.y1; ++y) {
    const int32_t* first = &sumScratch_[static_cast<size_t>(y - r.y0) * columns];
    DownWindow(first, columns, mean);
    DownWindow(first + plane, columns, square);
    DownWindow(first + 2 * plane, columns, product);
    const size_t row = static_cast<size_t>(y) * sheet.width + r.x0;
    for (int32_t c = 0; c < columns; ++c) {
      const int32_t similarity = PixelSimilarity(
          sheet.pictureMean[row + c], sheet.pictureSquare[row + c], mean[c], square[c], product[c]);
      sheet.similaritySum += similarity - sheet.similarity[row + c];
      sheet.similarity[row + c] = similarity;
    }
  }
}

void CorpusDrawing::RescoreCell(Sheet& sheet, int32_t cx, int32_t cy) {
  CellParts(sheet.smoothInk.data(), sheet.width, sheet.height, cx * tileWidth_, cy * tileHeight_,
            tileWidth_, tileHeight_,
            &sheet.drawingParts[2 * (static_cast<size_t>(cy) * sheet.across + cx)]);
}

CorpusDrawing::Rect CorpusDrawing::Around(const Sheet& sheet, const Rect& changed, int32_t across,
                                          int32_t down, int32_t margin) {
  return Rect{std::max(0, changed.x0 - (across - 1 - across / 2) - margin),
              std::max(0, changed.y0 - (down - 1 - down / 2) - margin),
              std::min(sheet.width - 1, changed.x1 + across / 2 + margin),
              std::min(sheet.height - 1, changed.y1 + down / 2 + margin)};
}

void CorpusDrawing::Reblur(Sheet& sheet, const Rect& changed) {
  const Rect blurred = Around(sheet, changed, tileWidth_, tileHeight_, 0);
  InkBoxSums(sheet, blurred, tileWidth_, tileHeight_, &boxScratch_);
  const int32_t* ink = boxScratch_.data();
  for (int32_t y = blurred.y0; y <= blurred.y1; ++y) {
    int16_t* tone = &sheet.drawing[static_cast<size_t>(y) * sheet.width];
    for (int32_t x = blurred.x0; x <= blurred.x1; ++x)
      tone[x] = toneOfInk_[std::min(*ink++, darkest_)];
  }
  const Rect smooth = Around(sheet, changed, halfWidth_, halfHeight_, 0);
  InkBoxSums(sheet, smooth, halfWidth_, halfHeight_, &boxScratch_);
  ink = boxScratch_.data();
  for (int32_t y = smooth.y0; y <= smooth.y1; ++y) {
    std::copy(ink, ink + (smooth.x1 - smooth.x0 + 1),
              &sheet.smoothInk[static_cast<size_t>(y) * sheet.width + smooth.x0]);
    ink += smooth.x1 - smooth.x0 + 1;
  }
}

// The changed tiles as few rectangles of tiles as redraw the fewest pixels: runs
// along each row that skip at most one tile, joined with the run below when the
// joined rectangle's reach is no larger than the two apart. What changing a tile
// reaches is several times the tile, so neighbours share most of it.
std::vector<CorpusDrawing::Rect> CorpusDrawing::ChangedRects(Sheet& sheet) const {
  std::vector<uint32_t>& pending = sheet.pending;
  std::sort(pending.begin(), pending.end());
  pending.erase(std::unique(pending.begin(), pending.end()), pending.end());
  const int64_t reachX = tileWidth_ - 1 + 2 * kRadius, reachY = tileHeight_ - 1 + 2 * kRadius;
  auto cost = [&](const Rect& r) {
    return (int64_t{r.x1 - r.x0 + 1} * tileWidth_ + reachX) *
           (int64_t{r.y1 - r.y0 + 1} * tileHeight_ + reachY);
  };
  std::vector<Rect> rects;
  size_t open = 0;  // rects from here on may still grow downwards
  for (size_t i = 0; i < pending.size();) {
    const int32_t ty = static_cast<int32_t>(pending[i] / sheet.across);
    Rect run{static_cast<int32_t>(pending[i] % sheet.across), ty, 0, ty};
    run.x1 = run.x0;
    for (++i; i < pending.size() && static_cast<int32_t>(pending[i] / sheet.across) == ty &&
              static_cast<int32_t>(pending[i] % sheet.across) <= run.x1 + 2;
         ++i) {
      run.x1 = static_cast<int32_t>(pending[i] % sheet.across);
    }
    while (open < rects.size() && rects[open].y1 < ty - 1) ++open;
    bool joined = false;
    for (size_t k = open; k < rects.size() && !joined; ++k) {
      Rect& r = rects[k];
      if (r.y1 != ty - 1 || r.x0 > run.x1 + 1 || run.x0 > r.x1 + 1) continue;
      const Rect both{std::min(r.x0, run.x0), r.y0, std::max(r.x1, run.x1), ty};
      if (cost(both) <= cost(r) + cost(run)) r = both, joined = true;
    }
    if (!joined) rects.push_back(run);
  }
  return rects;
}

void CorpusDrawing::Settle(Sheet& sheet) {
  if (sheet.pending.empty()) return;
  std::vector<Rect> rects = ChangedRects(sheet);
  for (Rect& r : rects) {
    r = Rect{r.x0 * tileWidth_, r.y0 * tileHeight_, (r.x1 + 1) * tileWidth_ - 1,
             (r.y1 + 1) * tileHeight_ - 1};
    Reblur(sheet, r);
  }
  // Only once every blur is new: a window may read several rectangles' blur.
  for (const Rect& r : rects)
    RescoreTone(sheet, Around(sheet, r, tileWidth_, tileHeight_, kRadius));
  for (const Rect& r : rects) {
    const int32_t tx0 = r.x0 / tileWidth_, ty0 = r.y0 / tileHeight_;
    const int32_t tx1 = r.x1 / tileWidth_, ty1 = r.y1 / tileHeight_;
    for (int32_t cy = std::max(0, ty0 - 1); cy <= std::min(sheet.down - 1, ty1 + 1); ++cy)
      for (int32_t cx = std::max(0, tx0 - 1); cx <= std::min(sheet.across - 1, tx1 + 1); ++cx)
        RescoreCell(sheet, cx, cy);
  }
  sheet.pending.clear();
  sheet.edgesStale = true;
}

bool CorpusDrawing::AddPicture(int32_t width, int32_t height, const uint8_t* rows, uint32_t glyph) {
  try {
    AddSheet(width, height, rows, glyph);
  } catch (const std::bad_alloc&) {
    return false;  // nothing was added: the sheet joins only once it is whole
  }
  return true;
}

void CorpusDrawing::AddSheet(int32_t width, int32_t height, const uint8_t* rows, uint32_t glyph) {
  Sheet sheet;
  sheet.across = width / tileWidth_;
  sheet.down = height / tileHeight_;
  if (sheet.across == 0 || sheet.down == 0) return;
  sheet.width = sheet.across * tileWidth_;
  sheet.height = sheet.down * tileHeight_;
  sheet.firstTile = Tiles();
  const size_t pixels = static_cast<size_t>(sheet.width) * sheet.height;
  std::vector<int64_t> grey(pixels);  // quarter levels times 1000
  for (int32_t y = 0; y < sheet.height; ++y) {
    const uint8_t* row = rows + static_cast<size_t>(height - 1 - y) * width * 4;
    for (int32_t x = 0; x < sheet.width; ++x)
      grey[static_cast<size_t>(y) * sheet.width + x] = GreyTimes1000(row + 4 * x);
  }
  const int64_t cellPixels = int64_t{tileWidth_} * tileHeight_;
  const std::vector<int64_t> box =
      BoxSums(grey, sheet.width, sheet.height, tileWidth_, tileHeight_);
  std::vector<int64_t> blurred(pixels), squares(pixels);
  sheet.picture.resize(pixels);
  for (size_t p = 0; p < pixels; ++p) {
    blurred[p] = (box[p] + 500 * cellPixels) / (1000 * cellPixels);
    sheet.picture[p] = static_cast<int16_t>(blurred[p]);
    squares[p] = blurred[p] * blurred[p];
  }
  const std::vector<int64_t> means = WindowSums(blurred, sheet.width, sheet.height);
  sheet.pictureMean.assign(means.begin(), means.end());  // below 2^30
  sheet.pictureSquare = WindowSums(squares, sheet.width, sheet.height);
  const std::vector<int64_t> smooth =
      BoxSums(grey, sheet.width, sheet.height, halfWidth_, halfHeight_);
  const size_t cells = static_cast<size_t>(sheet.across) * sheet.down;
  sheet.pictureParts.resize(2 * cells);
  sheet.drawingParts.resize(2 * cells);
  for (int32_t cy = 0; cy < sheet.down; ++cy) {
    for (int32_t cx = 0; cx < sheet.across; ++cx) {
      double* parts = &sheet.pictureParts[2 * (static_cast<size_t>(cy) * sheet.across + cx)];
      CellParts(smooth.data(), sheet.width, sheet.height, cx * tileWidth_, cy * tileHeight_,
                tileWidth_, tileHeight_, parts);
      sheet.pictureEnergy += parts[0] * parts[0] + parts[1] * parts[1];
    }
  }
  sheet.glyph.assign(cells, glyph);
  sheet.ink.assign(pixels, 0);
  for (size_t t = 0; t < cells; ++t) Paint(sheet, t);
  sheet.drawing.assign(pixels, 0);
  sheet.similarity.assign(pixels, 0);
  sheet.smoothInk.assign(pixels, 0);
  for (uint32_t t = 0; t < cells; ++t) sheet.pending.push_back(t);
  Settle(sheet);
  sheets_.reserve(sheets_.size() + 1);
  sheetOfTile_.reserve(sheetOfTile_.size() + cells);
  sheetOfTile_.insert(sheetOfTile_.end(), cells, static_cast<uint32_t>(sheets_.size()));
  sheets_.push_back(std::move(sheet));
}

void CorpusDrawing::Show(size_t tile, uint32_t glyph) {
  Sheet& sheet = sheets_[sheetOfTile_[tile]];
  const size_t index = tile - sheet.firstTile;
  if (sheet.glyph[index] == glyph) return;
  sheet.glyph[index] = glyph;
  Paint(sheet, index);
  sheet.pending.push_back(static_cast<uint32_t>(index));
}

double CorpusDrawing::Tone(size_t picture) {
  Sheet& sheet = sheets_[picture];
  Settle(sheet);
  return static_cast<double>(sheet.similaritySum) /
         (static_cast<double>(int64_t{1} << kOneShift) * sheet.width * sheet.height);
}

double CorpusDrawing::Edges(size_t picture) {
  Sheet& sheet = sheets_[picture];
  Settle(sheet);
  if (!sheet.edgesStale) return sheet.edges;
  sheet.edgesStale = false;
  double together = 0, energy = 0;
  for (size_t i = 0; i < sheet.drawingParts.size(); ++i) {
    together += sheet.pictureParts[i] * sheet.drawingParts[i];
    energy += sheet.drawingParts[i] * sheet.drawingParts[i];
  }
  sheet.edges = energy <= 0 || sheet.pictureEnergy <= 0
                    ? 0
                    : together / std::sqrt(energy * sheet.pictureEnergy);
  return sheet.edges;
}

double CorpusDrawing::MeanTone() {
  double sum = 0;
  for (size_t p = 0; p < sheets_.size(); ++p) sum += Tone(p);
  return sum / static_cast<double>(sheets_.size());
}

double CorpusDrawing::MeanEdges() {
  double sum = 0;
  for (size_t p = 0; p < sheets_.size(); ++p) sum += Edges(p);
  return sum / static_cast<double>(sheets_.size());
}

double CorpusDrawing::Figure(double edgeWeight) { return MeanTone() + edgeWeight * MeanEdges(); }
