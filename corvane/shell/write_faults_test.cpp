// Every file the window writes, on a full disk and in a folder without write rights: a message names
// the file, the earlier file stays as it was, and the window goes on (the plan taken, the next save
// working once the fault is gone).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "form1.h"
#include "test_form.h"
#include "testing/write_fault.h"

namespace corvane::shell {
namespace {

using test_support::FaultyFolder;
using test_support::WriteFault;
using testing::TemporaryFolder;
using testing::TestForm;

const std::vector<std::string> kPlanText = {" 1    EHAM  33000  320    0     -11   52.32526016   4.75596380     ",
                                            " 3     SPY  24000  320   13  113.30   52.54027939   4.85378122     ",
                                            " 1    BIKF  33000  320  900     171   63.98500061 -22.60555649     "};
const std::vector<std::string> kIvapTemplate = {
    "[FLIGHTPLAN]", "ID=PHCRV",    "RULES=x",       "FLIGHTTYPE=S",   "NUMBER=x",     "ACTYPE=B738",
    "WAKECAT=M",    "EQUIPMENT=S", "TRANSPONDER=S", "DEPICAO=x",      "DEPTIME=1200", "SPEEDTYPE=N",
    "SPEED=x",      "LEVELTYPE=x", "LEVEL=x",       "ROUTE=x",        "DESTICAO=x",   "EET=0300",
    "ALTICAO=x",    "ALTICAO2=x",  "OTHER=x",       "ENDURANCE=0500", "POB=x",        "PIC=CORVANE TEST"};

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

void AnswerSave(TestForm& test, const std::filesystem::path& file) {
  DialogAnswer answer;
  answer.kind = DialogAnswer::Kind::Save;
  answer.text = file.string();
  test.dialogs.Queue(answer);
}

// Takes the plan text with OK, as the user would after typing it.
void TakePlan(TForm1& form) {
  form.btFPClick();
  form.Memo1.lines = kPlanText;
  form.btOKClick();
}

struct Writer {
  const char* name;
  const char* fileName;
  std::string earlierContent;
  bool settingsInFolder;  // the form's settings file is the one tried
  std::function<void(TestForm&, const FaultyFolder&)> write;
};

const std::vector<Writer>& Writers() {
  static const std::vector<Writer> writers = {
      {"SAVE of the plan", "trip.nav", "earlier plan\r\n", false,
       [](TestForm& test, const FaultyFolder& folder) {
         TakePlan(*test.form);
         test.form->btFPClick();
         AnswerSave(test, folder.file());
         test.form->btSVClick();
       }},
      {"autosave at OK", "autosave.nav", "earlier autosave\r\n", false,
       [](TestForm& test, const FaultyFolder& folder) {
         test.form->planSaveFolder = (folder.folder() / "").string();
         TakePlan(*test.form);
         EXPECT_EQ(test.form->plan.ListedCount(), 3) << "the plan is taken all the same";
       }},
      {"settings at close", "corvane.INI", "; earlier settings\r\n", true,
       [](TestForm& test, const FaultyFolder&) { test.form->FormClose(); }},
      {"export (PLN or FMS)", "trip.fms", "earlier export\r\n", false,
       [](TestForm& test, const FaultyFolder& folder) {
         TakePlan(*test.form);
         AnswerSave(test, folder.file());
         test.form->btExpClick();
       }},
      {"IvAp flight plan", "ivap.fpl", Lines(kIvapTemplate), false,
       [](TestForm& test, const FaultyFolder& folder) {
         TakePlan(*test.form);
         test.form->edIvapFP.text = folder.file().string();
         test.form->btIVAOClick();
       }},
  };
  return writers;
}

TEST(WindowWriteFaults, EachWriterNamesTheFileKeepsTheEarlierOneAndGoesOn) {
  for (const Writer& writer : Writers()) {
    for (const WriteFault fault : {WriteFault::kFullDisk, WriteFault::kReadOnlyFolder}) {
      SCOPED_TRACE(std::string(writer.name) + ", " + test_support::Describe(fault));
      FaultyFolder folder(writer.fileName, writer.earlierContent);
      TemporaryFolder settings;
      TestForm test(writer.settingsInFolder ? folder.file() : settings / "corvane.INI");
      test.form->edIvapFP.text = (settings / "no template.fpl").string();
      std::string whyNot;
      if (!folder.Arm(fault, whyNot)) {
        std::printf("skipped (%s): %s\n", writer.name, whyNot.c_str());
        continue;
      }
      writer.write(test, folder);
      folder.Disarm();

      EXPECT_TRUE(folder.EarlierFileIntact());
      std::string messages;
      for (const std::string& line : test.dialogLog) messages += line + "\n";
      EXPECT_NE(messages.find(folder.file().string()), std::string::npos) << messages;
      EXPECT_NE(messages.find(fault == WriteFault::kFullDisk ? "space" : "ermission"), std::string::npos) << messages;

      // The fault gone, the same writer succeeds: nothing was left in a broken state.
      test.dialogLog.clear();
      writer.write(test, folder);
      EXPECT_NE(testing::ReadText(folder.file()), writer.earlierContent);
    }
  }
}

}  // namespace
}  // namespace corvane::shell
