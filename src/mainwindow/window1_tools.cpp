// The text tools of the Edit menu. Each reads the whole song text from txtSong, rewrites it with
// the pure code in tools/ and assigns it back; the text area's change event then redraws the
// preview and marks the song modified. Search, Replace and Transpose ask through their dialogs.
#include "app/module1.h"
#include "app/resources_folder.h"
#include "mainwindow/window1.h"
#include "platform/controls/canvas.h"
#include "platform/controls/check_box.h"
#include "platform/controls/slider.h"
#include "platform/controls/text_area.h"
#include "platform/controls/text_field.h"
#include "platform/dialogs.h"
#include "tools/capitalise.h"
#include "tools/chord_conversion.h"
#include "tools/chord_detection.h"
#include "tools/chord_names.h"
#include "tools/dialogs/frm_replace.h"
#include "tools/dialogs/frm_search.h"
#include "tools/dialogs/frm_transpose.h"
#include "tools/reflow.h"
#include "tools/search_replace.h"
#include "tools/transpose.h"
#include "tools/word_list.h"

namespace {

// The application's word list among its resources, read once per run.
const WordList& ApplicationWordList() {
  return WordListAGC(ResourcesFolder().Child(QStringLiteral("WordListAGC.txt")));
}

}  // namespace

const QString& Window1::CreateAllChords(bool upper) const { return ::CreateAllChords(upper); }

void Window1::RemoveLineFeeds() { txtSong_->SetText(::RemoveLineFeeds(txtSong_->Text())); }

void Window1::AutoLineFeed() {
  RemoveLineFeeds();
  const QString text = txtSong_->Text();
  const int width = ReflowWidth(Canvas1_->width(), cbCenterLine_->Value());
  const MeasureFn measure = PictureMeasure(Canvas1_->width(), Canvas1_->height(), sldrWordSize_->Value());
  txtSong_->SetText(ReflowLines(text, width, measure));
}

void Window1::AutoFormatSong() {
  RemoveLineFeeds();
  const QString text = RemoveColumnMarkers(txtSong_->Text());
  const int width = ReflowWidth(Canvas1_->width(), cbCenterLine_->Value());
  const MeasureFn measure = PictureMeasure(Canvas1_->width(), Canvas1_->height(), sldrWordSize_->Value());
  txtSong_->SetText(ReflowLines(text, width, measure));
  AutoDetectChords();
}

void Window1::AutoDetectChords() {
  const QString text = txtSong_->Text();
  txtSong_->SetText(::AutoDetectChords(text, ApplicationWordList()));
}

void Window1::ConvertChordsToInlineChords() {
  txtSong_->SetText(::ConvertChordsToInlineChords(txtSong_->Text()));
}

void Window1::Transpose(const QString& fromKey, const QString& toKey) {
  const TransposeResult result = TransposeSong(txtSong_->Text(), fromKey, toKey);
  if (!result.ok) {
    // An unknown key: the song, its preview and its unsaved-changes state stay as they were.
    Dialogs::Current().MsgBox(result.message);
    return;
  }
  txtSong_->SetText(result.text);
  doDrawing();
}

bool Window1::_mnuRemoveLineFeeds_Action() {
  RemoveLineFeeds();
  return true;
}

bool Window1::_mnuAutoDetectChords_Action() {
  AutoDetectChords();
  return true;
}

bool Window1::_mnuAutoFormat_Action() {
  AutoLineFeed();
  return true;
}

bool Window1::_mnuConvertChordsOverTexttoInlineChords_Action() {
  ConvertChordsToInlineChords();
  return true;
}

bool Window1::_mnuConvertChordstoCaps_Action() {
  txtSong_->SetText(ConvertChordsToCaps(txtSong_->Text()));
  Modified(true);
  return true;
}

bool Window1::_mnuCapFirstLetterOfLine_Action() {
  txtSong_->SetText(CapFirstLetterOfLine(txtSong_->Text()));
  Modified(true);
  return true;
}

bool Window1::_mnuSearch_Action() {
  Module1::gString = QString();
  {
    frmSearch dialog(Module1::gString, this);
    dialog.exec();
  }
  if (Module1::gString.isEmpty()) return true;
  const auto found = SearchFromCaret(txtSong_->Text(), txtSong_->SelStart(), Module1::gString);
  if (found) {
    txtSong_->SetSelStart(found->selStart);
    txtSong_->SetSelLength(found->selLength);
  }
  return true;
}

bool Window1::_mnuSearchReplace_Action() {
  Module1::gString = QString();
  {
    frmReplace dialog(Module1::gString, Module1::gString2, this);
    dialog.exec();
  }
  if (Module1::gString.isEmpty()) return true;
  txtSong_->SetText(ReplaceAllOccurrences(txtSong_->Text(), Module1::gString, Module1::gString2));
  doDrawing();
  return true;
}

bool Window1::_mnuTranspose_Action() {
  // The dialog calls back while it is still open; a failure there is reported like any other
  // handler's, and the dialog still closes.
  frmTranspose dialog(
      txtKey_->Text(),
      [this](const QString& fromKey, const QString& toKey) { Handle([&] { Transpose(fromKey, toKey); }); }, this);
  dialog.exec();
  return true;
}
