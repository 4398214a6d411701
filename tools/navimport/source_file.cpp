// Reading source files whole, through zlib so that plain and gzip files read alike.
#include "tools/navimport/source_file.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "formats/text_lines.h"

namespace corvane::navimport {

namespace {

struct GzCloser {
  void operator()(gzFile_s* file) const { gzclose(file); }
};

}  // namespace

SourceFile::SourceFile(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) {
  lines_ = formats::SplitTextLineViews(text_);
}

std::string ReadPossiblyCompressed(const std::filesystem::path& path) {
  errno = 0;
  std::unique_ptr<gzFile_s, GzCloser> file(gzopen(path.c_str(), "rb"));
  if (!file) {
    throw SourceFileError(path.string() + ": cannot open: " + (errno != 0 ? std::strerror(errno) : "out of memory"));
  }
  gzbuffer(file.get(), 1 << 17);
  std::string text;
  std::error_code sizeError;
  const auto fileSize = std::filesystem::file_size(path, sizeError);
  // A gzip file of navigation text inflates to about six times its size.
  text.reserve(sizeError ? 0 : static_cast<std::size_t>(fileSize) * 7);
  constexpr unsigned kChunk = 1 << 20;
  for (;;) {
    const std::size_t used = text.size();
    text.resize(used + kChunk);
    const int got = gzread(file.get(), text.data() + used, kChunk);
    if (got < 0) {
      int code = 0;
      const char* message = gzerror(file.get(), &code);
      throw SourceFileError(path.string() + ": cannot read: " + (message ? message : "zlib error"));
    }
    text.resize(used + static_cast<std::size_t>(got));
    if (got == 0) {
      break;
    }
  }
  int code = 0;
  const char* message = gzerror(file.get(), &code);
  // Z_BUF_ERROR here means the gzip stream was cut short.
  if (code != Z_OK) {
    throw SourceFileError(path.string() + ": cannot read: " + (message ? message : "zlib error"));
  }
  return text;
}

SourceFile SourceFile::Read(const std::filesystem::path& path) {
  return SourceFile(path.filename().string(), ReadPossiblyCompressed(path));
}

SourceFile SourceFile::Find(const std::filesystem::path& folder, std::string_view baseName) {
  const std::filesystem::path plain = folder / baseName;
  if (std::filesystem::exists(plain)) {
    return Read(plain);
  }
  std::filesystem::path compressed = plain;
  compressed += ".gz";
  if (std::filesystem::exists(compressed)) {
    return Read(compressed);
  }
  throw SourceFileError(plain.string() + ": not found (nor " + compressed.filename().string() + ")");
}

}  // namespace corvane::navimport
