// A picture written as a PNG file: 8-bit RGB, one zlib stream.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace corvane::platform::win32 {

// pixels: width x height values 0x00BBGGRR, row by row from the top. False when the file cannot be written.
bool WritePng(const std::filesystem::path& path, int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace corvane::platform::win32
