// Text on a printer: the painter graphics keeps each text's layout for the print job, and the PDF
// it makes is byte for byte the one a painter drawing static texts makes.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QStaticText>
#include <functional>

#include "platform/desktop/font.h"
#include "platform/desktop/painter_graphics.h"

namespace {
struct Text {
  QString text;
  double size;
  bool bold;
};

// The same texts again and again, at other sizes and weights, over two pages: a layout kept for
// one font must not be drawn in another.
const std::vector<std::vector<Text>> kPages = {
    {{"Amazing grace", 12, false},
     {"Eb", 12, true},
     {"Amazing grace", 12, true},
     {"Amazing grace", 10, false},
     {"Eb", 7, false},
     {"Amazing grace", 12, false},
     {"“Ünïcödé” – ﬁne fi", 12, false},
     {"שלום עולם", 12, false}},
    {{"Eb", 12, true}, {"Amazing grace", 12, false}, {"Page: 2/2", 10, false}, {"Amazing grace", 12, true}},
};

QByteArray Pdf(const std::function<void(QPdfWriter&)>& draw) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&bytes);
    writer.setResolution(72);
    writer.setTitle("Printed text");
    draw(writer);
  }
  return bytes.data();
}

// Made in the same second or not, two files of the same drawing differ only in their creation date.
QByteArray WithoutDate(QByteArray pdf) {
  const qsizetype at = pdf.indexOf("/CreationDate (");
  if (at >= 0) pdf.remove(at, pdf.indexOf(')', at) + 1 - at);
  return pdf;
}
}  // namespace

TEST(PrintedText, KeptLayoutsPrintAsStaticTextsDo) {
  const QByteArray kept = WithoutDate(Pdf([](QPdfWriter& writer) {
    PainterGraphics g(&writer, 500, 700, &writer);
    for (size_t page = 0; page < kPages.size(); ++page) {
      if (page) {
        ASSERT_TRUE(g.NextPage());
      }
      double y = 20;
      for (const Text& t : kPages[page]) {
        g.TextSize(t.size);
        g.Bold(t.bold);
        g.DrawString(t.text, 10 + y / 4, y);
        y += 25.5;
      }
    }
    ASSERT_TRUE(g.End());
  }));
  const QByteArray reference = WithoutDate(Pdf([](QPdfWriter& writer) {
    QPainter p(&writer);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(QPen(Qt::black, 1.0));
    for (size_t page = 0; page < kPages.size(); ++page) {
      if (page) writer.newPage();
      p.setClipRect(QRectF(0, 0, 500, 700));  // each printed page is clipped to the surface
      double y = 20;
      for (const Text& t : kPages[page]) {
        const QFont f = SheetFont(t.size, t.bold);
        p.setFont(f);
        QStaticText st(t.text);
        st.setTextFormat(Qt::PlainText);
        st.prepare(p.transform(), f);
        p.drawStaticText(QPointF(10 + y / 4, y - QFontMetricsF(f, &writer).ascent()), st);
        y += 25.5;
      }
    }
  }));
  ASSERT_FALSE(reference.isEmpty());
  EXPECT_TRUE(kept == reference) << "the PDFs differ (" << kept.size() << " and " << reference.size() << " bytes)";
}
