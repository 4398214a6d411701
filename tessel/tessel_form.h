// The compiler window's state without a toolkit: controls, settings, layout and the Start handler.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "formats/program_folders.h"
#include "tessel/output_kinds.h"
#include "tessel/run_observer.h"
#include "tessel/tessel_run.h"

namespace tessel {

inline constexpr const char* kWindowCaption = "TESSEL - FSX data to DAT file creator";

// The output folder configured at build time (relative paths are taken from the working folder).
std::filesystem::path DefaultOutputFolder();
// Where TESSEL.INI is kept and the DAT files go when no settings file names another folder.
struct TesselPlaces {
  std::filesystem::path outputFolder;
  std::optional<std::filesystem::path> settingsFile;  // empty: TESSEL.INI in the output folder
};
// The build's default folder with TESSEL.INI in it, unless tessel runs installed and that folder holds no
// TESSEL.INI: then the user's data folder's corvane/data and the configuration folder's corvane/TESSEL.INI.
TesselPlaces ChooseTesselPlaces(bool installed, const corvane::formats::UserFolders& user,
                                const std::filesystem::path& defaultOutputFolder = DefaultOutputFolder());
// The scan root offered before any settings file: the user's home folder.
std::string DefaultScanRoot();
// The text with one folder separator at its end.
std::string WithTrailingSeparator(std::string folder);

class TesselForm {
 public:
  // Control state, named as the controls.
  std::string caption = kWindowCaption;
  OutputKinds kinds;  // chARP, chRWY, chVOR, chNDB, chHEL, chILS, chAPV
  std::string txtPath = DefaultScanRoot();
  std::string lbMess;
  std::string lbError;
  std::size_t PB1Value = 0;
  std::size_t PB1Max = 0;
  TabList SSTab1Tab = TabList::Dirs;
  RunLists lists;
  LineList problems;  // the run's reports, shown on their own tab

  // Window geometry in twips, and the widths Form_Resize lays out.
  int windowTopTwips = 100;
  int windowLeftTwips = 100;
  int windowWidthTwips = 12000;
  int tabWidthTwips = 0;
  int listWidthTwips = 0;
  int progressWidthTwips = 0;

  std::filesystem::path outputFolder = DefaultOutputFolder();
  std::optional<std::filesystem::path> settingsFile;  // set: TESSEL.INI is read and written there instead

  // Settings: the output folder is the default one, then TESSEL.INI in it may name another.
  void Form_Load(const std::filesystem::path& defaultOutputFolder = DefaultOutputFolder());
  // Writes TESSEL.INI into the output folder (or settingsFile); the message naming it when that failed.
  std::optional<std::string> Form_Unload(const std::filesystem::path& currentFolder = std::filesystem::current_path());
  void Form_Resize(int widthTwips);
  // After the folder dialog: a picked file or folder sets txtPath to its folder with a trailing
  // separator; nothing picked (the dialog was cancelled) changes nothing.
  void btDir_Click(const std::optional<std::string>& pickedFile);
  void btDir_FolderPicked(const std::optional<std::string>& pickedFolder);

  RunOptions CurrentRunOptions() const;
  // Runs the whole compiler on this thread; progress goes to the controls and then to extra.
  RunResult btStart_Click(RunObserver* extra = nullptr);
};

// Forwards run events into a form's controls (used on the thread that owns the form).
class FormRunObserver : public RunObserver {
 public:
  FormRunObserver(TesselForm& form, RunObserver* extra) : form_(form), extra_(extra) {}
  void OnStep(std::string_view message, TabList tab) override;
  void OnProgress(std::size_t value, std::size_t maximum) override;
  void OnFile(std::size_t index, const std::string& path) override;
  void OnProblem(const std::string& text) override;
  void OnBucketWarning(const std::string& text) override;
  bool StopRequested() override { return extra_ != nullptr && extra_->StopRequested(); }

 private:
  TesselForm& form_;
  RunObserver* extra_;
};

}  // namespace tessel
