// Decodes every listed scenery file and writes the scan-order files.
#include "tessel/scan_files.h"

#include <algorithm>
#include <array>

#include "tessel/dat_file.h"
#include "tessel/scan_pool.h"

namespace tessel {
namespace {

struct OutputFile {
  ScanOutput output;
  const char* name;
  bool OutputKinds::*kind;
};
constexpr std::array<OutputFile, kScanOutputCount> kOutputFiles = {{
    {ScanOutput::Runways, kRunwaysFile, &OutputKinds::runways},
    {ScanOutput::Heliports, kHeliportsFile, &OutputKinds::heliports},
    {ScanOutput::AirportLayout, kAirportLayoutFile, &OutputKinds::airportView},
    {ScanOutput::VorsAll, kVorsAllFile, &OutputKinds::vors},
    {ScanOutput::NdbsAll, kNdbsAllFile, &OutputKinds::ndbs},
    {ScanOutput::AirportsAll, kAirportsAllFile, &OutputKinds::airports},
    {ScanOutput::IlssAll, kIlssAllFile, &OutputKinds::ilss},
}};

// The four row lists to sort, with the words their limit report uses.
struct SortedList {
  std::vector<std::string> RowLists::*rows;
  const char* kind;
  const char* file;
};
constexpr std::array<SortedList, 4> kSortedLists = {{
    {&RowLists::airports, "airport", kAirportsSortedFile},
    {&RowLists::vors, "VOR", kVorsSortedFile},
    {&RowLists::ilss, "ILS", kIlssSortedFile},
    {&RowLists::ndbs, "NDB", kNdbsSortedFile},
}};

// Joins the scanned files to the run in list order: the output files, the rows to sort up to
// their capacity, the list lines and the problems.
class RunJoin {
 public:
  RunJoin(std::array<DatFile, kScanOutputCount>& outputs, RowLists& rows, RunLists& lists, RunObserver& observer)
      : outputs_(outputs), rows_(rows), lists_(lists), observer_(observer) {}

  void Add(const ScannedFile& file, const std::string& path) {
    for (std::size_t i = 0; i < kScanOutputCount; ++i) outputs_[i].WriteText(file.text[i].view());
    for (std::size_t i = 0; i < kSortedLists.size(); ++i) AddRows(i, file.rows, path);
    for (TabList tab : {TabList::RWY, TabList::HEL, TabList::APV}) lists_[tab].Append(file.lists[tab]);
    for (const ScannedFile::Problem& problem : file.problems) {
      if (problem.scope != ProblemScope::EachTime) {
        bool& reported = onceReported_[static_cast<std::size_t>(problem.scope)];
        if (reported) continue;
        reported = true;
      }
      observer_.OnProblem(problem.text);
    }
  }

 private:
  // The rows up to the list's capacity; the first rows left out are reported, once per list.
  void AddRows(std::size_t list, const RowLists& from, const std::string& path) {
    const SortedList& sorted = kSortedLists[list];
    std::vector<std::string>& rows = rows_.*sorted.rows;
    const std::vector<std::string>& added = from.*sorted.rows;
    const std::size_t kept = std::min(added.size(), kRowCapacity - rows.size());
    rows.insert(rows.end(), added.begin(), added.begin() + static_cast<std::ptrdiff_t>(kept));
    if (kept < added.size() && !limitReported_[list]) {
      limitReported_[list] = true;
      observer_.OnProblem(std::string("The limit of ") + std::to_string(kRowCapacity) + " " + sorted.kind +
                          " rows is reached at " + path + "; further rows are left out of " + sorted.file);
    }
  }

  std::array<DatFile, kScanOutputCount>& outputs_;
  RowLists& rows_;
  RunLists& lists_;
  RunObserver& observer_;
  std::array<bool, static_cast<std::size_t>(ProblemScope::Count)> onceReported_{};
  std::array<bool, kSortedLists.size()> limitReported_{};
};

}  // namespace

ScanFilesResult ScanFiles(const std::vector<std::string>& files, const OutputKinds& kinds,
                          const std::filesystem::path& outputFolder, RowLists& rows, RunLists& lists,
                          RunObserver& observer, std::size_t workers) {
  ScanFilesResult result;
  rows = RowLists{};
  std::array<DatFile, kScanOutputCount> outputs;
  for (const OutputFile& wanted : kOutputFiles) {
    if (!(kinds.*wanted.kind)) continue;
    std::string reason;
    if (!outputs[static_cast<std::size_t>(wanted.output)].Open(outputFolder / wanted.name, reason)) {
      observer.OnProblem("Cannot write " + (outputFolder / wanted.name).string() + ": " + reason);
      result.outputWritten = false;
    }
  }
  // The earlier files stay as they were when any of them cannot be written.
  if (!result.outputWritten) {
    for (DatFile& file : outputs) file.Abandon();
    return result;
  }

  RunJoin join(outputs, rows, lists, observer);
  {
    ScanPool pool(files, kinds, workers);
    // Counts the files joined; a stopped scan leaves the progress bar there.
    std::size_t scanned = 0;
    for (; scanned < files.size(); ++scanned) {
      if (observer.StopRequested()) {
        result.stopped = true;
        break;
      }
      observer.OnProgress(scanned, files.size());
      observer.OnFile(scanned, files[scanned]);
      const ScannedFile& file = pool.TakeNext();
      join.Add(file, files[scanned]);
      if (file.damaged) ++result.damagedFiles;
      pool.Release();
    }
    observer.OnProgress(scanned, files.size());
  }

  for (DatFile& file : outputs) {
    std::string reason;
    if (!file.Close(reason)) {
      observer.OnProblem("Cannot write " + file.path().string() + ": " + reason);
      result.outputWritten = false;
    }
  }
  return result;
}

}  // namespace tessel
