// Sorting the airport, VOR, ILS and NDB rows into their final files, identical rows written once.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tessel/run_observer.h"

namespace tessel {

// Rows whose first character is "0"-"9" or "A"-"Z", in that order of buckets.
inline constexpr int kBucketCount = 36;
// Above this many rows in one bucket the run shows the bucket warning.
inline constexpr std::size_t kBucketWarningRows = 32700;

// The bucket of a row's first character, or -1 when it has none.
int RowBucket(std::string_view row);

// Orders the rows by bucket, inside a bucket without regard to letter case, and writes them to
// outputFile with CR LF, skipping a row exactly equal to the one written before it. Every row
// written is added to listBox. Rows without a bucket are reported and left out. Returns false
// (after reporting) when the file cannot be written.
bool SortAndWrite(const std::vector<std::string>& rows, const std::filesystem::path& outputFile, LineList& listBox,
                  RunObserver& observer);

// The order SortAndWrite writes, without the writing: indices into rows, duplicates kept.
std::vector<std::size_t> SortedRowOrder(const std::vector<std::string>& rows);

// The text lbError shows when a bucket grows past kBucketWarningRows.
std::string BucketWarningText(std::size_t rowCount, int bucket);

}  // namespace tessel
