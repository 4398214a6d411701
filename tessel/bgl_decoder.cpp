// Walks one scenery file's sections, subsections and records and hands each decoded record on.
#include "tessel/bgl_decoder.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tessel {
namespace {

struct RecordHeader {
  std::uint16_t id = 0;
  std::uint32_t sizeBytes = 0;
};

// One file's walk: the source, the visitor, a scratch buffer and the read budget.
class FileWalk {
 public:
  FileWalk(ByteSource& source, BglVisitor& visitor)
      : source_(source),
        visitor_(visitor),
        fileBytes_(source.Size()),
        // Well-formed files read each byte about once; overlapping structures that would make the
        // walk read the file many times over end it instead.
        budgetBytes_(fileBytes_ * 4 + 4096) {}

  void Run();

 private:
  bool Charge(std::uint64_t bytes, std::uint64_t offset);
  bool Read(std::uint64_t offset, std::span<std::byte> out);
  bool ReadRecordHeader(std::uint64_t offset, RecordHeader& header);
  // A view of the bytes, valid until the next read.
  std::span<const std::byte> ReadBody(std::uint64_t offset, std::uint32_t length);
  std::uint64_t BoundedCount(std::uint64_t count, std::uint64_t firstOffset, std::uint64_t endOffset,
                             std::uint64_t entryBytes, const char* what, std::uint64_t reportOffset);

  // Whether a record's size holds its fixed part; reported when it does not.
  bool HoldsFixedPart(std::uint64_t offset, std::uint32_t sizeBytes, std::uint32_t fixedBytes, const char* what);
  // The fixed part of a record; empty when the record does not hold it or it cannot be read.
  std::span<const std::byte> ReadFixedPart(std::uint64_t offset, std::uint32_t sizeBytes, std::uint32_t fixedBytes,
                                           const char* what);
  // Walks the sub-records that follow a record's fixed part up to the record's end, each checked
  // to lie inside the record; onChild(offset, header) is called for each in order.
  template <typename OnChild>
  void WalkChildren(std::uint64_t offset, std::uint32_t sizeBytes, std::uint32_t fixedBytes, const char* what,
                    OnChild&& onChild);

  void WalkSection(std::uint64_t headerOffset);
  void WalkSubsection(std::uint32_t sectionType, std::uint64_t headerOffset);
  void DecodeAirport(std::uint64_t offset, std::uint32_t sizeBytes);
  void DecodeAirportChild(const BglAirport& airport, std::uint64_t offset, const RecordHeader& header);
  void DecodeVorIls(std::uint64_t offset, std::uint32_t sizeBytes);
  void DecodeNdb(std::uint64_t offset, std::uint32_t sizeBytes);
  std::string ReadName(std::uint64_t offset, std::uint32_t sizeBytes);

  void Damage(std::uint64_t offset, const std::string& reason) { visitor_.OnDamage(offset, reason); }

  ByteSource& source_;
  BglVisitor& visitor_;
  std::uint64_t fileBytes_;
  std::uint64_t budgetBytes_;
  bool stopped_ = false;
  std::vector<BglTaxiPoint> taxiPoints_;
  std::vector<BglParking> parking_;
  std::vector<BglTaxiPath> taxiPaths_;
};

bool FileWalk::Charge(std::uint64_t bytes, std::uint64_t offset) {
  if (stopped_) return false;
  if (bytes > budgetBytes_) {
    Damage(offset,
           "structures overlap so that the walk would read the file more than four times; "
           "the rest of the file is skipped");
    stopped_ = true;
    return false;
  }
  budgetBytes_ -= bytes;
  return true;
}

bool FileWalk::Read(std::uint64_t offset, std::span<std::byte> out) {
  if (!Charge(out.size(), offset)) return false;
  if (source_.ReadAt(offset, out)) return true;
  Damage(offset,
         "cannot read " + std::to_string(out.size()) + " bytes here (file size " + std::to_string(fileBytes_) + ")");
  return false;
}

bool FileWalk::ReadRecordHeader(std::uint64_t offset, RecordHeader& header) {
  std::array<std::byte, kRecordHeaderBytes> bytes;
  if (!Read(offset, bytes)) return false;
  header.id = U16At(bytes, 0);
  header.sizeBytes = U32At(bytes, 2);
  return true;
}

std::span<const std::byte> FileWalk::ReadBody(std::uint64_t offset, std::uint32_t length) {
  if (!Charge(length, offset)) return {};
  std::span<const std::byte> bytes;
  if (source_.View(offset, length, bytes)) return bytes;
  Damage(offset,
         "cannot read " + std::to_string(length) + " bytes here (file size " + std::to_string(fileBytes_) + ")");
  return {};
}

std::uint64_t FileWalk::BoundedCount(std::uint64_t count, std::uint64_t firstOffset, std::uint64_t endOffset,
                                     std::uint64_t entryBytes, const char* what, std::uint64_t reportOffset) {
  const std::uint64_t available = firstOffset <= endOffset ? (endOffset - firstOffset) / entryBytes : 0;
  if (count <= available) return count;
  Damage(reportOffset, std::string(what) + " count " + std::to_string(count) + " exceeds the " +
                           std::to_string(available) + " that fit; only those are read");
  return available;
}

bool FileWalk::HoldsFixedPart(std::uint64_t offset, std::uint32_t sizeBytes, std::uint32_t fixedBytes,
                              const char* what) {
  if (sizeBytes >= fixedBytes) return true;
  Damage(offset, std::string(what) + " record of size " + std::to_string(sizeBytes) + " is shorter than its " +
                     std::to_string(fixedBytes) + " bytes");
  return false;
}

std::span<const std::byte> FileWalk::ReadFixedPart(std::uint64_t offset, std::uint32_t sizeBytes,
                                                   std::uint32_t fixedBytes, const char* what) {
  if (!HoldsFixedPart(offset, sizeBytes, fixedBytes, what)) return {};
  return ReadBody(offset, fixedBytes);
}

template <typename OnChild>
void FileWalk::WalkChildren(std::uint64_t offset, std::uint32_t sizeBytes, std::uint32_t fixedBytes, const char* what,
                            OnChild&& onChild) {
  const std::uint64_t end = offset + sizeBytes;
  std::uint64_t child = offset + fixedBytes;
  while (child < end && !stopped_) {
    RecordHeader header;
    if (end - child < kRecordHeaderBytes || !ReadRecordHeader(child, header)) {
      Damage(child, std::string(what) + " sub-record header does not fit inside the " + what + " record");
      return;
    }
    if (header.sizeBytes < kRecordHeaderBytes || header.sizeBytes > end - child) {
      Damage(child, std::string(what) + " sub-record " + HexText(header.id) + " of size " +
                        std::to_string(header.sizeBytes) + " does not fit inside the " + what +
                        " record; the rest of it is skipped");
      return;
    }
    onChild(child, header);
    child += header.sizeBytes;
  }
}

void FileWalk::Run() {
  std::array<std::byte, kFileHeaderBytes> header;
  if (fileBytes_ < kFileHeaderBytes) {
    Damage(0, "file of " + std::to_string(fileBytes_) + " bytes is shorter than its 56-byte header");
    return;
  }
  if (!Read(0, header)) return;
  const std::uint64_t sectionCount =
      BoundedCount(U32At(header, 0x14), kFileHeaderBytes, fileBytes_, kSectionHeaderBytes, "section", 0x14);
  for (std::uint64_t i = 0; i < sectionCount && !stopped_; ++i) {
    WalkSection(kFileHeaderBytes + i * kSectionHeaderBytes);
  }
}

void FileWalk::WalkSection(std::uint64_t headerOffset) {
  std::array<std::byte, kSectionHeaderBytes> header;
  if (!Read(headerOffset, header)) return;
  const std::uint32_t type = U32At(header, 0);
  if (type != kSectionAirport && type != kSectionVorIls && type != kSectionNdb) return;
  const std::uint64_t firstSubsection = U32At(header, 12);
  const std::uint64_t count = BoundedCount(U32At(header, 8), firstSubsection, fileBytes_, kSubsectionHeaderBytes,
                                           "subsection", headerOffset + 8);
  for (std::uint64_t i = 0; i < count && !stopped_; ++i) {
    WalkSubsection(type, firstSubsection + i * kSubsectionHeaderBytes);
  }
}

void FileWalk::WalkSubsection(std::uint32_t sectionType, std::uint64_t headerOffset) {
  std::array<std::byte, kSubsectionHeaderBytes> header;
  if (!Read(headerOffset, header)) return;
  const std::uint32_t recordCount = U32At(header, 4);
  std::uint64_t offset = U32At(header, 8);
  // Each record takes at least its header, so the walk ends at the file's end whatever the count says.
  for (std::uint32_t i = 0; i < recordCount && !stopped_; ++i) {
    if (offset > fileBytes_ || fileBytes_ - offset < kRecordHeaderBytes) {
      Damage(offset, "record " + std::to_string(i + 1) + " of " + std::to_string(recordCount) +
                         " lies past the end of the file");
      return;
    }
    RecordHeader record;
    if (!ReadRecordHeader(offset, record)) return;
    if (record.sizeBytes == 0) return;  // a record of size 0 ends the subsection
    if (record.sizeBytes < kRecordHeaderBytes || record.sizeBytes > fileBytes_ - offset) {
      Damage(offset, "record " + HexText(record.id) + " of size " + std::to_string(record.sizeBytes) +
                         " does not fit the file; the rest of the subsection is skipped");
      return;
    }
    if (sectionType == kSectionAirport && record.id == kRecordAirport) {
      DecodeAirport(offset, record.sizeBytes);
    } else if (sectionType == kSectionVorIls && record.id == kRecordVorIls) {
      DecodeVorIls(offset, record.sizeBytes);
    } else if (sectionType == kSectionNdb && record.id == kRecordNdb) {
      DecodeNdb(offset, record.sizeBytes);
    }
    offset += record.sizeBytes;
  }
}

void FileWalk::DecodeAirport(std::uint64_t offset, std::uint32_t sizeBytes) {
  std::span<const std::byte> fixed = ReadFixedPart(offset, sizeBytes, kAirportFixedBytes, "airport");
  if (fixed.empty()) return;
  BglAirport airport;
  airport.longitudePacked = U32At(fixed, 0x0C);
  airport.latitudePacked = U32At(fixed, 0x10);
  airport.elevationMm = I32At(fixed, 0x14);
  airport.variationDeg = F32At(fixed, 0x24);
  airport.identPacked = U32At(fixed, 0x28);
  visitor_.OnAirport(airport);
  WalkChildren(offset, sizeBytes, kAirportFixedBytes, "airport",
               [&](std::uint64_t child, const RecordHeader& header) { DecodeAirportChild(airport, child, header); });
}

void FileWalk::DecodeAirportChild(const BglAirport& airport, std::uint64_t offset, const RecordHeader& header) {
  switch (header.id) {
    case kRecordName: visitor_.OnAirportName(airport, ReadName(offset, header.sizeBytes)); return;
    case kRecordRunway: {
      std::span<const std::byte> bytes = ReadFixedPart(offset, header.sizeBytes, kRunwayFixedBytes, "runway");
      if (bytes.empty()) return;
      BglRunway runway;
      runway.primaryNumber = ByteAt(bytes, 0x08);
      runway.primaryDesignator = ByteAt(bytes, 0x09);
      runway.secondaryNumber = ByteAt(bytes, 0x0A);
      runway.secondaryDesignator = ByteAt(bytes, 0x0B);
      runway.longitudePacked = U32At(bytes, 0x14);
      runway.latitudePacked = U32At(bytes, 0x18);
      runway.lengthM = F32At(bytes, 0x20);
      runway.headingDegTrue = F32At(bytes, 0x28);
      visitor_.OnRunway(airport, runway);
      return;
    }
    case kRecordHelipad: {
      std::span<const std::byte> bytes = ReadFixedPart(offset, header.sizeBytes, kHelipadFixedBytes, "helipad");
      if (bytes.empty()) return;
      BglHelipad helipad;
      helipad.longitudePacked = U32At(bytes, 0x0C);
      helipad.latitudePacked = U32At(bytes, 0x10);
      helipad.lengthM = F32At(bytes, 0x18);
      helipad.widthM = F32At(bytes, 0x1C);
      helipad.headingDegTrue = F32At(bytes, 0x20);
      visitor_.OnHelipad(airport, helipad);
      return;
    }
    case kRecordTaxiPoints:
    case kRecordParking:
    case kRecordTaxiPaths: break;
    default: return;  // other records are skipped by their size
  }

  // The three lists: a count at 6, entries from 8, all inside the record.
  if (!HoldsFixedPart(offset, header.sizeBytes, kListHeaderBytes, "list")) return;
  std::span<const std::byte> bytes = ReadBody(offset, header.sizeBytes);
  if (bytes.empty()) return;
  const std::uint16_t count = U16At(bytes, 6);
  if (header.id == kRecordTaxiPoints) {
    const std::uint64_t fitting =
        BoundedCount(count, kListHeaderBytes, header.sizeBytes, kTaxiPointBytes, "taxiway point", offset + 6);
    taxiPoints_.resize(fitting);
    for (std::uint64_t i = 0; i < fitting; ++i) {
      const std::size_t at = kListHeaderBytes + i * kTaxiPointBytes;
      taxiPoints_[i] = {ByteAt(bytes, at), ByteAt(bytes, at + 1), U32At(bytes, at + 4), U32At(bytes, at + 8)};
    }
    visitor_.OnTaxiPoints(airport, taxiPoints_);
  } else if (header.id == kRecordTaxiPaths) {
    const std::uint64_t fitting =
        BoundedCount(count, kListHeaderBytes, header.sizeBytes, kTaxiPathBytes, "taxi path", offset + 6);
    taxiPaths_.resize(fitting);
    for (std::uint64_t i = 0; i < fitting; ++i) {
      const std::size_t at = kListHeaderBytes + i * kTaxiPathBytes;
      taxiPaths_[i] = {static_cast<std::uint16_t>(U16At(bytes, at) & 0x0FFF),
                       static_cast<std::uint16_t>(U16At(bytes, at + 2) & 0x0FFF), ByteAt(bytes, at + 4)};
    }
    visitor_.OnTaxiPaths(airport, taxiPaths_);
  } else {
    // Parking entries grow by four bytes per airline code; walk them while they fit.
    parking_.clear();
    std::size_t at = kListHeaderBytes;
    for (std::uint16_t i = 0; i < count; ++i) {
      if (header.sizeBytes - at < kParkingFixedBytes) {
        Damage(offset + at,
               "parking " + std::to_string(i + 1) + " of " + std::to_string(count) + " does not fit inside its list");
        break;
      }
      const std::size_t airlineCodes = U32At(bytes, at) >> 24;
      const std::size_t entryBytes = kParkingFixedBytes + 4 * airlineCodes;
      if (header.sizeBytes - at < entryBytes) {
        Damage(offset + at, "parking " + std::to_string(i + 1) + " with " + std::to_string(airlineCodes) +
                                " airline codes does not fit inside its list");
        break;
      }
      parking_.push_back({U32At(bytes, at + 0x1C), U32At(bytes, at + 0x20)});
      at += entryBytes;
    }
    visitor_.OnParking(airport, parking_);
  }
}

void FileWalk::DecodeVorIls(std::uint64_t offset, std::uint32_t sizeBytes) {
  std::span<const std::byte> fixed = ReadFixedPart(offset, sizeBytes, kVorIlsFixedBytes, "VOR/ILS");
  if (fixed.empty()) return;
  BglNavaid navaid;
  navaid.type = ByteAt(fixed, 0x06);
  navaid.longitudePacked = U32At(fixed, 0x08);
  navaid.latitudePacked = U32At(fixed, 0x0C);
  navaid.frequencyHz = U32At(fixed, 0x14);
  navaid.variationDeg = F32At(fixed, 0x1C);
  navaid.identPacked = U32At(fixed, 0x20);
  WalkChildren(offset, sizeBytes, kVorIlsFixedBytes, "VOR/ILS", [&](std::uint64_t child, const RecordHeader& header) {
    if (header.id == kRecordLocalizer) {
      std::span<const std::byte> localizer = ReadFixedPart(child, header.sizeBytes, kLocalizerBytes, "localizer");
      if (!localizer.empty()) navaid.localizerHeadingDegTrue = F32At(localizer, 0x08);
    } else if (header.id == kRecordName) {
      visitor_.OnNavaidName(navaid, ReadName(child, header.sizeBytes));
    }
  });
}

void FileWalk::DecodeNdb(std::uint64_t offset, std::uint32_t sizeBytes) {
  std::span<const std::byte> fixed = ReadFixedPart(offset, sizeBytes, kNdbFixedBytes, "NDB");
  if (fixed.empty()) return;
  BglNdb ndb;
  ndb.frequency10Hz = U32At(fixed, 0x08);
  ndb.longitudePacked = U32At(fixed, 0x0C);
  ndb.latitudePacked = U32At(fixed, 0x10);
  ndb.identPacked = U32At(fixed, 0x20);

  // The name record follows the fixed part; a missing or damaged one leaves the name empty.
  std::string name;
  const std::uint64_t nameOffset = offset + kNdbFixedBytes;
  const std::uint32_t room = sizeBytes - kNdbFixedBytes;
  RecordHeader header;
  if (room >= kRecordHeaderBytes && ReadRecordHeader(nameOffset, header) && header.id == kRecordName) {
    if (header.sizeBytes < kRecordHeaderBytes || header.sizeBytes > room) {
      Damage(nameOffset,
             "NDB name record of size " + std::to_string(header.sizeBytes) + " does not fit inside the NDB record");
    } else {
      name = ReadName(nameOffset, header.sizeBytes);
    }
  }
  if (!stopped_) visitor_.OnNdb(ndb, name);
}

std::string FileWalk::ReadName(std::uint64_t offset, std::uint32_t sizeBytes) {
  return NameCharacters(ReadBody(offset + kRecordHeaderBytes, sizeBytes - kRecordHeaderBytes));
}

}  // namespace

std::string HexText(std::uint64_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return "0x" + text;
}

std::string NameCharacters(std::span<const std::byte> bytes) {
  std::string name;
  name.reserve(bytes.size());
  for (std::byte b : bytes) {
    const auto code = std::to_integer<unsigned char>(b);
    if (code >= 32 && code <= 122) name.push_back(static_cast<char>(code));
  }
  return name;
}

void DecodeBglFile(ByteSource& source, BglVisitor& visitor) {
  FileWalk walk(source, visitor);
  walk.Run();
}

}  // namespace tessel
