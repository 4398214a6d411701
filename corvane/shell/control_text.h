// Controls and members as one-line texts, and setting a control from a text: what the form driver prints and sets.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::shell {

class TForm1;

// "bbARP" (the control's state), "bbARP.caption" (one property) or a member such as "AutopilotMode".
// Nothing when the name or property is unknown.
std::optional<std::string> DescribeForPrint(const TForm1& form, std::string_view what);

// Sets an edit's text, a memo's or list box's lines ("\n" separates lines), or checks a check box or
// radio button ("0" / "1"; checking a radio button unchecks the others of its group).
// Returns an error text, or nothing on success.
std::optional<std::string> SetControlFromText(TForm1& form, std::string_view name, std::string_view text);

}  // namespace corvane::shell
