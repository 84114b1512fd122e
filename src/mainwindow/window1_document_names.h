#pragma once
// The file names around a song document: the name suggested to the save dialog and the rule
// that tells an imported text file from a song document.
#include <QString>

inline const QString kSongExtension = QStringLiteral(".hmnt");

// The title trimmed, without "'", "&", ":" and ",", with "/" as "-" (a file name cannot hold a
// folder separator), cleaned as WithoutControls cleans a name (a blank for each control, bidi
// control or separator character, nothing for an invisible one), and without the dots and blanks
// it would start with (the file would be hidden); "Saved Song" when nothing is left. Without the
// extension.
QString SuggestedSongName(const QString& title);

// The name a file dialog suggests for the title: SuggestedSongName with extension, shortened at a
// character boundary so that the whole name fits the 255 bytes (UTF-8) a file name may have, the
// extension kept, and without the blanks the cut leaves before it.
QString SuggestedFileName(const QString& title, const QString& extension);

// Whether a file of this name is imported as song text: its name ends in ".txt", in any letter case.
bool IsTextImportName(const QString& fileName);
