// filled in by the documents/printing/tools work
#include "mainwindow/window1.h"
#include "tools/chord_names.h"

void Window1::RemoveLineFeeds() {}
void Window1::AutoDetectChords() {}
const QString& Window1::CreateAllChords(bool upper) const { return ::CreateAllChords(upper); }
void Window1::AutoFormatSong() {}
void Window1::AutoLineFeed() {}
void Window1::ConvertChordsToInlineChords() {}
void Window1::Transpose(const QString&, const QString&) {}

bool Window1::_mnuRemoveLineFeeds_Action() { return true; }
bool Window1::_mnuAutoDetectChords_Action() { return true; }
bool Window1::_mnuAutoFormat_Action() { return true; }
bool Window1::_mnuConvertChordsOverTexttoInlineChords_Action() { return true; }
bool Window1::_mnuConvertChordstoCaps_Action() { return true; }
bool Window1::_mnuCapFirstLetterOfLine_Action() { return true; }
bool Window1::_mnuSearch_Action() { return true; }
bool Window1::_mnuSearchReplace_Action() { return true; }
bool Window1::_mnuTranspose_Action() { return true; }
