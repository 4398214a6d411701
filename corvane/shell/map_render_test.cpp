// The options of "corvane --render", and one frame drawn from a small data folder.
#include "map_render.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "corvane/map/recording_canvas.h"
#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::TemporaryFolder;
using testing::WriteText;

RenderParse Parse(std::vector<std::string> words) { return ParseRenderArguments(words); }

TEST(MapRenderTest, Options) {
  const RenderParse parse = Parse({"out.png", "--center", "52.3,4.76", "--range", "40", "--mode", "arc", "--heading",
                                   "270", "--layers", "ARP,VOR,GEO2,AWB,TCS", "--size", "1920x1080", "--data", "demo"});
  ASSERT_TRUE(parse.request.has_value()) << parse.error;
  const RenderRequest& r = *parse.request;
  EXPECT_EQ(r.outputPath, "out.png");
  EXPECT_EQ(r.dataFolder, "demo");
  EXPECT_DOUBLE_EQ(r.centre.latitude, 52.3);
  EXPECT_DOUBLE_EQ(r.centre.longitude, 4.76);
  EXPECT_EQ(r.rangeNm, 40);
  EXPECT_EQ(r.mode, map::MapMode::kArc);
  EXPECT_FLOAT_EQ(r.headingDegTrue, 270);
  EXPECT_TRUE(r.layers.airports && r.layers.vor && r.layers.ownAircraftShown);
  EXPECT_FALSE(r.layers.ndb || r.layers.fixes || r.layers.labels || r.layers.rangeRings);
  EXPECT_EQ(r.layers.geoMode, 2);
  EXPECT_EQ(r.layers.airwayMode, 2);
  EXPECT_EQ(r.layers.trafficMode, 1);
  EXPECT_EQ(r.widthPx, 1920);
  EXPECT_EQ(r.heightPx, 1080);
}

TEST(MapRenderTest, WithoutOptionsTheWindowsStartLayers) {
  const RenderParse parse = Parse({"out.png"});
  ASSERT_TRUE(parse.request.has_value());
  EXPECT_EQ(parse.request->mode, map::MapMode::kMap);
  EXPECT_EQ(parse.request->rangeNm, 160);
  EXPECT_TRUE(parse.request->layers.airports && parse.request->layers.labels && parse.request->layers.rangeRings);
  EXPECT_EQ(parse.request->layers.geoMode, 1);
}

TEST(MapRenderTest, BadOptionsNameTheWord) {
  struct Case {
    std::vector<std::string> words;
    const char* error;
  };
  const Case cases[] = {
      {{}, "--render needs the output file"},
      {{"--range", "40"}, "--render needs the output file"},
      {{"out.png", "--range", "1"}, "bad value '1' for --range"},
      {{"out.png", "--range", "5000"}, "bad value '5000' for --range"},
      {{"out.png", "--range", "40nm"}, "bad value '40nm' for --range"},
      {{"out.png", "--center", "52.3"}, "bad value '52.3' for --center"},
      {{"out.png", "--center", "90,4"}, "bad value '90,4' for --center"},
      {{"out.png", "--center", "52,4,3"}, "bad value '52,4,3' for --center"},
      {{"out.png", "--mode", "north"}, "bad value 'north' for --mode"},
      {{"out.png", "--heading", "-5"}, "bad value '-5' for --heading"},
      {{"out.png", "--layers", "ARP,XYZ"}, "bad value 'ARP,XYZ' for --layers"},
      {{"out.png", "--size", "10x10"}, "bad value '10x10' for --size"},
      {{"out.png", "--size", "4000x1000"}, "bad value '4000x1000' for --size"},
      {{"out.png", "--scale", "2"}, "unknown option --scale"},
      {{"out.png", "--zoom", "3"}, "bad value '3' for --zoom"},
      {{"out.png", "--sid", "A", "--star", "B"}, "bad value 'B' for --star"},
      {{"out.png", "--plan"}, "--plan needs a value"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.words).error, c.error) << c.error;
}

const map::CanvasCall* FindText(const map::RecordingCanvas& canvas, std::string_view text) {
  for (const map::CanvasCall& call : canvas.Calls()) {
    if (call.kind == map::CanvasCall::Kind::TextOut && call.text == text) return &call;
  }
  return nullptr;
}

TEST(MapRenderTest, TheFrameShowsTheFoldersDataAndThePlan) {
  TemporaryFolder folder;
  WriteText(folder.path() / "NAVapt.dat", "EHAM  52.000000   5.500000   -11  Schiphol\r\n");
  WriteText(folder.path() / "route.nav",
            " 1   EHAM       0    0    0    -11   52.00000000   5.50000000     \r\n"
            "29    FIX       0    0   18      .   52.30000000   5.00000000     \r\n");
  RenderRequest request;
  request.dataFolder = folder.path();
  request.centre = {52.0, 5.0};
  request.rangeNm = 40;
  request.widthPx = 200;
  request.heightPx = 150;
  request.planFile = folder.path() / "route.nav";
  map::RecordingCanvas canvas(3000, 2250);
  const std::vector<std::string> problems = RenderMapFrame(request, canvas);

  // Due east 18.5 nm at range 40 with a radius of 52 px: 24 px right of the centre (100, 75).
  const map::CanvasCall* airport = FindText(canvas, "# EHAM ");
  ASSERT_NE(airport, nullptr);
  EXPECT_EQ(airport->x1, 124);
  EXPECT_EQ(airport->y1, 85);
  EXPECT_NE(FindText(canvas, "40"), nullptr);  // the range ring
  const map::CanvasCall* fix = FindText(canvas, "FIX");
  ASSERT_NE(fix, nullptr) << (problems.empty() ? "" : problems[0]);
  EXPECT_EQ(fix->font.color, 0xFF00FFu);
  EXPECT_EQ(canvas.Calls()[0].kind, map::CanvasCall::Kind::Rectangle);
}

TEST(MapRenderTest, AMissingFolderOrPlanIsReportedAndTheFrameStillDrawn) {
  TemporaryFolder folder;
  RenderRequest request;
  request.dataFolder = folder.path();
  request.planFile = folder.path() / "none.nav";
  map::RecordingCanvas canvas(3000, 2250);
  const std::vector<std::string> problems = RenderMapFrame(request, canvas);
  bool planNamed = false;
  for (const std::string& problem : problems) planNamed |= problem.find("none.nav") != std::string::npos;
  EXPECT_TRUE(planNamed);
  EXPECT_NE(FindText(canvas, "160"), nullptr);
}

TEST(MapRenderTest, TheAirportViewShowsTheNamedProcedure) {
  TemporaryFolder folder;
  WriteText(folder.path() / "NAVapt.dat", "TEST  50.100000   4.100000    12  Test Field\r\n");
  WriteText(folder.path() / "corvanxX_apt.dat", "I\r\n1000 Version\r\n1       12 1 0 TEST Test Field\r\n");
  WriteText(folder.path() / "NAVrwy.dat", "I\r\nheader\r\nTEST 09   50.100000   4.100000  90  1000 110.10 090\r\n");
  WriteText(folder.path() / "navsid.dat",
            "header\r\nheader\r\nheader\r\n"
            "[TEST SID1   RW09\r\n              ALPHA  50.200000    4.200000\r\n\r\n"
            "[TEST SID2   RW27\r\n              BRAVO  50.300000    4.300000\r\n"
            "              CHARL  50.400000    4.400000\r\n");
  const RenderParse parse =
      ParseRenderArguments(std::vector<std::string>{"out.png", "--airport", "test", "--sid", "sid2", "--zoom", "0.5"});
  ASSERT_TRUE(parse.request) << parse.error;
  RenderRequest request = *parse.request;
  request.dataFolder = folder.path();
  map::RecordingCanvas canvas(3000, 2250);
  // Only the navigation files are missing or short; the view's own files and the procedure read well.
  const auto aboutTheView = [](const std::vector<std::string>& problems) {
    return std::count_if(problems.begin(), problems.end(), [](const std::string& problem) {
      return problem.find("navsid") != std::string::npos || problem.find("TEST") != std::string::npos ||
             problem.find("corvanxX") != std::string::npos;
    });
  };
  std::vector<std::string> problems = RenderMapFrame(request, canvas);
  EXPECT_EQ(aboutTheView(problems), 0) << ::testing::PrintToString(problems);
  EXPECT_NE(FindText(canvas, "SID2 / RW27"), nullptr);
  EXPECT_NE(FindText(canvas, "CHARL"), nullptr);
  EXPECT_EQ(FindText(canvas, "ALPHA"), nullptr);
  // The label at the layout's centre, in the middle of the 1024 x 768 picture.
  const map::CanvasCall* label = FindText(canvas, "110.10 090");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->x1, 512);
  EXPECT_EQ(label->y1, 384);

  request.procedureName = "SID9";
  problems = RenderMapFrame(request, canvas);
  EXPECT_EQ(aboutTheView(problems), 1);
  EXPECT_NE(std::find(problems.begin(), problems.end(), "navsid.dat: no procedure SID9 for TEST"), problems.end());
}

}  // namespace
}  // namespace corvane::shell
