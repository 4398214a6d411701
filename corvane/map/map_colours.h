// The map's colours: the fixed ones of the layers and the user's choice from the colour swatches.
#pragma once

#include "canvas.h"

namespace corvane::map {

// 0x00BBGGRR.
inline constexpr Color kYellow = 0x00FFFF;
inline constexpr Color kGrey = 0x808080;
inline constexpr Color kAqua = 0xFFFF00;
inline constexpr Color kRed = 0x0000FF;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kLime = 0x00FF00;
inline constexpr Color kButtonGreen = 0x008000;
inline constexpr Color kButtonBlue = 0xFF0000;
inline constexpr Color kDefaultFontColor = 0x000000;

// The swatch colours a frame reads, with the defaults that apply without a settings file.
struct MapColours {
  Color background = kBlack;                   // shBG
  Color airport = 0x4080FF;                    // shARP
  Color vor = 0xFF8000;                        // shVOR
  Color ndb = 0x00FF00;                        // shNDB
  Color fix = 0xC0C0C0;                        // shFIX
  Color route = 0xFF00FF;                      // shRoute
  Color sid = 0x8080FF;                        // shSID
  Color airwayHigh = 0x808000;                 // shAwh
  Color airwayBoth = 0x800080;                 // shAwb
  Color airwayLow = 0x008080;                  // shAwl
  Color geo = 0x008000;                        // shGEO
  Color geo2 = 0x000080;                       // shGEO2
  Color geo3 = kSystemBackground;              // shGEO3
  Color geo4 = 0x808080;                       // shGEO4
  Color rangeRings = 0x808080;                 // shRR
  Color compassNumbers = 0xF0CAA6;             // shArc, sky blue
  Color buttonBackground = kSystemBackground;  // shBBG
  Color textBackground = 0xC0C0C0;             // shTBG
};

}  // namespace corvane::map
