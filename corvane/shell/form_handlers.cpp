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

// "PB1MouseUp left|right|middle X Y".
void MapMouseUp(TForm1& form, std::span<const std::string> arguments) {
  if (arguments.empty()) throw std::invalid_argument("missing button (left, right or middle)");
  map::MouseButton button;
  if (arguments[0] == "left") {
    button = map::MouseButton::kLeft;
  } else if (arguments[0] == "right") {
    button = map::MouseButton::kRight;
  } else if (arguments[0] == "middle") {
    button = map::MouseButton::kMiddle;
  } else {
    throw std::invalid_argument("'" + arguments[0] + "' is not a mouse button (left, right or middle)");
  }
  form.PB1MouseUp(button, IntegerArgument(arguments, 1, "pixel x"), IntegerArgument(arguments, 2, "pixel y"));
}

// "LB1MouseUp LINE" from a script clicks that line; the window selects the line itself and sends the
// button and pixel, which the pick does not need.
void ResultListMouseUp(TForm1& form, std::span<const std::string> arguments) {
  if (!arguments.empty()) {
    if (const auto line = ParseInteger(arguments[0])) form.LB1.itemIndex = *line;
  }
  form.LB1MouseUp();
}

template <Shape ConfigPanelControls::*Swatch>
void ContextPopup(TForm1& form, std::span<const std::string>) {
  form.ShapeContextPopup(form.*Swatch);
}

constexpr HandlerEntry kHandlers[] = {
    {"FormClose", "", Click<&TForm1::FormClose>},
    {"FormKeyDown", "KEY", Key<&TForm1::FormKeyDown>},
    {"FormMouseWheel", "DELTA", Key<&TForm1::FormMouseWheel>},
    {"LB1MouseUp", "[LINE]", ResultListMouseUp},
    {"PB1MouseUp", "BUTTON X Y", MapMouseUp},
    {"bbARPClick", "", Click<&TForm1::bbARPClick>},
    {"bbAWYClick", "", Click<&TForm1::bbAWYClick>},
    {"bbFIXClick", "", Click<&TForm1::bbFIXClick>},
    {"bbGEOClick", "", Click<&TForm1::bbGEOClick>},
    {"bbINFClick", "", Click<&TForm1::bbINFClick>},
    {"bbMAPClick", "", Click<&TForm1::bbMAPClick>},
    {"bbNDBClick", "", Click<&TForm1::bbNDBClick>},
    {"bbRRClick", "", Click<&TForm1::bbRRClick>},
    {"bbTCASClick", "", Click<&TForm1::bbTCASClick>},
    {"bbVORClick", "", Click<&TForm1::bbVORClick>},
    {"FormCreate", "", Click<&TForm1::FormCreate>},
    // The airport view.
    {"btArpInfoClick", "", Click<&TForm1::btArpInfoClick>},
    {"btViewArClick", "", Click<&TForm1::btViewArClick>},
    {"btViewDpClick", "", Click<&TForm1::btViewDpClick>},
    {"btClArpClick", "", Click<&TForm1::btClArpClick>},
    {"edICAOKeyUp", "KEY", Key<&TForm1::edICAOKeyUp>},
    {"edDEPKeyUp", "KEY", Key<&TForm1::edDEPKeyUp>},
    {"Timer3Timer", "", Click<&TForm1::Timer3Timer>},
    {"Timer1Timer", "", Click<&TForm1::Timer1Timer>},
    {"Timer2Timer", "", Click<&TForm1::Timer2Timer>},
    {"Timer4Timer", "", Click<&TForm1::Timer4Timer>},
    {"Timer5Timer", "", Click<&TForm1::Timer5Timer>},
    {"bbLNAVClick", "", Click<&TForm1::bbLNAVClick>},
    {"bbVNAVClick", "", Click<&TForm1::bbVNAVClick>},
    {"bbSPDClick", "", Click<&TForm1::bbSPDClick>},
    {"btHldOKClick", "", Click<&TForm1::btHldOKClick>},
    {"btHldClClick", "", Click<&TForm1::btHldClClick>},
    {"btCalcDescClick", "", Click<&TForm1::btCalcDescClick>},
    {"btAPSetClick", "", Click<&TForm1::btAPSetClick>},
    {"btAPnxtClick", "", Click<&TForm1::btAPnxtClick>},
    {"btAPprClick", "", Click<&TForm1::btAPprClick>},
    {"btAPset2Click", "", Click<&TForm1::btAPset2Click>},
    {"btApSetOKClick", "", Click<&TForm1::btApSetOKClick>},
    {"btCancelClick", "", Click<&TForm1::btCancelClick>},
    {"btCenterClick", "", Click<&TForm1::btCenterClick>},
    {"btCfgTmrClick", "", Click<&TForm1::btCfgTmrClick>},
    {"btClrClick", "", Click<&TForm1::btClrClick>},
    {"btColOKClick", "", Click<&TForm1::btColOKClick>},
    {"btColorClick", "", Click<&TForm1::btColorClick>},
    {"btExpClick", "", Click<&TForm1::btExpClick>},
    {"btFPClick", "", Click<&TForm1::btFPClick>},
    {"btHideClick", "", Click<&TForm1::btHideClick>},
    {"btIVAOClick", "", Click<&TForm1::btIVAOClick>},
    {"btImpClick", "", Click<&TForm1::btImpClick>},
    {"btKMLClick", "", Click<&TForm1::btKMLClick>},
    {"btLDClick", "", Click<&TForm1::btLDClick>},
    {"btOKClick", "", Click<&TForm1::btOKClick>},
    {"btPositionClick", "", Click<&TForm1::btPositionClick>},
    {"btResetClick", "", Click<&TForm1::btResetClick>},
    {"btSVClick", "", Click<&TForm1::btSVClick>},
    {"btSetPosCloseClick", "", Click<&TForm1::btSetPosCloseClick>},
    {"btTextMClick", "", Click<&TForm1::btTextMClick>},
    {"btTextPClick", "", Click<&TForm1::btTextPClick>},
    {"btSetPositionClick", "", Click<&TForm1::btSetPositionClick>},
    {"btTmrOKClick", "", Click<&TForm1::btTmrOKClick>},
    {"btSIDClick", "", Click<&TForm1::btSIDClick>},
    {"btSTRClick", "", Click<&TForm1::btSTRClick>},
    {"btSdPrClick", "", Click<&TForm1::btSdPrClick>},
    {"btSdNtClick", "", Click<&TForm1::btSdNtClick>},
    {"btSdEtClick", "", Click<&TForm1::btSdEtClick>},
    {"edClimbKeyUp", "KEY", Key<&TForm1::edClimbKeyUp>},
    {"edDescKeyUp", "KEY", Key<&TForm1::edDescKeyUp>},
    {"edSearchKeyDown", "KEY", Key<&TForm1::edSearchKeyDown>},
    {"shARPContextPopup", "", ContextPopup<&ConfigPanelControls::shARP>},
    {"shArcContextPopup", "", ContextPopup<&ConfigPanelControls::shArc>},
    {"shAwbContextPopup", "", ContextPopup<&ConfigPanelControls::shAwb>},
    {"shAwhContextPopup", "", ContextPopup<&ConfigPanelControls::shAwh>},
    {"shAwlContextPopup", "", ContextPopup<&ConfigPanelControls::shAwl>},
    {"shBBGContextPopup", "", ContextPopup<&ConfigPanelControls::shBBG>},
    {"shBGContextPopup", "", ContextPopup<&ConfigPanelControls::shBG>},
    {"shFIXContextPopup", "", ContextPopup<&ConfigPanelControls::shFIX>},
    {"shGEO2ContextPopup", "", ContextPopup<&ConfigPanelControls::shGEO2>},
    {"shGEO3ContextPopup", "", ContextPopup<&ConfigPanelControls::shGEO3>},
    {"shGEO4ContextPopup", "", ContextPopup<&ConfigPanelControls::shGEO4>},
    {"shGEOContextPopup", "", ContextPopup<&ConfigPanelControls::shGEO>},
    {"shNDBContextPopup", "", ContextPopup<&ConfigPanelControls::shNDB>},
    {"shRRContextPopup", "", ContextPopup<&ConfigPanelControls::shRR>},
    {"shRouteContextPopup", "", ContextPopup<&ConfigPanelControls::shRoute>},
    {"shSIDContextPopup", "", ContextPopup<&ConfigPanelControls::shSID>},
    {"shTBGContextPopup", "", ContextPopup<&ConfigPanelControls::shTBG>},
    {"shTextContextPopup", "", Click<&TForm1::shTextContextPopup>},
    {"shVORContextPopup", "", ContextPopup<&ConfigPanelControls::shVOR>},
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
