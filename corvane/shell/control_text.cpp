// The print and set texts of every kind of control, and of the members scripts look at.
#include "control_text.h"

#include <cstdio>
#include <type_traits>

#include "form1.h"
#include "number_text.h"

namespace corvane::shell {
namespace {

std::string Flag(bool value) { return value ? "1" : "0"; }

std::string Hex(Color color) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%06X", color);
  return buffer;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\\n" : "") + lines[i];
  return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  size_t start = 0;
  for (;;) {
    const size_t next = text.find("\\n", start);
    lines.emplace_back(text.substr(start, next - start));
    if (next == std::string_view::npos) break;
    start = next + 2;
  }
  return lines;
}

template <class T>
std::optional<std::string> Property(const T& control, std::string_view property) {
  if constexpr (std::is_base_of_v<Control, T>) {
    if (property == "caption") return control.caption;
    if (property == "visible") return Flag(control.visible);
    if (property == "enabled") return Flag(control.enabled);
    if (property == "left") return FormatInteger(control.left);
    if (property == "top") return FormatInteger(control.top);
    if (property == "width") return FormatInteger(control.width);
    if (property == "height") return FormatInteger(control.height);
  }
  if constexpr (std::is_same_v<T, Button>) {
    if (property == "bold") return Flag(control.bold);
    if (property == "color") return Hex(control.fontColor);
  }
  if constexpr (std::is_same_v<T, Label>) {
    if (property == "text") return control.caption;
    if (property == "color") return Hex(control.fontColor);
  }
  if constexpr (std::is_same_v<T, Edit> || std::is_same_v<T, StatusBar>) {
    if (property == "text") return control.text;
  }
  if constexpr (std::is_same_v<T, CheckBox> || std::is_same_v<T, RadioButton>) {
    if (property == "checked") return Flag(control.checked);
  }
  if constexpr (std::is_same_v<T, Memo> || std::is_same_v<T, ListBox>) {
    if (property == "text" || property == "lines") return JoinLines(control.lines);
    if (property == "color") return Hex(control.color);
  }
  if constexpr (std::is_same_v<T, Shape>) {
    if (property == "color") return Hex(control.brushColor);
  }
  if constexpr (std::is_same_v<T, Panel>) {
    if (property == "color") return Hex(control.color);
  }
  if constexpr (std::is_same_v<T, Timer>) {
    if (property == "interval") return FormatInteger(control.Interval());
    if (property == "enabled") return Flag(control.Enabled());
  }
  return std::nullopt;
}

template <class T>
std::string Whole(const T& control) {
  if constexpr (std::is_same_v<T, Button>) {
    return "caption=" + control.caption + " bold=" + Flag(control.bold) + " color=" + Hex(control.fontColor) +
           " enabled=" + Flag(control.enabled) + " visible=" + Flag(control.visible);
  } else if constexpr (std::is_same_v<T, Edit> || std::is_same_v<T, StatusBar>) {
    return control.text;
  } else if constexpr (std::is_same_v<T, Label>) {
    return control.caption;
  } else if constexpr (std::is_same_v<T, Memo> || std::is_same_v<T, ListBox>) {
    return JoinLines(control.lines);
  } else if constexpr (std::is_same_v<T, Timer>) {
    return "interval=" + FormatInteger(control.Interval()) + " enabled=" + Flag(control.Enabled());
  } else if constexpr (std::is_same_v<T, CheckBox> || std::is_same_v<T, RadioButton>) {
    return "caption=" + control.caption + " checked=" + Flag(control.checked) + " enabled=" + Flag(control.enabled) +
           " visible=" + Flag(control.visible);
  } else if constexpr (std::is_same_v<T, Shape>) {
    return "color=" + Hex(control.brushColor);
  } else {
    return "visible=" + Flag(control.visible) + " left=" + FormatInteger(control.left) +
           " top=" + FormatInteger(control.top) + " width=" + FormatInteger(control.width) +
           " height=" + FormatInteger(control.height);
  }
}

std::optional<std::string> Member(const TForm1& form, std::string_view name) {
  if (name == "AutopilotMode") return FormatInteger(form.autopilot.AutopilotMode);
  if (name == "ActiveWaypointIndex") return FormatInteger(form.plan.ActiveWaypointIndex);
  if (name == "tail") return FormatInteger(form.plan.tail);
  // The entries a listing shows, up to the plan's end entry.
  if (name == "listed") return FormatInteger(form.plan.ListedCount());
  if (name == "insertIndex") return FormatInteger(form.plan.insertIndex);
  if (name == "insertMode") return Flag(form.plan.insertMode);
  if (name == "rangeNm") return FormatInteger(form.view.rangeNm);
  if (name == "centre") return FormatFloat(form.view.centre.latitude) + " " + FormatFloat(form.view.centre.longitude);
  if (name == "mode") return FormatInteger(static_cast<int>(form.view.mode));
  if (name == "followAircraft") return Flag(form.view.followAircraft);
  if (name == "caption") return form.Caption;
  if (name == "connected") return Flag(form.connected);
  if (name == "link") {
    return "link connected=" + Flag(form.connected) + " lost=" + Flag(form.linkLost) +
           " held=" + Flag(form.autopilotHeld) +
           " writes=" + FormatInteger(static_cast<std::int64_t>(form.link().writesQueued()));
  }
  if (name == "simulator") return form.link().IsOpen() ? form.link().simulatorName() : std::string();
  if (name == "aircraft") {
    // Named as corvane-cli state names them.
    return "latitude " + FormatFloat(form.aircraft.latitude) + " longitude " + FormatFloat(form.aircraft.longitude) +
           " altitude " + FormatInteger(static_cast<std::int64_t>(form.aircraft.altitudeFt)) + " heading " +
           FormatInteger(static_cast<std::int64_t>(form.aircraft.headingDegTrue)) + " groundspeed " +
           FormatInteger(form.aircraft.groundSpeedKt);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> DescribeForPrint(const TForm1& form, std::string_view what) {
  const size_t dot = what.find('.');
  const std::string_view name = what.substr(0, dot);
  if (const ControlEntry* entry = form.Controls().Find(name)) {
    return std::visit(
        [&](auto* control) -> std::optional<std::string> {
          if (dot == std::string_view::npos) return Whole(*control);
          return Property(*control, what.substr(dot + 1));
        },
        entry->control);
  }
  if (dot == std::string_view::npos) return Member(form, name);
  return std::nullopt;
}

std::optional<std::string> SetControlFromText(TForm1& form, std::string_view name, std::string_view text) {
  const ControlEntry* entry = form.Controls().Find(name);
  if (entry == nullptr) return "no control named '" + std::string(name) + "'";
  auto flag = [&]() -> std::optional<bool> {
    if (text == "0") return false;
    if (text == "1") return true;
    return std::nullopt;
  };
  return std::visit(
      [&](auto* control) -> std::optional<std::string> {
        using T = std::remove_pointer_t<decltype(control)>;
        if constexpr (std::is_same_v<T, Edit>) {
          control->text = std::string(text);
          return std::nullopt;
        } else if constexpr (std::is_same_v<T, Memo> || std::is_same_v<T, ListBox>) {
          control->lines = SplitLines(text);
          return std::nullopt;
        } else if constexpr (std::is_same_v<T, CheckBox>) {
          if (!flag()) return "a check box takes 0 or 1";
          control->checked = *flag();
          return std::nullopt;
        } else if constexpr (std::is_same_v<T, RadioButton>) {
          if (!flag()) return "a radio button takes 0 or 1";
          if (*flag()) {
            form.Controls().CheckRadio(*control);
          } else {
            control->checked = false;
          }
          return std::nullopt;
        } else {
          return "'" + std::string(name) + "' holds no text or check mark";
        }
      },
      entry->control);
}

}  // namespace corvane::shell
