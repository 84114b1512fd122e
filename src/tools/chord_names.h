#pragma once
// The chord name list: every chord name the song text tools recognise, as one comma-separated
// text. 7,854 names, each followed by one ",", shortest names first; among names of one length
// the order in which they are generated (roots, then root + suffix, then either over a bass).
#include <QString>
#include <QStringList>

// The list in its mixed-case form (Ab, Am7, ASUS, Amaj7/E) or, with upper, every letter
// upper-cased. Built once per letter case on first use and kept for the rest of the run.
const QString& CreateAllChords(bool upper);

// The list split at ",": the 7,854 names in list order and one empty last piece (7,855 pieces).
const QStringList& ChordNamePieces(bool upper);
