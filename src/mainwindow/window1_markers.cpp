// The seven marker commands: they change the song text only through the text area's selection
// (the selection and the caret are the text area's; the text is the song state's), whose change
// event then writes the text to the state and redraws the preview.
#include "app/module1.h"
#include "mainwindow/window1.h"
#include "platform/core/strings.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/dialogs.h"

void Window1::WrapSelection(const QString& open, const QString& close, bool trimAfterUnwrap) {
  if (txtSong_->SelLength() > 0) {
    QString s = txtSong_->SelText();
    // Only the opening character tells whether the selection is marked already.
    if (InStr(s, open) > 0) {
      s = Replace(s, open, QString());
      s = Replace(s, close, QString());
      if (trimAfterUnwrap) s = Trim(s);
    } else {
      s = open + s + close;
    }
    txtSong_->SetSelText(s);
  } else {
    const int caret = txtSong_->SelStart();
    txtSong_->SetSelText(open == close ? open : open + close);
    txtSong_->SetSelStart(caret + 1);
  }
  txtSong_->SetFocus();
}

void Window1::ApplyChord() { WrapSelection(QStringLiteral("["), QStringLiteral("]"), false); }
void Window1::ApplyCaption() { WrapSelection(QStringLiteral("{"), QStringLiteral("}"), false); }
void Window1::ApplyParagraph() { WrapSelection(QStringLiteral("<"), QStringLiteral(">"), false); }
void Window1::ApplyBold() { WrapSelection(QStringLiteral("*"), QStringLiteral("*"), true); }

void Window1::ApplyFret() {
  try {
    const int caret = txtSong_->SelStart();
    if (Mid(state_.Document().song, caret + 1, 1) == QLatin1String("]")) {
      txtSong_->SetSelText(QStringLiteral("!0!0!0"));
    } else {
      Dialogs::Current().MsgBox(QStringLiteral("Please insert frets in a chord marker."));
    }
  } catch (...) {
    // The frets command never fails its caller.
  }
}

void Window1::ApplyColumn() {
  txtSong_->SetSelText(QStringLiteral("-----") + EndOfLine());
  txtSong_->SetFocus();
}

void Window1::ApplyPage() {
  txtSong_->SetSelText(Module1::newPageSymbol + EndOfLine());
  txtSong_->SetFocus();
}
