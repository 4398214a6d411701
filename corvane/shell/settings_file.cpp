// The key table of the settings file with each key's encoding, default and the control it belongs to.
#include "settings_file.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <variant>

#include "corvane/autopilot/descent_profile.h"
#include "form1.h"
#include "formats/atomic_file.h"
#include "number_text.h"

namespace corvane::shell {
namespace {

// "Calc Desc" and the settings file share the profile's defaults.
constexpr autopilot::DescentInputs kProfileDefaults{};

// What a key is bound to: each alternative names its encoding in the file.
using IntegerTarget = int& (*)(TForm1&);
using ColorTarget = Color& (*)(TForm1&);
using BooleanTarget = bool& (*)(TForm1&);
using FloatTarget = double& (*)(TForm1&);
using TextTarget = std::string& (*)(TForm1&);
using EditIntegerTarget = Edit& (*)(TForm1&);  // an integer kept as an edit's text
using TimerTarget = Timer& (*)(TForm1&);
using Target =
    std::variant<IntegerTarget, ColorTarget, BooleanTarget, FloatTarget, TextTarget, EditIntegerTarget, TimerTarget>;

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

struct Setting {
  std::string_view section;
  std::string_view key;
  Target target;
  double defaultNumber = 0;      // integer, colour, boolean and float keys
  std::string_view defaultText;  // text keys
  // Numbers outside these take the default; a value the program cannot work with is no setting.
  double minimum = -kUnbounded;
  double maximum = kUnbounded;
};

// clang-format off
const Setting kSettings[] = {
    {"Form", "Top", IntegerTarget{[](TForm1& f) -> int& { return f.formTop; }}, 100, {}, -32768, 32767},
    {"Form", "Left", IntegerTarget{[](TForm1& f) -> int& { return f.formLeft; }}, 100, {}, -32768, 32767},
    {"Form", "Height", IntegerTarget{[](TForm1& f) -> int& { return f.formHeight; }}, 600, {}, 100, 32767},
    {"Form", "Width", IntegerTarget{[](TForm1& f) -> int& { return f.formWidth; }}, 800, {}, 100, 32767},
    {"Position", "Xpos", FloatTarget{[](TForm1& f) -> double& { return f.view.centre.longitude; }}, 5.0, {}, -180, 180},
    {"Position", "Ypos", FloatTarget{[](TForm1& f) -> double& { return f.view.centre.latitude; }}, 52.0, {}, -90, 90},
    {"Display", "FontName", TextTarget{[](TForm1& f) -> std::string& { return f.IMG1.font.name; }}, 0, "Arial"},
    {"Display", "FontSize", IntegerTarget{[](TForm1& f) -> int& { return f.IMG1.font.size; }}, 8, {}, 1, 100},
    {"Colors", "ARP", ColorTarget{[](TForm1& f) -> Color& { return f.shARP.brushColor; }}, 0x4080FF, {}},
    {"Colors", "VOR", ColorTarget{[](TForm1& f) -> Color& { return f.shVOR.brushColor; }}, 0xFF8000, {}},
    {"Colors", "NDB", ColorTarget{[](TForm1& f) -> Color& { return f.shNDB.brushColor; }}, 0x00FF00, {}},
    {"Colors", "FIX", ColorTarget{[](TForm1& f) -> Color& { return f.shFIX.brushColor; }}, 0xC0C0C0, {}},
    {"Colors", "RING", ColorTarget{[](TForm1& f) -> Color& { return f.shRR.brushColor; }}, 0x808080, {}},
    {"Colors", "ROUT", ColorTarget{[](TForm1& f) -> Color& { return f.shRoute.brushColor; }}, 0xFF00FF, {}},
    {"Colors", "GEO", ColorTarget{[](TForm1& f) -> Color& { return f.shGEO.brushColor; }}, 0x008000, {}},
    {"Colors", "GEO2", ColorTarget{[](TForm1& f) -> Color& { return f.shGEO2.brushColor; }}, 0x000080, {}},
    {"Colors", "GEO3", ColorTarget{[](TForm1& f) -> Color& { return f.shGEO3.brushColor; }}, double{kColorSystemBackground}, {}},
    {"Colors", "GEO4", ColorTarget{[](TForm1& f) -> Color& { return f.shGEO4.brushColor; }}, 0x808080, {}},
    {"Colors", "ButtonBG", ColorTarget{[](TForm1& f) -> Color& { return f.shBBG.brushColor; }}, double{kColorSystemBackground}, {}},
    {"Colors", "TextBG", ColorTarget{[](TForm1& f) -> Color& { return f.shTBG.brushColor; }}, 0xC0C0C0, {}},
    {"Colors", "AWL", ColorTarget{[](TForm1& f) -> Color& { return f.shAwl.brushColor; }}, 0x008080, {}},
    {"Colors", "AWH", ColorTarget{[](TForm1& f) -> Color& { return f.shAwh.brushColor; }}, 0x808000, {}},
    {"Colors", "AWB", ColorTarget{[](TForm1& f) -> Color& { return f.shAwb.brushColor; }}, 0x800080, {}},
    {"SIM", "FS", BooleanTarget{[](TForm1& f) -> bool& { return f.rbFS.checked; }}, 0, {}},
    {"SIM", "XP", BooleanTarget{[](TForm1& f) -> bool& { return f.rbXP.checked; }}, 1, {}},
    {"AP", "Climb", BooleanTarget{[](TForm1& f) -> bool& { return f.chClimb.checked; }}, 0, {}},
    {"AP", "Spoil", BooleanTarget{[](TForm1& f) -> bool& { return f.chSpoil.checked; }}, 1, {}},
    {"AP", "TrackLegs", BooleanTarget{[](TForm1& f) -> bool& { return f.chTrackLegs.checked; }}, 0, {}},
    {"AP", "CrsAlt", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edCrsAlt; }}, 290, {}, 0, 60000},
    {"AP", "CrsSpd", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edCrsSpd; }}, kProfileDefaults.cruiseSpeedKt, {}, 1, 999},
    {"AP", "Desc", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edDescSpd; }}, kProfileDefaults.descentSpeedKt, {}, 1, 999},
    {"AP", "App", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edAppSpd; }}, kProfileDefaults.approachSpeedKt, {}, 1, 999},
    {"AP", "Min", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edMinSpd; }}, kProfileDefaults.finalApproachSpeedKt, {}, 1, 999},
    {"Calc", "Climb", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edClimb; }}, kProfileDefaults.climbFtPerNm, {}, 100, 600},
    {"Calc", "Desc", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edDesc; }}, kProfileDefaults.descentFtPerNm, {}, 100, 600},
    {"Dirs", "Open1", TextTarget{[](TForm1& f) -> std::string& { return f.OpenDialog1.initialDir; }}, 0, "C:\\"},
    {"Dirs", "Open2", TextTarget{[](TForm1& f) -> std::string& { return f.OpenDialog2.initialDir; }}, 0, "C:\\"},
    {"Dirs", "Open3", TextTarget{[](TForm1& f) -> std::string& { return f.OpenDialog3.initialDir; }}, 0, "C:\\"},
    {"Dirs", "Save1", TextTarget{[](TForm1& f) -> std::string& { return f.planSaveFolder; }}, 0, "C:\\"},
    {"Dirs", "Save2", TextTarget{[](TForm1& f) -> std::string& { return f.SaveDialog2.initialDir; }}, 0, "C:\\"},
    {"Dirs", "Save3", TextTarget{[](TForm1& f) -> std::string& { return f.SaveDialog3.initialDir; }}, 0, "C:\\"},
    {"Timer", "One", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer1; }}, 300, {}, 0, 600000},
    {"Timer", "Two", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer2; }}, 500, {}, 0, 600000},
    {"Timer", "Three", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer3; }}, 300, {}, 0, 600000},
    {"Timer", "Four", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer4; }}, 500, {}, 0, 600000},
    {"Timer", "Five", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer5; }}, 300, {}, 0, 600000},
    {"Sizes", "Geo", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edGeoSize; }}, 10, {}, 1, 180},
    {"Sizes", "Arp", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edArpSize; }}, 6, {}, 1, 180},
    {"Sizes", "Bcn", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edBcnSize; }}, 6, {}, 1, 180},
    {"Sizes", "Fix", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edFixSize; }}, 3, {}, 1, 180},
    {"Ivap", "FP", TextTarget{[](TForm1& f) -> std::string& { return f.edIvapFP.text; }}, 0, "C:default.fpl"},
};
// clang-format on

std::int32_t DefaultInteger(const Setting& setting) {
  // Colour defaults such as 0x80000001 are 32-bit patterns: narrow through the unsigned type.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(setting.defaultNumber)));
}

std::string RangeText(const Setting& setting) {
  return "out of range (" + FormatFloat(setting.minimum) + " to " + FormatFloat(setting.maximum) + ")";
}

// Says which key took its default and why; missing keys say nothing.
void Report(std::vector<std::string>& problems, const Setting& setting, const std::string& text, std::string_view why,
            const std::string& defaultText) {
  problems.push_back(std::string(setting.section) + "/" + std::string(setting.key) + " = '" + text +
                     "': " + std::string(why) + "; the default " + defaultText + " is used");
}

bool InRange(const Setting& setting, double value) { return value >= setting.minimum && value <= setting.maximum; }

// A colour is 0x00BBGGRR, or one of the system's colours (0x800000nn).
bool IsColour(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return bits <= 0xFFFFFFu || (bits & 0xFFFFFF00u) == 0x80000000u;
}

std::int32_t ReadInteger(const IniDocument& document, const Setting& setting, std::vector<std::string>& problems,
                         bool colour = false) {
  const auto text = document.Get(setting.section, setting.key);
  if (!text) return DefaultInteger(setting);
  const auto value = ParseInteger(*text);
  const std::string defaultText = FormatInteger(DefaultInteger(setting));
  if (!value) {
    Report(problems, setting, *text, "not a whole number", defaultText);
  } else if (colour && !IsColour(*value)) {
    Report(problems, setting, *text, "not a colour", defaultText);
  } else if (!InRange(setting, *value)) {
    Report(problems, setting, *text, RangeText(setting), defaultText);
  } else {
    return *value;
  }
  return DefaultInteger(setting);
}

double ReadFloat(const IniDocument& document, const Setting& setting, std::vector<std::string>& problems) {
  const auto text = document.Get(setting.section, setting.key);
  if (!text) return setting.defaultNumber;
  const auto value = ParseFloat(*text);
  const std::string defaultText = FormatFloat(setting.defaultNumber);
  // "nan" reads as a number but lies in no range.
  if (!value) {
    Report(problems, setting, *text, "not a number", defaultText);
  } else if (!std::isfinite(*value) || !InRange(setting, *value)) {
    Report(problems, setting, *text, RangeText(setting), defaultText);
  } else {
    return *value;
  }
  return setting.defaultNumber;
}

template <class... Lambdas>
struct Overloaded : Lambdas... {
  using Lambdas::operator()...;
};
template <class... Lambdas>
Overloaded(Lambdas...) -> Overloaded<Lambdas...>;

}  // namespace

std::filesystem::path SettingsPathFor(const std::filesystem::path& programPath) {
  std::filesystem::path path = programPath;
  path.replace_extension(".INI");
  return path;
}

std::vector<std::string> ApplySettings(const IniDocument& document, TForm1& form) {
  std::vector<std::string> problems;
  for (const Setting& setting : kSettings) {
    std::visit(Overloaded{
                   [&](IntegerTarget target) { target(form) = ReadInteger(document, setting, problems); },
                   [&](ColorTarget target) {
                     target(form) = static_cast<Color>(ReadInteger(document, setting, problems, true));
                   },
                   [&](BooleanTarget target) { target(form) = ReadInteger(document, setting, problems) != 0; },
                   [&](FloatTarget target) { target(form) = ReadFloat(document, setting, problems); },
                   [&](TextTarget target) {
                     const auto text = document.Get(setting.section, setting.key);
                     target(form) = text ? *text : std::string(setting.defaultText);
                     // A font needs a name; folders and files may be anything.
                     if (text && text->empty() && setting.key == "FontName") {
                       target(form) = std::string(setting.defaultText);
                       Report(problems, setting, *text, "empty", std::string(setting.defaultText));
                     }
                   },
                   [&](EditIntegerTarget target) {
                     target(form).text = FormatInteger(ReadInteger(document, setting, problems));
                   },
                   [&](TimerTarget target) {
                     // The range has no negative intervals: none can be a timer period.
                     target(form).SetInterval(static_cast<std::uint32_t>(ReadInteger(document, setting, problems)));
                   },
               },
               setting.target);
  }
  return problems;
}

std::string SettingsProblemsText(const std::filesystem::path& path, const std::vector<std::string>& problems) {
  std::string text =
      "Settings file " + path.string() + ": " + std::to_string(problems.size()) + " value(s) could not be used";
  for (const std::string& problem : problems) text += "\n" + problem;
  return text;
}

std::vector<std::string> StoreSettings(TForm1& form, IniDocument& document) {
  std::vector<std::string> badFields;
  for (const Setting& setting : kSettings) {
    auto put = [&](std::string_view value) { document.Set(setting.section, setting.key, value); };
    std::visit(Overloaded{
                   [&](IntegerTarget target) { put(FormatInteger(target(form))); },
                   [&](ColorTarget target) { put(FormatInteger(static_cast<std::int32_t>(target(form)))); },
                   [&](BooleanTarget target) { put(target(form) ? "1" : "0"); },
                   [&](FloatTarget target) { put(FormatFloat(target(form))); },
                   [&](TextTarget target) { put(target(form)); },
                   [&](EditIntegerTarget target) {
                     const Edit& edit = target(form);
                     if (const auto value = ParseInteger(edit.text)) {
                       put(FormatInteger(*value));
                     } else {
                       badFields.push_back("\"" + edit.caption + "\" holds '" + edit.text +
                                           "', which is not an integer; the settings file keeps " +
                                           std::string(setting.section) + "/" + std::string(setting.key) +
                                           " as it was.");
                     }
                   },
                   [&](TimerTarget target) { put(FormatInteger(target(form).ConfiguredInterval())); },
               },
               setting.target);
  }
  return badFields;
}

SettingsSaveResult SaveSettings(TForm1& form, const std::filesystem::path& path) {
  IniDocument document = IniDocument::Load(path);
  SettingsSaveResult result;
  result.badFields = StoreSettings(form, document);
  if (const auto reason = formats::WriteFileAtomically(path, document.Serialize())) {
    result.writeError = path.string() + ": " + *reason;
  }
  return result;
}

}  // namespace corvane::shell
