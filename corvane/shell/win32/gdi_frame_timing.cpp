// Times the map frame through GdiCanvas as the window draws it (every layer around EHAM, into the map
// image, then copied to the paint box): the median of many frames at the paint box of the window's
// default size and at 1920 x 1080, the size of the Qt canvas's benchmark, and the default size at 150 %
// (144 DPI), where the same layout is drawn on 2.25 times as many pixels.
//   corvane_gdi_frame_timing [FRAMES]     (CORVANE_DEMO_DIR: another copy of data/demo)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/map_bench_data.h"
#include "corvane/map/map_frame.h"
#include "gdi_canvas.h"

namespace {

using namespace corvane;

double MedianFrameMs(int width, int height, int frames, int dpi = 96) {
  std::vector<map::TrafficMark> traffic;
  const map::FrameInputs inputs = bench::EveryLayer(traffic);
  shell::win32::GdiCanvas image(3000, 2250, dpi);
  image.SetVisibleArea(width, height);  // as the window sets it
  shell::win32::GdiCanvas paintBox(width, height, dpi);
  map::MapView view;
  view.centre = bench::kSchiphol;
  view.rangeNm = 160;
  std::vector<double> times;
  for (int i = 0; i < frames + 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    map::DrawMapFrame(image, view, inputs, width, height);
    map::PresentFrame(paintBox, image, width, height);
    GdiFlush();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    if (i >= 5) times.push_back(elapsed.count());  // the first frames build the fonts
  }
  std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 300;
  // The paint box of the window at its default inner size, 800 x 600, less the status line.
  const int width = 800;
  const int height = 600 - 20;
  std::printf("map frame through GdiCanvas, EHAM, every layer, range 160, median of %d frames\n", frames);
  std::printf("%4d x %4d  %.2f ms\n", width, height, MedianFrameMs(width, height, frames));
  std::printf("%4d x %4d  %.2f ms\n", bench::kWidthPx, bench::kHeightPx,
              MedianFrameMs(bench::kWidthPx, bench::kHeightPx, frames));
  std::printf("%4d x %4d  %.2f ms at 144 DPI\n", width, height, MedianFrameMs(width, height, frames, 144));
  return 0;
}
