#include "train/drawing_search.h"

#include <algorithm>
#include <numeric>

#include "train/nearest_records.h"

namespace {

// Other glyphs tried for a record in each pass: those of least summed regret over
// its tiles. Eight drew the held-out pictures no better and cost as much again.
constexpr uint32_t kRelabels = 4;
// Moves of one record's values in a pass, at most.
constexpr int32_t kMoves = 8;

// A tile and the glyph it is to show.
struct Change {
  uint32_t tile;
  uint32_t glyph;
};

class DrawingSearch {
 public:
  DrawingSearch(const TrainingTiles& tiles, const TileRegrets& regrets,
                const DrawingSearchSettings& settings, CorpusDrawing* drawing,
                const std::vector<GlyphDefinition>& records, const std::vector<uint32_t>& glyph)
      : regrets_(regrets),
        settings_(settings),
        drawing_(*drawing),
        rule_(tiles, records),
        glyph_(glyph) {
    for (size_t t = 0; t < rule_.Tiles(); ++t) drawing_.Show(t, glyph_[rule_.Winner(t)]);
    figure_ = drawing_.Figure(settings_.edgeWeight);
  }

  double Figure() const { return figure_; }

  void Pass(int32_t step) {
    for (uint32_t r = 0; r < rule_.Records(); ++r) {
      Relabel(r);
      Nudge(r, step);
    }
  }

  void Store(std::vector<GlyphDefinition>* records, std::vector<uint32_t>* glyph) const {
    rule_.Store(records);
    *glyph = glyph_;
  }

 private:
  // Draws the changes and keeps them only when the figure rises.
  bool Improves(const std::vector<Change>& changes) {
    if (changes.empty()) return false;
    undo_.clear();
    for (const Change& c : changes) {
      undo_.push_back(Change{c.tile, drawing_.Shown(c.tile)});
      drawing_.Show(c.tile, c.glyph);
    }
    const double figure = drawing_.Figure(settings_.edgeWeight);
    if (figure > figure_) {
      figure_ = figure;
      return true;
    }
    for (auto u = undo_.rbegin(); u != undo_.rend(); ++u) drawing_.Show(u->tile, u->glyph);
    return false;
  }

  uint32_t RecordsDrawing(uint32_t g) const {
    return static_cast<uint32_t>(std::count(glyph_.begin(), glyph_.end(), g));
  }

  size_t GlyphsDrawn() const {
    std::vector<bool> drawn(regrets_.glyphs, false);
    for (uint32_t g : glyph_) drawn[g] = true;
    return static_cast<size_t>(std::count(drawn.begin(), drawn.end(), true));
  }

  // Gives record r another glyph when that draws the corpus better, trying those
  // of least summed regret over its tiles. The densest glyph keeps a record, and
  // no record leaves its glyph when that would leave fewer than the floor drawn.
  void Relabel(uint32_t r) {
    const uint32_t own = glyph_[r];
    if (own == settings_.densest && RecordsDrawing(own) == 1) return;
    if (RecordsDrawing(own) == 1 && GlyphsDrawn() <= settings_.fewestGlyphs) return;
    std::vector<uint32_t> won;
    for (size_t t = 0; t < rule_.Tiles(); ++t) {
      if (rule_.Winner(t) == r) won.push_back(static_cast<uint32_t>(t));
    }
    if (won.empty()) return;
    std::vector<uint64_t> sums(regrets_.glyphs, 0);
    for (uint32_t t : won) {
      const uint32_t* regret = regrets_.Of(t);
      for (size_t g = 0; g < regrets_.glyphs; ++g) sums[g] += regret[g];
    }
    std::vector<uint32_t> order(regrets_.glyphs);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return sums[a] < sums[b]; });
    uint32_t tried = 0;
    for (uint32_t g : order) {
      if (tried == kRelabels) break;
      if (g == own) continue;
      ++tried;
      std::vector<Change> changes;
      for (uint32_t t : won) changes.push_back(Change{t, g});
      if (Improves(changes)) {
        glyph_[r] = g;
        return;
      }
    }
  }

  // Moves record r's values by step, one value at a time, while a move raises the
  // figure.
  void Nudge(uint32_t r, int32_t step) {
    rule_.Hold(r);
    for (int32_t move = 0; move < kMoves; ++move) {
      const std::vector<uint32_t> reachable = rule_.Reachable(step);
      bool moved = false;
      for (int32_t k = 0; k < 12 && !moved; ++k) {
        for (int32_t sign : {-1, 1}) {
          const int32_t value = std::clamp(rule_.Value(r, k) + sign * step, 0, 255);
          if (value == rule_.Value(r, k)) continue;
          std::vector<Change> changes;
          for (uint32_t t : reachable) {
            const uint32_t glyph = glyph_[rule_.WinnerIf(t, k, value)];
            if (glyph != drawing_.Shown(t)) changes.push_back(Change{t, glyph});
          }
          if (!Improves(changes)) continue;
          rule_.Move(k, value);
          moved = true;
          break;
        }
      }
      if (!moved) return;
    }
  }

  const TileRegrets& regrets_;
  const DrawingSearchSettings& settings_;
  CorpusDrawing& drawing_;
  NearestRecords rule_;
  std::vector<uint32_t> glyph_;
  std::vector<Change> undo_;
  double figure_ = 0;
};

}  // namespace

double SearchOnDrawing(const TrainingTiles& tiles, const TileRegrets& regrets,
                       const DrawingSearchSettings& settings, CorpusDrawing* drawing,
                       std::vector<GlyphDefinition>* records, std::vector<uint32_t>* recordGlyph) {
  DrawingSearch search(tiles, regrets, settings, drawing, *records, *recordGlyph);
  int32_t step = std::max(1, settings.firstStep);
  for (int32_t pass = 0; pass < settings.passes; ++pass) {
    search.Pass(step);
    step = std::max(1, step / 2);
  }
  search.Store(records, recordGlyph);
  return search.Figure();
}
