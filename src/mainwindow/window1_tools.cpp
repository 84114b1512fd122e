// The text tools of the Edit menu. Each reads the whole song text from txtSong, rewrites it with
// the pure code in tools/ and assigns the result back once, as one step of the text's undo history
// (none when nothing changed); the text area's change event then redraws the preview and marks
// the song modified. A command made of several tools runs them all on the text first, so a step
// that fails leaves the text as it was. Search, Replace and Transpose ask through their dialogs.
#include "app/module1.h"
#include "app/resources_folder.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/picture_measure.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_search.h"
#include "shell/dialogs/frm_transpose.h"
#include "tools/capitalise.h"
#include "tools/chord_conversion.h"
#include "tools/chord_detection.h"
#include "tools/chord_names.h"
#include "tools/reflow.h"
#include "tools/search_replace.h"
#include "tools/transpose.h"
#include "tools/word_list.h"

namespace {

// The application's word list among its resources, read once per run.
const WordList& ApplicationWordList() {
  return WordListAGC(ResourcesFolder().Child(QStringLiteral("WordListAGC.txt")));
}

// A one-line text broken again to the canvas width at the word size.
QString Reflowed(const QString& oneLine, const Canvas& canvas, bool centerLine, int wordSize) {
  return ReflowLines(oneLine, ReflowWidth(canvas.width(), centerLine),
                     PictureMeasure(canvas.width(), canvas.height(), wordSize), PictureFaceCovers(wordSize));
}

}  // namespace

const QString& Window1::CreateAllChords(bool upper) const { return ::CreateAllChords(upper); }

void Window1::RemoveLineFeeds() { txtSong_->ReplaceText(::RemoveLineFeeds(txtSong_->Text())); }

void Window1::AutoLineFeed() {
  // Joined and broken again to the canvas width.
  txtSong_->ReplaceText(
      Reflowed(::RemoveLineFeeds(txtSong_->Text()), *Canvas1_, cbCenterLine_->Value(), sldrWordSize_->Value()));
}

void Window1::AutoFormatSong() {
  // Joined, reflowed without its column markers, chords detected.
  const QString reflowed = Reflowed(RemoveColumnMarkers(::RemoveLineFeeds(txtSong_->Text())), *Canvas1_,
                                    cbCenterLine_->Value(), sldrWordSize_->Value());
  txtSong_->ReplaceText(::AutoDetectChords(reflowed, ApplicationWordList()));
}

void Window1::AutoDetectChords() { txtSong_->ReplaceText(::AutoDetectChords(txtSong_->Text(), ApplicationWordList())); }

void Window1::ConvertChordsToInlineChords() { txtSong_->ReplaceText(::ConvertChordsToInlineChords(txtSong_->Text())); }

void Window1::Transpose(const QString& fromKey, const QString& toKey) {
  const TransposeResult result = TransposeSong(txtSong_->Text(), fromKey, toKey);
  if (!result.ok) {
    // An unknown key: the song, its preview and its unsaved-changes state stay as they were.
    Dialogs::Current().MsgBox(result.message);
    return;
  }
  txtSong_->ReplaceText(result.text);  // its change event redraws
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
  txtSong_->ReplaceText(ConvertChordsToCaps(txtSong_->Text()));
  return true;
}

bool Window1::_mnuCapFirstLetterOfLine_Action() {
  txtSong_->ReplaceText(CapFirstLetterOfLine(txtSong_->Text()));
  return true;
}

bool Window1::_mnuSearch_Action() {
  Module1::gString = QString();
  {
    frmSearch dialog(Module1::gString, this);
    dialog.exec();
  }
  if (Module1::gString.isEmpty()) return true;
  const auto found = SearchFromCaret(txtSong_->Text(), txtSong_->SelStart(), txtSong_->SelLength(), Module1::gString);
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
  txtSong_->ReplaceText(ReplaceAllOccurrences(txtSong_->Text(), Module1::gString, Module1::gString2));
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
