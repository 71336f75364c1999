#ifndef GLYPHRANE_TRAIN_CORPUS_DRAWING_H_
#define GLYPHRANE_TRAIN_CORPUS_DRAWING_H_

#include <cstddef>
#include <cstdint>
#include <vector>

// The training pictures drawn in glyphs, one glyph a tile, and scored as the
// console converter scores a text (score/text_art_score.h): tone, the SSIM of
// picture and drawing after a one-cell box blur, and edges, the correlation of
// the oriented parts of their structure tensors cell by cell. The figures are kept
// up to date glyph by glyph, so that a search can ask what changing a few tiles'
// glyphs does to them without drawing the corpus again.
//
// Tone is summed in whole numbers (quarter grey levels; a Gaussian window of
// eleven whole weights that round the scorer's sigma of 1.5), so every update is
// exact and every build sums alike; it lands within a few thousandths of the
// scorer's figure. Edges are correlated in double precision, always in the same
// order, from parts recomputed for the cells a change reaches.
class CorpusDrawing {
 public:
  // cells: each glyph's rendered cell, 3 blockWidth x 3 blockHeight grey bytes (0
  // black), rows top-down. The drawing is tone-stretched as the scorer stretches a
  // rendering, by the darkest of these cells. REQUIRES: some cell has ink.
  CorpusDrawing(const std::vector<std::vector<uint8_t>>& cells, int32_t blockWidth,
                int32_t blockHeight);

  // Adds a picture in AddPictureTiles's layout (rows bottom-up, 4 bytes a pixel:
  // blue, green, red, any), its tiles numbered after those already added and in
  // the converter's order, every one drawn with `glyph`. A picture without a whole
  // tile adds nothing. False, with nothing added, when its maps (about 25 bytes a
  // pixel) cannot be had. REQUIRES: width, height > 0; glyph is one of the cells.
  bool AddPicture(int32_t width, int32_t height, const uint8_t* rows, uint32_t glyph);

  size_t Tiles() const { return sheetOfTile_.size(); }
  size_t Pictures() const { return sheets_.size(); }
  // REQUIRES: tile < Tiles().
  uint32_t Shown(size_t tile) const;

  // Draws glyph at tile. REQUIRES: tile < Tiles(), glyph is one of the cells.
  void Show(size_t tile, uint32_t glyph);

  // The figures of one picture; reading them redraws what changed since.
  // REQUIRES: picture < Pictures().
  double Tone(size_t picture);
  double Edges(size_t picture);
  // Means over the pictures, and the search's figure of both:
  // MeanTone() + edgeWeight x MeanEdges(). REQUIRES: a picture.
  double MeanTone();
  double MeanEdges();
  double Figure(double edgeWeight);

 private:
  struct Rect {
    int32_t x0, y0, x1, y1;  // inclusive
  };
  // One picture and its drawing, every map width x height, rows top-down.
  struct Sheet {
    int32_t across = 0, down = 0, width = 0, height = 0;
    size_t firstTile = 0;
    std::vector<uint32_t> glyph;         // per tile
    std::vector<uint8_t> ink;            // the drawing's ink, 255 - grey
    std::vector<int16_t> picture;        // blurred grey, quarter levels
    std::vector<int32_t> pictureMean;    // its window means, times 2^20
    std::vector<int64_t> pictureSquare;  // window means of its squares, times 2^20
    std::vector<int16_t> drawing;        // the drawing's blurred grey, quarter levels
    std::vector<int32_t> similarity;     // SSIM per pixel, times 2^24
    int64_t similaritySum = 0;
    std::vector<int32_t> smoothInk;    // the drawing's ink over half a cell
    std::vector<double> pictureParts;  // oriented parts, two per cell
    std::vector<double> drawingParts;
    double pictureEnergy = 0;       // the sum of the picture's parts squared
    std::vector<uint32_t> pending;  // tiles shown since the last redraw
    double edges = 0;               // the edge figure, when not stale
    bool edgesStale = true;
  };

  void AddSheet(int32_t width, int32_t height, const uint8_t* rows, uint32_t glyph);
  // Copies the ink of tile `index`'s glyph into the sheet's ink map.
  void Paint(Sheet& sheet, size_t index);
  // The drawing's ink summed over a box of boxWidth x boxHeight around each pixel
  // of r (edges mirrored), into out, r's rows one after another.
  void InkBoxSums(const Sheet& sheet, const Rect& r, int32_t boxWidth, int32_t boxHeight,
                  std::vector<int32_t>* out);
  // What a change of the pixels of `changed` reaches through a box of across x
  // down, widened by margin, within the sheet.
  static Rect Around(const Sheet& sheet, const Rect& changed, int32_t across, int32_t down,
                     int32_t margin);
  std::vector<Rect> ChangedRects(Sheet& sheet) const;
  // Redraws the pending tiles: blur, tone and edges.
  void Settle(Sheet& sheet);
  void Reblur(Sheet& sheet, const Rect& changed);
  void RescoreTone(Sheet& sheet, const Rect& r);
  void RescoreCell(Sheet& sheet, int32_t cx, int32_t cy);

  int32_t tileWidth_, tileHeight_;
  int32_t halfWidth_, halfHeight_;         // the edge figure's smoothing box
  std::vector<std::vector<uint8_t>> ink_;  // per glyph, 255 - grey per pixel
  int32_t darkest_;                        // the darkest cell's ink
  std::vector<int16_t> toneOfInk_;         // the blurred grey of a box holding so much ink
  std::vector<Sheet> sheets_;
  std::vector<uint32_t> sheetOfTile_;
  std::vector<int32_t> boxScratch_, columnScratch_, indexScratch_, lineScratch_, sumScratch_;
  std::vector<double> windowScratch_;
};

#endif  // GLYPHRANE_TRAIN_CORPUS_DRAWING_H_
