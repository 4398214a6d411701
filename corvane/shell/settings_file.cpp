// The key table of the settings file with each key's encoding, default and the control it belongs to.
#include "settings_file.h"

#include <cstdint>
#include <variant>

#include "form1.h"
#include "number_text.h"

namespace corvane::shell {
namespace {

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

struct Setting {
  std::string_view section;
  std::string_view key;
  Target target;
  double defaultNumber = 0;      // integer, colour, boolean and float keys
  std::string_view defaultText;  // text keys
};

// clang-format off
const Setting kSettings[] = {
    {"Form", "Top", IntegerTarget{[](TForm1& f) -> int& { return f.formTop; }}, 100, {}},
    {"Form", "Left", IntegerTarget{[](TForm1& f) -> int& { return f.formLeft; }}, 100, {}},
    {"Form", "Height", IntegerTarget{[](TForm1& f) -> int& { return f.formHeight; }}, 600, {}},
    {"Form", "Width", IntegerTarget{[](TForm1& f) -> int& { return f.formWidth; }}, 800, {}},
    {"Position", "Xpos", FloatTarget{[](TForm1& f) -> double& { return f.view.centre.longitude; }}, 5.0, {}},
    {"Position", "Ypos", FloatTarget{[](TForm1& f) -> double& { return f.view.centre.latitude; }}, 52.0, {}},
    {"Display", "FontName", TextTarget{[](TForm1& f) -> std::string& { return f.IMG1.font.name; }}, 0, "Arial"},
    {"Display", "FontSize", IntegerTarget{[](TForm1& f) -> int& { return f.IMG1.font.size; }}, 8, {}},
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
    {"AP", "CrsAlt", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edCrsAlt; }}, 290, {}},
    {"AP", "CrsSpd", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edCrsSpd; }}, 220, {}},
    {"AP", "Desc", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edDescSpd; }}, 290, {}},
    {"AP", "App", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edAppSpd; }}, 220, {}},
    {"AP", "Min", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edMinSpd; }}, 160, {}},
    {"Calc", "Climb", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edClimb; }}, 250, {}},
    {"Calc", "Desc", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edDesc; }}, 200, {}},
    {"Dirs", "Open1", TextTarget{[](TForm1& f) -> std::string& { return f.OpenDialog1.initialDir; }}, 0, "C:\\"},
    {"Dirs", "Open2", TextTarget{[](TForm1& f) -> std::string& { return f.OpenDialog2.initialDir; }}, 0, "C:\\"},
    {"Dirs", "Open3", TextTarget{[](TForm1& f) -> std::string& { return f.OpenDialog3.initialDir; }}, 0, "C:\\"},
    {"Dirs", "Save1", TextTarget{[](TForm1& f) -> std::string& { return f.planSaveFolder; }}, 0, "C:\\"},
    {"Dirs", "Save2", TextTarget{[](TForm1& f) -> std::string& { return f.SaveDialog2.initialDir; }}, 0, "C:\\"},
    {"Dirs", "Save3", TextTarget{[](TForm1& f) -> std::string& { return f.SaveDialog3.initialDir; }}, 0, "C:\\"},
    {"Timer", "One", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer1; }}, 300, {}},
    {"Timer", "Two", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer2; }}, 500, {}},
    {"Timer", "Three", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer3; }}, 300, {}},
    {"Timer", "Four", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer4; }}, 500, {}},
    {"Timer", "Five", TimerTarget{[](TForm1& f) -> Timer& { return f.Timer5; }}, 300, {}},
    {"Sizes", "Geo", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edGeoSize; }}, 10, {}},
    {"Sizes", "Arp", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edArpSize; }}, 6, {}},
    {"Sizes", "Bcn", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edBcnSize; }}, 6, {}},
    {"Sizes", "Fix", EditIntegerTarget{[](TForm1& f) -> Edit& { return f.edFixSize; }}, 3, {}},
    {"Ivap", "FP", TextTarget{[](TForm1& f) -> std::string& { return f.edIvapFP.text; }}, 0, "C:default.fpl"},
};
// clang-format on

std::int32_t ReadInteger(const IniDocument& document, const Setting& setting) {
  const auto text = document.Get(setting.section, setting.key);
  const auto value = text ? ParseInteger(*text) : std::nullopt;
  // Colour defaults such as 0x80000001 are 32-bit patterns: narrow through the unsigned type.
  return value
             ? *value
             : static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(setting.defaultNumber)));
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

void ApplySettings(const IniDocument& document, TForm1& form) {
  for (const Setting& setting : kSettings) {
    std::visit(Overloaded{
                   [&](IntegerTarget target) { target(form) = ReadInteger(document, setting); },
                   [&](ColorTarget target) { target(form) = static_cast<Color>(ReadInteger(document, setting)); },
                   [&](BooleanTarget target) { target(form) = ReadInteger(document, setting) != 0; },
                   [&](FloatTarget target) {
                     const auto text = document.Get(setting.section, setting.key);
                     const auto value = text ? ParseFloat(*text) : std::nullopt;
                     target(form) = value ? *value : setting.defaultNumber;
                   },
                   [&](TextTarget target) {
                     const auto text = document.Get(setting.section, setting.key);
                     target(form) = text ? *text : std::string(setting.defaultText);
                   },
                   [&](EditIntegerTarget target) { target(form).text = FormatInteger(ReadInteger(document, setting)); },
                   [&](TimerTarget target) {
                     // A negative interval cannot be a timer period; it reads as the default.
                     const std::int32_t value = ReadInteger(document, setting);
                     target(form).SetInterval(static_cast<std::uint32_t>(
                         value >= 0 ? value : static_cast<std::int32_t>(setting.defaultNumber)));
                   },
               },
               setting.target);
  }
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
  result.writeError = WriteFileReplacing(path, document.Serialize());
  return result;
}

}  // namespace corvane::shell
