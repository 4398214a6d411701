// Opening data files and converting number fields for the table loaders.
#include "corvane/navdata/table_loading.h"

#include "corvane/navdata/data_file_name.h"
#include "corvane/navdata/decimal_float.h"
#include "formats/conversion_error.h"
#include "formats/field_cut.h"

namespace corvane::navdata {
namespace {

std::string ColumnsText(formats::Column column) {
  return "columns " + std::to_string(column.first) + "-" + std::to_string(column.last);
}

}  // namespace

float FloatText(std::string_view text, std::string_view fieldName) {
  float value = 0;
  if (DecimalTextToFloat(text, value)) return value;
  try {
    return formats::ParseFloat(text);
  } catch (const formats::ConversionError& error) {
    throw RowRejected(std::string(fieldName) + ": " + error.what());
  }
}

float FloatField(std::string_view line, formats::Column column, std::string_view fieldName) {
  if (line.size() < column.first) {
    throw RowRejected("line too short: " + std::string(fieldName) + " (" + ColumnsText(column) + ") missing");
  }
  const std::string_view text = formats::CutField(line, column);
  float value = 0;
  if (DecimalTextToFloat(text, value)) return value;
  try {
    return formats::ParseFloat(text);
  } catch (const formats::ConversionError& error) {
    throw RowRejected(std::string(fieldName) + " (" + ColumnsText(column) + "): " + error.what());
  }
}

DataFile OpenDataFile(const std::filesystem::path& folder, std::string_view fileName, LoadReport& report,
                      bool optional) {
  DataFile file{std::string(fileName), nullptr};
  const std::optional<std::filesystem::path> path = FindFileIgnoringCase(folder, fileName);
  if (!path) {
    if (!optional) report.problems.push_back({file.name, 0, "file not found in " + folder.string()});
    return file;
  }
  file.name = path->filename().string();
  try {
    file.text = std::make_unique<formats::TextFile>(*path);
  } catch (const formats::TextFileError& error) {
    report.problems.push_back({file.name, 0, error.what()});
  }
  return file;
}

}  // namespace corvane::navdata
