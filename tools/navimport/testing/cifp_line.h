// One SID:, STAR: or APPCH: line of a CIFP file for tests: 38 fields, blank-padded as the files are,
// with the route type, names, fix, region, section and leg type that the reader uses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::navimport::testing {

inline std::string CifpLine(std::string_view prefix, std::string_view routeType, std::string_view ident,
                            std::string_view transition, std::string_view fix, std::string_view region,
                            std::string_view section, std::string_view subsection, std::string_view legType) {
  std::vector<std::string> fields(38, " ");
  fields[0] = "010";
  fields[1] = routeType;
  fields[2] = ident;
  fields[3] = transition;
  fields[4] = fix;
  fields[5] = region;
  fields[6] = section;
  fields[7] = subsection;
  fields[11] = legType;
  std::string line(prefix);
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + fields[i];
  return line + ";\n";
}

}  // namespace corvane::navimport::testing
