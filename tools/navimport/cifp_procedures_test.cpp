// CIFP SIDs and STARs to procedure entries: runway pieces from their thresholds, "RWnnB" expanded,
// transitions joined at the common route's last fix, legs without a fix skipped, repeated idents
// dropped, an entry with an unknown fix left out; the written file read back by corvane's reader.
#include "tools/navimport/cifp_procedures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "corvane/plan/procedures.h"
#include "testing/scratch_folder.h"
#include "tools/navimport/testing/cifp_line.h"

namespace corvane::navimport {
namespace {

std::string Line(const char* prefix, const char* routeType, const char* ident, const char* transition, const char* fix,
                 const char* region, const char* section, const char* subsection, const char* legType) {
  return testing::CifpLine(prefix, routeType, ident, transition, fix, region, section, subsection, legType);
}

std::string Summary(const std::vector<ProcedureEntryOut>& entries) {
  std::string text;
  for (const ProcedureEntryOut& entry : entries) {
    text += entry.name + "/" + entry.qualifier + ":";
    for (const ProcedurePoint& point : entry.points) text += " " + point.ident;
    text += "\n";
  }
  return text;
}

class CifpProcedures : public ::testing::Test {
 protected:
  void SetUp() override {
    index_.Add("OBVER", "OB", ReferenceKind::kFix, kEnroute, {25.5, 51.0});
    index_.Add("ALSEX", "OB", ReferenceKind::kFix, kEnroute, {25.8, 51.2});
    index_.Add("ALPSE", "OB", ReferenceKind::kFix, kEnroute, {26.0, 51.5});
    index_.Add("FD16", "OB", ReferenceKind::kFix, "OBBI", {25.9, 50.6});
    index_.Add("DIA", "OT", ReferenceKind::kVhf, kEnroute, {25.2, 51.6});
  }

  const std::string kRunways =
      "RWY:RW16L,     ,      ,00013, ,IDE ,3,   ;N25174597,E051363196,0000;\n"
      "RWY:RW16R,     ,      ,00013, ,    , ,   ;N25180000,E051370000,0000;\n"
      "RWY:RW34 ,     ,      ,00013, ,    , ,   ;S25100000,W051300000,0000;\n";
  ReferenceIndex index_;
  ImportReport report_;
};

TEST_F(CifpProcedures, SidPiecesPerRunwayAndPerEnrouteTransition) {
  const SourceFile file("OBBI.dat", kRunways + Line("SID:", "1", "ALSE1C", "RW16B", "", "", "", "", "VA") +
                                        Line("SID:", "1", "ALSE1C", "RW16B", "OBVER", "OB", "E", "A", "DF") +
                                        Line("SID:", "2", "ALSE1C", "", "OBVER", "OB", "E", "A", "IF") +
                                        Line("SID:", "2", "ALSE1C", "", "FD16", "OB", "P", "C", "TF") +
                                        Line("SID:", "2", "ALSE1C", "", "ALSEX", "OB", "E", "A", "TF") +
                                        Line("SID:", "3", "ALSE1C", "ALPSE", "ALSEX", "OB", "E", "A", "IF") +
                                        Line("SID:", "3", "ALSE1C", "ALPSE", "ALPSE", "OB", "E", "A", "TF") +
                                        Line("SID:", "3", "ALSE1C", "DIA", "DIA", "OT", "D", "", "TF") +
                                        Line("SID:", "0", "ALSE1C", "RW16L", "OBVER", "OB", "E", "A", "DF") +
                                        Line("SID:", "5", "OBVE1A", "RW34", "OBVER", "OB", "E", "A", "DF") +
                                        Line("SID:", "5", "OBVE1A", "RW16L", "ALSEX", "OB", "E", "A", "DF") +
                                        Line("SID:", "5", "LOST1A", "RW34", "NOWHR", "OB", "E", "A", "DF") +
                                        Line("STAR:", "2", "ALSE1D", "ALL", "ALSEX", "OB", "E", "A", "IF") +
                                        "PRDAT:ignored;\n");
  const std::vector<ProcedureEntryOut> entries = ReadCifpProcedures(file, "OBBI", ProcedureKind::kSid, index_, report_);
  EXPECT_EQ(Summary(entries),
            "ALSE1C/RW16L: RW16L OBVER FD16 ALSEX\n"
            "ALSE1C/RW16R: RW16R OBVER FD16 ALSEX\n"
            "ALSE1C/ALPSE: ALSEX ALPSE\n"
            "ALSE1C/DIA: ALSEX DIA\n"
            "OBVE1A/RW34: RW34 OBVER\n"
            "OBVE1A/RW16L: RW16L ALSEX\n");
  EXPECT_NEAR(entries[0].points[0].latitudeDeg, 25.0 + 17.0 / 60.0 + 45.97 / 3600.0, 1e-9);
  EXPECT_DOUBLE_EQ(entries[4].points[0].longitudeDeg, -51.5);
  EXPECT_EQ(report_.DropCount("OBBI.dat", "procedure fix not found, entry left out"), 1u);

  // Written and read back: each runway piece is its own procedure.
  corvane::test_support::ScratchFolder scratch;
  std::string text = "SIDs\nof\nOBBI\n";
  AppendProcedureEntries("OBBI", entries, text);
  std::ofstream(scratch.path() / "navsid.dat", std::ios::binary) << text;
  plan::ProcedureTable table;
  const plan::ProcedureLoadResult loaded = plan::LoadProcedures(scratch.path(), "navsid.dat", "OBBI", table);
  ASSERT_EQ(loaded.outcome, plan::ProcedureLoadOutcome::kLoaded);
  EXPECT_TRUE(loaded.problems.empty());
  EXPECT_EQ(plan::SelectedProcedureText(table), "ALSE1C RW16L: RW16L OBVER FD16 ALSEX");
  table.selected = plan::NextProcedure(table);
  EXPECT_EQ(plan::SelectedProcedureText(table), "ALSE1C RW16R: RW16R OBVER FD16 ALSEX");
}

TEST_F(CifpProcedures, StarPiecesEndAtTheThreshold) {
  const SourceFile file("OBBI.dat", kRunways + Line("STAR:", "1", "DIA1D", "DIA", "DIA", "OT", "D", "", "IF") +
                                        Line("STAR:", "1", "DIA1D", "DIA", "ALPSE", "OB", "E", "A", "TF") +
                                        Line("STAR:", "2", "DIA1D", "", "ALPSE", "OB", "E", "A", "IF") +
                                        Line("STAR:", "2", "DIA1D", "", "ALSEX", "OB", "E", "A", "TF") +
                                        Line("STAR:", "6", "DIA1D", "RW34", "OBVER", "OB", "E", "A", "TF") +
                                        Line("STAR:", "6", "DIA1D", "RW34", "", "", "", "", "VM") +
                                        Line("STAR:", "2", "OBV1D", "ALL", "OBVER", "OB", "E", "A", "IF"));
  const std::vector<ProcedureEntryOut> entries =
      ReadCifpProcedures(file, "OBBI", ProcedureKind::kStar, index_, report_);
  EXPECT_EQ(Summary(entries),
            "DIA1D/DIA: DIA ALPSE ALSEX\n"
            "DIA1D/RW34: ALSEX OBVER RW34\n"
            "OBV1D/ALL: OBVER\n");
}

}  // namespace
}  // namespace corvane::navimport
