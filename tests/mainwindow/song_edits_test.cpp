// The song state follows the song text area edit by edit: after every keystroke, undo, redo,
// paste, typed-over selection and marker insertion, the state's song text and its page count are
// those of the text the area shows.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <random>

#include "sheet/pages.h"
#include "window_fixture.h"

namespace {

void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(target, &release);
}

}  // namespace

using SongEdits = WindowFixture;

TEST_F(SongEdits, TheStateFollowsEveryEditOfTheSongText) {
  TextArea* area = w->txtSong();
  area->SetText(QStringLiteral("[G]Amazing grace\r+++++\r[D]how sweet\r{Chorus}\rthe sound"));
  area->setFocus();
  QGuiApplication::clipboard()->setText(QStringLiteral("pasted\n+++++\nline"));
  const std::vector<std::pair<const char*, std::function<void()>>> steps = {
      {"letter", [&] { Press(area, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")); }},
      {"plus", [&] { Press(area, Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+")); }},
      {"Return", [&] { Press(area, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")); }},
      {"Backspace", [&] { Press(area, Qt::Key_Backspace); }},
      {"Delete", [&] { Press(area, Qt::Key_Delete); }},
      {"left", [&] { Press(area, Qt::Key_Left); }},
      {"select left", [&] { Press(area, Qt::Key_Left, Qt::ShiftModifier); }},
      {"up", [&] { Press(area, Qt::Key_Up); }},
      {"undo", [&] { Press(area, Qt::Key_Z, Qt::ControlModifier); }},
      {"redo", [&] { Press(area, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }},
      {"paste", [&] { Press(area, Qt::Key_V, Qt::ControlModifier); }},
      {"page break", [&] { w->ApplyPage(); }},
  };
  std::mt19937 random(3);
  for (int i = 0; i < 600; ++i) {
    const auto& [what, step] = steps[random() % steps.size()];
    step();
    QCoreApplication::processEvents();
    const QString shown = TextArea::FromDocumentText(area->document()->toRawText());
    ASSERT_EQ(w->State().Document().song, shown) << "after " << what << " (step " << i << ")";
    ASSERT_EQ(w->TotalPages(), CountPages(shown, QStringLiteral("+++++"))) << "after " << what;
  }
}
