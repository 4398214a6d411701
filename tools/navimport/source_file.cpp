// Reading source files whole; gzip files are inflated in memory, so that plain and gzip files read alike.
#include "tools/navimport/source_file.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "formats/native_file.h"
#include "formats/text_lines.h"

namespace corvane::navimport {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string ReadWhole(const std::filesystem::path& path) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(formats::OpenFileStream(path, "rb"));
  if (!file) {
    throw SourceFileError(path.string() + ": cannot open: " + (errno != 0 ? std::strerror(errno) : "out of memory"));
  }
  std::string bytes;
  std::error_code sizeError;
  const auto fileSize = std::filesystem::file_size(path, sizeError);
  bytes.reserve(sizeError ? 0 : static_cast<std::size_t>(fileSize));
  constexpr std::size_t kChunk = 1 << 20;
  for (;;) {
    const std::size_t used = bytes.size();
    bytes.resize(used + kChunk);
    const std::size_t got = std::fread(bytes.data() + used, 1, kChunk, file.get());
    bytes.resize(used + got);
    if (got < kChunk) break;
  }
  if (std::ferror(file.get()) != 0) throw SourceFileError(path.string() + ": cannot read: " + std::strerror(errno));
  return bytes;
}

bool IsGzip(std::string_view bytes) { return bytes.size() >= 2 && bytes[0] == '\x1f' && bytes[1] == '\x8b'; }

// Every gzip member of the bytes, one after the other, as gzip itself reads a file.
std::string Inflate(const std::filesystem::path& path, std::string_view compressed) {
  z_stream stream{};
  // 15 + 16: a gzip wrapper around the largest window.
  if (inflateInit2(&stream, 15 + 16) != Z_OK) throw SourceFileError(path.string() + ": cannot read: out of memory");
  std::string text;
  // A gzip file of navigation text inflates to about six times its size.
  text.reserve(compressed.size() * 7);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  int status = Z_OK;
  constexpr std::size_t kChunk = 1 << 20;
  // After a member, only another gzip member goes on; trailing bytes of anything else are ignored, as gzip does.
  while (status != Z_STREAM_END ||
         IsGzip(std::string_view(reinterpret_cast<const char*>(stream.next_in), stream.avail_in))) {
    if (status == Z_STREAM_END) inflateReset(&stream);
    const std::size_t used = text.size();
    text.resize(used + kChunk);
    stream.next_out = reinterpret_cast<Bytef*>(text.data() + used);
    stream.avail_out = static_cast<uInt>(kChunk);
    status = inflate(&stream, Z_NO_FLUSH);
    text.resize(used + kChunk - stream.avail_out);
    // Z_BUF_ERROR here means the gzip stream was cut short.
    if (status != Z_OK && status != Z_STREAM_END) {
      const std::string message = status == Z_BUF_ERROR   ? "unexpected end of file"
                                  : stream.msg != nullptr ? stream.msg
                                                          : "zlib error";
      inflateEnd(&stream);
      throw SourceFileError(path.string() + ": cannot read: " + message);
    }
  }
  inflateEnd(&stream);
  return text;
}

}  // namespace

SourceFile::SourceFile(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) {
  lines_ = formats::SplitTextLineViews(text_);
}

// Read whole, then inflated in memory: one way for every platform's file names.
std::string ReadPossiblyCompressed(const std::filesystem::path& path) {
  std::string bytes = ReadWhole(path);
  return IsGzip(bytes) ? Inflate(path, bytes) : bytes;
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
