// Loading the procedure table from a procedure file, and moving the selection through its runs.
#include "corvane/plan/procedures.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <mutex>
#include <span>
#include <system_error>
#include <utility>

#include "corvane/navdata/data_file_name.h"
#include "corvane/navdata/table_loading.h"
#include "formats/field_cut.h"
#include "formats/native_file.h"
#include "formats/text_lines.h"

namespace corvane::plan {
namespace {

std::string UpperTrimmed(std::string_view text) {
  std::string upper(formats::TrimBlanks(text));
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// Typed idents are compared as prefixes, as everywhere in the program.
bool IsHeaderOf(std::string_view line, std::string_view airport) {
  using namespace procedure_columns;
  if (line.empty() || line.front() != kHeaderMark) return false;
  return line.substr(kAirportFirst - 1, airport.size()) == airport;
}

// A line of blanks ends the points as an empty one does, rather than failing as a point.
bool EndsPoints(std::string_view line) { return formats::TrimBlanks(line).empty(); }

ProcedureEntry ReadPoint(std::string_view line, const std::string& name, const std::string& qualifier) {
  using namespace procedure_columns;
  ProcedureEntry entry;
  entry.pointName = std::string(formats::TrimmedField(line, kPointName));
  entry.lat = navdata::FloatField(line, kLatitude, "latitude");
  entry.lon = navdata::FloatField(line, kLongitude, "longitude");
  entry.procName = name;
  entry.qualifier = qualifier;
  return entry;
}

// A procedure file's header lines indexed by airport (columns 2-5), so that a press on a world file
// reads only the blocks of the wanted airport. Indexing streams the file through a small buffer
// looking only for the header mark at a line start; nothing of the file is kept but the index, and
// line numbers are counted only for a report. Indexed again when the file's size or time changes.
struct IndexedProcedureFile {
  std::filesystem::path path;
  std::filesystem::file_time_type time;
  std::uintmax_t size = 0;
  struct Header {
    std::array<char, 4> airport{};  // columns 2-5, NUL-padded when the line is shorter
    std::uint64_t offset = 0;       // of the header line's first byte
    std::uint64_t length = 0;       // to the next header line or the end of the file
  };
  std::vector<Header> headers;  // by airport, then in file order
};

constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

// Calls onChunk(chunkOffset, bytes, ownBytes) over the file up to `end`, in order: a chunk's bytes run
// up to `overlap` bytes past its own ownBytes, so that a match near its end can look ahead. False when
// a read fails.
template <typename OnChunk>
bool ForEachChunk(formats::NativeFile& file, std::uint64_t end, std::size_t overlap, OnChunk onChunk) {
  std::string buffer(kChunkBytes + overlap, '\0');
  for (std::uint64_t offset = 0; offset < end; offset += kChunkBytes) {
    const std::size_t own = static_cast<std::size_t>(std::min<std::uint64_t>(kChunkBytes, end - offset));
    const std::size_t bytes = static_cast<std::size_t>(std::min<std::uint64_t>(own + overlap, file.size() - offset));
    if (!file.ReadAt(offset, std::as_writable_bytes(std::span(buffer.data(), bytes)))) return false;
    onChunk(offset, std::string_view(buffer.data(), bytes), own);
  }
  return true;
}

bool IndexHeaders(formats::NativeFile& file, IndexedProcedureFile& indexed) {
  using namespace procedure_columns;
  constexpr std::size_t kLookAhead = kAirportFirst - 1 + 4;
  std::size_t lineEnds = 0;  // seen so far, while within the file's own header lines
  char before = '\n';        // the byte before the chunk
  const bool read = ForEachChunk(
      file, file.size(), kLookAhead, [&](std::uint64_t chunkOffset, std::string_view bytes, std::size_t own) {
        std::size_t at = 0;
        for (; lineEnds < kHeaderLines && at < own; ++at) {
          if (bytes[at] == '\n') ++lineEnds;
        }
        for (; at < own; ++at) {
          const void* mark = std::memchr(bytes.data() + at, kHeaderMark, own - at);
          if (mark == nullptr) break;
          at = static_cast<std::size_t>(static_cast<const char*>(mark) - bytes.data());
          if ((at == 0 ? before : bytes[at - 1]) != '\n') continue;
          IndexedProcedureFile::Header header;
          header.offset = chunkOffset + at;
          for (std::size_t i = 0; i < header.airport.size() && at + kAirportFirst - 1 + i < bytes.size(); ++i) {
            const char c = bytes[at + kAirportFirst - 1 + i];
            if (c == '\r' || c == '\n') break;
            header.airport[i] = c;
          }
          indexed.headers.push_back(header);
        }
        before = bytes[own - 1];
      });
  for (std::size_t i = 0; i < indexed.headers.size(); ++i) {
    const std::uint64_t next = i + 1 < indexed.headers.size() ? indexed.headers[i + 1].offset : file.size();
    indexed.headers[i].length = next - indexed.headers[i].offset;
  }
  std::sort(indexed.headers.begin(), indexed.headers.end(), [](const auto& left, const auto& right) {
    return left.airport != right.airport ? left.airport < right.airport : left.offset < right.offset;
  });
  return read;
}

// The index of the file at path, from the cache when the file is unchanged; nullptr with `error` set
// when it cannot be read.
std::shared_ptr<const IndexedProcedureFile> IndexedFile(const std::filesystem::path& path, std::string& error) {
  static std::mutex mutex;
  static std::vector<std::shared_ptr<const IndexedProcedureFile>> cache;  // one per file name (SID, STAR)
  std::error_code code;
  const auto time = std::filesystem::last_write_time(path, code);
  const auto size = code ? 0 : std::filesystem::file_size(path, code);
  const std::lock_guard lock(mutex);
  for (const auto& file : cache) {
    if (!code && file->path == path && file->time == time && file->size == size) return file;
  }
  formats::NativeFile file;
  if (!file.OpenForReading(path, error)) return nullptr;
  if (file.kind() != formats::NativeFile::Kind::kRegular) {
    error = "not a readable file";
    return nullptr;
  }
  auto indexed = std::make_shared<IndexedProcedureFile>();
  indexed->path = path;
  indexed->time = time;
  indexed->size = file.size();
  if (!IndexHeaders(file, *indexed)) {
    error = "read error";
    return nullptr;
  }
  std::erase_if(cache, [&](const auto& cached) { return cached->path == path; });
  if (!code && size == indexed->size) cache.push_back(indexed);
  return indexed;
}

// The headers that may belong to the typed airport (prefix compare), in file order.
std::vector<IndexedProcedureFile::Header> CandidateHeaders(const IndexedProcedureFile& file, std::string_view airport) {
  const std::size_t length = std::min<std::size_t>(airport.size(), 4);
  std::array<char, 4> key{};
  std::copy_n(airport.begin(), length, key.begin());
  const auto matches = [&](const IndexedProcedureFile::Header& header) {
    return std::equal(key.begin(), key.begin() + static_cast<std::ptrdiff_t>(length), header.airport.begin());
  };
  std::vector<IndexedProcedureFile::Header> headers;
  auto it =
      std::lower_bound(file.headers.begin(), file.headers.end(), key,
                       [](const auto& header, const std::array<char, 4>& wanted) { return header.airport < wanted; });
  for (; it != file.headers.end() && matches(*it); ++it) headers.push_back(*it);
  std::sort(headers.begin(), headers.end(),
            [](const auto& left, const auto& right) { return left.offset < right.offset; });
  return headers;
}

// The 1-based number of the line that starts at offset; 0 when the file cannot be read again.
std::size_t LineNumberAt(formats::NativeFile& file, std::uint64_t offset) {
  std::size_t lineEnds = 0;
  const bool read = ForEachChunk(file, offset, 0, [&](std::uint64_t, std::string_view bytes, std::size_t) {
    lineEnds += static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  });
  return read ? lineEnds + 1 : 0;
}

}  // namespace

ProcedureLoadResult LoadProcedures(const std::filesystem::path& dataFolder, std::string_view fileName,
                                   std::string_view airportField, ProcedureTable& table) {
  using namespace procedure_columns;
  ProcedureLoadResult result;
  const std::string airport = UpperTrimmed(airportField);
  if (airport.empty()) {
    result.outcome = ProcedureLoadOutcome::kNoAirport;
    return result;
  }
  const std::optional<std::filesystem::path> path = navdata::FindFileIgnoringCase(dataFolder, fileName);
  if (!path) {
    result.problems.push_back({std::string(fileName), 0, "file not found in " + dataFolder.string()});
    return result;
  }
  std::string error;
  const std::shared_ptr<const IndexedProcedureFile> indexed = IndexedFile(*path, error);
  if (!indexed) {
    result.problems.push_back({path->filename().string(), 0, error});
    return result;
  }
  const std::string fileNameFound = path->filename().string();
  formats::NativeFile file;
  if (!file.OpenForReading(*path, error)) {
    result.problems.push_back({fileNameFound, 0, error});
    return result;
  }

  ProcedureTable loaded;
  loaded.entries.resize(1);
  loaded.procedureAirport = airport;
  std::size_t pointsLeftOut = 0;
  std::uint64_t firstOffsetLeftOut = 0;
  std::string block;
  for (const IndexedProcedureFile::Header& header : CandidateHeaders(*indexed, airport)) {
    block.resize(static_cast<std::size_t>(header.length));
    if (!file.ReadAt(header.offset, std::as_writable_bytes(std::span(block.data(), block.size())))) {
      result.problems.push_back({fileNameFound, 0, "read error: the file changed while it was read"});
      return result;
    }
    const std::vector<std::string_view> lines = formats::SplitTextLineViews(block);
    if (lines.empty() || !IsHeaderOf(lines.front(), airport)) continue;
    const std::string name(formats::TrimmedField(lines.front(), kName));
    const std::string qualifier(formats::TrimmedField(lines.front(), kQualifier));
    // The points run to an empty line, the next header or the end of the file.
    for (std::size_t i = 1; i < lines.size() && !EndsPoints(lines[i]); ++i) {
      const std::string_view line = lines[i];
      const std::uint64_t lineOffset = header.offset + static_cast<std::uint64_t>(line.data() - block.data());
      ProcedureEntry entry;
      try {
        entry = ReadPoint(line, name, qualifier);
      } catch (const navdata::RowRejected& rejected) {
        result.problems.push_back(
            {fileNameFound, LineNumberAt(file, lineOffset), std::string(rejected.what()) + ": " + std::string(line)});
        return result;
      }
      if (entry.lon == kSkippedLongitude) continue;
      if (loaded.entries.size() > ProcedureTable::kMaxPoints) {
        if (pointsLeftOut++ == 0) firstOffsetLeftOut = lineOffset;
        continue;
      }
      loaded.entries.push_back(std::move(entry));
    }
  }
  loaded.entries.emplace_back();
  loaded.selected = loaded.pointCount() > 0 ? 1 : 0;
  if (pointsLeftOut > 0) {
    result.problems.push_back({fileNameFound, LineNumberAt(file, firstOffsetLeftOut),
                               "procedure table is full (" + std::to_string(ProcedureTable::kMaxPoints) +
                                   " points); points left out from here on: " + std::to_string(pointsLeftOut)});
  }
  table = std::move(loaded);
  result.outcome = ProcedureLoadOutcome::kLoaded;
  return result;
}

bool SameProcedure(const ProcedureEntry& left, const ProcedureEntry& right) {
  return left.procName == right.procName && left.qualifier == right.qualifier;
}

std::int32_t ProcedureRunEnd(const ProcedureTable& table, std::int32_t first) {
  const std::int32_t end = table.endIndex();
  if (first < 1 || first >= end) return end;
  const ProcedureEntry& head = table.entries[static_cast<std::size_t>(first)];
  std::int32_t e = first + 1;
  while (e < end && SameProcedure(table.entries[static_cast<std::size_t>(e)], head)) ++e;
  return e;
}

std::int32_t NextProcedure(const ProcedureTable& table) {
  if (table.pointCount() <= 0) return 0;
  const std::int32_t end = ProcedureRunEnd(table, table.selected);
  return end >= table.endIndex() ? 1 : end;
}

std::int32_t PreviousProcedure(const ProcedureTable& table) {
  if (table.pointCount() <= 0) return 0;
  const std::int32_t selected = table.selected;
  std::int32_t e = (selected < 2 || selected > table.endIndex()) ? table.endIndex() - 1 : selected - 1;
  // Back to the first entry of the run, never onto the placeholder.
  while (e > 1 &&
         SameProcedure(table.entries[static_cast<std::size_t>(e - 1)], table.entries[static_cast<std::size_t>(e)])) {
    --e;
  }
  return e;
}

std::string ProcedureTitle(const ProcedureEntry& entry) {
  return entry.qualifier.empty() ? entry.procName : entry.procName + " " + entry.qualifier;
}

std::string SelectedProcedureText(const ProcedureTable& table) {
  const std::int32_t first = table.selected;
  if (first < 1 || first >= table.endIndex()) return {};
  std::string text = ProcedureTitle(table.entries[static_cast<std::size_t>(first)]) + ":";
  const std::int32_t end = ProcedureRunEnd(table, first);
  for (std::int32_t e = first; e < end; ++e) text += " " + table.entries[static_cast<std::size_t>(e)].pointName;
  return text;
}

}  // namespace corvane::plan
