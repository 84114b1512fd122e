#pragma once
// A kind of document file, and the registry that the file dialogs read their filters from.
// A filter text names registered types, several names joined by ";" (for example "HMNT;Text").
// The dialogs show a type by its label ("Song documents (*.hmnt)") and match its extensions in
// any letter case.
#include <QString>
#include <QStringList>
#include <memory>

class FileType {
 public:
  QString Name;
  QString Extensions;  // with the leading dot, several joined by ";"
  QString MacType;
  QString MacCreator;
  QString MimeType;
  bool Imported = false;
  QString ConformsTo;
  QString Label;  // what the file dialogs call the type ("Song documents"); the name when empty

  // Registers the type the first time and gives its name.
  QString ToString() const;
  QStringList ExtensionList() const;  // without dots
};

using FileTypeRef = std::shared_ptr<FileType>;

// The filter text of two types: both names joined by ";", registering both.
QString operator+(const FileType& a, const FileType& b);

namespace FileTypeRegistry {
const FileType* Find(const QString& name);  // letter case ignored; nullptr when unknown
// Qt name filters for a filter text: one entry per named type, "Label (*.ext)"; with two or more
// types a first entry that offers them all. The patterns are written as the extensions are
// (lower case): the dialog that shows them matches file names in any letter case.
QStringList QtNameFilters(const QString& filter);
// The first extension (with its dot) of the first type named in a filter, or "".
QString DefaultExtension(const QString& filter);
// Takes the type of that name (letter case ignored) off the registry; nothing when it is not there.
void Remove(const QString& name);
}  // namespace FileTypeRegistry
