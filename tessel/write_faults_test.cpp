// tessel's files on a full disk and in a folder without write rights: the problem names the file,
// the earlier file stays as it was, and the program goes on to write it once the fault is gone.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tessel/output_kinds.h"
#include "tessel/packed_values.h"
#include "tessel/tessel_form.h"
#include "tessel/testing/bgl_writer.h"
#include "tessel/testing/test_support.h"
#include "testing/write_fault.h"

namespace tessel {
namespace {
using corvane::test_support::FaultyFolder;
using corvane::test_support::WriteFault;

struct Writer {
  const char* name;
  const char* fileName;
  // Writes through the form and returns what it reported.
  std::function<std::string(TesselForm&, const std::filesystem::path& sceneryRoot)> write;
};

std::string Joined(const LineList& lines) {
  std::string text;
  for (const std::string_view line : lines) text.append(line).append("\n");
  return text;
}

TEST(TesselWriteFaults, EachWriterNamesTheFileKeepsTheEarlierOneAndGoesOn) {
  testing::ScratchFolder scenery;
  BglAirport airport;
  airport.identPacked = EncodePackedIdent("KSEA");
  testing::BglFileBuilder()
      .Section(kSectionAirport,
               {{testing::AirportRecord(airport, std::vector<testing::BglBytes>{testing::NameRecord("Seattle")})}})
      .WriteTo(scenery / "a.bgl");
  const Writer writers[] = {
      {"the compiled files", kAirportsAllFile,
       [](TesselForm& form, const std::filesystem::path& root) {
         form.txtPath = root.string() + "/";
         const RunResult result = form.btStart_Click();
         EXPECT_EQ(result.outputWritten, form.problems.empty());
         return Joined(form.problems);
       }},
      {"TESSEL.INI at close", "TESSEL.INI",
       [](TesselForm& form, const std::filesystem::path&) { return form.Form_Unload("/work").value_or(""); }},
  };
  for (const Writer& writer : writers) {
    for (const WriteFault fault : {WriteFault::kFullDisk, WriteFault::kReadOnlyFolder}) {
      SCOPED_TRACE(std::string(writer.name) + ", " + corvane::test_support::Describe(fault));
      FaultyFolder folder(writer.fileName, "earlier\r\n");
      TesselForm form;
      form.outputFolder = folder.folder();
      std::string whyNot;
      if (!folder.Arm(fault, whyNot)) {
        std::printf("skipped (%s): %s\n", writer.name, whyNot.c_str());
        continue;
      }
      const std::string reported = writer.write(form, scenery.path());
      folder.Disarm();
      EXPECT_TRUE(folder.EarlierFileIntact());
      EXPECT_NE(reported.find(folder.file().string()), std::string::npos) << reported;
      EXPECT_NE(reported.find(fault == WriteFault::kFullDisk ? "space" : "ermission"), std::string::npos) << reported;

      EXPECT_EQ(writer.write(form, scenery.path()), "");
      EXPECT_NE(testing::ReadWholeFile(folder.file()), "earlier\r\n");
    }
  }
}

}  // namespace
}  // namespace tessel
