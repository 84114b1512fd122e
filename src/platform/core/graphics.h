#pragma once
// An abstract drawing surface, in sheet units. y of DrawString is the text's baseline; text is
// drawn on one line, never wrapped.
#include <QColor>
#include <QString>

class Picture;

class Graphics {
 public:
  virtual ~Graphics() = default;

  virtual void ForeColor(const QColor& c) = 0;
  virtual QColor ForeColor() const = 0;
  virtual void TextSize(double size) = 0;
  virtual double TextSize() const = 0;
  virtual void Bold(bool on) = 0;
  virtual bool Bold() const = 0;

  virtual void DrawString(const QString& text, double x, double y) = 0;
  // Advance width at the current size and bold state.
  virtual double StringWidth(const QString& text) = 0;
  // Height of the text laid out at the given wrap width; one line's height for a text without
  // line ends (also for "").
  virtual double StringHeight(const QString& text, double wrapWidth) = 0;
  // Whether the surface's own face has a glyph for every character of the text. Where it has not,
  // another face draws those characters, and the blanks that follow them as well, so the text's
  // width no longer adds up from the widths of its pieces.
  virtual bool FaceCovers(const QString& text) = 0;
  // How far the ink of the text, drawn at the current size and bold state, rises above its
  // baseline: marks stacked on a letter included, 0 when nothing rises above it.
  virtual double InkRise(const QString& text) = 0;
  virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;
  virtual void DrawRect(double x, double y, double w, double h) = 0;
  virtual void DrawPicture(const Picture& p, double x, double y) = 0;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Starts a new page (printers); returns false when the device refused.
  virtual bool NextPage() = 0;
};
