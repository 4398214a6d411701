// The compiler window's state without a toolkit: controls, settings, layout and the Start handler.
#include "tessel/tessel_form.h"

#include <cstdlib>
#include <system_error>

#include "tessel/tessel_ini.h"

#ifndef TESSEL_DEFAULT_OUTPUT_FOLDER
#define TESSEL_DEFAULT_OUTPUT_FOLDER "."
#endif

namespace tessel {
namespace {
constexpr int kTabMarginTwips = 1680;
constexpr int kListMarginTwips = 300;
constexpr int kProgressMarginTwips = 420;
}  // namespace

std::filesystem::path DefaultOutputFolder() { return TESSEL_DEFAULT_OUTPUT_FOLDER; }

TesselPlaces ChooseTesselPlaces(bool installed, const corvane::formats::UserFolders& user,
                                const std::filesystem::path& defaultOutputFolder) {
  std::error_code error;
  if (!installed || user.config.empty() || user.data.empty() ||
      std::filesystem::exists(defaultOutputFolder / kSettingsFileName, error)) {
    return {defaultOutputFolder, std::nullopt};
  }
  return {user.data / "corvane" / "data", user.config / "corvane" / kSettingsFileName};
}

std::string DefaultScanRoot() {
  const char* home = std::getenv("HOME");
  return WithTrailingSeparator(home != nullptr && *home != '\0' ? home : ".");
}

std::string WithTrailingSeparator(std::string folder) {
  // A Windows folder may end in either separator; it takes its own one.
  constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
  if (folder.empty() || (folder.back() != '/' && folder.back() != kSeparator)) folder.push_back(kSeparator);
  return folder;
}

void TesselForm::Form_Load(const std::filesystem::path& defaultOutputFolder) {
  outputFolder = defaultOutputFolder;
  TesselSettings settings;
  settings.outputFolder = outputFolder.string();
  settings.scanRoot = txtPath;
  if (ReadTesselIni(settingsFile.value_or(outputFolder / kSettingsFileName), settings)) {
    if (!settings.outputFolder.empty()) outputFolder = settings.outputFolder;
    if (!settings.scanRoot.empty()) txtPath = WithTrailingSeparator(settings.scanRoot);
  }
  windowTopTwips = settings.windowTopTwips;
  windowLeftTwips = settings.windowLeftTwips;
}

std::optional<std::string> TesselForm::Form_Unload(const std::filesystem::path& currentFolder) {
  TesselSettings settings;
  settings.outputFolder = outputFolder.string();
  settings.currentFolder = currentFolder.string();
  settings.windowTopTwips = windowTopTwips;
  settings.windowLeftTwips = windowLeftTwips;
  settings.scanRoot = txtPath;
  const std::filesystem::path file = settingsFile ? *settingsFile : outputFolder / kSettingsFileName;
  if (settingsFile) {
    std::error_code error;
    std::filesystem::create_directories(settingsFile->parent_path(), error);
  }
  if (const auto reason = WriteTesselIni(file, settings)) return "Cannot write " + file.string() + ": " + *reason;
  return std::nullopt;
}

void TesselForm::Form_Resize(int widthTwips) {
  windowWidthTwips = widthTwips;
  tabWidthTwips = widthTwips - kTabMarginTwips;
  listWidthTwips = tabWidthTwips - kListMarginTwips;
  progressWidthTwips = widthTwips - kProgressMarginTwips;
}

void TesselForm::btDir_Click(const std::optional<std::string>& pickedFile) {
  if (!pickedFile) return;
  const std::size_t slash = pickedFile->rfind('/');
  if (slash == std::string::npos) return;
  txtPath = pickedFile->substr(0, slash + 1);
}

void TesselForm::btDir_FolderPicked(const std::optional<std::string>& pickedFolder) {
  if (!pickedFolder || pickedFolder->empty()) return;
  txtPath = WithTrailingSeparator(*pickedFolder);
}

RunOptions TesselForm::CurrentRunOptions() const {
  RunOptions options;
  options.scanRoot = WithTrailingSeparator(txtPath);
  options.outputFolder = outputFolder;
  options.kinds = kinds;
  return options;
}

RunResult TesselForm::btStart_Click(RunObserver* extra) {
  problems.clear();
  FormRunObserver observer(*this, extra);
  return RunCompiler(CurrentRunOptions(), lists, observer);
}

void FormRunObserver::OnStep(std::string_view message, TabList tab) {
  if (!message.empty()) form_.lbMess = message;
  form_.SSTab1Tab = tab;
  if (extra_ != nullptr) extra_->OnStep(message, tab);
}

void FormRunObserver::OnProgress(std::size_t value, std::size_t maximum) {
  form_.PB1Value = value;
  form_.PB1Max = maximum;
  if (extra_ != nullptr) extra_->OnProgress(value, maximum);
}

void FormRunObserver::OnFile(std::size_t index, const std::string& path) {
  if (extra_ != nullptr) extra_->OnFile(index, path);
}

void FormRunObserver::OnProblem(const std::string& text) {
  form_.problems.push_back(text);
  if (extra_ != nullptr) extra_->OnProblem(text);
}

void FormRunObserver::OnBucketWarning(const std::string& text) {
  form_.lbError = text;
  if (extra_ != nullptr) extra_->OnBucketWarning(text);
}

}  // namespace tessel
