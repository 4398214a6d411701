// The breadth-first walk from the scan root that lists every scenery file.
#include "tessel/scan_folders.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "tessel/text_compare.h"

namespace tessel {
namespace fs = std::filesystem;

bool IsSceneryFileName(const std::string& name) {
  if (name.size() < 4) return false;
  const std::string_view extension(name.data() + name.size() - 4, 4);
  return extension == ".BGL" || extension == ".bgl";
}

namespace {
struct FolderEntry {
  std::string name;
  bool isFolder;
};

// The entries of one folder sorted by name, so that runs are repeatable whatever the file system's order.
bool ListFolder(const fs::path& folder, std::vector<FolderEntry>& entries, std::string& reason) {
  entries.clear();
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) {
    reason = error.message();
    return false;
  }
  for (const fs::directory_iterator end; it != end; it.increment(error)) {
    std::error_code typeError;
    const bool isFolder = it->is_directory(typeError);
    entries.push_back({it->path().filename().string(), isFolder && !typeError});
  }
  if (error) {
    reason = error.message();
    return false;
  }
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return CaseInsensitiveLess(a.name, b.name); });
  return true;
}
}  // namespace

std::vector<std::string> ScanFolders(const std::string& rootFolder, RunLists& lists, RunObserver& observer,
                                     std::size_t folderCapacity, std::size_t fileCapacity) {
  std::vector<std::string> files;
  std::vector<std::string> queue;
  // Folders already listed, by their real location, so a link back up the tree is not walked again.
  std::set<fs::path> visited;
  bool folderLimitReported = false;
  bool fileLimitReported = false;
  std::vector<FolderEntry> entries;

  std::string current = rootFolder;
  for (std::size_t next = 0;; ++next) {
    if (observer.StopRequested()) break;
    std::error_code error;
    const fs::path real = fs::canonical(current, error);
    if (!error && !visited.insert(real).second) {
      observer.OnProblem("Folder " + current + " was already scanned under another name; skipped");
    } else {
      std::string reason;
      if (!ListFolder(current, entries, reason)) {
        observer.OnProblem("Cannot read folder " + current + ": " + reason);
      }
      for (const FolderEntry& entry : entries) {
        const std::string path = (fs::path(current) / entry.name).string();
        if (entry.isFolder) {
          if (queue.size() >= folderCapacity) {
            if (!folderLimitReported) {
              observer.OnProblem("Folder limit of " + std::to_string(folderCapacity) + " folders reached at " + path +
                                 "; further folders are not scanned");
              folderLimitReported = true;
            }
            continue;
          }
          queue.push_back(path);
          lists[TabList::Dirs].push_back(path);
        } else if (IsSceneryFileName(entry.name)) {
          if (files.size() >= fileCapacity) {
            if (!fileLimitReported) {
              observer.OnProblem("File limit of " + std::to_string(fileCapacity) + " scenery files reached at " + path +
                                 "; further files are not scanned");
              fileLimitReported = true;
            }
            continue;
          }
          files.push_back(path);
          lists[TabList::Files].push_back(path);
        }
      }
    }
    observer.OnProgress(next, queue.size());
    if (next >= queue.size()) break;
    current = queue[next];
  }
  return files;
}

}  // namespace tessel
