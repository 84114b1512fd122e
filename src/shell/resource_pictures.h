#pragma once
// The eight pictures among the application's resource files. Each accessor opens its file on the
// first call that finds it and keeps that one picture for the rest of the run: every caller gets
// the same object. While a file cannot be loaded the accessor gives null, and every call tries
// the file again. The files are drawn on white; the pictures show that white as transparent.
#include <QIcon>
#include <QString>
#include <memory>

#include "app/resources_folder.h"
#include "platform/desktop/picture.h"

std::shared_ptr<Picture> Chord_32();      // "Chord_32.bmp"
std::shared_ptr<Picture> Caption_32();    // "Caption_32.bmp"
std::shared_ptr<Picture> Paragraph_32();  // "Paragraph_32.bmp"
std::shared_ptr<Picture> Frets_32();      // "Frets_32.bmp"
std::shared_ptr<Picture> Bold_32();       // "Bold_32.bmp"
std::shared_ptr<Picture> Column_32();     // "Column_32.bmp"
std::shared_ptr<Picture> Page_32();       // "Page_32.bmp"
std::shared_ptr<Picture> Slider16();      // "Slider16.png"

// The picture of that file name in the resources folder, its white made transparent (32-bit with
// alpha; laid over white it gives the file's pixels), or null when it cannot be loaded.
std::shared_ptr<Picture> OpenPictureFromApp(const QString& fileName);

// An icon showing the picture; an empty icon for null.
QIcon IconOf(const std::shared_ptr<Picture>& picture);

// Empties the eight caches (at shutdown, and for tests).
void ReleaseResourcePictures();
