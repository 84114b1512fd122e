#pragma once
// Text measured on a picture, as the sheet draws it.
#include <QString>
#include <functional>

// Measures as the sheet draws words: a fresh picture of the given size, regular (not bold), the
// text size set to wordSize; the width of a text in sheet units. The picture lives as long as the
// returned function.
std::function<double(const QString&)> PictureMeasure(int width, int height, double wordSize);

// Whether the face the sheet draws words in has a glyph for every character of a text (at
// wordSize, regular); a text it does not cover is drawn, blanks after it included, in another face.
std::function<bool(const QString&)> PictureFaceCovers(double wordSize);
