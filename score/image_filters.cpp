#include "score/image_filters.h"

#include <cmath>
#include <vector>

int32_t Mirrored(int64_t i, int32_t n) {
  const int64_t period = 2 * int64_t{n};
  int64_t m = i % period;
  if (m < 0) m += period;
  return static_cast<int32_t>(m < n ? m : period - 1 - m);
}

namespace {

// One pass of a filter along rows (alongX) or columns, from the weights of the
// offsets first..first + weights.size() - 1.
GreyImage Filtered(const GreyImage& image, const std::vector<double>& weights, int32_t first,
                   bool alongX) {
  GreyImage out(image.width, image.height);
  const int32_t n = alongX ? image.width : image.height;
  std::vector<double> line(static_cast<size_t>(n) + weights.size());
  const int32_t lines = alongX ? image.height : image.width;
  for (int32_t l = 0; l < lines; ++l) {
    // The line with its mirrored margins, so the inner loop needs no test.
    for (int64_t i = 0; i < static_cast<int64_t>(line.size()); ++i) {
      const int32_t at = Mirrored(i + first, n);
      line[static_cast<size_t>(i)] = alongX ? image.At(at, l) : image.At(l, at);
    }
    for (int32_t i = 0; i < n; ++i) {
      double sum = 0;
      for (size_t k = 0; k < weights.size(); ++k) sum += weights[k] * line[i + k];
      (alongX ? out.At(i, l) : out.At(l, i)) = sum;
    }
  }
  return out;
}

// A box along one direction by running sums: each value costs the same for any side.
GreyImage BoxAlong(const GreyImage& image, int32_t side, bool alongX) {
  GreyImage out(image.width, image.height);
  const int32_t n = alongX ? image.width : image.height;
  const int32_t lines = alongX ? image.height : image.width;
  const int32_t before = side / 2;
  std::vector<double> prefix(static_cast<size_t>(n) + side + 1);
  for (int32_t l = 0; l < lines; ++l) {
    prefix[0] = 0;
    for (int64_t i = 0; i < static_cast<int64_t>(n) + side; ++i) {
      const int32_t at = Mirrored(i - before, n);
      prefix[static_cast<size_t>(i) + 1] =
          prefix[static_cast<size_t>(i)] + (alongX ? image.At(at, l) : image.At(l, at));
    }
    for (int32_t i = 0; i < n; ++i) {
      (alongX ? out.At(i, l) : out.At(l, i)) = (prefix[i + side] - prefix[i]) / side;
    }
  }
  return out;
}

}  // namespace

GreyImage BoxBlur(const GreyImage& image, int32_t across, int32_t down) {
  return BoxAlong(BoxAlong(image, across, true), down, false);
}

GreyImage GaussianBlur(const GreyImage& image, double sigma, int32_t radius) {
  std::vector<double> weights;
  double total = 0;
  for (int32_t x = -radius; x <= radius; ++x) {
    weights.push_back(std::exp(-double(x) * x / (2 * sigma * sigma)));
    total += weights.back();
  }
  for (double& w : weights) w /= total;
  return Filtered(Filtered(image, weights, -radius, true), weights, -radius, false);
}
