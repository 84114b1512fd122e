#pragma once
// Readability measured on real rendering: WCAG contrast ratios of what a widget drew, and the
// light and dark themes to draw it in.
#include <QApplication>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>
#include <cmath>

namespace contrast {

// Relative luminance of an sRGB colour.
inline double Luminance(QRgb c) {
  auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

inline double Ratio(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The most frequent colour inside r: the background the ink is drawn on.
inline QRgb Background(const QImage& img, const QRect& r) {
  QHash<QRgb, int> counts;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) ++counts[img.pixel(x, y) | 0xFF000000u];
  QRgb best = 0;
  int most = -1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it)
    if (it.value() > most) most = it.value(), best = it.key();
  return best;
}

// The contrast of the strongest ink inside r against the background there (1 when r holds no
// ink at all).
inline double InkContrast(const QImage& img, const QRect& r) {
  const QRect in = r.intersected(img.rect());
  const QRgb back = Background(img, in);
  double best = 1.0;
  for (int y = in.top(); y <= in.bottom(); ++y)
    for (int x = in.left(); x <= in.right(); ++x) best = std::max(best, Ratio(img.pixel(x, y) | 0xFF000000u, back));
  return best;
}

// A theme for the whole application while it lives: the Fusion style with a dark palette, or
// with its own light one; the style and palette before are put back afterwards.
class Theme {
 public:
  explicit Theme(bool dark) : style_(QApplication::style()->name()), palette_(QApplication::palette()) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p = QApplication::style()->standardPalette();
    if (dark) {
      const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
      p.setColor(QPalette::Window, window);
      p.setColor(QPalette::WindowText, text);
      p.setColor(QPalette::Base, base);
      p.setColor(QPalette::AlternateBase, window);
      p.setColor(QPalette::Text, text);
      p.setColor(QPalette::Button, window);
      p.setColor(QPalette::ButtonText, text);
      p.setColor(QPalette::ToolTipBase, base);
      p.setColor(QPalette::ToolTipText, text);
      p.setColor(QPalette::Link, QColor(42, 130, 218));
      p.setColor(QPalette::Highlight, QColor(42, 130, 218));
      p.setColor(QPalette::HighlightedText, Qt::black);
    }
    QApplication::setPalette(p);
  }
  ~Theme() {
    QApplication::setStyle(QStyleFactory::create(style_));
    QApplication::setPalette(palette_);
  }
  Theme(const Theme&) = delete;
  Theme& operator=(const Theme&) = delete;

 private:
  QString style_;
  QPalette palette_;
};

}  // namespace contrast
