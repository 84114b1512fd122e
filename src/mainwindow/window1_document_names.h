#pragma once
// The file names around a song document: the name suggested to the save dialog and the rule
// that tells an imported text file from a song document.
#include <QString>

inline const QString kSongExtension = QStringLiteral(".hmnt");

// The title trimmed, without "'", "&", ":" and ",", and with "/" as "-" (a file name cannot hold
// a folder separator); "Saved Song" when the trimmed title is blank. Without the extension.
QString SuggestedSongName(const QString& title);

// Whether a file of this name is imported as song text: its name ends in ".txt", in any letter case.
bool IsTextImportName(const QString& fileName);
