#include "score/text_art_score.h"

#include <algorithm>
#include <cmath>

#include "score/image_filters.h"

namespace {

GreyImage Product(const GreyImage& a, const GreyImage& b) {
  GreyImage out(a.width, a.height);
  for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = a.pixels[i] * b.pixels[i];
  return out;
}

GreyImage Smoothed(const GreyImage& image) { return GaussianBlur(image, 1.5, 5); }

double MeanSsim(const GreyImage& a, const GreyImage& b) {
  const double c1 = (0.01 * 255) * (0.01 * 255), c2 = (0.03 * 255) * (0.03 * 255);
  const GreyImage meanA = Smoothed(a), meanB = Smoothed(b);
  const GreyImage squaresA = Smoothed(Product(a, a)), squaresB = Smoothed(Product(b, b));
  const GreyImage products = Smoothed(Product(a, b));
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const double ma = meanA.pixels[i], mb = meanB.pixels[i];
    const double varianceA = squaresA.pixels[i] - ma * ma;
    const double varianceB = squaresB.pixels[i] - mb * mb;
    const double covariance = products.pixels[i] - ma * mb;
    sum += (2 * ma * mb + c1) * (2 * covariance + c2) /
           ((ma * ma + mb * mb + c1) * (varianceA + varianceB + c2));
  }
  return sum / static_cast<double>(a.pixels.size());
}

// The oriented part of each cell's structure tensor, two values a cell.
std::vector<double> OrientedParts(const GreyImage& image, int32_t cellWidth, int32_t cellHeight) {
  const GreyImage smooth =
      BoxBlur(image, std::max(1, cellWidth / 2), std::max(1, cellHeight / 2));
  const int32_t across = image.width / cellWidth, down = image.height / cellHeight;
  std::vector<double> parts(2 * static_cast<size_t>(across) * down, 0.0);
  for (int32_t y = 0; y < down * cellHeight; ++y) {
    for (int32_t x = 0; x < across * cellWidth; ++x) {
      const double gx = (smooth.At(Mirrored(x + 1, smooth.width), y) -
                         smooth.At(Mirrored(x - 1, smooth.width), y)) / 2;
      const double gy = (smooth.At(x, Mirrored(y + 1, smooth.height)) -
                         smooth.At(x, Mirrored(y - 1, smooth.height))) / 2;
      double* cell = &parts[2 * (static_cast<size_t>(y / cellHeight) * across + x / cellWidth)];
      cell[0] += gx * gx - gy * gy;
      cell[1] += 2 * gx * gy;
    }
  }
  return parts;
}

}  // namespace

double ToneSimilarity(const GreyImage& picture, const GreyImage& rendering, int32_t cellWidth,
                      int32_t cellHeight) {
  const GreyImage a = BoxBlur(picture, cellWidth, cellHeight);
  GreyImage b = BoxBlur(rendering, cellWidth, cellHeight);
  for (double& v : b.pixels) v = std::clamp(v, 0.0, 255.0);
  return MeanSsim(a, b);
}

double EdgeAgreement(const GreyImage& picture, const GreyImage& rendering, int32_t cellWidth,
                     int32_t cellHeight) {
  const std::vector<double> a = OrientedParts(picture, cellWidth, cellHeight);
  const std::vector<double> b = OrientedParts(rendering, cellWidth, cellHeight);
  double ab = 0, aa = 0, bb = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    ab += a[i] * b[i];
    aa += a[i] * a[i];
    bb += b[i] * b[i];
  }
  return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0.0;
}

void StretchTone(GreyImage* rendering, double darkness) {
  for (double& v : rendering->pixels) v = 255 - (255 - v) * 255 / darkness;
}
