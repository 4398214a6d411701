// The window layout as one table: every control with its panel, place, size, caption and starting values.
#include "form1.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace corvane::shell {
namespace {

// A control named by its member, so a row cannot point at a control the form does not have.
using ControlMember =
    std::variant<Panel TForm1::*, Button TForm1::*, Edit TForm1::*, Label TForm1::*, CheckBox TForm1::*,
                 RadioButton TForm1::*, Memo TForm1::*, ListBox TForm1::*, Shape TForm1::*, GroupBox TForm1::*,
                 PaintBox TForm1::*, Image TForm1::*, StatusBar TForm1::*, Timer TForm1::*>;

// What only some kinds of control have; the build refuses a detail that the row's kind of control ignores.
struct Details {
  bool hidden = false;
  bool disabled = false;
  std::string_view text = {};      // an edit's starting text
  std::string_view unit = {};      // shown after an edit ("ft/nm")
  std::string_view group = {};     // radio buttons of one group exclude each other
  bool checked = false;            // a radio button or check box
  Color brushColor = kColorBlack;  // a colour swatch
};

// One control. Geometry is relative to the parent panel; a labelled edit's caption is its label, which fills the
// panel from x = 8 up to the edit's left.
struct LayoutRow {
  // The member's name: the form driver, the command-line scripts and the Qt window find the control by it.
  std::string_view name;
  ControlMember member;
  std::string_view parent = {};  // empty for the window itself
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string_view caption = {};
  Details details = {};
};

// In creation order: a panel before the controls on it, a group box before the controls in it.
// clang-format off
constexpr LayoutRow kLayout[] = {
    // The window's own controls: the map, its off-screen image, the status line, the search results.
    {"PB1",  &TForm1::PB1,  "",   0,   0, 1024,  768, ""},
    {"IMG1", &TForm1::IMG1, "",   0,   0, 3000, 2250, "", {.hidden = true}},
    {"SB1",  &TForm1::SB1,  "",   0,   0,    0,   20, ""},
    {"LB1",  &TForm1::LB1,  "", 312, 234,  400,  300, "", {.hidden = true}},

    // PanDisplay: the left strip of layer and mode buttons.
    {"PanDisplay", &TForm1::PanDisplay, "",           0,   0, 53, 768, ""},
    {"bbARP",      &TForm1::bbARP,      "PanDisplay", 2,   4, 49,  25, "ARP"},
    {"bbVOR",      &TForm1::bbVOR,      "PanDisplay", 2,  32, 49,  25, "VOR"},
    {"bbNDB",      &TForm1::bbNDB,      "PanDisplay", 2,  60, 49,  25, "NDB"},
    {"bbFIX",      &TForm1::bbFIX,      "PanDisplay", 2,  88, 49,  25, "FIX"},
    {"bbINF",      &TForm1::bbINF,      "PanDisplay", 2, 116, 49,  25, "INF"},
    {"bbRR",       &TForm1::bbRR,       "PanDisplay", 2, 144, 49,  25, "RR"},
    {"bbTCAS",     &TForm1::bbTCAS,     "PanDisplay", 2, 172, 49,  25, "TCS"},
    {"bbGEO",      &TForm1::bbGEO,      "PanDisplay", 2, 200, 49,  25, "GEO"},
    {"bbAWY",      &TForm1::bbAWY,      "PanDisplay", 2, 228, 49,  25, "AWY"},
    {"bbMAP",      &TForm1::bbMAP,      "PanDisplay", 2, 256, 49,  25, "MAP"},
    {"btHide",     &TForm1::btHide,     "PanDisplay", 2, 284, 49,  25, "Hide Plane"},
    {"btTextP",    &TForm1::btTextP,    "PanDisplay", 2, 312, 49,  25, "T+"},
    {"btTextM",    &TForm1::btTextM,    "PanDisplay", 2, 340, 49,  25, "T-"},

    // PanAP: the right strip, flush with the map's right edge (SizeStrips keeps it there).
    {"PanAP",    &TForm1::PanAP,    "",      971,   0, 53, 768, ""},
    {"bbLNAV",   &TForm1::bbLNAV,   "PanAP",   2,   4, 49,  25, "Ln"},
    {"bbVNAV",   &TForm1::bbVNAV,   "PanAP",   2,  32, 49,  25, "Vn", {.disabled = true}},
    {"bbSPD",    &TForm1::bbSPD,    "PanAP",   2,  60, 49,  25, "Sp", {.disabled = true}},
    {"btAPpr",   &TForm1::btAPpr,   "PanAP",   2,  88, 49,  25, "<"},
    {"btAPnxt",  &TForm1::btAPnxt,  "PanAP",   2, 116, 49,  25, ">"},
    {"btColor",  &TForm1::btColor,  "PanAP",   2, 144, 49,  25, "CNF"},
    {"btCenter", &TForm1::btCenter, "PanAP",   2, 172, 49,  25, "CP"},
    {"btFP",     &TForm1::btFP,     "PanAP",   2, 200, 49,  25, "FP"},
    {"btClr",    &TForm1::btClr,    "PanAP",   2, 228, 49,  25, "CLR"},
    {"edSearch", &TForm1::edSearch, "PanAP",   2, 256, 49,  22, ""},

    // PanFP: the plan listing with its buttons in a column on the right.
    {"PanFP",      &TForm1::PanFP,      "",      160, 120, 700, 460, "", {.hidden = true}},
    {"Memo1",      &TForm1::Memo1,      "PanFP",   8,   8, 560, 330, ""},
    {"Memo2",      &TForm1::Memo2,      "PanFP",   8, 346, 560, 106, ""},
    {"btOK",       &TForm1::btOK,       "PanFP", 580,   8, 110,  28, "OK"},
    {"btCancel",   &TForm1::btCancel,   "PanFP", 580,  42, 110,  28, "CANCEL"},
    {"btSV",       &TForm1::btSV,       "PanFP", 580,  76, 110,  28, "SAVE"},
    {"btLD",       &TForm1::btLD,       "PanFP", 580, 110, 110,  28, "LOAD"},
    {"btImp",      &TForm1::btImp,      "PanFP", 580, 144, 110,  28, "Import"},
    {"btExp",      &TForm1::btExp,      "PanFP", 580, 178, 110,  28, "Export"},
    {"btIVAO",     &TForm1::btIVAO,     "PanFP", 580, 212, 110,  28, "IVAO"},
    {"btKML",      &TForm1::btKML,      "PanFP", 580, 246, 110,  28, "KML"},
    {"btCalcDesc", &TForm1::btCalcDesc, "PanFP", 580, 280, 110,  28, "Calc Desc"},
    {"btAPset2",   &TForm1::btAPset2,   "PanFP", 580, 314, 110,  28, "AP set"},
    {"btArpInfo",  &TForm1::btArpInfo,  "PanFP", 580, 348, 110,  28, "ARP Info"},

    // PanCFG: two columns of colour swatches, each captioned with what it colours; then the database
    // choice and the configuration buttons.
    {"PanCFG",    &TForm1::PanCFG,    "",       312, 184, 400, 400, "", {.hidden = true}},
    {"gbColours", &TForm1::gbColours, "PanCFG",   8,   8, 384, 228, "Colours"},
    {"shBG",      &TForm1::shBG,      "PanCFG",  16,  28,  30,  18, "Background", {.brushColor = 0x000000}},
    {"shARP",     &TForm1::shARP,     "PanCFG",  16,  50,  30,  18, "Airports"},
    {"shVOR",     &TForm1::shVOR,     "PanCFG",  16,  72,  30,  18, "VOR"},
    {"shNDB",     &TForm1::shNDB,     "PanCFG",  16,  94,  30,  18, "NDB"},
    {"shFIX",     &TForm1::shFIX,     "PanCFG",  16, 116,  30,  18, "Fixes"},
    {"shRoute",   &TForm1::shRoute,   "PanCFG",  16, 138,  30,  18, "Route"},
    {"shSID",     &TForm1::shSID,     "PanCFG",  16, 160,  30,  18, "SID/STAR", {.brushColor = 0x8080FF}},
    {"shRR",      &TForm1::shRR,      "PanCFG",  16, 182,  30,  18, "Range rings"},
    {"shArc",     &TForm1::shArc,     "PanCFG",  16, 204,  30,  18, "Compass", {.brushColor = 0xF0CAA6}},
    {"shAwh",     &TForm1::shAwh,     "PanCFG", 204,  28,  30,  18, "Airway H"},
    {"shAwb",     &TForm1::shAwb,     "PanCFG", 204,  50,  30,  18, "Airway B"},
    {"shAwl",     &TForm1::shAwl,     "PanCFG", 204,  72,  30,  18, "Airway L"},
    {"shGEO",     &TForm1::shGEO,     "PanCFG", 204,  94,  30,  18, "Geo 1"},
    {"shGEO2",    &TForm1::shGEO2,    "PanCFG", 204, 116,  30,  18, "Geo 2"},
    {"shGEO3",    &TForm1::shGEO3,    "PanCFG", 204, 138,  30,  18, "Geo 3"},
    {"shGEO4",    &TForm1::shGEO4,    "PanCFG", 204, 160,  30,  18, "Geo 4"},
    {"shBBG",     &TForm1::shBBG,     "PanCFG", 204, 182,  30,  18, "Mask BG"},
    {"shTBG",     &TForm1::shTBG,     "PanCFG", 204, 204,  30,  18, "Text BG"},
    {"shText",    &TForm1::shText,    "PanCFG",  16, 224, 120,  20, "ABC"},

    {"gbDatabase", &TForm1::gbDatabase, "PanCFG",  8, 244, 184, 108, "Database"},
    {"rbFS",       &TForm1::rbFS,       "PanCFG", 20, 266,  80,  20, "FS", {.group = "Database"}},
    {"rbXP",       &TForm1::rbXP,       "PanCFG", 20, 290,  80,  20, "X-Plane", {.group = "Database", .checked = true}},
    {"btReset",    &TForm1::btReset,    "PanCFG", 20, 318,  80,  26, "Reset"},

    {"btAPSet",    &TForm1::btAPSet,    "PanCFG", 200, 250, 192, 26, "AP Settings"},
    {"btCfgTmr",   &TForm1::btCfgTmr,   "PanCFG", 200, 282, 192, 26, "Config timers and sizes"},
    {"btPosition", &TForm1::btPosition, "PanCFG", 200, 314, 192, 26, "Position at center"},
    {"btColOK",    &TForm1::btColOK,    "PanCFG", 160, 362,  80, 28, "OK"},

    // PanTMR: timers, sizes and the IvAp file.
    {"PanTMR",    &TForm1::PanTMR,    "",       302, 179, 420, 410, "", {.hidden = true}},
    {"edTmr1",    &TForm1::edTmr1,    "PanTMR", 258,  12,  80,  22, "Graphic loop timer interval", {.unit = "ms"}},
    {"edTmr2",    &TForm1::edTmr2,    "PanTMR", 258,  40,  80,  22, "NavBase loop timer interval", {.unit = "ms"}},
    {"edTmr3",    &TForm1::edTmr3,    "PanTMR", 258,  68,  80,  22, "Airport view loop timer interval", {.unit = "ms"}},
    {"edTmr4",    &TForm1::edTmr4,    "PanTMR", 258,  96,  80,  22, "AutoPilot loop timer interval", {.unit = "ms"}},
    {"edTmr5",    &TForm1::edTmr5,    "PanTMR", 258, 124,  80,  22, "FSUIPC read  loop timer interval", {.unit = "ms"}},
    {"gbSizes",   &TForm1::gbSizes,   "PanTMR",   8, 156, 404, 132, "Sizes"},
    {"edGeoSize", &TForm1::edGeoSize, "PanTMR", 258, 178,  80,  22, "Geo data", {.text = "10", .unit = "deg"}},
    {"edArpSize", &TForm1::edArpSize, "PanTMR", 258, 204,  80,  22, "Airport data", {.text = "6", .unit = "deg"}},
    {"edBcnSize", &TForm1::edBcnSize, "PanTMR", 258, 230,  80,  22, "Beacon data", {.text = "6", .unit = "deg"}},
    {"edFixSize", &TForm1::edFixSize, "PanTMR", 258, 256,  80,  22, "Fixes data", {.text = "3", .unit = "deg"}},
    {"gbIvap",    &TForm1::gbIvap,    "PanTMR",   8, 296, 404,  56, "IVAP FP Location"},
    {"edIvapFP",  &TForm1::edIvapFP,  "PanTMR",  16, 320, 388,  22, "", {.text = "C:default.fpl"}},
    {"btTmrOK",   &TForm1::btTmrOK,   "PanTMR", 170, 366,  80,  28, "OK"},

    // PanAPConf: autopilot settings, the one configuration panel shown at start.
    {"PanAPConf", &TForm1::PanAPConf, "",          387, 199, 250, 370, "AP Settings"},
    {"edCrsAlt",  &TForm1::edCrsAlt,  "PanAPConf", 128,  12,  90,  22, "Cruise Altitude", {.text = "33000"}},
    {"edCrsSpd",  &TForm1::edCrsSpd,  "PanAPConf", 128,  40,  90,  22, "Cruise Speed", {.text = "320"}},
    {"edDescSpd", &TForm1::edDescSpd, "PanAPConf", 128,  68,  90,  22, "Descend speed", {.text = "290"}},
    {"edAppSpd",  &TForm1::edAppSpd,  "PanAPConf", 128,  96,  90,  22, "Approach Speed", {.text = "220"}},
    {"edMinSpd",  &TForm1::edMinSpd,  "PanAPConf", 128, 124,  90,  22, "Final app speed", {.text = "160"}},
    {"APSwDist",  &TForm1::APSwDist,  "PanAPConf", 128, 152,  90,  22, "WP switch factr.", {.text = "100"}},
    {"gbClimb",   &TForm1::gbClimb,   "PanAPConf",   8, 182, 234,  58, "Climb"},
    {"chClimb",   &TForm1::chClimb,   "PanAPConf",  16, 198, 120,  18, "VNAV active"},
    {"edClimb",   &TForm1::edClimb,   "PanAPConf",  88, 216,  60,  22, "Climb rate", {.text = "400", .unit = "ft/nm"}},
    {"gbDescend", &TForm1::gbDescend, "PanAPConf",   8, 246, 234,  58, "Descend"},
    {"chSpoil",   &TForm1::chSpoil,   "PanAPConf",  16, 262, 120,  18, "Spoilers active"},
    {"edDesc",    &TForm1::edDesc,    "PanAPConf",  88, 280,  60,  22, "Desc rate", {.text = "200", .unit = "ft/nm"}},
    {"chTrackLegs", &TForm1::chTrackLegs, "PanAPConf", 16, 312, 120, 18, "Track legs"},
    {"btApSetOK", &TForm1::btApSetOK, "PanAPConf",  85, 338,  80,  26, "OK"},

    // PanHLD: holding.
    {"PanHLD",   &TForm1::PanHLD,   "",       360, 100, 240, 220, "", {.hidden = true}},
    {"lbHold",   &TForm1::lbHold,   "PanHLD",   8,   8, 224,  18, "HOLDING at "},
    {"edHldHdg", &TForm1::edHldHdg, "PanHLD", 118,  32,  60,  22, "Inbound heading", {.text = "358"}},
    {"rbHldLft", &TForm1::rbHldLft, "PanHLD",  16,  60, 100,  20, "Left turn", {.group = "Turn"}},
    {"rbHldRgt", &TForm1::rbHldRgt, "PanHLD", 120,  60, 100,  20, "Right turn", {.group = "Turn", .checked = true}},
    {"edHldSpd", &TForm1::edHldSpd, "PanHLD", 118,  88,  60,  22, "Speed", {.text = "220", .unit = "KIAS"}},
    {"edHldTm",  &TForm1::edHldTm,  "PanHLD", 118, 116,  60,  22, "Legs", {.text = "3", .unit = "mins"}},
    {"btHldOK",  &TForm1::btHldOK,  "PanHLD",  24, 170,  80,  28, "OK"},
    {"btHldCl",  &TForm1::btHldCl,  "PanHLD", 136, 170,  80,  28, "Cancel"},

    // PanPOS: set position.
    {"PanPOS",        &TForm1::PanPOS,        "",       402, 319, 220, 130, "", {.hidden = true}},
    {"edPosAlt",      &TForm1::edPosAlt,      "PanPOS", 108,  12,  90,  22, "Altitude", {.unit = "ft"}},
    {"edPosHdg",      &TForm1::edPosHdg,      "PanPOS", 108,  40,  90,  22, "Heading", {.unit = "deg"}},
    {"btSetPosition", &TForm1::btSetPosition, "PanPOS",  24,  86,  80,  28, "Set"},
    {"btSetPosClose", &TForm1::btSetPosClose, "PanPOS", 116,  86,  80,  28, "Close"},

    // PanAPV, PanSID, PanSTR: the airport view's panels, at the top next to the left strip.
    {"PanAPV",   &TForm1::PanAPV,   "",        60,   4, 170, 96, "", {.hidden = true}},
    {"edDEP",    &TForm1::edDEP,    "PanAPV",   6,   6, 110, 22, ""},
    {"btViewDp", &TForm1::btViewDp, "PanAPV", 122,   6,  40, 22, ">"},
    {"edICAO",   &TForm1::edICAO,   "PanAPV",   6,  36, 110, 22, ""},
    {"btViewAr", &TForm1::btViewAr, "PanAPV", 122,  36,  40, 22, ">"},
    {"btClArp",  &TForm1::btClArp,  "PanAPV",   6,  66, 156, 24, "BACK"},
    {"PanSID",   &TForm1::PanSID,   "",        60, 104, 170, 32, "", {.hidden = true}},
    {"btSID",    &TForm1::btSID,    "PanSID",   4,   4,  44, 24, "SID"},
    {"btSdPr",   &TForm1::btSdPr,   "PanSID",  52,   4,  30, 24, "<"},
    {"btSdNt",   &TForm1::btSdNt,   "PanSID",  86,   4,  30, 24, ">"},
    {"btSdEt",   &TForm1::btSdEt,   "PanSID", 120,   4,  46, 24, "ACT"},
    {"PanSTR",   &TForm1::PanSTR,   "",        60, 140, 170, 32, "", {.hidden = true}},
    {"btSTR",    &TForm1::btSTR,    "PanSTR",   4,   4,  44, 24, "STAR"},

    // The five loops, disabled in the form; the settings file replaces their intervals.
    {"Timer1", &TForm1::Timer1},
    {"Timer2", &TForm1::Timer2},
    {"Timer3", &TForm1::Timer3},
    {"Timer4", &TForm1::Timer4},
    {"Timer5", &TForm1::Timer5},
};
// clang-format on

template <class Member>
struct MemberKind;
template <class Kind>
struct MemberKind<Kind TForm1::*> {
  using type = Kind;
};

// A row gives only what its kind of control has; a timer has nothing but its name.
constexpr bool RowFitsItsKind(const LayoutRow& row) {
  return std::visit(
      [&row](auto member) {
        using Kind = typename MemberKind<decltype(member)>::type;
        const Details& details = row.details;
        if constexpr (std::is_same_v<Kind, Timer>) {
          return row.caption.empty() && row.left == 0 && row.top == 0 && row.width == 0 && row.height == 0 &&
                 !details.hidden && !details.disabled;
        } else {
          return (std::is_same_v<Kind, Edit> || (details.text.empty() && details.unit.empty())) &&
                 (std::is_same_v<Kind, RadioButton> || details.group.empty()) &&
                 (std::is_same_v<Kind, RadioButton> || std::is_same_v<Kind, CheckBox> || !details.checked) &&
                 (std::is_same_v<Kind, Shape> || details.brushColor == kColorBlack);
        }
      },
      row.member);
}

// What the registry promises its readers: each name and each control once, each parent a panel listed before.
constexpr bool NamesAndParentsAreSound(std::span<const LayoutRow> rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    bool parentFound = rows[i].parent.empty();
    for (std::size_t j = 0; j < i; ++j) {
      if (rows[j].name == rows[i].name || rows[j].member == rows[i].member) return false;
      if (rows[j].name == rows[i].parent && std::holds_alternative<Panel TForm1::*>(rows[j].member)) {
        parentFound = true;
      }
    }
    if (!parentFound) return false;
  }
  return true;
}
static_assert(NamesAndParentsAreSound(kLayout), "a name or control given twice, or a parent that is no panel above");
static_assert(std::ranges::all_of(kLayout, RowFitsItsKind), "a row gives what its kind of control does not have");

template <class Kind>
void ApplyRow(const LayoutRow& row, Kind& control) {
  if constexpr (std::is_base_of_v<Control, Kind>) {
    control.caption = row.caption;
    control.left = row.left;
    control.top = row.top;
    control.width = row.width;
    control.height = row.height;
    control.visible = !row.details.hidden;
    control.enabled = !row.details.disabled;
  }
  if constexpr (std::is_same_v<Kind, Edit>) {
    control.text = row.details.text;
    control.unit = row.details.unit;
  }
  if constexpr (std::is_same_v<Kind, RadioButton>) control.group = row.details.group;
  if constexpr (std::is_same_v<Kind, RadioButton> || std::is_same_v<Kind, CheckBox>) {
    control.checked = row.details.checked;
  }
  if constexpr (std::is_same_v<Kind, Shape>) control.brushColor = row.details.brushColor;
}

}  // namespace

void TForm1::BuildLayout() {
  for (const LayoutRow& row : kLayout) {
    std::visit(
        [this, &row](auto member) {
          auto& control = this->*member;
          ApplyRow(row, control);
          registry_.Add(std::string(row.name), std::string(row.parent), &control);
        },
        row.member);
  }

  // The dialogs' fixed properties.
  OpenDialog1 = {"NAV files|*.nav|Text files|*.txt|All files|*.*", "nav", "Load NAV FP", "C:\\"};
  SaveDialog1 = {"NAV files|*.nav|Text files|*.txt|All files|*.*", "nav", "Save NAV FP", "C:\\"};
  OpenDialog2 = {"All files|*.*", "", "Open", "C:\\"};
  OpenDialog3 = {"kml file|*.kml|all files|*.*", "kml", "Open KML", "C:\\"};
  SaveDialog2 = {"All files (*.*)|*.*", "", "Save", "C:\\"};
  SaveDialog3 = {"PLN files (*.PLN)|*.PLN|All files (*.*)|*.*", "PLN", "Export", "C:\\"};
}

}  // namespace corvane::shell
