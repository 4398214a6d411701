// The conversion driver: sources to NAV files, layout file and geo file, with the report.
#include "tools/navimport/navimport_run.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <limits>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "formats/atomic_file.h"
#include "formats/text_lines.h"
#include "tools/navimport/airport_selection.h"
#include "tools/navimport/airport_source.h"
#include "tools/navimport/airway_chain.h"
#include "tools/navimport/airway_source.h"
#include "tools/navimport/cifp_procedures.h"
#include "tools/navimport/fix_source.h"
#include "tools/navimport/layout_rows.h"
#include "tools/navimport/localizer_source.h"
#include "tools/navimport/nav_rows.h"
#include "tools/navimport/navaid_source.h"
#include "tools/navimport/procedure_files.h"
#include "tools/navimport/reference_index.h"
#include "tools/navimport/source_fields.h"
#include "tools/navimport/source_file.h"
#include "tools/navimport/source_locations.h"
#include "tools/navimport/topojson_geo.h"

namespace corvane::navimport {

namespace {

// "Made by navimport from X-Plane navigation data, cycle 2406.": the cycle of the source's version
// line ("... data cycle 2406, build ..."), left out when the line names none.
std::string SourceNote(const SourceFile& file) {
  std::string note = "Made by navimport from X-Plane navigation data";
  const std::string_view version = VersionText(file);
  constexpr std::string_view kCycle = "data cycle ";
  const std::size_t at = version.find(kCycle);
  if (at != std::string_view::npos) {
    std::string_view cycle = version.substr(at + kCycle.size());
    cycle = cycle.substr(0, cycle.find_first_of(" ,\t"));
    if (!cycle.empty()) note += ", cycle " + std::string(cycle);
  }
  return note + ".";
}

class Run {
 public:
  explicit Run(const NavImportOptions& options) : options_(options), box_(options.box.value_or(GeoBox{})) {}

  NavImportResult Go() {
    if (options_.xplaneFolder.empty()) {
      sources_ = InstallFolderSources(options_.xplaneRoot);
      labelRoot_ = options_.xplaneRoot;
    } else {
      sources_ = FlatFolderSources(options_.xplaneFolder);
    }
    for (const std::string& note : sources_.notes) result_.report.Note(note);
    std::error_code error;
    std::filesystem::create_directories(options_.outFolder, error);
    if (error) {
      result_.errors.push_back(options_.outFolder.string() + ": cannot create the output folder: " + error.message());
      return std::move(result_);
    }
    Step("navaids", [&] { Navaids(); });
    Step("fixes", [&] { Fixes(); });
    Step("airways", [&] { Airways(); });
    Step("airports", [&] { Airports(); });
    Step("geo", [&] { Geo(); });
    Step("procedures", [&] { ProcedureFiles(); });
    std::string reportText = result_.report.FullText();
    for (const std::string& message : result_.errors) {
      reportText += "Error: " + message + "\n";
    }
    Write(kReportFile, reportText, false);
    return std::move(result_);
  }

 private:
  template <typename Body>
  void Step(const char* name, Body body) {
    const auto start = std::chrono::steady_clock::now();
    try {
      body();
    } catch (const std::exception& error) {
      result_.errors.push_back(std::string(name) + ": " + error.what());
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    result_.stepSeconds.emplace_back(name, took.count());
  }

  // Read whole; named in the report by its path below the install folder, or by its file name.
  std::optional<SourceFile> Source(const std::filesystem::path& path) {
    try {
      std::string label =
          labelRoot_.empty() ? path.filename().string() : path.lexically_relative(labelRoot_).generic_string();
      SourceFile file(std::move(label), ReadPossiblyCompressed(path));
      std::string_view version = VersionText(file);
      version = version.substr(0, std::min(version.find(" Copyright"), std::size_t{80}));
      result_.report.Note(file.name() + ": read, version line \"" + std::string(version) + "\"");
      return file;
    } catch (const SourceFileError& error) {
      result_.errors.push_back(error.what());
      return std::nullopt;
    }
  }

  // Every source of one kind; none found is an error for the main file.
  std::vector<SourceFile> Sources(const std::vector<std::filesystem::path>& paths, const char* kind) {
    std::vector<SourceFile> files;
    if (paths.empty()) {
      result_.errors.push_back(
          std::string(kind) + ": not found in " +
          (labelRoot_.empty() ? options_.xplaneFolder.string() : "the X-Plane folder " + options_.xplaneRoot.string()));
    }
    for (const std::filesystem::path& path : paths) {
      if (auto file = Source(path)) files.push_back(std::move(*file));
    }
    return files;
  }

  // Replaces the file whole, so that a failed write leaves the earlier one as it was.
  bool Write(const char* fileName, const std::string& text, bool countRows, std::size_t rows = 0) {
    const std::filesystem::path target = options_.outFolder / fileName;
    if (const auto reason = formats::WriteFileAtomically(target, text)) {
      result_.errors.push_back(target.string() + ": cannot write: " + *reason);
      return false;
    }
    if (countRows) {
      result_.report.Written(fileName, rows);
    }
    return true;
  }

  // Appends the row made by `format`; a value that does not fit its field is reported instead.
  template <typename Format>
  bool AppendRow(std::string& out, const std::string& sourceName, std::size_t lineNumber, std::string_view ident,
                 Format format) {
    try {
      formats::AppendTextLine(out, format());
      return true;
    } catch (const std::exception& error) {
      result_.report.Drop(sourceName, lineNumber, "cannot be written", std::string(ident) + ": " + error.what());
      return false;
    }
  }

  void Navaids() {
    const std::vector<SourceFile> files = Sources(sources_.nav, labelRoot_.empty() ? "nav.dat" : "earth_nav.dat");
    if (files.empty()) {
      return;
    }
    navimport::Navaids navaids;
    for (const SourceFile& file : files) {
      navimport::Navaids more = ReadNavaids(file, box_, result_.report, &references_);
      for (auto [to, from] : {std::pair{&navaids.vors, &more.vors}, std::pair{&navaids.ndbs, &more.ndbs}}) {
        for (Navaid& navaid : *from) {
          navaid.fileIndex = static_cast<std::size_t>(&file - files.data());
          to->push_back(std::move(navaid));
        }
      }
      LocalizerLabels labels = ReadLocalizerLabels(file, result_.report);
      localizers_.trueCourses += labels.trueCourses;
      localizers_.byRunwayEnd.merge(labels.byRunwayEnd);
    }
    for (const auto& [fileName, list] : {std::pair{kVorFile, &navaids.vors}, std::pair{kNdbFile, &navaids.ndbs}}) {
      std::string text;
      std::size_t rows = 0;
      for (const Navaid& navaid : *list) {
        const std::string& sourceName = files[navaid.fileIndex].name();
        rows += AppendRow(text, sourceName, navaid.lineNumber, navaid.ident,
                          [&] { return BeaconRowText(navaid, sourceName); });
      }
      Write(fileName, text, true, rows);
    }
  }

  void Fixes() {
    const std::vector<SourceFile> files = Sources(sources_.fix, labelRoot_.empty() ? "fix.dat" : "earth_fix.dat");
    if (files.empty()) {
      return;
    }
    std::string text;
    std::size_t rows = 0;
    for (const SourceFile& file : files) {
      const std::vector<Fix> fixes = ReadFixes(file, box_, result_.report, &references_);
      text.reserve(text.size() + fixes.size() * 30);
      for (const Fix& fix : fixes) {
        rows += AppendRow(text, file.name(), fix.lineNumber, fix.ident, [&] { return FixRowText(fix); });
      }
    }
    if (references_.clashes() != 0) {
      result_.report.Note("fixes and navaids: " + std::to_string(references_.clashes()) +
                          " idents given twice in one region, kind and terminal area at different places; the "
                          "first is used for airways and procedures");
    }
    Write(kFixFile, text, true, rows);
  }

  void Airways() {
    const std::vector<SourceFile> files = Sources(sources_.awy, labelRoot_.empty() ? "awy.dat" : "earth_awy.dat");
    if (files.empty()) {
      return;
    }
    const SourceFile& file = files.front();
    const std::vector<AirwaySegment> segments = ReadAirwaySegments(file, box_, result_.report, &references_);
    std::vector<AirwayRun> runs = ChainAirways(segments, result_.report, file.name());
    if (!OrderRunsApart(runs)) {
      result_.report.Note(file.name() + ": runs of one airway name could not all be kept apart; the reader joins them");
    }
    std::string text;
    for (const std::string& line : AirwayHeaderLines(SourceNote(file))) {
      formats::AppendTextLine(text, line);
    }
    std::unordered_map<std::string, std::size_t> runsOfName;
    std::size_t segmentRows = 0;
    std::size_t runNumber = 0;
    std::size_t pointRows = 0;
    for (const AirwayRun& run : runs) {
      segmentRows += run.legs.size();
      pointRows += run.points.size();
      AppendAirwayRunLines(run, ++runNumber, ++runsOfName[run.airwayName], text);
    }
    result_.report.Note(file.name() + ": " + std::to_string(segments.size()) + " segments chained into " +
                        std::to_string(runNumber) + " runs (" + std::to_string(segmentRows) + " segments once each)");
    Write(kAirwayFile, text, true, pointRows);
  }

  void Airports() {
    const std::vector<SourceFile> files = Sources(sources_.apt, "apt.dat");
    if (files.empty()) {
      return;
    }
    std::unordered_set<std::string> wanted(options_.layoutAirports.begin(), options_.layoutAirports.end());
    const bool layoutOfAll = wanted.empty();
    // A later file's airport (a scenery pack's) takes the place of an earlier one of the same ident.
    std::vector<SourceAirport> airports;
    std::unordered_map<std::string, std::size_t> airportOfIdent;
    for (const SourceFile& file : files) {
      std::size_t replaced = 0;
      for (SourceAirport& airport : ReadAirports(
               file, [&](std::string_view ident) { return layoutOfAll || wanted.count(std::string(ident)) != 0; },
               result_.report)) {
        airport.fileIndex = static_cast<std::size_t>(&file - files.data());
        const auto [found, added] = airportOfIdent.try_emplace(airport.ident, airports.size());
        if (added) {
          airports.push_back(std::move(airport));
        } else if (airports[found->second].fileIndex != airport.fileIndex) {
          airports[found->second] = std::move(airport);
          ++replaced;
        } else {
          airports.push_back(std::move(airport));  // twice in one file: the selection reports it
        }
      }
      if (replaced != 0) {
        result_.report.Note(file.name() + ": " + std::to_string(replaced) +
                            " airports replace those of the same ident");
      }
    }
    const std::string& aptName = files.front().name();
    const auto sourceOf = [&](const SourceAirport& airport) -> const std::string& {
      return files[airport.fileIndex].name();
    };

    // Layouts of the airports asked for, whether or not the box or the table keeps them.
    std::string layoutText;
    for (const std::string& line : LayoutFileHeaderLines(SourceNote(files.front()))) {
      formats::AppendTextLine(layoutText, line);
    }
    std::vector<std::string> layoutErrors;
    std::size_t layoutAirports = 0;
    std::unordered_set<std::string> laidOut;
    const auto appendLayout = [&](const SourceAirport& airport) {
      if (!laidOut.insert(airport.ident).second) {
        return;
      }
      AppendAirportLayout(airport, layoutText, layoutErrors);
      ++layoutAirports;
    };
    if (!layoutOfAll) {
      for (const SourceAirport& airport : airports) {
        if (wanted.count(airport.ident) != 0) {
          appendLayout(airport);
        }
      }
      for (const std::string& ident : options_.layoutAirports) {
        if (laidOut.count(ident) == 0) {
          result_.report.Note(std::string(kLayoutFile) + ": no land airport " + ident + " in " + aptName);
        }
      }
    }

    std::vector<SourceAirport> inBox;
    inBox.reserve(airports.size());
    for (SourceAirport& airport : airports) {
      if (box_.Contains(airport.latitudeDeg, airport.longitudeDeg)) {
        inBox.push_back(std::move(airport));
      } else {
        result_.report.DropOutsideBox(sourceOf(airport));
      }
    }
    const std::vector<SourceAirport> kept =
        SelectAirports(std::move(inBox), std::numeric_limits<std::size_t>::max(), result_.report, aptName);

    std::string airportText;
    std::string runwayText;
    std::size_t airportRows = 0;
    std::size_t runwayRows = 0;
    std::size_t labelledEnds = 0;
    for (const SourceAirport& airport : kept) {
      if (!AppendRow(airportText, sourceOf(airport), airport.lineNumber, airport.ident,
                     [&] { return AirportRowText(airport); })) {
        continue;
      }
      ++airportRows;
      if (IsIcaoIdent(airport.ident)) keptIcaoAirports_.push_back(airport.ident);
      for (const SourceRunway& runway : airport.runways) {
        try {
          formats::RunwayEndLines lines = RunwayRowTexts(airport.ident, runway);
          labelledEnds += LabelRunwayEnd(lines.primary, airport.ident, runway.end1.designator);
          labelledEnds += LabelRunwayEnd(lines.opposite, airport.ident, runway.end2.designator);
          formats::AppendTextLine(runwayText, lines.primary);
          formats::AppendTextLine(runwayText, lines.opposite);
          runwayRows += 2;
        } catch (const std::exception& error) {
          result_.report.Drop(sourceOf(airport), airport.lineNumber, "runway cannot be written",
                              airport.ident + " " + runway.end1.designator + ": " + error.what());
        }
      }
      if (layoutOfAll) {
        appendLayout(airport);
      }
    }
    formats::AppendTextLine(layoutText, kLayoutFileEnd);
    for (const std::string& message : layoutErrors) {
      result_.report.Drop(aptName, 0, "layout row cannot be written", message);
    }
    Write(kAirportFile, airportText, true, airportRows);
    if (Write(kRunwayFile, runwayText, true, runwayRows)) {
      std::string note = std::string(kRunwayFile) + ": " + std::to_string(labelledEnds) +
                         " runway ends carry their localizer's frequency and magnetic course";
      if (localizers_.trueCourses != 0) note += " (courses true: nav.dat has no VOR to take a declination from)";
      result_.report.Note(std::move(note));
    }
    if (Write(kLayoutFile, layoutText, false)) {
      result_.report.Note(std::string(kLayoutFile) + ": layouts of " + std::to_string(layoutAirports) + " airports");
    }
  }

  // The label of the end's localizer, when it has one.
  bool LabelRunwayEnd(std::string& line, std::string_view airportIdent, std::string_view designator) const {
    const auto found = localizers_.byRunwayEnd.find(RunwayEndKey(airportIdent, designator));
    if (found == localizers_.byRunwayEnd.end()) return false;
    AddRunwayEndLabel(line, found->second);
    return true;
  }

  void Geo() {
    std::vector<GeoSegment> coast;
    std::vector<GeoSegment> borders;
    if (!GeoLayer("land-50m.json", "land", false, coast) ||
        !GeoLayer("countries-50m.json", "countries", true, borders)) {
      return;
    }
    std::string text;
    std::size_t rows = 0;
    for (const auto& [layer, segments, sourceName] :
         {std::tuple{1, &coast, "land-50m.json"}, std::tuple{2, &borders, "countries-50m.json"}}) {
      formats::AppendTextLine(text, GeoLayerLine(layer));
      for (GeoSegment segment : *segments) {
        if (options_.box && !ClipSegmentToBox(box_, segment.latitude1Deg, segment.longitude1Deg, segment.latitude2Deg,
                                              segment.longitude2Deg)) {
          result_.report.DropOutsideBox(sourceName);
          continue;
        }
        formats::AppendTextLine(text, GeoSegmentText(segment));
        ++rows;
      }
    }
    Write(kGeoFile, text, true, rows);
  }

  // From the CIFP files of the airports kept, where there are any; else files without procedures.
  // A folder's own procedure files stay unless --procedures cifp is given.
  void ProcedureFiles() {
    std::string sids, stars;
    std::size_t airportsWithProcedures = 0, sidEntries = 0, starEntries = 0;
    if (!sources_.cifp.empty()) {
      for (const std::string& airport : keptIcaoAirports_) {
        const std::filesystem::path path = FindPlainOrCompressed(sources_.cifp, airport + ".dat");
        if (path.empty()) continue;
        std::optional<SourceFile> file;
        try {
          file.emplace((sources_.cifp.filename() / path.filename()).generic_string(), ReadPossiblyCompressed(path));
        } catch (const SourceFileError& error) {
          result_.report.Drop(path.filename().string(), 0, "cannot be read", error.what());
          continue;
        }
        const auto sidList = ReadCifpProcedures(*file, airport, ProcedureKind::kSid, references_, result_.report);
        const auto starList = ReadCifpProcedures(*file, airport, ProcedureKind::kStar, references_, result_.report);
        AppendProcedureEntries(airport, sidList, sids);
        AppendProcedureEntries(airport, starList, stars);
        sidEntries += sidList.size();
        starEntries += starList.size();
        ++airportsWithProcedures;
      }
    }
    const bool fromCifp = airportsWithProcedures != 0;
    for (const auto& [fileName, body, entries] :
         {std::tuple{kSidFile, &sids, sidEntries}, std::tuple{kStarFile, &stars, starEntries}}) {
      if (HasFileIgnoringCase(options_.outFolder, fileName) && !(fromCifp && options_.proceduresFromCifp)) {
        result_.report.Note(std::string(fileName) + ": the folder's own file kept");
      } else if (!fromCifp) {
        if (Write(fileName, EmptyProcedureFileText(fileName), false)) {
          result_.report.Note(std::string(fileName) + ": written without procedures (the source data holds none)");
        }
      } else if (Write(fileName, ProcedureFileHeaderText(fileName) + *body, false)) {
        result_.report.Note(std::string(fileName) + ": " + std::to_string(entries) + " entries of " +
                            std::to_string(airportsWithProcedures) + " airports from " +
                            sources_.cifp.generic_string());
      }
    }
  }

  bool GeoLayer(const char* fileName, const char* objectName, bool sharedOnly, std::vector<GeoSegment>& segments) {
    std::string json;
    const std::filesystem::path path = options_.geoFolder / fileName;
    try {
      json = ReadPossiblyCompressed(path);
      segments = sharedOnly ? SharedBorderSegments(json, objectName) : OutlineSegments(json, objectName);
      return true;
    } catch (const std::exception& error) {
      result_.errors.push_back(path.string() + ": " + error.what());
      return false;
    }
  }

  const NavImportOptions& options_;
  GeoBox box_;
  NavImportResult result_;
  LocalizerLabels localizers_;
  SourceLocations sources_;
  std::filesystem::path labelRoot_;
  ReferenceIndex references_;
  std::vector<std::string> keptIcaoAirports_;
};

}  // namespace

NavImportResult RunNavImport(const NavImportOptions& options) { return Run(options).Go(); }

}  // namespace corvane::navimport
