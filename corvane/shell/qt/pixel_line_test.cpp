// The line rasterizer: which pixels a line paints, with and without the clip.
#include "pixel_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::shell::qt {
namespace {

constexpr std::uint32_t kInk = 0xFFFFFFFF;

// A small image as rows of '#' (painted) and '.' (not).
struct Picture {
  Picture(int width, int height) : width(width), height(height), pixels(static_cast<std::size_t>(width * height)) {}
  void Line(QPoint from, QPoint to, QRect clip) { DrawPixelLine(pixels.data(), width, clip, from, to, kInk); }
  void Line(QPoint from, QPoint to) { Line(from, to, QRect(0, 0, width, height)); }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
      std::string row;
      for (int x = 0; x < width; ++x) row += pixels[static_cast<std::size_t>(y * width + x)] == kInk ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
};

TEST(PixelLine, PaintsUpToButNotTheEndPointInEveryDirection) {
  Picture right(6, 1);
  right.Line({0, 0}, {5, 0});
  EXPECT_EQ(right.Rows(), (std::vector<std::string>{"#####."}));

  Picture left(6, 1);
  left.Line({5, 0}, {0, 0});
  EXPECT_EQ(left.Rows(), (std::vector<std::string>{".#####"}));

  Picture down(1, 4);
  down.Line({0, 0}, {0, 3});
  EXPECT_EQ(down.Rows(), (std::vector<std::string>{"#", "#", "#", "."}));

  Picture diagonal(4, 4);
  diagonal.Line({3, 0}, {0, 3});
  EXPECT_EQ(diagonal.Rows(), (std::vector<std::string>{"...#", "..#.", ".#..", "...."}));

  Picture single(2, 2);
  single.Line({1, 1}, {1, 1});
  EXPECT_EQ(single.Rows(), (std::vector<std::string>{"..", ".."}));
}

TEST(PixelLine, ShallowAndSteepLinesRoundTheShorterAxis) {
  Picture shallow(8, 3);
  shallow.Line({0, 0}, {8, 2});
  EXPECT_EQ(shallow.Rows(), (std::vector<std::string>{"##......", "..####..", "......##"}));

  Picture steep(3, 8);
  steep.Line({0, 0}, {2, 8});
  EXPECT_EQ(steep.Rows(), (std::vector<std::string>{"#..", "#..", ".#.", ".#.", ".#.", ".#.", "..#", "..#"}));
}

TEST(PixelLine, ClippedLinePaintsTheSamePixelsAsTheWholeLine) {
  Picture whole(20, 9);
  whole.Line({-3, -1}, {23, 9});
  Picture clipped(20, 9);
  clipped.Line({-3, -1}, {23, 9}, QRect(5, 2, 10, 5));
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 5 && x < 15 && y >= 2 && y < 7;
      const auto at = static_cast<std::size_t>(y * 20 + x);
      EXPECT_EQ(clipped.pixels[at], inside ? whole.pixels[at] : 0u) << x << "," << y;
    }
  }
}

TEST(PixelLine, LinesFarOutsideOrHugeNeverWriteOutsideTheClip) {
  Picture picture(10, 10);
  const QRect clip(0, 0, 10, 10);
  picture.Line({-2000000000, 5}, {2000000000, 5}, clip);  // across, ends far away on both sides
  picture.Line({5, 2000000000}, {5, -2000000000}, clip);
  picture.Line({-50, -50}, {-10, 60}, clip);  // wholly to the left
  picture.Line({3, 3}, {3, 3}, QRect());      // empty clip
  const std::vector<std::string> rows = picture.Rows();
  EXPECT_EQ(rows[5], "##########");
  for (int y = 0; y < 10; ++y) EXPECT_EQ(rows[static_cast<std::size_t>(y)][5], '#') << y;
}

}  // namespace
}  // namespace corvane::shell::qt
