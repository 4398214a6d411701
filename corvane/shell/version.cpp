// The program's file version is the project's version, which every program shares.
#include "corvane/shell/version.h"

#include "formats/program_version.h"

namespace corvane::shell {

std::string_view ProgramFileVersion() { return formats::ProgramVersion(); }

}  // namespace corvane::shell
