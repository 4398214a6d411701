// The window layout: every control's caption, place, size, initial visibility and form default.
#include "form1.h"

namespace corvane::shell {
namespace {

template <class T>
T& Place(T& control, std::string caption, int left, int top, int width, int height) {
  control.caption = std::move(caption);
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  return control;
}

// Edits carry their label: labelled edits are laid out as label column + edit column.
Edit& PlaceEdit(Edit& edit, std::string caption, std::string text, int top, int labelWidth, int editWidth,
                std::string unit = {}) {
  Place(edit, std::move(caption), 8 + labelWidth, top, editWidth, 22);
  edit.text = std::move(text);
  edit.unit = std::move(unit);
  return edit;
}

constexpr int kStripWidth = 53;
constexpr int kStripButtonWidth = 49;
constexpr int kStripButtonHeight = 25;
constexpr int kStripPitch = 28;

}  // namespace

// Registers a control under its member name.
#define CORVANE_ADD(parent, control) registry_.Add(#control, parent, &(control))

void TForm1::BuildLayout() {
  // The window's own controls.
  Place(PB1, "", 0, 0, 1024, 768);
  CORVANE_ADD("", PB1);
  Place(IMG1, "", 0, 0, 3000, 2250).visible = false;
  CORVANE_ADD("", IMG1);
  Place(SB1, "", 0, 0, 0, 20);
  CORVANE_ADD("", SB1);
  Place(LB1, "", 312, 234, 400, 300).visible = false;
  CORVANE_ADD("", LB1);

  // PanDisplay: the left strip.
  Place(PanDisplay, "", 0, 0, kStripWidth, 768);
  CORVANE_ADD("", PanDisplay);
  {
    int row = 0;
    for (auto [button, caption] : {std::pair{&bbARP, "ARP"},
                                   {&bbVOR, "VOR"},
                                   {&bbNDB, "NDB"},
                                   {&bbFIX, "FIX"},
                                   {&bbINF, "INF"},
                                   {&bbRR, "RR"},
                                   {&bbTCAS, "TCS"},
                                   {&bbGEO, "GEO"},
                                   {&bbAWY, "AWY"},
                                   {&bbMAP, "MAP"},
                                   {&btHide, "Hide Plane"},
                                   {&btTextP, "T+"},
                                   {&btTextM, "T-"}}) {
      Place(*button, caption, 2, 4 + row++ * kStripPitch, kStripButtonWidth, kStripButtonHeight);
    }
  }
  CORVANE_ADD("PanDisplay", bbARP);
  CORVANE_ADD("PanDisplay", bbVOR);
  CORVANE_ADD("PanDisplay", bbNDB);
  CORVANE_ADD("PanDisplay", bbFIX);
  CORVANE_ADD("PanDisplay", bbINF);
  CORVANE_ADD("PanDisplay", bbRR);
  CORVANE_ADD("PanDisplay", bbTCAS);
  CORVANE_ADD("PanDisplay", bbGEO);
  CORVANE_ADD("PanDisplay", bbAWY);
  CORVANE_ADD("PanDisplay", bbMAP);
  CORVANE_ADD("PanDisplay", btHide);
  CORVANE_ADD("PanDisplay", btTextP);
  CORVANE_ADD("PanDisplay", btTextM);

  // PanAP: the right strip.
  Place(PanAP, "", 1024 - kAutopilotStripOffsetPx, 0, kStripWidth, 768);
  CORVANE_ADD("", PanAP);
  {
    int row = 0;
    for (auto [button, caption] : {std::pair{&bbLNAV, "Ln"},
                                   {&bbVNAV, "Vn"},
                                   {&bbSPD, "Sp"},
                                   {&btAPpr, "<"},
                                   {&btAPnxt, ">"},
                                   {&btColor, "CNF"},
                                   {&btCenter, "CP"},
                                   {&btFP, "FP"},
                                   {&btClr, "CLR"}}) {
      Place(*button, caption, 2, 4 + row++ * kStripPitch, kStripButtonWidth, kStripButtonHeight);
    }
    Place(edSearch, "", 2, 4 + row * kStripPitch, kStripButtonWidth, 22);
  }
  bbVNAV.enabled = false;
  bbSPD.enabled = false;
  CORVANE_ADD("PanAP", bbLNAV);
  CORVANE_ADD("PanAP", bbVNAV);
  CORVANE_ADD("PanAP", bbSPD);
  CORVANE_ADD("PanAP", btAPpr);
  CORVANE_ADD("PanAP", btAPnxt);
  CORVANE_ADD("PanAP", btColor);
  CORVANE_ADD("PanAP", btCenter);
  CORVANE_ADD("PanAP", btFP);
  CORVANE_ADD("PanAP", btClr);
  CORVANE_ADD("PanAP", edSearch);

  // PanFP: the plan listing with its buttons in a column on the right.
  Place(PanFP, "", 160, 120, 700, 460).visible = false;
  CORVANE_ADD("", PanFP);
  Place(Memo1, "", 8, 8, 560, 330);
  Place(Memo2, "", 8, 346, 560, 106);
  CORVANE_ADD("PanFP", Memo1);
  CORVANE_ADD("PanFP", Memo2);
  {
    int row = 0;
    for (auto [button, caption] : {std::pair{&btOK, "OK"},
                                   {&btCancel, "CANCEL"},
                                   {&btSV, "SAVE"},
                                   {&btLD, "LOAD"},
                                   {&btImp, "Import"},
                                   {&btExp, "Export"},
                                   {&btIVAO, "IVAO"},
                                   {&btKML, "KML"},
                                   {&btCalcDesc, "Calc Desc"},
                                   {&btAPset2, "AP set"},
                                   {&btArpInfo, "ARP Info"}}) {
      Place(*button, caption, 580, 8 + row++ * 34, 110, 28);
    }
  }
  CORVANE_ADD("PanFP", btOK);
  CORVANE_ADD("PanFP", btCancel);
  CORVANE_ADD("PanFP", btSV);
  CORVANE_ADD("PanFP", btLD);
  CORVANE_ADD("PanFP", btImp);
  CORVANE_ADD("PanFP", btExp);
  CORVANE_ADD("PanFP", btIVAO);
  CORVANE_ADD("PanFP", btKML);
  CORVANE_ADD("PanFP", btCalcDesc);
  CORVANE_ADD("PanFP", btAPset2);
  CORVANE_ADD("PanFP", btArpInfo);

  // PanCFG: colours, database choice, configuration buttons.
  Place(PanCFG, "", 312, 184, 400, 400).visible = false;
  CORVANE_ADD("", PanCFG);
  Place(gbColours, "Colours", 8, 8, 384, 228);
  CORVANE_ADD("PanCFG", gbColours);
  {
    // Two columns of swatches, each with the name of what it colours.
    const std::pair<Shape*, const char*> swatches[] = {
        {&shBG, "Background"}, {&shARP, "Airports"}, {&shVOR, "VOR"},        {&shNDB, "NDB"},     {&shFIX, "Fixes"},
        {&shRoute, "Route"},   {&shSID, "SID/STAR"}, {&shRR, "Range rings"}, {&shArc, "Compass"}, {&shAwh, "Airway H"},
        {&shAwb, "Airway B"},  {&shAwl, "Airway L"}, {&shGEO, "Geo 1"},      {&shGEO2, "Geo 2"},  {&shGEO3, "Geo 3"},
        {&shGEO4, "Geo 4"},    {&shBBG, "Mask BG"},  {&shTBG, "Text BG"}};
    int index = 0;
    for (auto [shape, caption] : swatches) {
      const int column = index / 9;
      const int row = index % 9;
      Place(*shape, caption, 16 + column * 188, 28 + row * 22, 30, 18);
      ++index;
    }
    Place(shText, "ABC", 16, 28 + 9 * 22 - 2, 120, 20);
  }
  shBG.brushColor = 0x000000;
  shSID.brushColor = 0x8080FF;
  shArc.brushColor = 0xF0CAA6;
  for (auto [shape, name] : {std::pair{&shBG, "shBG"},
                             {&shARP, "shARP"},
                             {&shVOR, "shVOR"},
                             {&shNDB, "shNDB"},
                             {&shFIX, "shFIX"},
                             {&shRoute, "shRoute"},
                             {&shSID, "shSID"},
                             {&shRR, "shRR"},
                             {&shArc, "shArc"},
                             {&shAwh, "shAwh"},
                             {&shAwb, "shAwb"},
                             {&shAwl, "shAwl"},
                             {&shGEO, "shGEO"},
                             {&shGEO2, "shGEO2"},
                             {&shGEO3, "shGEO3"},
                             {&shGEO4, "shGEO4"},
                             {&shBBG, "shBBG"},
                             {&shTBG, "shTBG"}}) {
    registry_.Add(name, "PanCFG", shape);
  }
  CORVANE_ADD("PanCFG", shText);
  Place(gbDatabase, "Database", 8, 244, 184, 108);
  CORVANE_ADD("PanCFG", gbDatabase);
  Place(rbFS, "FS", 20, 266, 80, 20).group = "Database";
  Place(rbXP, "X-Plane", 20, 290, 80, 20).group = "Database";
  rbXP.checked = true;
  Place(btReset, "Reset", 20, 318, 80, 26);
  CORVANE_ADD("PanCFG", rbFS);
  CORVANE_ADD("PanCFG", rbXP);
  CORVANE_ADD("PanCFG", btReset);
  Place(btAPSet, "AP Settings", 200, 250, 192, 26);
  Place(btCfgTmr, "Config timers and sizes", 200, 282, 192, 26);
  Place(btPosition, "Position at center", 200, 314, 192, 26);
  Place(btColOK, "OK", 160, 362, 80, 28);
  CORVANE_ADD("PanCFG", btAPSet);
  CORVANE_ADD("PanCFG", btCfgTmr);
  CORVANE_ADD("PanCFG", btPosition);
  CORVANE_ADD("PanCFG", btColOK);

  // PanTMR: timers, sizes and the IvAp file.
  Place(PanTMR, "", 302, 179, 420, 410).visible = false;
  CORVANE_ADD("", PanTMR);
  PlaceEdit(edTmr1, "Graphic loop timer interval", "", 12, 250, 80, "ms");
  PlaceEdit(edTmr2, "NavBase loop timer interval", "", 40, 250, 80, "ms");
  PlaceEdit(edTmr3, "Airport view loop timer interval", "", 68, 250, 80, "ms");
  PlaceEdit(edTmr4, "AutoPilot loop timer interval", "", 96, 250, 80, "ms");
  PlaceEdit(edTmr5, "FSUIPC read  loop timer interval", "", 124, 250, 80, "ms");
  CORVANE_ADD("PanTMR", edTmr1);
  CORVANE_ADD("PanTMR", edTmr2);
  CORVANE_ADD("PanTMR", edTmr3);
  CORVANE_ADD("PanTMR", edTmr4);
  CORVANE_ADD("PanTMR", edTmr5);
  Place(gbSizes, "Sizes", 8, 156, 404, 132);
  CORVANE_ADD("PanTMR", gbSizes);
  PlaceEdit(edGeoSize, "Geo data", "10", 178, 250, 80, "deg");
  PlaceEdit(edArpSize, "Airport data", "6", 204, 250, 80, "deg");
  PlaceEdit(edBcnSize, "Beacon data", "6", 230, 250, 80, "deg");
  PlaceEdit(edFixSize, "Fixes data", "3", 256, 250, 80, "deg");
  CORVANE_ADD("PanTMR", edGeoSize);
  CORVANE_ADD("PanTMR", edArpSize);
  CORVANE_ADD("PanTMR", edBcnSize);
  CORVANE_ADD("PanTMR", edFixSize);
  Place(gbIvap, "IVAP FP Location", 8, 296, 404, 56);
  CORVANE_ADD("PanTMR", gbIvap);
  Place(edIvapFP, "", 16, 320, 388, 22).text = "C:default.fpl";
  CORVANE_ADD("PanTMR", edIvapFP);
  Place(btTmrOK, "OK", 170, 366, 80, 28);
  CORVANE_ADD("PanTMR", btTmrOK);

  // PanAPConf: autopilot settings, the one configuration panel shown at start.
  Place(PanAPConf, "AP Settings", 387, 214, 250, 340);
  CORVANE_ADD("", PanAPConf);
  PlaceEdit(edCrsAlt, "Cruise Altitude", "33000", 12, 120, 90);
  PlaceEdit(edCrsSpd, "Cruise Speed", "320", 40, 120, 90);
  PlaceEdit(edDescSpd, "Descend speed", "290", 68, 120, 90);
  PlaceEdit(edAppSpd, "Approach Speed", "220", 96, 120, 90);
  PlaceEdit(edMinSpd, "Final app speed", "160", 124, 120, 90);
  PlaceEdit(APSwDist, "WP switch factr.", "100", 152, 120, 90);
  CORVANE_ADD("PanAPConf", edCrsAlt);
  CORVANE_ADD("PanAPConf", edCrsSpd);
  CORVANE_ADD("PanAPConf", edDescSpd);
  CORVANE_ADD("PanAPConf", edAppSpd);
  CORVANE_ADD("PanAPConf", edMinSpd);
  CORVANE_ADD("PanAPConf", APSwDist);
  Place(gbClimb, "Climb", 8, 182, 234, 58);
  CORVANE_ADD("PanAPConf", gbClimb);
  Place(chClimb, "VNAV active", 16, 198, 120, 18);
  CORVANE_ADD("PanAPConf", chClimb);
  PlaceEdit(edClimb, "Climb rate", "400", 216, 80, 60, "ft/nm");
  CORVANE_ADD("PanAPConf", edClimb);
  Place(gbDescend, "Descend", 8, 246, 234, 58);
  CORVANE_ADD("PanAPConf", gbDescend);
  Place(chSpoil, "Spoilers active", 16, 262, 120, 18);
  CORVANE_ADD("PanAPConf", chSpoil);
  PlaceEdit(edDesc, "Desc rate", "200", 280, 80, 60, "ft/nm");
  CORVANE_ADD("PanAPConf", edDesc);
  Place(btApSetOK, "OK", 85, 310, 80, 26);
  CORVANE_ADD("PanAPConf", btApSetOK);

  // PanHLD: holding.
  Place(PanHLD, "", 360, 100, 240, 220).visible = false;
  CORVANE_ADD("", PanHLD);
  Place(lbHold, "HOLDING at ", 8, 8, 224, 18);
  CORVANE_ADD("PanHLD", lbHold);
  PlaceEdit(edHldHdg, "Inbound heading", "358", 32, 110, 60);
  CORVANE_ADD("PanHLD", edHldHdg);
  Place(rbHldLft, "Left turn", 16, 60, 100, 20).group = "Turn";
  Place(rbHldRgt, "Right turn", 120, 60, 100, 20).group = "Turn";
  rbHldRgt.checked = true;
  CORVANE_ADD("PanHLD", rbHldLft);
  CORVANE_ADD("PanHLD", rbHldRgt);
  PlaceEdit(edHldSpd, "Speed", "220", 88, 110, 60, "KIAS");
  PlaceEdit(edHldTm, "Legs", "3", 116, 110, 60, "mins");
  CORVANE_ADD("PanHLD", edHldSpd);
  CORVANE_ADD("PanHLD", edHldTm);
  Place(btHldOK, "OK", 24, 170, 80, 28);
  Place(btHldCl, "Cancel", 136, 170, 80, 28);
  CORVANE_ADD("PanHLD", btHldOK);
  CORVANE_ADD("PanHLD", btHldCl);

  // PanPOS: set position.
  Place(PanPOS, "", 402, 319, 220, 130).visible = false;
  CORVANE_ADD("", PanPOS);
  PlaceEdit(edPosAlt, "Altitude", "", 12, 100, 90, "ft");
  PlaceEdit(edPosHdg, "Heading", "", 40, 100, 90, "deg");
  CORVANE_ADD("PanPOS", edPosAlt);
  CORVANE_ADD("PanPOS", edPosHdg);
  Place(btSetPosition, "Set", 24, 86, 80, 28);
  Place(btSetPosClose, "Close", 116, 86, 80, 28);
  CORVANE_ADD("PanPOS", btSetPosition);
  CORVANE_ADD("PanPOS", btSetPosClose);

  // PanAPV, PanSID, PanSTR: the airport view's panels, at the top next to the left strip.
  Place(PanAPV, "", 60, 4, 170, 96).visible = false;
  CORVANE_ADD("", PanAPV);
  Place(edDEP, "", 6, 6, 110, 22);
  Place(btViewDp, ">", 122, 6, 40, 22);
  Place(edICAO, "", 6, 36, 110, 22);
  Place(btViewAr, ">", 122, 36, 40, 22);
  Place(btClArp, "BACK", 6, 66, 156, 24);
  CORVANE_ADD("PanAPV", edDEP);
  CORVANE_ADD("PanAPV", btViewDp);
  CORVANE_ADD("PanAPV", edICAO);
  CORVANE_ADD("PanAPV", btViewAr);
  CORVANE_ADD("PanAPV", btClArp);
  Place(PanSID, "", 60, 104, 170, 32).visible = false;
  CORVANE_ADD("", PanSID);
  Place(btSID, "SID", 4, 4, 44, 24);
  Place(btSdPr, "<", 52, 4, 30, 24);
  Place(btSdNt, ">", 86, 4, 30, 24);
  Place(btSdEt, "ACT", 120, 4, 46, 24);
  CORVANE_ADD("PanSID", btSID);
  CORVANE_ADD("PanSID", btSdPr);
  CORVANE_ADD("PanSID", btSdNt);
  CORVANE_ADD("PanSID", btSdEt);
  Place(PanSTR, "", 60, 140, 170, 32).visible = false;
  CORVANE_ADD("", PanSTR);
  Place(btSTR, "STAR", 4, 4, 44, 24);
  CORVANE_ADD("PanSTR", btSTR);

  // The five loops, disabled in the form; the settings file replaces their intervals.
  CORVANE_ADD("", Timer1);
  CORVANE_ADD("", Timer2);
  CORVANE_ADD("", Timer3);
  CORVANE_ADD("", Timer4);
  CORVANE_ADD("", Timer5);

  // The dialogs' fixed properties.
  OpenDialog1 = {"NAV files|*.nav|Text files|*.txt|All files|*.*", "nav", "Load NAV FP", "C:\\"};
  SaveDialog1 = {"NAV files|*.nav|Text files|*.txt|All files|*.*", "nav", "Save NAV FP", "C:\\"};
  OpenDialog2 = {"All files|*.*", "", "Open", "C:\\"};
  OpenDialog3 = {"kml file|*.kml|all files|*.*", "kml", "Open KML", "C:\\"};
  SaveDialog2 = {"All files (*.*)|*.*", "", "Save", "C:\\"};
  SaveDialog3 = {"PLN files (*.PLN)|*.PLN|All files (*.*)|*.*", "PLN", "Export", "C:\\"};
}

#undef CORVANE_ADD

}  // namespace corvane::shell
