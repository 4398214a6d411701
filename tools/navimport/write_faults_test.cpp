// navimport's output files on a full disk and in a folder without write rights: each is reported with
// its name and the reason, the earlier file stays as it was, and the run goes on to the other files.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "testing/write_fault.h"
#include "tools/navimport/navimport_run.h"

namespace corvane::navimport {
namespace {
using test_support::FaultyFolder;
using test_support::WriteFault;

TEST(NavImportWriteFaults, EachOutputNamesTheFileKeepsTheEarlierOneAndGoesOn) {
  test_support::ScratchFolder sources;
  std::ofstream(sources / "fix.dat", std::ios::binary) << "I\r\n600 Version\r\n 52.300000  004.500000 ARTIP\r\n99\r\n";
  for (const char* output : {kFixFile, kReportFile}) {
    for (const WriteFault fault : {WriteFault::kFullDisk, WriteFault::kReadOnlyFolder}) {
      SCOPED_TRACE(std::string(output) + ", " + test_support::Describe(fault));
      FaultyFolder folder(output, "earlier\r\n");
      NavImportOptions options;
      options.xplaneFolder = sources.path();
      options.geoFolder = sources.path();
      options.outFolder = folder.folder();
      std::string whyNot;
      if (!folder.Arm(fault, whyNot)) {
        std::printf("skipped (%s): %s\n", output, whyNot.c_str());
        continue;
      }
      const NavImportResult result = RunNavImport(options);
      folder.Disarm();
      EXPECT_TRUE(folder.EarlierFileIntact());
      std::string errors;
      for (const std::string& error : result.errors) errors += error + "\n";
      EXPECT_NE(errors.find(folder.file().string() + ": cannot write: "), std::string::npos) << errors;
      EXPECT_NE(errors.find(fault == WriteFault::kFullDisk ? "space" : "ermission"), std::string::npos) << errors;

      // The fault gone, the file is written.
      RunNavImport(options);
      std::ifstream written(folder.file(), std::ios::binary);
      EXPECT_NE(std::string(std::istreambuf_iterator<char>(written), {}), "earlier\r\n");
    }
  }
}

}  // namespace
}  // namespace corvane::navimport
