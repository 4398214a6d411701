// The breadth-first walk from the scan root that lists every scenery file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tessel/run_observer.h"

namespace tessel {

inline constexpr std::size_t kFolderCapacity = 10240;
inline constexpr std::size_t kFileCapacity = 20480;

// Folders are listed breadth-first, each folder's entries in name order (letter case ignored);
// a file is taken when its name ends exactly in ".BGL" or ".bgl". Fills lstDirs and lstFiles and
// returns the file paths. Unreadable folders and the capacities are reported, never fatal.
std::vector<std::string> ScanFolders(const std::string& rootFolder, RunLists& lists, RunObserver& observer,
                                     std::size_t folderCapacity = kFolderCapacity,
                                     std::size_t fileCapacity = kFileCapacity);

// True for names ending exactly in ".BGL" or ".bgl".
bool IsSceneryFileName(const std::string& name);

}  // namespace tessel
