// A whole run over a randomly generated scenery tree, its every output file and list pinned by a
// digest, so that work on the scan's speed cannot change a single byte of what it writes.
#include "tessel/tessel_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tessel/packed_values.h"
#include "tessel/testing/bgl_writer.h"
#include "tessel/testing/test_support.h"

namespace tessel {
namespace {
namespace fs = std::filesystem;
using namespace tessel::testing;

// Only the engine's raw output is used: its sequence is the same with every standard library.
class Generator {
 public:
  std::uint32_t Below(std::uint32_t limit) { return static_cast<std::uint32_t>(engine_() % limit); }
  // Packed values over the whole range, a few exactly on round values, one in 500 beyond the pole
  // (a row the formatter refuses).
  std::uint32_t Latitude() {
    if (Below(500) == 0) return (1u << 29) + 1 + Below(1u << 28);
    return Below(8) == 0 ? Below(5) * (1u << 27) : Below(1u << 29);
  }
  std::uint32_t Longitude() { return Below(8) == 0 ? Below(13) * (1u << 26) : Below(3u << 28); }
  float Float(std::uint32_t hundredths) { return static_cast<float>(Below(hundredths)) / 100.0f; }
  std::string Ident(int length) {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abc";
    std::string ident;
    for (int i = 0; i < length; ++i) ident.push_back(kChars[Below(sizeof kChars - 1)]);
    return ident;
  }
  // Every byte value, so names lose the characters outside 32-122.
  std::string Name() {
    std::string name;
    for (std::uint32_t i = 0, n = 3 + Below(30); i < n; ++i) {
      name.push_back(static_cast<char>(Below(4) == 0 ? Below(256) : 'a' + Below(26)));
    }
    return name;
  }

 private:
  std::mt19937 engine_{20261207};
};

BglBytes Airport(Generator& random) {
  BglAirport airport{random.Longitude(), random.Latitude(), static_cast<std::int32_t>(random.Below(9000000)) - 500000,
                     random.Float(36000), EncodePackedIdent(random.Ident(4))};
  std::vector<BglBytes> children;
  for (std::uint32_t r = 0, n = random.Below(4); r < n; ++r) {
    children.push_back(
        RunwayRecord({static_cast<std::uint8_t>(random.Below(37)), static_cast<std::uint8_t>(random.Below(8)),
                      static_cast<std::uint8_t>(random.Below(37)), static_cast<std::uint8_t>(random.Below(8)),
                      random.Longitude(), random.Latitude(), random.Float(500000), random.Float(36000)}));
  }
  if (random.Below(3) == 0) {
    children.push_back(HelipadRecord(
        {random.Longitude(), random.Latitude(), random.Float(10000), random.Float(10000), random.Float(36000)}));
  }
  const std::uint32_t pointCount = 1 + random.Below(60);
  std::vector<BglTaxiPoint> points(pointCount);
  for (BglTaxiPoint& point : points) point = {1, 0, random.Longitude(), random.Latitude()};
  children.push_back(TaxiPointsRecord(points));
  std::vector<ParkingSpec> parking(random.Below(5));
  for (ParkingSpec& spot : parking) {
    spot = {random.Longitude(), random.Latitude(), static_cast<std::uint8_t>(random.Below(3))};
  }
  children.push_back(ParkingRecord(parking));
  static constexpr std::uint8_t kPathTypes[] = {0x61, 4, 0x21, 0x41, 0, 0x61, 4};
  std::vector<BglTaxiPath> paths(random.Below(80));
  for (BglTaxiPath& path : paths) {
    // Now and then a point the list does not have.
    path = {static_cast<std::uint16_t>(random.Below(pointCount + 1)),
            static_cast<std::uint16_t>(random.Below(pointCount + (random.Below(50) == 0 ? 9 : 1))),
            kPathTypes[random.Below(sizeof kPathTypes)]};
  }
  children.push_back(TaxiPathsRecord(paths));
  if (random.Below(10) != 0) children.push_back(NameRecord(random.Name()));
  return AirportRecord(airport, children);
}

void WriteTree(const fs::path& root) {
  Generator random;
  for (int folder = 0; folder < 3; ++folder) {
    const fs::path dir = root / ("scenery" + std::to_string(folder));
    fs::create_directories(dir);
    for (int file = 0; file < 4; ++file) {
      std::vector<BglBytes> airports, navaids, ndbs;
      for (std::uint32_t a = 0, n = 2 + random.Below(12); a < n; ++a) airports.push_back(Airport(random));
      for (std::uint32_t n = 0, count = random.Below(12); n < count; ++n) {
        const BglNavaid navaid{static_cast<std::uint8_t>(random.Below(2) == 0 ? kNavaidTypeIls : 1 + random.Below(3)),
                               random.Longitude(),
                               random.Latitude(),
                               108000000 + 50000 * random.Below(200),
                               random.Float(36000),
                               EncodePackedIdent(random.Ident(1 + static_cast<int>(random.Below(4)))),
                               0.0f};
        navaids.push_back(
            VorIlsRecord(navaid, std::vector<BglBytes>{LocalizerRecord(random.Float(36000)), GlideSlopeRecord(),
                                                       DmeRecord(), NameRecord(random.Name())}));
        ndbs.push_back(NdbRecord({19000 + random.Below(160000), random.Longitude(), random.Latitude(),
                                  EncodePackedIdent(random.Ident(1 + static_cast<int>(random.Below(3))))},
                                 random.Name()));
      }
      BglFileBuilder()
          .Section(kSectionAirport, {airports})
          .Section(0x65, {{OpaqueRecord(0x00A0, 300)}})
          .Section(kSectionVorIls, {navaids})
          .Section(kSectionNdb, {ndbs})
          .WriteTo(dir / ("AP" + std::to_string(file) + (file == 3 ? ".bgl" : ".BGL")));
    }
  }
}

// The text with the scan root replaced by a fixed word and the system's folder separator in the paths
// under it by '/', so sizes and digests depend neither on where the scratch folder lies nor on the
// platform. A path ends at the line's end or at the ';' that follows it; names keep their own '\'.
std::string WithoutRoot(std::string text, const std::string& root) {
  static constexpr std::string_view kRoot = "ROOT/";
  for (std::size_t at = text.find(root); at != std::string::npos; at = text.find(root, at)) {
    text.replace(at, root.size(), kRoot);
    for (at += kRoot.size(); at < text.size() && text[at] != ';' && text[at] != '\r' && text[at] != '\n'; ++at) {
      if (text[at] == static_cast<char>(fs::path::preferred_separator)) text[at] = '/';
    }
  }
  return text;
}

// FNV-1a over the text without its root.
std::uint64_t Digest(const std::string& original, const std::string& root) {
  const std::string text = WithoutRoot(original, root);
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

std::string Joined(const LineList& lines) {
  std::string text;
  for (const std::string_view line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

TEST(ScanOutputDigest, AGeneratedTreeGivesExactlyTheKnownFilesAndLists) {
  ScratchFolder scratch;
  WriteTree(scratch / "root");
  fs::create_directories(scratch / "out");
  RunOptions options;
  options.scanRoot = (scratch / "root").string() + static_cast<char>(std::filesystem::path::preferred_separator);
  options.outputFolder = scratch / "out";
  RunLists lists;
  RecordingObserver observer;
  const RunResult result = RunCompiler(options, lists, observer);
  ASSERT_TRUE(result.outputWritten);
  EXPECT_EQ(result.fileCount, 12u);

  struct Expected {
    const char* file;
    std::size_t bytes;
    std::uint64_t digest;
  };
  const Expected files[] = {
      {"FSXARP.dat", 3004, 2437805096584424422ull},         {"FSXARPall.dat", 3004, 10852838954586449284ull},
      {"FSXRWY.dat", 8148, 5760721352994266622ull},         {"FSXHEL.dat", 950, 6879438379173268190ull},
      {"FSXVOR.dat", 2316, 9673641863044128879ull},         {"FSXVORall.dat", 2316, 16492002464831596713ull},
      {"FSXNDB.dat", 4742, 5948190765580738407ull},         {"FSXNDBall.dat", 4881, 1406261991974576132ull},
      {"FSXILS.dat", 3434, 10825182123397667021ull},        {"FSXILSall.dat", 3636, 11162846650057295350ull},
      {"corvanfs_apt.dat", 95880, 12471343088653020742ull},
  };
  for (const Expected& expected : files) {
    const std::string text = ReadWholeFile(scratch / "out" / expected.file);
    EXPECT_EQ(WithoutRoot(text, options.scanRoot).size(), expected.bytes) << expected.file;
    EXPECT_EQ(Digest(text, options.scanRoot), expected.digest) << expected.file;
  }
  const std::uint64_t listDigests[kTabCount] = {
      13596565938843535866ull, 13972598347423892209ull, 800107711860524759ull,
      5980826675181449176ull,  1336788614337957649ull,  11847785053162817382ull,
      2547400882895353526ull,  18361572854778106303ull, 15494750622157022657ull};
  for (std::size_t tab = 0; tab < kTabCount; ++tab) {
    EXPECT_EQ(Digest(Joined(lists.lines[tab]), options.scanRoot), listDigests[tab]) << kTabCaptions[tab];
  }
  // What the tree carries on purpose: paths to points that are not there, latitudes beyond the
  // pole, beacons without an ident (no bucket).
  EXPECT_EQ(observer.problems.size(), 55u);
}

}  // namespace
}  // namespace tessel
