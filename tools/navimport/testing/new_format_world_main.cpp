// new_format_world SRC OUT: the 2013 files of SRC (nav.dat, fix.dat, awy.dat, apt.dat, plain or .gz)
// written to OUT as earth_nav.dat, earth_fix.dat, earth_awy.dat and apt.dat, for measuring a world
// conversion from the new layouts.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/navimport/source_file.h"
#include "tools/navimport/testing/new_format_world.h"

namespace {

std::string ReadSource(const std::filesystem::path& folder, const char* name) {
  const std::filesystem::path plain = folder / name;
  return corvane::navimport::ReadPossiblyCompressed(
      std::filesystem::exists(plain) ? plain : folder / (std::string(name) + ".gz"));
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc != 3) {
    std::fprintf(stderr, "usage: new_format_world SRC OUT\n");
    return 2;
  }
  try {
    const fs::path source = argv[1], out = argv[2];
    fs::create_directories(out);
    const corvane::navimport::fixtures::NewFormatWorld world =
        corvane::navimport::fixtures::MakeNewFormatWorld(ReadSource(source, "nav.dat"), ReadSource(source, "fix.dat"),
                                                         ReadSource(source, "awy.dat"), ReadSource(source, "apt.dat"));
    const std::pair<const char*, const std::string*> files[] = {{"earth_nav.dat", &world.nav},
                                                                {"earth_fix.dat", &world.fix},
                                                                {"earth_awy.dat", &world.awy},
                                                                {"apt.dat", &world.apt}};
    for (const auto& [name, text] : files) {
      std::ofstream file(out / name, std::ios::binary);
      file << *text;
      if (!file.flush()) {
        std::fprintf(stderr, "%s: cannot be written\n", (out / name).string().c_str());
        return 1;
      }
    }
    std::printf("%zu airway rows with an end in no fix or navaid file\n", world.unresolvableAirwayRows);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
