// Sorting the airport, VOR, ILS and NDB rows into their final files, identical rows written once.
#include "tessel/row_sort.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "tessel/dat_file.h"
#include "tessel/text_compare.h"

namespace tessel {
namespace {

constexpr std::size_t kProgressEveryRows = 8192;
constexpr std::size_t kReportedLeftOutRows = 10;

// The first eight bytes of a row folded to small letters, most significant first: most row pairs
// are ordered by this key alone, without touching the row text again.
std::uint64_t FoldedPrefixKey(std::string_view row) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    unsigned char c = i < row.size() ? static_cast<unsigned char>(row[i]) : 0;
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
    key = (key << 8) | c;
  }
  return key;
}

struct SortEntry {
  std::uint64_t key;
  std::uint32_t index;
};

constexpr std::size_t kPrefetchAhead = 8;

void PrefetchAddress(const void* address) {
#if defined(__GNUC__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

// Rows grouped by bucket then ordered; fills the per-bucket row counts.
std::vector<SortEntry> OrderRows(const std::vector<std::string>& rows, std::array<std::size_t, kBucketCount>& counts,
                                 RunObserver* observer) {
  counts.fill(0);
  std::vector<int> buckets(rows.size());
  std::size_t leftOut = 0;
  std::size_t warningCount = 0;
  int warningBucket = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int bucket = RowBucket(rows[i]);
    buckets[i] = bucket;
    if (bucket < 0) {
      if (observer != nullptr && leftOut < kReportedLeftOutRows) {
        observer->OnProblem("Row left out, its first character is not 0-9 or A-Z: \"" + rows[i] + "\"");
      }
      ++leftOut;
      continue;
    }
    if (++counts[static_cast<std::size_t>(bucket)] > kBucketWarningRows) {
      warningCount = counts[static_cast<std::size_t>(bucket)];
      warningBucket = bucket;
    }
    if (observer != nullptr && i % kProgressEveryRows == 0) observer->OnProgress(i / 2, rows.size());
  }
  if (observer != nullptr && leftOut > kReportedLeftOutRows) {
    observer->OnProblem(std::to_string(leftOut - kReportedLeftOutRows) + " more rows left out for the same reason");
  }
  if (observer != nullptr && warningBucket >= 0)
    observer->OnBucketWarning(BucketWarningText(warningCount, warningBucket));

  std::array<std::size_t, kBucketCount + 1> starts{};
  for (int b = 0; b < kBucketCount; ++b) starts[b + 1] = starts[b] + counts[b];
  std::vector<SortEntry> entries(starts[kBucketCount]);
  std::array<std::size_t, kBucketCount> next{};
  std::copy(starts.begin(), starts.end() - 1, next.begin());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (buckets[i] < 0) continue;
    entries[next[buckets[i]]++] = {FoldedPrefixKey(rows[i]), static_cast<std::uint32_t>(i)};
  }
  const auto less = [&rows](const SortEntry& a, const SortEntry& b) {
    if (a.key != b.key) return a.key < b.key;
    return RowLess(rows[a.index], rows[b.index]);
  };
  for (int b = 0; b < kBucketCount; ++b) {
    std::sort(entries.begin() + static_cast<std::ptrdiff_t>(starts[b]),
              entries.begin() + static_cast<std::ptrdiff_t>(starts[b + 1]), less);
  }
  return entries;
}

}  // namespace

int RowBucket(std::string_view row) {
  if (row.empty()) return -1;
  const char c = row.front();
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return -1;
}

std::string BucketWarningText(std::size_t rowCount, int bucket) {
  return "Warning  " + std::to_string(rowCount) + " @ " + std::to_string(bucket);
}

std::vector<std::size_t> SortedRowOrder(const std::vector<std::string>& rows) {
  std::array<std::size_t, kBucketCount> counts{};
  std::vector<std::size_t> order;
  for (const SortEntry& entry : OrderRows(rows, counts, nullptr)) order.push_back(entry.index);
  return order;
}

bool SortAndWrite(const std::vector<std::string>& rows, const std::filesystem::path& outputFile, LineList& listBox,
                  RunObserver& observer) {
  const std::size_t rowCount = rows.size();
  observer.OnProgress(0, rowCount);
  std::array<std::size_t, kBucketCount> counts{};
  const std::vector<SortEntry> entries = OrderRows(rows, counts, &observer);

  DatFile file;
  std::string reason;
  if (!file.Open(outputFile, reason)) {
    observer.OnProblem("Cannot write " + outputFile.string() + ": " + reason);
    return false;
  }
  const std::string* lastWritten = nullptr;
  std::uint64_t lastKey = 0;
  std::size_t at = 0;
  for (int b = 0; b < kBucketCount; ++b) {
    for (std::size_t n = 0; n < counts[b]; ++n, ++at) {
      // The rows are met in sorted order, scattered over memory: ask for each string object a
      // little ahead, and for its text once the object is there to say where the text lies.
      if (at + 2 * kPrefetchAhead < entries.size()) PrefetchAddress(&rows[entries[at + 2 * kPrefetchAhead].index]);
      if (at + kPrefetchAhead < entries.size()) PrefetchAddress(rows[entries[at + kPrefetchAhead].index].data());
      const std::string& row = rows[entries[at].index];
      // Rows of different keys differ; only rows of one key need comparing.
      if (lastWritten != nullptr && entries[at].key == lastKey && *lastWritten == row) continue;
      file.WriteLine(row);
      listBox.push_back(row);
      lastWritten = &row;
      lastKey = entries[at].key;
    }
    observer.OnProgress(rowCount / 2 + static_cast<std::size_t>(b) * rowCount / 72, rowCount);
  }
  // The buckets' steps stop short of the end; a finished sort shows a full bar.
  observer.OnProgress(rowCount, rowCount);
  if (!file.Close(reason)) {
    observer.OnProblem("Cannot write " + outputFile.string() + ": " + reason);
    return false;
  }
  return true;
}

}  // namespace tessel
