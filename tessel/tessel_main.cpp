// tessel in batch mode: the compiler's run driver without a window, progress on stderr.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#include "formats/program_folders.h"
#include "formats/program_version.h"
#include "tessel/batch_options.h"
#include "tessel/tessel_form.h"
#include "tessel/tessel_run.h"

namespace {

// The first Ctrl-C asks the run to stop between files, so the files written so far are whole and
// replace the earlier ones; a second one ends the program at once, leaving the earlier files as they were.
volatile std::sig_atomic_t gInterrupted = 0;

void OnInterrupt(int) {
  gInterrupted = 1;
  std::signal(SIGINT, SIG_DFL);
}

// Prints each step on its own line, the progress on one line rewritten in place, and every problem.
class ConsoleObserver final : public tessel::RunObserver {
 public:
  void OnStep(std::string_view message, tessel::TabList) override {
    if (message.empty() || message == lastStep_) return;
    EndProgressLine();
    lastStep_ = message;
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
  }

  void OnProgress(std::size_t value, std::size_t maximum) override {
    const auto now = std::chrono::steady_clock::now();
    if (value < maximum && now - lastPrint_ < std::chrono::milliseconds(200)) return;
    lastPrint_ = now;
    std::fprintf(stderr, "\r  %zu / %zu", value, maximum);
    progressShown_ = true;
  }

  void OnProblem(const std::string& text) override {
    EndProgressLine();
    std::fprintf(stderr, "  problem: %s\n", text.c_str());
    ++problems_;
  }

  void OnBucketWarning(const std::string& text) override {
    if (text.empty()) return;
    EndProgressLine();
    std::fprintf(stderr, "  %s\n", text.c_str());
  }

  void EndProgressLine() {
    if (progressShown_) std::fputc('\n', stderr);
    progressShown_ = false;
  }

  bool StopRequested() override { return gInterrupted != 0; }

  std::size_t problems() const { return problems_; }

 private:
  std::string lastStep_;
  std::chrono::steady_clock::time_point lastPrint_{};
  bool progressShown_ = false;
  std::size_t problems_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const tessel::TesselPlaces places =
      tessel::ChooseTesselPlaces(corvane::formats::RunsInstalled(corvane::formats::RunningProgramPath(argv[0])),
                                 corvane::formats::UserFoldersOfEnvironment());
  tessel::BatchOptions options;
  std::string error;
  if (!tessel::ParseBatchOptions(arguments, places.outputFolder, options, error)) {
    std::fprintf(stderr, "tessel: %s\n%s", error.c_str(), tessel::kBatchUsage);
    return 2;
  }
  if (options.showHelp) {
    std::fputs(tessel::kBatchUsage, stdout);
    return 0;
  }
  if (options.showVersion) {
    std::fputs(corvane::formats::VersionLine("tessel").c_str(), stdout);
    return 0;
  }
  // An installed tessel's own output folder is made at its first run.
  std::error_code noFolder;
  if (places.settingsFile && options.outputFolder == places.outputFolder) {
    std::filesystem::create_directories(places.outputFolder, noFolder);
  }
  tessel::RunOptions run;
  run.scanRoot = tessel::WithTrailingSeparator(options.scanRoot);
  run.outputFolder = options.outputFolder;
  run.kinds = options.kinds;

  ConsoleObserver console;
  std::signal(SIGINT, OnInterrupt);
  tessel::RunLists lists;
  const tessel::RunResult result = tessel::RunCompiler(run, lists, console);
  console.EndProgressLine();
  std::fprintf(stderr, "%zu folders, %zu scenery files, %zu damaged or unreadable, %zu problems reported\n",
               result.folderCount, result.fileCount, result.damagedFiles, console.problems());
  if (!result.outputWritten) {
    std::fprintf(stderr, "tessel: the output in %s could not be written\n", run.outputFolder.string().c_str());
    return 1;
  }
  return 0;
}
