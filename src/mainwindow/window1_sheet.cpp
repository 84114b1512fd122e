// The live preview and the window state around it: rendering a page of the song state, the
// single redraw entry, page count and label, output scale, the unsaved-changes flag and the title.
#include <QLabel>
#include <algorithm>
#include <climits>
#include <utility>

#include "app/module1.h"
#include "mainwindow/window1.h"
#include "platform/core/outside_text.h"
#include "platform/core/strings.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/up_down_arrows.h"
#include "platform/desktop/picture.h"
#include "sheet/pages.h"
#include "sheet/sheet_input.h"
#include "sheet/sheet_renderer.h"

namespace {
int ToInt(std::int64_t n) { return static_cast<int>(std::clamp<std::int64_t>(n, INT_MIN, INT_MAX)); }
}  // namespace

void Window1::RenderSheet(Graphics& g, std::int64_t page) {
  DrawSheet(g, page);
  Canvas1_->Refresh();
}

void Window1::DrawSheet(Graphics& g, std::int64_t page) {
  setPageLabel();
  RenderSheetPage(g,
                  SheetInputFor(state_.Document(), Module1::newPageSymbol, dpiScale(),
                                &state_.PageBreaksFor(Module1::newPageSymbol)),
                  ToInt(page));
}

void Window1::doDrawing() {
  // As sharp as the screen the preview is shown on; the sheet is drawn in the same units at any ratio.
  // The picture is drawn again in place while nobody else holds it and its size stays: the sheet
  // before is kept aside in the spare image, whose pixels the new sheet is drawn on, so that
  // only the rows that changed are painted again on the canvas.
  const double ratio = Canvas1_->devicePixelRatioF();
  const bool inPlace = pImage_ && pImage_.use_count() == 1 && pImage_->Width() == Canvas1_->width() &&
                       pImage_->Height() == Canvas1_->height() && pImage_->Ratio() == ratio;
  if (inPlace) {
    QImage& image = pImage_->Image();
    if (spare_.size() != image.size() || spare_.format() != image.format())
      spare_ = QImage(image.size(), image.format());
    spare_.setDevicePixelRatio(image.devicePixelRatio());
    spare_.setDotsPerMeterX(image.dotsPerMeterX());
    spare_.setDotsPerMeterY(image.dotsPerMeterY());
    std::swap(image, spare_);
    image.fill(Qt::white);
  } else {
    pImage_ = std::make_shared<Picture>(Canvas1_->width(), Canvas1_->height(), ratio);
    spare_ = QImage();
  }
  {
    const auto g = pImage_->NewGraphics();
    DrawSheet(*g, state_.Page());
  }
  // The picture has the canvas' size: the window's background under it need not be painted.
  if (!Canvas1_->testAttribute(Qt::WA_OpaquePaintEvent)) Canvas1_->setAttribute(Qt::WA_OpaquePaintEvent);
  Canvas1_->Refresh(inPlace ? ChangedRows(spare_, pImage_->Image()) : Canvas1_->rect());
  // What a screen reader says of the preview: the page it shows.
  Canvas1_->setAccessibleDescription(QStringLiteral("Page %1 of %2").arg(state_.Page()).arg(TotalPages()));
}

void Window1::DropPreview() {
  pImage_.reset();
  Canvas1_->setAttribute(Qt::WA_OpaquePaintEvent, false);
  Canvas1_->Refresh();
}

int Window1::TotalPages() const {
  return CountPages(state_.Document().song, Module1::newPageSymbol, state_.PageBreaksFor(Module1::newPageSymbol));
}

void Window1::setPageLabel() {
  const int total = TotalPages();
  state_.SetPage(PageNumberFor(ToInt(state_.Page()), total));
  lblPage_->setText(PageLabelText(ToInt(state_.Page())));
  // What a screen reader reads as the page arrows' value.
  UpDownArrows1_->SetPosition(ToInt(state_.Page()), 1, std::max(1, total));
}

double Window1::dpiScale() const { return state_.Scale(); }

// The window's contents-changed marker follows the state's flag through its listener.
void Window1::Modified(bool value) { state_.SetModified(value); }

bool Window1::Modified() const { return state_.Modified(); }

void Window1::SetTitle(const QString& text) {
  // The song's title is outside text: its control characters are escaped and a bidi override in
  // it stays inside it, so that the contents-changed mark and the save prompt's "?" stay in place.
  title_ = Trim(text).isEmpty() ? WindowTitleFor(text) : WindowTitleFor(ShownText(text));
  ApplyTitle();
}
