// corvane-cli search: the result list of a name search, line by line as the list box shows it.
#include <cstdio>
#include <string>

#include "corvane/cli/cli_navdata.h"
#include "corvane/navdata/nav_database_load.h"
#include "corvane/navdata/nav_search.h"
#include "formats/conversion_error.h"
#include "formats/field_cut.h"

namespace corvane::cli {
namespace {

// The map centre of a first start.
constexpr double kDefaultCentreLatitude = 52.0;
constexpr double kDefaultCentreLongitude = 5.0;

}  // namespace

int RunSearchCommand(std::span<char* const> args) {
  const std::optional<NavDataOptions> options = ParseNavDataOptions(args, "search");
  if (!options) return 2;
  if (options->words.size() != 1) {
    std::fprintf(stderr, "corvane-cli search: give exactly one QUERY\n");
    return 2;
  }
  double centreLatitude = kDefaultCentreLatitude;
  double centreLongitude = kDefaultCentreLongitude;
  if (options->center) {
    const std::string_view centre = *options->center;
    const std::size_t comma = centre.find(',');
    try {
      if (comma == std::string_view::npos) throw formats::ConversionError(centre, "LAT,LON pair");
      centreLatitude = formats::ParseDouble(centre.substr(0, comma));
      centreLongitude = formats::ParseDouble(centre.substr(comma + 1));
    } catch (const formats::ConversionError& error) {
      std::fprintf(stderr, "corvane-cli search: --center: %s\n", error.what());
      return 2;
    }
  }

  navdata::NavDatabase database;
  const navdata::LoadReport report = navdata::LoadNavDatabase(database, options->dataFolder, options->source);
  for (const navdata::LoadProblem& problem : report.problems) {
    std::fprintf(stderr, "%s\n", navdata::ProblemText(problem).c_str());
  }

  // As in the search box: the query is upper-cased, and one letter is not searched.
  const std::string query = navdata::UpperCaseQuery(options->words.front());
  if (query.size() <= 1) return 0;
  navdata::SearchResultTable results;
  for (const std::string& line :
       navdata::SearchNavDatabase(database, query, centreLatitude, centreLongitude, results)) {
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

}  // namespace corvane::cli
