// Decoders for the packed 32-bit latitude, longitude and ident values of scenery files.
#pragma once

#include <cstdint>
#include <string>

namespace tessel {

// degrees = value * 360 / (3 * 2^28) - 180
double DecodePackedLongitude(std::uint32_t packed);
// degrees = 90 - value * 180 / 2^29
double DecodePackedLatitude(std::uint32_t packed);
// Low 5 bits dropped, the rest read as up to five base-38 digits (2-11 "0"-"9", 12-37 "A"-"Z").
std::string DecodePackedIdent(std::uint32_t packed);

// The inverse mappings, used to build scenery files (nearest packed value).
std::uint32_t EncodePackedLongitude(double longitudeDeg);
std::uint32_t EncodePackedLatitude(double latitudeDeg);
// Characters outside "0"-"9"/"A"-"Z" are not representable and are dropped; at most five are kept.
std::uint32_t EncodePackedIdent(const std::string& ident);

}  // namespace tessel
