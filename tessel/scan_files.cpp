// Decodes every listed scenery file and writes the scan-order files.
#include "tessel/scan_files.h"

#include <utility>

#include "tessel/byte_source.h"

namespace tessel {
namespace {

// The scan-order files in the order they are opened, each with the kind that asks for it.
std::vector<std::pair<DatFile*, const char*>> WantedOutputs(const OutputKinds& kinds, ScanOutputs& outputs) {
    std::vector<std::pair<DatFile*, const char*>> wanted;
    if (kinds.runways) wanted.emplace_back(&outputs.runways, kRunwaysFile);
    if (kinds.heliports) wanted.emplace_back(&outputs.heliports, kHeliportsFile);
    if (kinds.airportView) wanted.emplace_back(&outputs.airportLayout, kAirportLayoutFile);
    if (kinds.vors) wanted.emplace_back(&outputs.vorsAll, kVorsAllFile);
    if (kinds.ndbs) wanted.emplace_back(&outputs.ndbsAll, kNdbsAllFile);
    if (kinds.airports) wanted.emplace_back(&outputs.airportsAll, kAirportsAllFile);
    if (kinds.ilss) wanted.emplace_back(&outputs.ilssAll, kIlssAllFile);
    return wanted;
}

}  // namespace

ScanFilesResult ScanFiles(const std::vector<std::string>& files, const OutputKinds& kinds,
                          const std::filesystem::path& outputFolder, RowLists& rows, RunLists& lists,
                          RunObserver& observer) {
    ScanFilesResult result;
    rows = RowLists{};
    ScanOutputs outputs;
    const auto wanted = WantedOutputs(kinds, outputs);
    for (const auto& [file, name] : wanted) {
        std::string reason;
        if (!file->Open(outputFolder / name, reason)) {
            observer.OnProblem("Cannot write " + (outputFolder / name).string() + ": " + reason);
            result.outputWritten = false;
        }
    }
    if (!result.outputWritten) {
        for (const auto& [file, name] : wanted) {
            std::string reason;
            file->Close(reason);
        }
        return result;
    }

    SceneryRowWriter writer(kinds, outputs, rows, lists, observer);
    FileByteSource source;
    // Counts the files scanned; a stopped scan leaves the progress bar there.
    std::size_t scanned = 0;
    for (; scanned < files.size(); ++scanned) {
        const std::size_t i = scanned;
        if (observer.StopRequested()) {
            result.stopped = true;
            break;
        }
        observer.OnProgress(i, files.size());
        observer.OnFile(i, files[i]);
        std::string reason;
        if (!source.Open(files[i], reason)) {
            observer.OnProblem("Cannot read " + files[i] + ": " + reason);
            ++result.damagedFiles;
            continue;
        }
        writer.BeginFile(files[i]);
        DecodeBglFile(source, writer);
        source.Close();
        if (writer.damageCount() > 0) ++result.damagedFiles;
    }
    observer.OnProgress(scanned, files.size());

    for (const auto& [file, name] : wanted) {
        std::string reason;
        if (!file->Close(reason)) {
            observer.OnProblem("Cannot write " + file->path().string() + ": " + reason);
            result.outputWritten = false;
        }
    }
    return result;
}

}  // namespace tessel
