// KML path import: real-world layouts become plan lines that the plan text parser takes; the rest is reported.
#include "corvane/exchange/kml_route.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "corvane/plan/plan_listing.h"
#include "testing/scratch_folder.h"

namespace corvane::exchange {
namespace {

navdata::AirportTable Airports() {
  navdata::AirportTable table;
  table.OpenForAppend(3);
  table.Append({52.308601f, 4.763889f, "EHAM ", "-11", "Schiphol"});
  table.Append({51.4775f, -0.461389f, "EGLL ", "83", "Heathrow"});
  table.Append({63.985f, -22.605556f, "BIKF ", "171", "Keflavik"});
  table.Close();
  return table;
}

const std::string kEham = " 1  EHAM   1500  250  0     -11  52.30860138  4.76388884  ";
const std::string kEgll = " 1  EGLL   1500  250  0      83  51.47750092  -0.46138901  ";

TEST(KmlRoute, LayoutsBecomePlanLines) {
  struct Case {
    const char* layout;
    std::string kml;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"one line, 7 decimals and a one-character altitude",
       "<kml><Placemark><LineString><coordinates>4.7638890,52.3086010,0 2.5000000,52.0000000,0 "
       "-0.4613890,51.4775000,0</coordinates></LineString></Placemark></kml>",
       {kEham, "29     FIX1   1500  250  0  .   52.3086010    4.7638890",
        "29     FIX2   1500  250  0  .   52.0000000    2.5000000", kEgll}},
      {"one tuple a line, no altitudes, short decimals",
       "<?xml version=\"1.0\"?>\n<kml>\n <Document>\n  <Placemark>\n   <LineString>\n    <coordinates>\n"
       "\t4.76,52.31\n\t-0.46,51.48\n    </coordinates>\n   </LineString>\n  </Placemark>\n </Document>\n</kml>\n",
       {kEham, "29     FIX1   1500  250  0  .   52.31    4.76", kEgll}},
      {"Google Earth path: namespaces, 15 decimals, wide altitudes",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
       "xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\r\n<Document>\r\n\t<name>EHAM-EGLL.kml</name>\r\n"
       "\t<Placemark>\r\n\t\t<name>EHAM-EGLL</name>\r\n\t\t<LineString>\r\n\t\t\t<tessellate>1</tessellate>\r\n"
       "\t\t\t<coordinates>\r\n\t\t\t\t4.763899999999999,52.30859999999999,0 3.1,52.2,1524.25 "
       "-0.4614000000000001,51.47750000000001,10668 \r\n\t\t\t</coordinates>\r\n\t\t</LineString>\r\n"
       "\t</Placemark>\r\n</Document>\r\n</kml>\r\n",
       {kEham, "29     FIX1   1500  250  0  .   52.3085999    4.7638999", "29     FIX2   1500  250  0  .   52.2    3.1",
        kEgll}},
      {"Google Earth's start pin (a Point) before the path",
       "<kml><Document><Placemark><Point><coordinates>4.76,52.31,0</coordinates></Point></Placemark>"
       "<Placemark><LineString><coordinates>4.76,52.31,0 -0.46,51.48,0</coordinates></LineString></Placemark>"
       "</Document></kml>",
       {kEham, "29     FIX1   1500  250  0  .   52.31    4.76", kEgll}},
      {"prefixed elements",
       "<kml:kml xmlns:kml=\"http://www.opengis.net/kml/2.2\"><kml:coordinates>-22.6,63.98 4.76,52.31"
       "</kml:coordinates></kml:kml>",
       {" 1  BIKF   1500  250  0     171  63.98500061  -22.60555649  ",
        "29     FIX1   1500  250  0  .   63.98    -22.6", kEham}},
  };
  const navdata::AirportTable airports = Airports();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    const KmlImport import = KmlPlanLines(c.kml, airports);
    ASSERT_FALSE(import.error) << *import.error;
    EXPECT_EQ(import.planLines, c.lines);
    plan::FlightPlan plan;
    EXPECT_FALSE(plan::ParsePlanText(import.planLines, plan));
    EXPECT_EQ(plan.tail, static_cast<std::int32_t>(c.lines.size()) - 1);
  }
}

TEST(KmlRoute, WhatIsNotAPathIsReported) {
  struct Case {
    std::string kml;
    const char* reason;
  };
  const Case cases[] = {
      {"4.76,52.31 -0.46,51.48", "not an XML file"},
      {"<kml><Placemark><name>nothing</name></Placemark></kml>", "no <coordinates> element"},
      {"<kml xmlns:gx=\"http://www.google.com/kml/ext/2.2\"><Placemark><gx:Track><when>2010-05-28T02:02:09Z</when>"
       "<gx:coord>4.76 52.31 0</gx:coord><gx:coord>-0.46 51.48 0</gx:coord></gx:Track></Placemark></kml>",
       "gx:Track path is not supported"},
      {"<kml><Point><coordinates>4.76,52.31,0</coordinates></Point></kml>", "the longest here has 1"},
      {"<kml><coordinates> </coordinates></kml>", "the longest here has 0"},
      {"<kml><coordinates>4.76,52.31 -0.46;51.48</coordinates></kml>", "'-0.46;51.48' is not"},
      {"<kml><coordinates>4.76,52.31,0 -0.46,51.48,0,7</coordinates></kml>", "'-0.46,51.48,0,7' is not"},
      {"<kml><coordinates>4.76,92.31 -0.46,51.48</coordinates></kml>", "'4.76,92.31' is not"},
      {"<kml><coordinates>4.7e1,52.31 -0.46,51.48</coordinates></kml>", "'4.7e1,52.31' is not"},
  };
  const navdata::AirportTable airports = Airports();
  for (const Case& c : cases) {
    const KmlImport import = KmlPlanLines(c.kml, airports);
    ASSERT_TRUE(import.error) << c.kml;
    EXPECT_NE(import.error->find(c.reason), std::string::npos) << *import.error;
    EXPECT_TRUE(import.planLines.empty());
  }
}

TEST(KmlRoute, FileErrorsNameTheFile) {
  corvane::test_support::ScratchFolder folder;
  std::ofstream(folder / "path.kml") << "<kml><coordinates>4.76,52.31 -0.46,51.48</coordinates></kml>";
  EXPECT_EQ(ImportKmlFile(folder / "path.kml", Airports()).planLines.size(), 3u);
  const KmlImport missing = ImportKmlFile(folder / "none.kml", Airports());
  ASSERT_TRUE(missing.error);
  EXPECT_EQ(*missing.error, "KML import: " + (folder / "none.kml").string() + ": cannot be read");
}

// A path point that the kept decimals put at 0/0 made a plan line that ends the plan there, so the
// OK button lost the points after it.
TEST(KmlRoute, APointAtZeroZeroIsReported) {
  const char* source = std::getenv("CORVANE_SOURCE_DIR");
  const std::filesystem::path path = std::filesystem::path(source != nullptr ? source : "../..") / "corvane" /
                                     "exchange" / "fuzz_findings" / "path_point_at_zero_zero.kml";
  const KmlImport import = ImportKmlFile(path, Airports());
  ASSERT_TRUE(import.error);
  EXPECT_NE(import.error->find("path point 2 lies at 0/0"), std::string::npos) << *import.error;
  EXPECT_TRUE(import.planLines.empty());
}

}  // namespace
}  // namespace corvane::exchange
