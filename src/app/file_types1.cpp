#include "app/file_types1.h"

namespace FileTypes1 {
FileTypeRef pHMNT;
FileTypeRef pText;
std::vector<FileTypeRef> pAllFileTypes;

FileTypeRef HMNT() { return pHMNT; }
FileTypeRef Text() { return pText; }

namespace {
FileTypeRef define(const QString& name, const QString& extension, const QString& label) {
  auto t = std::make_shared<FileType>();
  t->Name = name;
  t->Extensions = extension;
  t->MacType = QString();
  t->MacCreator = QString();
  t->MimeType = QString();
  t->Imported = true;
  t->ConformsTo = QString();
  t->Label = label;
  return t;
}
}  // namespace

void _Initialize() {
  pAllFileTypes.clear();
  pHMNT = define(QStringLiteral("HMNT"), QStringLiteral(".hmnt"), QStringLiteral("Song documents"));
  pAllFileTypes.push_back(pHMNT);
  (void)HMNT()->ToString();
  pText = define(QStringLiteral("Text"), QStringLiteral(".txt"), QStringLiteral("Text files"));
  pAllFileTypes.push_back(pText);
  (void)Text()->ToString();
}

void _Release() {
  for (const FileTypeRef& t : pAllFileTypes) FileTypeRegistry::Remove(t->Name);
  pAllFileTypes.clear();
  pHMNT.reset();
  pText.reset();
}
}  // namespace FileTypes1
