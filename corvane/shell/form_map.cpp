// The moving map's handlers: layer and mode buttons, text size, colour swatches, wheel and zoom keys.
#include "button_style.h"
#include "corvane/map/display_buttons.h"
#include "corvane/map/map_zoom.h"
#include "form1.h"

namespace corvane::shell {

map::MapColours TForm1::MapColours() const {
  map::MapColours colours;
  colours.background = shBG.brushColor;
  colours.airport = shARP.brushColor;
  colours.vor = shVOR.brushColor;
  colours.ndb = shNDB.brushColor;
  colours.fix = shFIX.brushColor;
  colours.route = shRoute.brushColor;
  colours.sid = shSID.brushColor;
  colours.airwayHigh = shAwh.brushColor;
  colours.airwayBoth = shAwb.brushColor;
  colours.airwayLow = shAwl.brushColor;
  colours.geo = shGEO.brushColor;
  colours.geo2 = shGEO2.brushColor;
  colours.geo3 = shGEO3.brushColor;
  colours.geo4 = shGEO4.brushColor;
  colours.rangeRings = shRR.brushColor;
  colours.compassNumbers = shArc.brushColor;
  colours.buttonBackground = shBBG.brushColor;
  colours.textBackground = shTBG.brushColor;
  return colours;
}

void TForm1::bbARPClick() {
  layers.airports = !layers.airports;
  Restyle(bbARP, map::ToggleLook("ARP", layers.airports));
}

void TForm1::bbVORClick() {
  layers.vor = !layers.vor;
  Restyle(bbVOR, map::ToggleLook("VOR", layers.vor));
}

void TForm1::bbNDBClick() {
  layers.ndb = !layers.ndb;
  Restyle(bbNDB, map::ToggleLook("NDB", layers.ndb));
}

void TForm1::bbFIXClick() {
  layers.fixes = !layers.fixes;
  Restyle(bbFIX, map::ToggleLook("FIX", layers.fixes));
}

void TForm1::bbINFClick() {
  layers.labels = !layers.labels;
  Restyle(bbINF, map::ToggleLook("INF", layers.labels));
}

void TForm1::bbRRClick() {
  layers.rangeRings = !layers.rangeRings;
  Restyle(bbRR, map::ToggleLook("RR", layers.rangeRings));
}

void TForm1::bbTCASClick() {
  layers.trafficMode = map::NextThreeStateMode(layers.trafficMode);
  Restyle(bbTCAS, map::ThreeStateLook("TCS", layers.trafficMode));
}

void TForm1::bbGEOClick() {
  layers.geoMode = map::NextThreeStateMode(layers.geoMode);
  Restyle(bbGEO, map::ThreeStateLook("GEO", layers.geoMode));
}

void TForm1::bbAWYClick() {
  layers.airwayMode = map::NextAirwayMode(layers.airwayMode);
  Restyle(bbAWY, map::AirwayLook(layers.airwayMode, MapColours()));
}

void TForm1::SwitchMapModeTo(map::MapMode mode) {
  for (int clicks = 0; view.mode != mode && clicks < 3; ++clicks) bbMAPClick();
}

void TForm1::bbMAPClick() {
  map::SetMode(view);
  Restyle(bbMAP, map::MapModeLook(view.mode));
}

void TForm1::btTextPClick() {
  IMG1.font.size = map::TextSizeUp(IMG1.font.size);
  imageCanvas().SetFont(IMG1.font);
}

void TForm1::btTextMClick() {
  IMG1.font.size = map::TextSizeDown(IMG1.font.size);
  imageCanvas().SetFont(IMG1.font);
}

void TForm1::ShapeContextPopup(Shape& shape) {
  const std::optional<Color> chosen = dialogs().PickColor(shape.brushColor);
  if (!chosen) return;
  shape.brushColor = *chosen;
  if (&shape == &shBBG) {
    for (Panel* panel : {&PanAP, &PanDisplay, &PanSID, &PanSTR, &PanAPV}) panel->color = *chosen;
  } else if (&shape == &shTBG) {
    Memo1.color = *chosen;
    Memo2.color = *chosen;
    LB1.color = *chosen;
  }
}

void TForm1::shTextContextPopup() {
  const std::optional<map::Font> chosen = dialogs().PickFont(IMG1.font);
  if (!chosen) return;
  IMG1.font = *chosen;
  imageCanvas().SetFont(IMG1.font);
}

void TForm1::ResetDisplay() {
  map::ResetDisplay(layers, view);
  Restyle(bbARP, map::ToggleLook("ARP", layers.airports));
  Restyle(bbVOR, map::ToggleLook("VOR", layers.vor));
  Restyle(bbNDB, map::ToggleLook("NDB", layers.ndb));
  Restyle(bbFIX, map::ToggleLook("FIX", layers.fixes));
  Restyle(bbGEO, map::ThreeStateLook("GEO", layers.geoMode));
  Restyle(bbRR, map::ToggleLook("RR", layers.rangeRings));
  Restyle(bbINF, map::ToggleLook("INF", layers.labels));
  // The AWY caption keeps its text; only its weight and colour follow the reset.
  bbAWY.bold = false;
  bbAWY.fontColor = map::kDefaultFontColor;
}

void TForm1::FormMouseWheel(int wheelDelta) {
  map::MouseWheelZoom(view, AirportViewZoom, wheelDelta, {PanFP.visible, Timer3.Enabled()});
}

void TForm1::FormKeyDown(int virtualKey) {
  if (virtualKey == kKeyDelete) {
    // While the plan text is being edited the key belongs to the text.
    if (!PanFP.visible) DeleteCommand(plan::DeleteSource::kKey);
    return;
  }
  map::KeyZoom(view, AirportViewZoom, virtualKey, {PanFP.visible, Timer3.Enabled()});
}

}  // namespace corvane::shell
