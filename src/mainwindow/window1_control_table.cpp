// The forty controls of the main window, in the order they are made.
//
// The left column (x 20 to 396) holds the title row, the row of capo, key, timing and tempo, the
// song text, the settings panel and the bottom row; the preview, one page of 576 by 756, sits on
// the right. The song text takes the panel's place while the panel is hidden (ToggleSettings);
// no two controls that show at the same time overlap. The panel is seven rows, 35 pixels apart:
// a marker button, a label and its slider. Its sliders are made from the bottom row up, and the
// focus passes through them in that order, then through the buttons from the top down.
#include "mainwindow/window1_control_table.h"

#include <vector>

#include "mainwindow/window1.h"

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::Field:
    case ControlKind::SongText:
    case ControlKind::CheckBox:
    case ControlKind::PageArrows:
    case ControlKind::Slider:
    case ControlKind::Button:
    case ControlKind::Toggle:
      return true;
    case ControlKind::Preview:
    case ControlKind::Label:
    case ControlKind::PageLabel:
    case ControlKind::Toolbar:
    case ControlKind::Panel:
    case ControlKind::Timer:
      return false;
  }
  return false;
}

const std::vector<ControlRow>& Window1::ControlTable() {
  using K = ControlKind;
  constexpr const char* kContent = "";
  constexpr const char* kPanel = "GroupBox1";
  constexpr int kNoPlace = -1;
  // clang-format off
  static const std::vector<ControlRow> rows = {
  // name               kind           rect in the content   parent    text                      tab  buddy              values             member
    {"Canvas1",         K::Preview,    {408,  17, 576, 756}, kContent, "Preview",                 21, "",                {},                &Window1::Canvas1_},
    {"Label2",          K::Label,      { 20,  17,  36,  20}, kContent, "Title:",                   0, "txtTitle",        {},                &Window1::Label2_},
    {"txtTitle",        K::Field,      { 68,  17, 328,  22}, kContent, "",                         1, "",                Limit(140),        &Window1::txtTitle_},
    {"txtCapo",         K::Field,      { 68,  45,  38,  22}, kContent, "",                         3, "",                Limit(10),         &Window1::txtCapo_},
    {"Label3",          K::Label,      { 20,  45,  36,  20}, kContent, "Capo:",                    2, "txtCapo",         {},                &Window1::Label3_},
    {"txtKey",          K::Field,      {159,  45,  38,  22}, kContent, "",                         4, "",                Limit(10),         &Window1::txtKey_},
    {"Label4",          K::Label,      {123,  45,  30,  20}, kContent, "Key:",                    22, "txtKey",          {},                &Window1::Label4_},
    {"txtSong",         K::SongText,   { 20,  79, 376, 350}, kContent, "Song text",                7, "",                {},                &Window1::txtSong_},
    {"txtTiming",       K::Field,      {261,  45,  38,  22}, kContent, "",                         5, "",                Limit(10),         &Window1::txtTiming_},
    {"Label11",         K::Label,      {213,  45,  45,  20}, kContent, "Timing:",                 25, "txtTiming",       {},                &Window1::Label11_},
    {"txtTempo",        K::Field,      {358,  45,  38,  22}, kContent, "",                         6, "",                Limit(10),         &Window1::txtTempo_},
    {"Label12",         K::Label,      {310,  45,  45,  20}, kContent, "Tempo:",                  26, "txtTempo",        {},                &Window1::Label12_},
    {"cbCenterLine",    K::CheckBox,   {149, 722, 141,  20}, kContent, "Draw Center Line",        20, "",                Checked(true),     &Window1::cbCenterLine_},
    {"UpDownArrows1",   K::PageArrows, {383, 720,  13,  23}, kContent, "Page arrows",             43, "",                {},                &Window1::UpDownArrows1_},
    {"lblPage",         K::PageLabel,  {302, 722,  75,  20}, kContent, "Page 1",                  45, "",                {},                &Window1::lblPage_},
    {"Toolbar11",       K::Toolbar,    {},                   kContent, "",                  kNoPlace, "",                {},                &Window1::Toolbar11_},
    {"GroupBox1",       K::Panel,      { 20, 441, 376, 267}, kContent, "",                        46, "",                {},                &Window1::GroupBox1_},
    {"Label1",          K::Label,      {134, 462,  58,  16}, kPanel,   "Spacing",                  0, "sldrSpacing",     {},                &Window1::Label1_},
    {"Label5",          K::Label,      {134, 497,  58,  16}, kPanel,   "Word Size",                1, "sldrWordSize",    {},                &Window1::Label5_},
    {"Label6",          K::Label,      {134, 532,  77,  16}, kPanel,   "Chord Size",               2, "sldrChords",      {},                &Window1::Label6_},
    {"Label10",         K::Label,      {134, 567,  77,  16}, kPanel,   "Chord Offset",             3, "sldrChordOffset", {},                &Window1::Label10_},
    {"Label7",          K::Label,      {134, 602,  58,  16}, kPanel,   "Fret Size",                4, "sldrFrets",       {},                &Window1::Label7_},
    {"Label8",          K::Label,      {134, 637,  58,  16}, kPanel,   "Fret Offset",              5, "sldrFretOffset",  {},                &Window1::Label8_},
    {"Label9",          K::Label,      {134, 672,  67,  16}, kPanel,   "Row Height",               6, "sldrRowHeight",   {},                &Window1::Label9_},
    {"sldrRowHeight",   K::Slider,     {226, 671, 147,  24}, kPanel,   "",                         7, "",                Range(20, 27, 45), &Window1::sldrRowHeight_},
    {"sldrFretOffset",  K::Slider,     {226, 635, 147,  28}, kPanel,   "",                         8, "",                Range(8, 22, 35),  &Window1::sldrFretOffset_},
    {"sldrFrets",       K::Slider,     {226, 602, 147,  25}, kPanel,   "",                         9, "",                Range(4, 7, 10),   &Window1::sldrFrets_},
    {"sldrChordOffset", K::Slider,     {226, 567, 147,  27}, kPanel,   "",                        10, "",                Range(10, 13, 20), &Window1::sldrChordOffset_},
    {"sldrChords",      K::Slider,     {226, 532, 147,  27}, kPanel,   "",                        11, "",                Range(8, 12, 14),  &Window1::sldrChords_},
    {"sldrWordSize",    K::Slider,     {226, 497, 147,  27}, kPanel,   "",                        12, "",                Range(8, 12, 14),  &Window1::sldrWordSize_},
    {"sldrSpacing",     K::Slider,     {226, 462, 147,  27}, kPanel,   "",                        13, "",                Range(2, 5, 10),   &Window1::sldrSpacing_},
    {"PushButton1",     K::Button,     { 32, 459,  90,  22}, kPanel,   "Chord",                   14, "",                {},                &Window1::PushButton1_},
    {"PushButton2",     K::Button,     { 32, 494,  90,  22}, kPanel,   "Caption",                 15, "",                {},                &Window1::PushButton2_},
    {"PushButton3",     K::Button,     { 32, 529,  90,  22}, kPanel,   "Paragraph",               16, "",                {},                &Window1::PushButton3_},
    {"PushButton4",     K::Button,     { 32, 564,  90,  22}, kPanel,   "Insert Frets",            17, "",                {},                &Window1::PushButton4_},
    {"PushButton5",     K::Button,     { 32, 599,  90,  22}, kPanel,   "Bold",                    18, "",                {},                &Window1::PushButton5_},
    {"PushButton7",     K::Button,     { 32, 634,  90,  22}, kPanel,   "Column",                  19, "",                {},                &Window1::PushButton7_},
    {"PushButton6",     K::Button,     { 32, 669,  90,  22}, kPanel,   "Page",                    20, "",                {},                &Window1::PushButton6_},
    {"BevelButton1",    K::Toggle,     { 20, 722,  99,  22}, kContent, "Settings",                48, "",                Checked(false),    &Window1::BevelButton1_},
    {"Timer1",          K::Timer,      {},                   kContent, "",                  kNoPlace, "",                PeriodMs(50),      &Window1::Timer1_},
  };
  // clang-format on
  return rows;
}
