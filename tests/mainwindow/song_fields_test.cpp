// The song's fields and their controls on the real window: opening, importing, reading a text,
// New and the default layout fill every control from the song state without one change event,
// each control then shows its own field; the control table ties every field of the document to
// one control, and every slider to its layout value's range and default.
#include <QSignalSpy>
#include <functional>
#include <memory>
#include <utility>
#include <variant>
#include <vector>

#include "mainwindow/document_fixture.h"
#include "platform/desktop/picture.h"

// A document in a failure message: its fields as they are, in the order a save writes them.
void PrintTo(const SongDocument& d, std::ostream* os) {
  QStringList fields = {d.title, d.capo, d.key, d.song, d.centerLine ? "1" : "0"};
  for (int v : {d.spacing, d.wordSize, d.chordSize, d.chordOffset, d.fretSize, d.fretOffset, d.rowHeight})
    fields << QString::number(v);
  fields << d.timing << d.tempo;
  *os << fields.join('|').toStdString();
}

namespace {

class SongFieldsTest : public DocumentFixture {
 protected:
  // The song as its controls show it, each field read from the control named after it.
  SongDocument Shown() const {
    SongDocument d;
    d.title = w->txtTitle()->Text();
    d.capo = w->txtCapo()->Text();
    d.key = w->txtKey()->Text();
    d.song = w->txtSong()->Text();
    d.centerLine = w->cbCenterLine()->Value();
    d.spacing = w->sldrSpacing()->Value();
    d.wordSize = w->sldrWordSize()->Value();
    d.chordSize = w->sldrChords()->Value();
    d.chordOffset = w->sldrChordOffset()->Value();
    d.fretSize = w->sldrFrets()->Value();
    d.fretOffset = w->sldrFretOffset()->Value();
    d.rowHeight = w->sldrRowHeight()->Value();
    d.timing = w->txtTiming()->Text();
    d.tempo = w->txtTempo()->Text();
    return d;
  }

  // Listens to the change event of every control that shows a song field.
  std::vector<std::unique_ptr<QSignalSpy>> SpyOnTheFields() const {
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (TextField* f : {w->txtTitle(), w->txtCapo(), w->txtKey(), w->txtTiming(), w->txtTempo()})
      spies.push_back(std::make_unique<QSignalSpy>(f, &TextField::TextChange));
    spies.push_back(std::make_unique<QSignalSpy>(w->txtSong(), &TextArea::TextChange));
    spies.push_back(std::make_unique<QSignalSpy>(w->cbCenterLine(), &CheckBox::Action));
    for (Slider* s : {w->sldrSpacing(), w->sldrWordSize(), w->sldrChords(), w->sldrChordOffset(), w->sldrFrets(),
                      w->sldrFretOffset(), w->sldrRowHeight()})
      spies.push_back(std::make_unique<QSignalSpy>(s, &Slider::ValueChanged));
    return spies;
  }

  // A song unlike every one the fills below show, typed into its controls.
  void TypeAnotherSong() const {
    for (TextField* f : {w->txtTitle(), w->txtCapo(), w->txtKey(), w->txtTiming(), w->txtTempo()})
      f->SetText(QStringLiteral("typed"));
    w->txtSong()->SetText(QStringLiteral("typed song"));
    w->cbCenterLine()->SetValue(true);
    for (Slider* s : {w->sldrSpacing(), w->sldrWordSize(), w->sldrChords(), w->sldrChordOffset(), w->sldrFrets(),
                      w->sldrFretOffset(), w->sldrRowHeight()})
      s->SetValue(s->Minimum() + 1);
  }
};

}  // namespace

TEST_F(SongFieldsTest, EveryFillShowsTheSongInEveryControlWithoutAChangeEvent) {
  // Control characters and line ends in a one-line field, which the field shows as they are.
  const QStringList fields = {
      "1.0.0", "Title", "3\t\r\n\u2029x", "D", "[D]line\nnext", "0", "9", "13", "10", "19", "4", "8", "44",
      "2/4",   "60"};
  const FolderItem song = Write("song.hmnt", DocBytes(fields));
  const FolderItem text = Write("words.txt", "la\nla");
  // A text read in place of the song, with a NUL that no control takes.
  const QString withNul = QString::fromUtf8(DocBytes(fields)).replace("Title", QStringLiteral("Ti") + QChar(0) + "tle");
  const struct {
    const char* what;
    std::function<void()> fill;
    QString title, song;
    int rowHeight;
  } fills[] = {
      {"open", [&] { w->mOpenFile(song); }, "Title", "[D]line\rnext", 44},
      {"import", [&] { w->mOpenFile(text); }, "typed", "la\rla", 27},
      {"text read", [&] { w->ParseFile(withNul); }, "Title", "[D]line\rnext", 44},
      {"restore defaults", [&] { w->_mnuRestoreDefaults_Action(); }, "typed", "typed song", 27},
      {"new",
       [&] {
         w->Modified(false);
         w->_mnuNew_Action();
       },
       "", "", 27},
  };
  for (const auto& f : fills) {
    SCOPED_TRACE(f.what);
    TypeAnotherSong();
    const auto spies = SpyOnTheFields();
    const std::shared_ptr<Picture> before = w->pImage();  // held, so that a redraw makes a picture of its own
    f.fill();
    for (const auto& spy : spies) EXPECT_EQ(spy->count(), 0) << spy->signal().toStdString();
    EXPECT_NE(w->pImage(), before) << "drawn again";
    EXPECT_EQ(Shown(), w->State().Document());
    EXPECT_EQ(w->txtTitle()->Text(), f.title);
    EXPECT_EQ(w->txtSong()->Text(), f.song);
    EXPECT_EQ(w->sldrRowHeight()->Value(), f.rowHeight);
    EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << dialogs.msgBoxes.join("|").toStdString();
  }
}

// The table ties each field of the song document to one control: a document with every row's field
// changed writes every piece of the file otherwise, and no two rows change the same field. Every
// slider shows a layout value, whose range holds the document's default.
TEST(SongFieldRows, EveryFieldOfTheDocumentHasOneRowAndEverySliderItsLayoutValuesRange) {
  const SongDocument defaults;
  SongDocument changed;
  for (const ControlRow& row : Window1::ControlTable()) {
    SCOPED_TRACE(row.name);
    if (const auto* text = std::get_if<QString SongDocument::*>(&row.field)) {
      EXPECT_TRUE(row.kind == ControlKind::Field || row.kind == ControlKind::SongText);
      EXPECT_EQ(changed.**text, defaults.**text) << "a field of two rows";
      changed.** text = QString::fromLatin1(row.name);
    } else if (const auto* flag = std::get_if<bool SongDocument::*>(&row.field)) {
      EXPECT_EQ(row.kind, ControlKind::CheckBox);
      EXPECT_EQ(changed.**flag, defaults.**flag) << "a field of two rows";
      changed.** flag = !(defaults.**flag);
    } else if (const auto* layout = std::get_if<LayoutField>(&row.field)) {
      EXPECT_EQ(row.kind, ControlKind::Slider);
      const LayoutRange& range = layout->range;
      EXPECT_EQ(defaults.*layout->field, range.def);
      EXPECT_LE(range.lo, range.def);
      EXPECT_LE(range.def, range.hi);
      EXPECT_LT(range.lo, range.hi);
      EXPECT_EQ(changed.*layout->field, defaults.*layout->field) << "a field of two rows";
      changed.*layout->field = range.def == range.hi ? range.lo : range.hi;
    } else {
      EXPECT_NE(row.kind, ControlKind::Slider);
      EXPECT_NE(row.kind, ControlKind::Field);
      EXPECT_NE(row.kind, ControlKind::SongText);
      EXPECT_NE(row.kind, ControlKind::CheckBox);
    }
  }
  const QStringList before = SongDocumentText(defaults).split(QChar(kFieldSeparator));
  const QStringList after = SongDocumentText(changed).split(QChar(kFieldSeparator));
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.front(), kSongDocumentVersion);
  for (qsizetype i = 1; i + 1 < before.size(); ++i) EXPECT_NE(after[i], before[i]) << "piece " << i << " has no row";
}

// Each slider's row names its layout value and that value's range: a document's value outside
// the range is read as its nearest end and shown so, and the default layout is the range's.
TEST_F(SongFieldsTest, ALayoutValueOutsideItsRangeIsReadAsItsNearestEndAndShownSo) {
  std::vector<std::pair<Slider*, LayoutField>> sliders;
  for (const ControlRow& row : Window1::ControlTable())
    if (const auto* layout = std::get_if<LayoutField>(&row.field))
      sliders.emplace_back(qobject_cast<Slider*>(w->_ControlByName(row.name)), *layout);
  ASSERT_FALSE(sliders.empty());
  for (const char* value : {"0", "999"}) {
    SCOPED_TRACE(value);
    OpenSong(Write("far.hmnt",
                   DocBytes({"1.0.0", "", "", "", "", "1", value, value, value, value, value, value, value, "", ""})));
    for (const auto& [slider, layout] : sliders) {
      ASSERT_NE(slider, nullptr);
      const int end = QByteArray(value) == "0" ? layout.range.lo : layout.range.hi;
      EXPECT_EQ(slider->Value(), end) << slider->objectName().toStdString();
      EXPECT_EQ(w->State().Document().*layout.field, end) << slider->objectName().toStdString();
    }
  }
  w->SetDefaults();
  for (const auto& [slider, layout] : sliders) {
    EXPECT_EQ(slider->Value(), layout.range.def) << slider->objectName().toStdString();
    EXPECT_EQ(w->State().Document().*layout.field, layout.range.def) << slider->objectName().toStdString();
  }
}
