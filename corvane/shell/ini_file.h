// An INI text file kept line by line, so that rewriting it keeps unknown keys, comments and order.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::shell {

class IniDocument {
 public:
  // Reads LF or CR LF text; section and key names compare without regard to letter case.
  static IniDocument Parse(std::string_view text);
  // A missing or unreadable file gives an empty document.
  static IniDocument Load(const std::filesystem::path& path);

  // The value with blanks around it removed, or nothing when the section or key is missing.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // Replaces the value in place, or appends the key to its section (and the section to the file).
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // CR LF line ends, as the Windows program writes them.
  std::string Serialize() const;

 private:
  struct Line {
    std::string text;  // the whole line for comments and blank lines
    std::string key;   // empty for anything but a key line
    std::string value;
  };
  struct Section {
    std::string name;  // empty for the lines before the first header
    std::vector<Line> lines;
  };

  Section* FindSection(std::string_view name);
  const Section* FindSection(std::string_view name) const;

  std::vector<Section> sections_;
};

}  // namespace corvane::shell
