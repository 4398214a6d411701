// The Qt benchmarks' application: text needs one, and the benchmarks run without a display.
#pragma once

namespace corvane::bench {

// Makes the offscreen QApplication the first time it is called; later calls do nothing.
void EnsureQtApplication();

}  // namespace corvane::bench
