// The live preview and the window state around it: rendering a page from a snapshot of the
// controls, the single redraw entry, page count and label, output scale, the unsaved-changes
// flag and the title.
#include <QLabel>
#include <algorithm>
#include <climits>

#include "app/module1.h"
#include "mainwindow/window1.h"
#include "platform/core/outside_text.h"
#include "platform/core/strings.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/picture.h"
#include "sheet/pages.h"
#include "sheet/sheet_renderer.h"

namespace {
int ToInt(std::int64_t n) { return static_cast<int>(std::clamp<std::int64_t>(n, INT_MIN, INT_MAX)); }
}  // namespace

void Window1::RenderSheet(Graphics& g, std::int64_t page) {
  setPageLabel();
  SheetInput in;
  in.title = txtTitle_->Text();
  in.capo = txtCapo_->Text();
  in.key = txtKey_->Text();
  in.timing = txtTiming_->Text();
  in.tempo = txtTempo_->Text();
  in.song = txtSong_->Text();
  in.marker = Module1::newPageSymbol;
  in.spacing = sldrSpacing_->Value();
  in.wordSize = sldrWordSize_->Value();
  in.chordSize = sldrChords_->Value();
  in.chordOffset = sldrChordOffset_->Value();
  in.fretSize = sldrFrets_->Value();
  in.fretOffset = sldrFretOffset_->Value();
  in.rowHeight = sldrRowHeight_->Value();
  in.centerLine = cbCenterLine_->Value();
  in.scale = dpiScale();
  RenderSheetPage(g, in, ToInt(page));
  Canvas1_->Refresh();
}

void Window1::doDrawing() {
  if (isOpening) return;
  // As sharp as the screen the preview is shown on; the sheet is drawn in the same units at any ratio.
  // The picture is drawn again in place while nobody else holds it and its size stays.
  const double ratio = Canvas1_->devicePixelRatioF();
  if (pImage && pImage.use_count() == 1 && pImage->Width() == Canvas1_->width() &&
      pImage->Height() == Canvas1_->height() && pImage->Ratio() == ratio)
    pImage->Image().fill(Qt::white);
  else
    pImage = std::make_shared<Picture>(Canvas1_->width(), Canvas1_->height(), ratio);
  {
    const auto g = pImage->NewGraphics();
    RenderSheet(*g, CurrentPageNumber);
  }
  // Only a change of what a save would write marks the song: paging, printing and the view
  // commands redraw without one, and so does a tool whose result equals the text it was given,
  // and a blank typed at either end of a field, which the save trims.
  const SongDocument shown = CurrentDocument();
  // What a screen reader says of the preview: the page it shows.
  Canvas1_->setAccessibleDescription(QStringLiteral("Page %1 of %2")
                                         .arg(CurrentPageNumber)
                                         .arg(CountPages(shown.song, Module1::newPageSymbol)));
  SongDocument now = SavedFields(shown);
  if (!(now == lastSeen_)) {
    lastSeen_ = std::move(now);
    Modified(true);
  }
}

int Window1::TotalPages() const { return CountPages(txtSong_->Text(), Module1::newPageSymbol); }

void Window1::setPageLabel() {
  CurrentPageNumber = PageNumberFor(ToInt(CurrentPageNumber), TotalPages());
  lblPage_->setText(PageLabelText(ToInt(CurrentPageNumber)));
}

double Window1::dpiScale() const { return DpiScale(myDPI); }

void Window1::Modified(bool value) {
  if (!value) lastSeen_ = SavedFields(CurrentDocument());
  setWindowModified(value);
  isDirty = value;
}

bool Window1::Modified() const { return isDirty; }

void Window1::SetTitle(const QString& text) {
  // The song's title is outside text: its control characters are escaped and a bidi override in
  // it stays inside it, so that the contents-changed mark and the save prompt's "?" stay in place.
  title_ = Trim(text).isEmpty() ? WindowTitleFor(text) : WindowTitleFor(ShownText(text));
  ApplyTitle();
}
