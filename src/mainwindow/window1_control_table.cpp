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
  using D = SongDocument;
  using W = Window1;
  constexpr auto Layout = [](int D::*field, LayoutRange range) { return LayoutField{field, range}; };
  constexpr const char* kContent = "";
  constexpr const char* kPanel = "GroupBox1";
  constexpr int kNoPlace = -1;
  // clang-format off
  static const std::vector<ControlRow> rows = {
  // name               kind           rect in the content   parent    text                      tab  buddy              values             member                  field                                        handler
    {"Canvas1",         K::Preview,    {408,  17, 576, 756}, kContent, "Preview",                 21, "",                {},                &W::Canvas1_,            {},                                          {}},
    {"Label2",          K::Label,      { 20,  17,  36,  20}, kContent, "Title:",                   0, "txtTitle",        {},                &W::Label2_,             {},                                          {}},
    {"txtTitle",        K::Field,      { 68,  17, 328,  22}, kContent, "",                         1, "",                Limit(140),        &W::txtTitle_,           &D::title,                                   &W::txtTitle_TextChange},
    {"txtCapo",         K::Field,      { 68,  45,  38,  22}, kContent, "",                         3, "",                Limit(10),         &W::txtCapo_,            &D::capo,                                    &W::txtCapo_TextChange},
    {"Label3",          K::Label,      { 20,  45,  36,  20}, kContent, "Capo:",                    2, "txtCapo",         {},                &W::Label3_,             {},                                          {}},
    {"txtKey",          K::Field,      {159,  45,  38,  22}, kContent, "",                         4, "",                Limit(10),         &W::txtKey_,             &D::key,                                     &W::txtKey_TextChange},
    {"Label4",          K::Label,      {123,  45,  30,  20}, kContent, "Key:",                    22, "txtKey",          {},                &W::Label4_,             {},                                          {}},
    {"txtSong",         K::SongText,   { 20,  79, 376, 350}, kContent, "Song text",                7, "",                {},                &W::txtSong_,            &D::song,                                    &W::txtSong_TextChange},
    {"txtTiming",       K::Field,      {261,  45,  38,  22}, kContent, "",                         5, "",                Limit(10),         &W::txtTiming_,          &D::timing,                                  &W::txtTiming_TextChange},
    {"Label11",         K::Label,      {213,  45,  45,  20}, kContent, "Timing:",                 25, "txtTiming",       {},                &W::Label11_,            {},                                          {}},
    {"txtTempo",        K::Field,      {358,  45,  38,  22}, kContent, "",                         6, "",                Limit(10),         &W::txtTempo_,           &D::tempo,                                   &W::txtTempo_TextChange},
    {"Label12",         K::Label,      {310,  45,  45,  20}, kContent, "Tempo:",                  26, "txtTempo",        {},                &W::Label12_,            {},                                          {}},
    {"cbCenterLine",    K::CheckBox,   {149, 722, 141,  20}, kContent, "Draw Center Line",        20, "",                {},                &W::cbCenterLine_,       &D::centerLine,                              &W::cbCenterLine_Action},
    {"UpDownArrows1",   K::PageArrows, {383, 720,  13,  23}, kContent, "Page arrows",             43, "",                {},                &W::UpDownArrows1_,      {},                                          {}},
    {"lblPage",         K::PageLabel,  {302, 722,  75,  20}, kContent, "Page 1",                  45, "",                {},                &W::lblPage_,            {},                                          {}},
    {"Toolbar11",       K::Toolbar,    {},                   kContent, "",                  kNoPlace, "",                {},                &W::Toolbar11_,          {},                                          {}},
    {"GroupBox1",       K::Panel,      { 20, 441, 376, 267}, kContent, "",                        46, "",                {},                &W::GroupBox1_,          {},                                          {}},
    {"Label1",          K::Label,      {134, 462,  58,  16}, kPanel,   "Spacing",                  0, "sldrSpacing",     {},                &W::Label1_,             {},                                          {}},
    {"Label5",          K::Label,      {134, 497,  58,  16}, kPanel,   "Word Size",                1, "sldrWordSize",    {},                &W::Label5_,             {},                                          {}},
    {"Label6",          K::Label,      {134, 532,  77,  16}, kPanel,   "Chord Size",               2, "sldrChords",      {},                &W::Label6_,             {},                                          {}},
    {"Label10",         K::Label,      {134, 567,  77,  16}, kPanel,   "Chord Offset",             3, "sldrChordOffset", {},                &W::Label10_,            {},                                          {}},
    {"Label7",          K::Label,      {134, 602,  58,  16}, kPanel,   "Fret Size",                4, "sldrFrets",       {},                &W::Label7_,             {},                                          {}},
    {"Label8",          K::Label,      {134, 637,  58,  16}, kPanel,   "Fret Offset",              5, "sldrFretOffset",  {},                &W::Label8_,             {},                                          {}},
    {"Label9",          K::Label,      {134, 672,  67,  16}, kPanel,   "Row Height",               6, "sldrRowHeight",   {},                &W::Label9_,             {},                                          {}},
    {"sldrRowHeight",   K::Slider,     {226, 671, 147,  24}, kPanel,   "",                         7, "",                {},                &W::sldrRowHeight_,      Layout(&D::rowHeight, kRowHeightRange),      &W::sldrRowHeight_ValueChanged},
    {"sldrFretOffset",  K::Slider,     {226, 635, 147,  28}, kPanel,   "",                         8, "",                {},                &W::sldrFretOffset_,     Layout(&D::fretOffset, kFretOffsetRange),    &W::sldrFretOffset_ValueChanged},
    {"sldrFrets",       K::Slider,     {226, 602, 147,  25}, kPanel,   "",                         9, "",                {},                &W::sldrFrets_,          Layout(&D::fretSize, kFretSizeRange),        &W::sldrFrets_ValueChanged},
    {"sldrChordOffset", K::Slider,     {226, 567, 147,  27}, kPanel,   "",                        10, "",                {},                &W::sldrChordOffset_,    Layout(&D::chordOffset, kChordOffsetRange),  &W::sldrChordOffset_ValueChanged},
    {"sldrChords",      K::Slider,     {226, 532, 147,  27}, kPanel,   "",                        11, "",                {},                &W::sldrChords_,         Layout(&D::chordSize, kChordSizeRange),      &W::sldrChords_ValueChanged},
    {"sldrWordSize",    K::Slider,     {226, 497, 147,  27}, kPanel,   "",                        12, "",                {},                &W::sldrWordSize_,       Layout(&D::wordSize, kWordSizeRange),        &W::sldrWordSize_ValueChanged},
    {"sldrSpacing",     K::Slider,     {226, 462, 147,  27}, kPanel,   "",                        13, "",                {},                &W::sldrSpacing_,        Layout(&D::spacing, kSpacingRange),          &W::sldrSpacing_ValueChanged},
    {"PushButton1",     K::Button,     { 32, 459,  90,  22}, kPanel,   "Chord",                   14, "",                {},                &W::PushButton1_,        {},                                          &W::PushButton1_Action},
    {"PushButton2",     K::Button,     { 32, 494,  90,  22}, kPanel,   "Caption",                 15, "",                {},                &W::PushButton2_,        {},                                          &W::PushButton2_Action},
    {"PushButton3",     K::Button,     { 32, 529,  90,  22}, kPanel,   "Paragraph",               16, "",                {},                &W::PushButton3_,        {},                                          &W::PushButton3_Action},
    {"PushButton4",     K::Button,     { 32, 564,  90,  22}, kPanel,   "Insert Frets",            17, "",                {},                &W::PushButton4_,        {},                                          &W::PushButton4_Action},
    {"PushButton5",     K::Button,     { 32, 599,  90,  22}, kPanel,   "Bold",                    18, "",                {},                &W::PushButton5_,        {},                                          &W::PushButton5_Action},
    {"PushButton7",     K::Button,     { 32, 634,  90,  22}, kPanel,   "Column",                  19, "",                {},                &W::PushButton7_,        {},                                          &W::PushButton7_Action},
    {"PushButton6",     K::Button,     { 32, 669,  90,  22}, kPanel,   "Page",                    20, "",                {},                &W::PushButton6_,        {},                                          &W::PushButton6_Action},
    {"BevelButton1",    K::Toggle,     { 20, 722,  99,  22}, kContent, "Settings",                48, "",                Checked(false),    &W::BevelButton1_,       {},                                          &W::BevelButton1_Action},
    {"Timer1",          K::Timer,      {},                   kContent, "",                  kNoPlace, "",                PeriodMs(50),      &W::Timer1_,             {},                                          &W::Timer1_Action},
  };
  // clang-format on
  return rows;
}
