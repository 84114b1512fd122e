// The view commands and what each leaves alone, and the help window and about box from the menus.
#include <QApplication>
#include <QGroupBox>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "app/app.h"
#include "platform/desktop/controls/bevel_button.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/spell_check.h"
#include "shell/frm_about.h"
#include "shell/frm_help.h"
#include "shell/toolbar1.h"
#include "window_fixture.h"

namespace {
bool AnyUnderline(QTextDocument* doc) {
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
    for (const auto& r : b.layout()->formats())
      if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline) return true;
  return false;
}
}  // namespace

using ViewCommands = WindowFixture;

TEST_F(ViewCommands, ToggleSpellCheckMovesTheCaretHomeAndTouchesNothingElse) {
  TextArea* song = w->txtSong();
  song->SetText("the lazzy dog\rand the lazy cat");
  w->Modified(false);
  const auto preview = w->pImage();
  song->SetSelStart(4);
  song->SetSelLength(5);
  EXPECT_TRUE(song->AutomaticallyCheckSpelling());
  EXPECT_TRUE(AnyUnderline(song->document()));

  for (bool expected : {false, true}) {
    EXPECT_TRUE(w->_mnuToggleSpellCheck_Action());
    EXPECT_EQ(song->AutomaticallyCheckSpelling(), expected);
    EXPECT_EQ(AnyUnderline(song->document()), expected);
    EXPECT_EQ(song->SelStart(), 0);
    EXPECT_EQ(song->SelLength(), 0);
    EXPECT_EQ(song->Text(), "the lazzy dog\rand the lazy cat");
    EXPECT_FALSE(w->Modified()) << "re-marking the words is not an edit";
    EXPECT_EQ(w->pImage(), preview);
    EXPECT_FALSE(w->mnuToggleSpellCheck()->Checked());
  }
}

TEST_F(ViewCommands, ToggleToolbarHidesAndShowsWithoutACheckMark) {
  ASSERT_FALSE(w->Toolbar11()->isHidden());
  EXPECT_TRUE(w->_mnuToggleToolbar_Action());
  EXPECT_TRUE(w->Toolbar11()->isHidden());
  EXPECT_TRUE(w->_mnuToggleToolbar_Action());
  EXPECT_FALSE(w->Toolbar11()->isHidden());
  EXPECT_FALSE(w->mnuToggleToolbar()->Checked());
}

TEST_F(ViewCommands, SettingsKeepsMarkButtonPanelAndTextHeightInStep) {
  const auto inWindow = [this](QWidget* c) { return QRect(c->mapTo(w, QPoint(0, 0)), c->size()); };
  const int width = w->txtSong()->width();
  for (bool shown : {true, false}) {
    SCOPED_TRACE(shown ? "shown" : "hidden");
    EXPECT_TRUE(w->_mnuSettings_Action());
    EXPECT_EQ(w->mnuSettings()->Checked(), shown);
    EXPECT_EQ(w->GroupBox1()->isHidden(), !shown);
    EXPECT_EQ(w->BevelButton1()->Value(), shown);
    // The song text stops above the panel, or takes the panel's place when it is hidden.
    const QRect song = inWindow(w->txtSong()), panel = inWindow(w->GroupBox1());
    EXPECT_EQ(song.width(), width);
    if (shown) {
      EXPECT_LT(song.bottom(), panel.top());
    } else {
      EXPECT_NEAR(song.bottom(), panel.bottom(), 2);
    }
  }
}

TEST_F(ViewCommands, MonoSpacedFontKeepsEveryCharacterOfTheText) {
  TextArea* song = w->txtSong();
  const QString text = QString::fromUtf8("Ça [Em]déjà vu, ÿ € — ł ő ж 漢字 😀\rline two");
  song->SetText(text);
  song->SetSelStart(7);
  w->Modified(false);

  EXPECT_TRUE(w->_mnuShowMono_Action());
  EXPECT_TRUE(w->mnuShowMono()->Checked());
  EXPECT_EQ(song->TextFont(), "Courier");
  EXPECT_EQ(song->Text(), text);
  EXPECT_FALSE(w->Modified()) << "the text comes back the same: nothing a save would write changed";
  EXPECT_EQ(song->SelStart(), 7);

  song->SetText("typed while mono");
  EXPECT_EQ(song->TextFont(), "Courier");

  w->Modified(false);
  EXPECT_TRUE(w->_mnuShowMono_Action());
  EXPECT_FALSE(w->mnuShowMono()->Checked());
  EXPECT_EQ(song->TextFont(), "System");
  EXPECT_FALSE(w->Modified());
  EXPECT_EQ(song->Text(), "typed while mono");
}

TEST_F(ViewCommands, HelpShowsOneWindowAndAboutWaitsForItsBox) {
  EXPECT_TRUE(w->_mnuHelp_Action());
  frmHelp* help = frmHelp::Instance();
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(w->_mnuHelp_Action());
  EXPECT_EQ(frmHelp::Instance(), help);
  help->close();

  if (!App::Exists()) App::Register(std::make_unique<App>());  // the about box reads its version
  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
    wasModal = box != nullptr;
    if (box) box->PushButton1()->click();
  });
  EXPECT_TRUE(w->_mnuAbout_Action());
  EXPECT_TRUE(wasModal);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(frmAbout::HasInstance());
  EXPECT_FALSE(frmHelp::HasInstance());
}
