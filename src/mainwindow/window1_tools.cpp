// The text tools of the Edit menu. Each reads the whole song text (and the layout values it needs)
// from the song state, which the text area's change handler keeps in step, rewrites it with the
// pure code in tools/ and assigns the result to txtSong once, as one step of the text's undo
// history (none when nothing changed); the text area's change event then writes it to the state,
// redraws the preview and marks the song modified. A command made of several tools runs them all
// on the text first, so a step that fails leaves the text as it was. Search, Replace and Transpose
// ask through their dialogs.
#include "app/module1.h"
#include "app/resources_folder.h"
#include "mainwindow/window1.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/text_area.h"
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

// A one-line text broken again to the canvas width at the song's word size.
QString Reflowed(const QString& oneLine, const Canvas& canvas, const SongDocument& doc) {
  return ReflowLines(oneLine, ReflowWidth(canvas.width(), doc.centerLine),
                     PictureMeasure(canvas.width(), canvas.height(), doc.wordSize), PictureFaceCovers(doc.wordSize));
}

}  // namespace

const QString& Window1::CreateAllChords(bool upper) const { return ::CreateAllChords(upper); }

void Window1::RemoveLineFeeds() { txtSong_->ReplaceText(::RemoveLineFeeds(state_.Document().song)); }

void Window1::AutoLineFeed() {
  // Joined and broken again to the canvas width.
  const SongDocument& doc = state_.Document();
  txtSong_->ReplaceText(Reflowed(::RemoveLineFeeds(doc.song), *Canvas1_, doc));
}

void Window1::AutoFormatSong() {
  // Joined, reflowed without its column markers, chords detected.
  const SongDocument& doc = state_.Document();
  const QString reflowed = Reflowed(RemoveColumnMarkers(::RemoveLineFeeds(doc.song)), *Canvas1_, doc);
  txtSong_->ReplaceText(::AutoDetectChords(reflowed, ApplicationWordList()));
}

void Window1::AutoDetectChords() {
  txtSong_->ReplaceText(::AutoDetectChords(state_.Document().song, ApplicationWordList()));
}

void Window1::ConvertChordsToInlineChords() {
  txtSong_->ReplaceText(::ConvertChordsToInlineChords(state_.Document().song));
}

void Window1::Transpose(const QString& fromKey, const QString& toKey) {
  const TransposeResult result = TransposeSong(state_.Document().song, fromKey, toKey);
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
  txtSong_->ReplaceText(ConvertChordsToCaps(state_.Document().song));
  return true;
}

bool Window1::_mnuCapFirstLetterOfLine_Action() {
  txtSong_->ReplaceText(CapFirstLetterOfLine(state_.Document().song));
  return true;
}

bool Window1::_mnuSearch_Action() {
  Module1::gString = QString();
  {
    frmSearch dialog(Module1::gString, this);
    dialog.exec();
  }
  if (Module1::gString.isEmpty()) return true;
  const auto found =
      SearchFromCaret(state_.Document().song, txtSong_->SelStart(), txtSong_->SelLength(), Module1::gString);
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
  txtSong_->ReplaceText(ReplaceAllOccurrences(state_.Document().song, Module1::gString, Module1::gString2));
  return true;
}

bool Window1::_mnuTranspose_Action() {
  // The dialog calls back while it is still open; a failure there is reported like any other
  // handler's, and the dialog still closes.
  frmTranspose dialog(
      state_.Document().key,
      [this](const QString& fromKey, const QString& toKey) { Handle([&] { Transpose(fromKey, toKey); }); }, this);
  dialog.exec();
  return true;
}
