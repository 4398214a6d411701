// What the scan of one scenery file adds to a run.
#include "tessel/scanned_file.h"

namespace tessel {

void ScannedFile::Clear() {
  for (TextBlock& block : text) block.clear();
  for (auto* list : {&rows.airports, &rows.vors, &rows.ilss, &rows.ndbs}) list->clear();
  for (LineList& list : lists.lines) list.ClearKeepingMemory();
  problems.clear();
  damaged = false;
}

}  // namespace tessel
