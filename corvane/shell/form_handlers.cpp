// The handler table; argument texts are checked here so a handler gets plain numbers.
#include "form_handlers.h"

#include <stdexcept>

#include "form1.h"
#include "number_text.h"

namespace corvane::shell {
namespace {

int IntegerArgument(std::span<const std::string> arguments, size_t index, std::string_view what) {
  if (index >= arguments.size()) throw std::invalid_argument("missing " + std::string(what));
  const auto value = ParseInteger(arguments[index]);
  if (!value) throw std::invalid_argument("'" + arguments[index] + "' is not a " + std::string(what));
  return *value;
}

template <void (TForm1::*Method)()>
void Click(TForm1& form, std::span<const std::string>) {
  (form.*Method)();
}

template <void (TForm1::*Method)(int)>
void Key(TForm1& form, std::span<const std::string> arguments) {
  (form.*Method)(IntegerArgument(arguments, 0, "key code"));
}

constexpr HandlerEntry kHandlers[] = {
    {"FormClose", "", Click<&TForm1::FormClose>},
    {"btAPSetClick", "", Click<&TForm1::btAPSetClick>},
    {"btAPset2Click", "", Click<&TForm1::btAPset2Click>},
    {"btApSetOKClick", "", Click<&TForm1::btApSetOKClick>},
    {"btCancelClick", "", Click<&TForm1::btCancelClick>},
    {"btCfgTmrClick", "", Click<&TForm1::btCfgTmrClick>},
    {"btColOKClick", "", Click<&TForm1::btColOKClick>},
    {"btColorClick", "", Click<&TForm1::btColorClick>},
    {"btFPClick", "", Click<&TForm1::btFPClick>},
    {"btHideClick", "", Click<&TForm1::btHideClick>},
    {"btSetPosCloseClick", "", Click<&TForm1::btSetPosCloseClick>},
    {"btTmrOKClick", "", Click<&TForm1::btTmrOKClick>},
    {"edClimbKeyUp", "KEY", Key<&TForm1::edClimbKeyUp>},
    {"edDescKeyUp", "KEY", Key<&TForm1::edDescKeyUp>},
};

}  // namespace

std::span<const HandlerEntry> FormHandlers() { return kHandlers; }

const HandlerEntry* FindHandler(std::string_view name) {
  for (const HandlerEntry& entry : kHandlers) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace corvane::shell
