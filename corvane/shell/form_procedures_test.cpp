// The procedure buttons on the form: a load, browsing and ACT through the handler table, and a file
// that is missing or does not read reported with its line while the loaded table stays.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "form1.h"
#include "form_handlers.h"
#include "test_form.h"

namespace corvane::shell {
namespace {

using testing::TemporaryFolder;
using testing::TestForm;
using testing::WriteText;

const std::string kStarHeader = "arrivals\ncolumns\npositions\n";
const std::string kBikfStars = kStarHeader +
                               "[BIKF GAKT1A RW29\n"
                               "  TF          GAKTU  63.960000  -20.724722\n"
                               "  TF          KEILA  63.984444  -22.158889\n"
                               "\n"
                               "[BIKF SORP1K RW20\n"
                               "  TF          SORPU  64.714722  -22.473333\n";

void Press(TForm1& form, std::string_view handler) { FindHandler(handler)->run(form, {}); }

TEST(FormProcedures, BrowseAndActThroughTheButtons) {
  TemporaryFolder folder;
  WriteText(folder.path() / "navstar.dat", kBikfStars);
  TestForm test(folder.path() / "corvane.INI", folder.path());
  TForm1& form = *test.form;
  form.plan.entries[0] = {52.3f, 4.76f, "EHAM ", "-11", plan::WaypointKind::kAirport, 33000, 320, 0};
  form.plan.entries[1] = {64.0f, -22.6f, "BIKF ", "170", plan::WaypointKind::kAirport, 33000, 320, 1100};
  form.plan.tail = 1;
  form.edICAO.text = "bikf";

  Press(form, "btSTRClick");
  EXPECT_EQ(form.SB1.text, "GAKT1A RW29: GAKTU KEILA");
  EXPECT_EQ(form.AirportViewZoom, 1.5f);
  Press(form, "btSdPrClick");
  EXPECT_EQ(form.SB1.text, "SORP1K RW20: SORPU");
  Press(form, "btSdNtClick");
  Press(form, "btSdEtClick");
  EXPECT_EQ(form.SB1.text, "Added GAKT1A RW29: 2 points");
  EXPECT_EQ(form.plan.tail, 3);
  EXPECT_EQ(form.plan[2].ident, "KEILA");
  EXPECT_EQ(form.plan[3].ident, "BIKF ");
  EXPECT_TRUE(test.dialogLog.empty());
}

TEST(FormProcedures, AFileThatDoesNotReadIsReportedAndTheTableStays) {
  struct Case {
    std::string name;
    std::string fileText;  // empty: no file
    std::string message;   // its beginning
    std::string detail;    // a part further on
  };
  const Case cases[] = {
      {"missing", "", "message: navstar.dat: ", "not found"},
      {"bad longitude", kStarHeader + "[BIKF GAKT1A RW29\n  TF          GAKTU  63.960000  -2O.724722\n",
       "message: navstar.dat line 5: ", "-2O.724722"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TemporaryFolder folder;
    WriteText(folder.path() / "navstar.dat", kBikfStars);
    TestForm test(folder.path() / "corvane.INI", folder.path());
    TForm1& form = *test.form;
    form.edICAO.text = "BIKF";
    Press(form, "btSTRClick");
    Press(form, "btSdNtClick");

    std::filesystem::remove(folder.path() / "navstar.dat");
    if (!c.fileText.empty()) WriteText(folder.path() / "navstar.dat", c.fileText);
    Press(form, "btSTRClick");
    ASSERT_EQ(test.dialogLog.size(), 1u);
    EXPECT_EQ(test.dialogLog[0].rfind(c.message, 0), 0u) << test.dialogLog[0];
    EXPECT_NE(test.dialogLog[0].find(c.detail), std::string::npos) << test.dialogLog[0];
    EXPECT_EQ(form.procedures.pointCount(), 3);
    EXPECT_EQ(form.procedures.selected, 3);
  }
}

}  // namespace
}  // namespace corvane::shell
