#include "train/corpus_drawing.h"

#include <cstdint>
#include <vector>

#include "gtest/gtest.h"
#include "score/grey_image.h"
#include "score/text_art_score.h"
#include "tests/convert/picture_builder.h"
#include "tests/support/random.h"

namespace {

// Cells of random ink, from nearly blank to nearly solid, with a blank one first.
std::vector<std::vector<uint8_t>> RandomCells(Random* random, int32_t count, int32_t pixels) {
  std::vector<std::vector<uint8_t>> cells(count, std::vector<uint8_t>(pixels, 255));
  for (int32_t g = 1; g < count; ++g) {
    const uint32_t density = 1 + random->Next(9);
    for (uint8_t& v : cells[g]) v = random->Next(10) < density ? 0 : 255;
  }
  return cells;
}

// Soft shapes with noise, so that both figures see tone and edges.
PictureBuilder RandomPicture(Random* random, int32_t width, int32_t height) {
  PictureBuilder picture(width, height);
  const int32_t cx = static_cast<int32_t>(random->Next(width)), step = 1 + random->Next(40);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const int32_t level =
          (x < cx ? 40 : 200) + (y * step) % 50 + static_cast<int32_t>(random->Next(30));
      picture.Set(x, y, static_cast<uint8_t>(level), static_cast<uint8_t>(255 - level / 2),
                  static_cast<uint8_t>(level / 3));
    }
  }
  return picture;
}

// The scorer's figures of the same picks: the text drawn cell by cell, stretched
// by the darkest cell, against the picture's grey.
void ScorerFigures(const PictureBuilder& picture, const std::vector<std::vector<uint8_t>>& cells,
                   const std::vector<uint32_t>& picks, int32_t tileWidth, int32_t tileHeight,
                   double* tone, double* edges) {
  const int32_t across = picture.width() / tileWidth, down = picture.height() / tileHeight;
  GreyImage grey(across * tileWidth, down * tileHeight), drawn(grey.width, grey.height);
  double darkness = 0;
  for (const auto& cell : cells) {
    double ink = 0;
    for (uint8_t v : cell) ink += 255 - v;
    darkness = std::max(darkness, ink / static_cast<double>(cell.size()));
  }
  for (int32_t y = 0; y < grey.height; ++y) {
    for (int32_t x = 0; x < grey.width; ++x) {
      const uint8_t* p = picture.rows() +
                         (static_cast<size_t>(picture.height() - 1 - y) * picture.width() + x) * 4;
      grey.At(x, y) = 0.299 * p[2] + 0.587 * p[1] + 0.114 * p[0];
      drawn.At(x, y) = cells[picks[static_cast<size_t>(y / tileHeight) * across + x / tileWidth]]
                            [static_cast<size_t>(y % tileHeight) * tileWidth + x % tileWidth];
    }
  }
  StretchTone(&drawn, darkness);
  *tone = ToneSimilarity(grey, drawn, tileWidth, tileHeight);
  *edges = EdgeAgreement(grey, drawn, tileWidth, tileHeight);
}

struct Case {
  int32_t blockWidth, blockHeight, width, height;
};

// Unit blocks give tiles narrower than the tone window, so its mirrored edges
// fold more than once; the odd sizes leave remainders the scorer never sees.
const Case kCases[] = {{1, 1, 14, 10}, {2, 4, 40, 37}, {3, 6, 64, 60}, {3, 6, 9, 18}};

TEST(CorpusDrawingTest, FiguresAreTheScorersAfterAnyOrderOfChanges) {
  Random random(7);
  for (const Case& c : kCases) {
    const int32_t tw = 3 * c.blockWidth, th = 3 * c.blockHeight;
    const auto cells = RandomCells(&random, 6, tw * th);
    const PictureBuilder picture = RandomPicture(&random, c.width, c.height);
    CorpusDrawing drawing(cells, c.blockWidth, c.blockHeight);
    ASSERT_TRUE(drawing.AddPicture(c.width, c.height, picture.rows(), 0));
    std::vector<uint32_t> picks(drawing.Tiles(), 0);
    // Changes tiles in batches of every size and shape, some tiles twice and some
    // back, reading the figures between batches, so that every bound of what a
    // batch reaches is crossed by the next.
    for (int32_t n = 0; n < 3 * static_cast<int32_t>(picks.size()); ++n) {
      const size_t t = random.Next(static_cast<uint32_t>(picks.size()));
      picks[t] = random.Next(static_cast<uint32_t>(cells.size()));
      drawing.Show(t, picks[t]);
      if (random.OneIn(4)) drawing.Tone(0);
    }
    CorpusDrawing fresh(cells, c.blockWidth, c.blockHeight);
    fresh.AddPicture(c.width, c.height, picture.rows(), 0);
    for (size_t t = 0; t < picks.size(); ++t) fresh.Show(t, picks[t]);
    SCOPED_TRACE(::testing::Message() << c.blockWidth << "x" << c.blockHeight << " blocks, "
                                      << c.width << " x " << c.height);
    EXPECT_EQ(drawing.Tone(0), fresh.Tone(0));
    EXPECT_EQ(drawing.Edges(0), fresh.Edges(0));
    double tone = 0, edges = 0;
    ScorerFigures(picture, cells, picks, tw, th, &tone, &edges);
    // Tone differs by the window's whole weights and quarter grey levels only.
    EXPECT_NEAR(drawing.Tone(0), tone, 0.003);
    EXPECT_NEAR(drawing.Edges(0), edges, 1e-9);
    EXPECT_NEAR(drawing.Figure(0.5), tone + 0.5 * edges, 0.003);
  }
}

TEST(CorpusDrawingTest, TilesFollowThePicturesInTheConvertersOrder) {
  Random random(3);
  const auto cells = RandomCells(&random, 3, 9 * 18);
  const PictureBuilder small = RandomPicture(&random, 20, 20), tiny = RandomPicture(&random, 8, 40);
  CorpusDrawing drawing(cells, 3, 6);
  drawing.AddPicture(small.width(), small.height(), small.rows(), 1);
  drawing.AddPicture(tiny.width(), tiny.height(), tiny.rows(), 1);  // no whole tile
  drawing.AddPicture(small.width(), small.height(), small.rows(), 2);
  ASSERT_EQ(drawing.Pictures(), 2u);
  ASSERT_EQ(drawing.Tiles(), 4u);
  EXPECT_EQ(drawing.Shown(1), 1u);
  EXPECT_EQ(drawing.Shown(2), 2u);
  // The same picture drawn alike scores alike, whichever its place.
  drawing.Show(2, 1), drawing.Show(3, 1);
  EXPECT_EQ(drawing.Tone(0), drawing.Tone(1));
}

}  // namespace
