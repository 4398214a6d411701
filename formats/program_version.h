// The version every program of the project answers to --version with, the one the window's caption shows.
#pragma once

#include <string>
#include <string_view>

namespace corvane::formats {

std::string_view ProgramVersion();

// "NAME VERSION\n", the whole answer to --version.
std::string VersionLine(std::string_view programName);

}  // namespace corvane::formats
