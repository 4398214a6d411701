// IniDocument parsing and writing.
#include "ini_file.h"

#include <fstream>
#include <sstream>

#include "formats/field_cut.h"

namespace corvane::shell {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  document.sections_.push_back({});
  size_t position = 0;
  while (position < text.size()) {
    size_t end = text.find('\n', position);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(position, end - position);
    position = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    const std::string_view trimmed = formats::TrimBlanks(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.find(']') != std::string_view::npos) {
      document.sections_.push_back({std::string(formats::TrimBlanks(trimmed.substr(1, trimmed.find(']') - 1))), {}});
      continue;
    }
    Line entry{std::string(line), {}, {}};
    const auto equals = line.find('=');
    if (equals != std::string_view::npos && !trimmed.starts_with(';') &&
        !formats::TrimBlanks(line.substr(0, equals)).empty()) {
      entry.key = std::string(formats::TrimBlanks(line.substr(0, equals)));
      entry.value = std::string(line.substr(equals + 1));
    }
    document.sections_.back().lines.push_back(std::move(entry));
  }
  return document;
}

IniDocument IniDocument::Load(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return Parse({});
  std::ostringstream content;
  content << file.rdbuf();
  return Parse(content.str());
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
  for (size_t i = 1; i < sections_.size(); ++i) {
    if (SameName(sections_[i].name, name)) return &sections_[i];
  }
  return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  return const_cast<IniDocument*>(this)->FindSection(name);
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  for (const Line& line : found->lines) {
    if (!line.key.empty() && SameName(line.key, key)) return std::string(formats::TrimBlanks(line.value));
  }
  return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (sections_.empty()) sections_.push_back({});
  Section* found = FindSection(section);
  if (found == nullptr) {
    sections_.push_back({std::string(section), {}});
    found = &sections_.back();
  }
  for (Line& line : found->lines) {
    if (!line.key.empty() && SameName(line.key, key)) {
      line.value = std::string(value);
      return;
    }
  }
  // New keys go after the section's last key, before any trailing blank lines.
  auto insertAt = found->lines.end();
  while (insertAt != found->lines.begin() && std::prev(insertAt)->key.empty() &&
         formats::TrimBlanks(std::prev(insertAt)->text).empty()) {
    --insertAt;
  }
  found->lines.insert(insertAt, Line{{}, std::string(key), std::string(value)});
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (size_t i = 0; i < sections_.size(); ++i) {
    const Section& section = sections_[i];
    if (i > 0) out += "[" + section.name + "]\r\n";
    for (const Line& line : section.lines) {
      out += line.key.empty() ? line.text : line.key + "=" + line.value;
      out += "\r\n";
    }
  }
  return out;
}

}  // namespace corvane::shell
