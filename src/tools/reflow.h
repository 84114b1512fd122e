#pragma once
// Line structure of the whole song text: joining it into one line, and breaking it again so that
// every line fits the usable width of the sheet, with caption markers on lines of their own.
#include <QString>
#include <functional>

// The width of a text as drawn, in sheet units. The window hands in one that measures on a
// picture as the sheet draws (PictureMeasure in the desktop platform layer).
using MeasureFn = std::function<double(const QString&)>;
// Whether the measuring face draws every character of a text itself (PictureFaceCovers in the
// desktop platform layer). A text it does not cover is drawn in another face, which draws the
// blanks after it too, so its line's width does not add up from the widths of its words.
using CoversFn = std::function<bool(const QString&)>;

// Every LF and every CR becomes one blank (a CR LF pair becomes two). Nothing else changes.
QString RemoveLineFeeds(const QString& text);

// The usable width of a line: half the canvas less 10 (cut toward zero) with the centre line,
// the canvas less 20 without it.
int ReflowWidth(int canvasWidth, bool centerLine);

// Breaks a text that is already one line: words are taken at every blank (two blanks give an
// empty word), a line break goes before the first word whose line no longer fits
// (10 + measured width > width, the measure including the blank after the word), every "{"
// starts and every "}" ends a line, and the result is trimmed. Each distinct word is measured
// once; a line is measured whole after every word that holds a tab (whose width depends on where
// it stands) and whenever the sum of its words comes within a blank's width per word of the
// limit, so a measure that kerns across blanks by less than that breaks exactly as measuring
// every line whole would. From a word that covered says the face does not draw, or one that
// holds combining marks or format characters (shaped together with what stands beside them),
// to the line's end the line is measured whole after every word. Without covered, the face is
// taken to draw every text.
QString ReflowLines(const QString& oneLine, int width, const MeasureFn& measure, const CoversFn& covered = {});

// RemoveLineFeeds, then ReflowLines: the whole reflow in one call.
QString AutoLineFeed(const QString& text, int width, const MeasureFn& measure, const CoversFn& covered = {});

// Every column marker "-----" becomes a blank, then runs of blanks are shortened by two passes
// that each turn "  " into " ". Meant for text already joined by RemoveLineFeeds.
QString RemoveColumnMarkers(const QString& oneLine);
