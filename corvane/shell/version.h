// The program's file version ("1.2.3.4"), taken from the project version at build time.
#pragma once

#include <string_view>

namespace corvane::shell {

std::string_view ProgramFileVersion();

}  // namespace corvane::shell
