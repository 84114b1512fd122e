#pragma once
// Text measured on a picture, as the sheet draws it.
#include <QString>
#include <functional>

// Measures as the sheet draws words: a fresh picture of the given size, regular (not bold), the
// text size set to wordSize; the width of a text in sheet units. The picture lives as long as the
// returned function.
std::function<double(const QString&)> PictureMeasure(int width, int height, double wordSize);
