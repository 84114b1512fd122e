#pragma once
// The two kinds of file the file dialogs deal in: song documents and plain text.
#include <vector>

#include "platform/core/filetype.h"

namespace FileTypes1 {
extern FileTypeRef pHMNT;
extern FileTypeRef pText;
extern std::vector<FileTypeRef> pAllFileTypes;

// The song document type ("HMNT", ".hmnt"); null before _Initialize.
FileTypeRef HMNT();
// The plain-text type ("Text", ".txt"); null before _Initialize.
FileTypeRef Text();
// Builds and registers both types; run once at start-up.
void _Initialize();
// Undefines both types and takes them off the registry; run at shutdown.
void _Release();
}  // namespace FileTypes1
