// The window's construction: its own layout and menu bar, then the forty controls in their fixed
// order, each with its geometry and properties first and its event handlers last, so that
// building the window runs no handler.
#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>
#include <QLayout>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "mainwindow/song_spelling.h"
#include "mainwindow/window1.h"
#include "platform/core/errors.h"
#include "platform/core/guard.h"
#include "platform/desktop/controls/bevel_button.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/modified_keys.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/controls/up_down_arrows.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/picture.h"
#include "platform/desktop/printer_setup.h"
#include "platform/desktop/screen_fit_view.h"
#include "platform/desktop/text_fit.h"
#include "shell/menu_bar1.h"
#include "shell/resource_pictures.h"
#include "shell/toolbar1.h"

namespace {
QPointer<Window1> g_instance;

constexpr int kGroupLeft = 20;
constexpr int kGroupTop = 441;

// "System" at a pixel size; 0 keeps the platform's size for the control.
QFont SystemFont(int pixels) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  if (pixels > 0) f.setPixelSize(pixels);
  return f;
}

// Places a control by window coordinates; controls inside the settings panel are children of it
// and are placed relative to it.
void Place(QWidget* w, int left, int top, int width, int height) {
  const bool inPanel = w->parentWidget() && w->parentWidget()->objectName() == QLatin1String("GroupBox1");
  w->setGeometry(inPanel ? left - kGroupLeft : left, inPanel ? top - kGroupTop : top, width, height);
}
}  // namespace

Window1* Window1::Instance() {
  if (g_instance && !g_instance->closed_) return g_instance;
  std::unique_ptr<Window1> w(new Window1);
  w->Event_Open();
  w->show();
  g_instance = w.release();
  return g_instance;
}

Window1* Window1::Existing() { return g_instance && !g_instance->closed_ ? g_instance.data() : nullptr; }

Window1::Window1() : QMainWindow(nullptr) {
  setAttribute(Qt::WA_DeleteOnClose);
  Layout();
  CreateControls();
  ReadControls();
  state_.OnModifiedChanged([this](bool modified) { setWindowModified(modified); });
  AddMenuHandlers(this);
  Dialogs::SetParentWindow(this);
}

Window1::~Window1() {
  pImage_.reset();
  myPrinterSetup_.reset();
  state_.OnModifiedChanged(nullptr);
}

void Window1::Layout() {
  setMenuBar(MenuBar1::Instance().NewMenuBar(this));
  setObjectName(QStringLiteral("Window1"));
  // A titled document window that can be closed and minimised, not resized, zoomed or made full
  // screen. The content keeps its 1004 by 790 whether the toolbar shows or not: the window
  // takes the size of its content (or of the view over it, on a small screen), menu bar and
  // toolbar.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  content_ = new QWidget(this);
  content_->setObjectName(QStringLiteral("Content"));
  content_->setFixedSize(kContentWidth, kContentHeight);
  // The content keeps its size; on a screen too small for the window the view over it shrinks
  // to fit and scrolls, so every control stays reachable.
  setCentralWidget(new ScreenFitView(content_, this));
  // No list of toolbars to hide: a right click that no control takes opens nothing.
  setContextMenuPolicy(Qt::NoContextMenu);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  title_ = QStringLiteral("Harmonote");
  ApplyTitle();
}

void Window1::ApplyTitle() {
  // Qt's contents-changed marker goes after the title; a "[*]" of the title itself is doubled so
  // that Qt shows it as typed.
  QString shown = title_;
  shown.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
  setWindowTitle(shown + QStringLiteral("[*]"));
}

template <class T>
T* Window1::Register(const QString& name, T* control) {
  control->setObjectName(name);
  controls_.emplace_back(name, control);
  return control;
}

QObject* Window1::_ControlByName(const QString& name) const {
  for (const auto& [n, c] : controls_)
    if (n == name) return c;
  return nullptr;
}

const std::vector<QString>& Window1::ControlNames() {
  static const std::vector<QString> names = {
      "Canvas1",       "Label2",         "txtTitle",     "txtCapo",         "Label3",      "txtKey",
      "Label4",        "txtSong",        "txtTiming",    "Label11",         "txtTempo",    "Label12",
      "cbCenterLine",  "UpDownArrows1",  "lblPage",      "Toolbar11",       "GroupBox1",   "Label1",
      "Label5",        "Label6",         "Label10",      "Label7",          "Label8",      "Label9",
      "sldrRowHeight", "sldrFretOffset", "sldrFrets",    "sldrChordOffset", "sldrChords",  "sldrWordSize",
      "sldrSpacing",   "PushButton1",    "PushButton2",  "PushButton3",     "PushButton4", "PushButton5",
      "PushButton7",   "PushButton6",    "BevelButton1", "Timer1"};
  return names;
}

void Window1::Handle(const std::function<void()>& handler) { Guarded(handler); }

void Window1::CreateControls() {
  _CreateControls0();
  _CreateControls1();
}

namespace {
QLabel* MakeLabel(QWidget* parent, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setTextFormat(Qt::PlainText);
  l->setFont(SystemFont(12));
  l->setTextInteractionFlags(Qt::NoTextInteraction);
  l->setFocusPolicy(Qt::NoFocus);
  return l;
}

TextField* MakeField(QWidget* parent, int limit) {
  auto* f = new TextField(parent);
  f->SetTextFont(QStringLiteral("System"), 12);
  f->SetLimitText(limit);
  ModifiedKeyFilter::InstallOn(f);
  return f;
}

Slider* MakeSlider(QWidget* parent, int minimum, int value, int maximum) {
  auto* s = new Slider(parent);
  s->setRange(minimum, maximum);
  s->setValue(value);
  return s;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  // The platform's button font, set on the button itself: otherwise it would take the settings
  // panel's 12-pixel font from its parent.
  b->setFont(QApplication::font("QPushButton"));
  b->setAutoDefault(false);
  b->setDefault(false);
  return b;
}
}  // namespace

void Window1::_CreateControls0() {
  QWidget* c = content_;

  Canvas1_ = Register(QStringLiteral("Canvas1"), new Canvas(c));
  Place(Canvas1_, 408, 17, 576, 756);
  Canvas1_->SetPaintHandler([this](Canvas* canvas, Graphics& g) { Canvas1_Paint(canvas, g); });

  Label2_ = Register(QStringLiteral("Label2"), MakeLabel(c, QStringLiteral("Title:")));
  Place(Label2_, 20, 17, 36, 20);

  txtTitle_ = Register(QStringLiteral("txtTitle"), MakeField(c, 140));
  Place(txtTitle_, 68, 17, 328, 22);
  connect(txtTitle_, &TextField::TextChange, this, [this] { Handle([this] { txtTitle_TextChange(txtTitle_); }); });

  txtCapo_ = Register(QStringLiteral("txtCapo"), MakeField(c, 10));
  Place(txtCapo_, 68, 45, 38, 22);
  connect(txtCapo_, &TextField::TextChange, this, [this] { Handle([this] { txtCapo_TextChange(txtCapo_); }); });

  Label3_ = Register(QStringLiteral("Label3"), MakeLabel(c, QStringLiteral("Capo:")));
  Place(Label3_, 20, 45, 36, 20);

  txtKey_ = Register(QStringLiteral("txtKey"), MakeField(c, 10));
  Place(txtKey_, 159, 45, 38, 22);
  connect(txtKey_, &TextField::TextChange, this, [this] { Handle([this] { txtKey_TextChange(txtKey_); }); });

  Label4_ = Register(QStringLiteral("Label4"), MakeLabel(c, QStringLiteral("Key:")));
  Place(Label4_, 123, 45, 30, 20);

  txtSong_ = Register(QStringLiteral("txtSong"), new TextArea(c));
  Place(txtSong_, 20, 79, 376, 350);
  txtSong_->SetTextFont(QStringLiteral("System"));
  txtSong_->SetTextSize(12);
  txtSong_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtSong_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtSong_->SetWordReading(SongWordReading());
  txtSong_->SetAutomaticallyCheckSpelling(true);
  ModifiedKeyFilter::InstallOn(txtSong_);
  connect(txtSong_, &TextArea::TextChange, this, [this] { Handle([this] { txtSong_TextChange(txtSong_); }); });

  txtTiming_ = Register(QStringLiteral("txtTiming"), MakeField(c, 10));
  Place(txtTiming_, 261, 45, 38, 22);
  connect(txtTiming_, &TextField::TextChange, this, [this] { Handle([this] { txtTiming_TextChange(txtTiming_); }); });

  Label11_ = Register(QStringLiteral("Label11"), MakeLabel(c, QStringLiteral("Timing:")));
  Place(Label11_, 213, 45, 45, 20);

  txtTempo_ = Register(QStringLiteral("txtTempo"), MakeField(c, 10));
  Place(txtTempo_, 358, 45, 38, 22);
  connect(txtTempo_, &TextField::TextChange, this, [this] { Handle([this] { txtTempo_TextChange(txtTempo_); }); });

  Label12_ = Register(QStringLiteral("Label12"), MakeLabel(c, QStringLiteral("Tempo:")));
  Place(Label12_, 310, 45, 45, 20);

  cbCenterLine_ = Register(QStringLiteral("cbCenterLine"), new CheckBox(c));
  Place(cbCenterLine_, 149, 722, 141, 20);
  cbCenterLine_->setText(QStringLiteral("Draw Center Line"));
  cbCenterLine_->setFont(SystemFont(12));
  cbCenterLine_->SetValue(true);
  connect(cbCenterLine_, &CheckBox::Action, this, [this] { Handle([this] { cbCenterLine_Action(cbCenterLine_); }); });

  UpDownArrows1_ = Register(QStringLiteral("UpDownArrows1"), new UpDownArrows(c));
  Place(UpDownArrows1_, 383, 720, 13, 23);
  connect(UpDownArrows1_, &UpDownArrows::Up, this, [this] { Handle([this] { UpDownArrows1_Up(UpDownArrows1_); }); });
  connect(UpDownArrows1_, &UpDownArrows::Down, this,
          [this] { Handle([this] { UpDownArrows1_Down(UpDownArrows1_); }); });

  lblPage_ = Register(QStringLiteral("lblPage"), MakeLabel(c, QStringLiteral("Page 1")));
  Place(lblPage_, 302, 722, 75, 20);

  // The toolbar has no place in the content: the window shows it above.
  Toolbar11_ = Register(QStringLiteral("Toolbar11"), new Toolbar1(this));
  addToolBar(Qt::TopToolBarArea, Toolbar11_);
  Toolbar11_->setVisible(true);
  Toolbar11_->setEnabled(true);
  connect(Toolbar11_, &Toolbar1::Action, this,
          [this](QAction* item) { Handle([this, item] { Toolbar11_Action(Toolbar11_, item); }); });

  GroupBox1_ = Register(QStringLiteral("GroupBox1"), new QGroupBox(c));
  Place(GroupBox1_, kGroupLeft, kGroupTop, 376, 267);
  GroupBox1_->setTitle(QString());
  GroupBox1_->setFont(SystemFont(12));
  GroupBox1_->setFocusPolicy(Qt::NoFocus);
  QWidget* p = GroupBox1_;

  const struct {
    QLabel* Window1::*member;
    const char* name;
    const char* text;
    int top, width;
  } labels[] = {
      {&Window1::Label1_, "Label1", "Spacing", 462, 58},    {&Window1::Label5_, "Label5", "Word Size", 497, 58},
      {&Window1::Label6_, "Label6", "Chord Size", 532, 77}, {&Window1::Label10_, "Label10", "Chord Offset", 567, 77},
      {&Window1::Label7_, "Label7", "Fret Size", 602, 58},  {&Window1::Label8_, "Label8", "Fret Offset", 637, 58},
      {&Window1::Label9_, "Label9", "Row Height", 672, 67}};
  for (const auto& l : labels) {
    this->*l.member = Register(QString::fromLatin1(l.name), MakeLabel(p, QString::fromLatin1(l.text)));
    Place(this->*l.member, 134, l.top, l.width, 16);
    // Where our font sets a label wider than its place, it grows into the free space before the
    // sliders rather than cutting its text short.
    QLabel* label = this->*l.member;
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 2;
    if (needed > l.width) label->resize(std::min(needed, 226 - 134 - 4), label->height());
  }

  sldrRowHeight_ = Register(QStringLiteral("sldrRowHeight"), MakeSlider(p, 20, 27, 45));
  Place(sldrRowHeight_, 226, 671, 147, 24);
  connect(sldrRowHeight_, &Slider::ValueChanged, this,
          [this] { Handle([this] { sldrRowHeight_ValueChanged(sldrRowHeight_); }); });

  sldrFretOffset_ = Register(QStringLiteral("sldrFretOffset"), MakeSlider(p, 8, 22, 35));
  Place(sldrFretOffset_, 226, 635, 147, 28);
  connect(sldrFretOffset_, &Slider::ValueChanged, this,
          [this] { Handle([this] { sldrFretOffset_ValueChanged(sldrFretOffset_); }); });

  sldrFrets_ = Register(QStringLiteral("sldrFrets"), MakeSlider(p, 4, 7, 10));
  Place(sldrFrets_, 226, 602, 147, 25);
  connect(sldrFrets_, &Slider::ValueChanged, this, [this] { Handle([this] { sldrFrets_ValueChanged(sldrFrets_); }); });

  sldrChordOffset_ = Register(QStringLiteral("sldrChordOffset"), MakeSlider(p, 10, 13, 20));
  Place(sldrChordOffset_, 226, 567, 147, 27);
  connect(sldrChordOffset_, &Slider::ValueChanged, this,
          [this] { Handle([this] { sldrChordOffset_ValueChanged(sldrChordOffset_); }); });

  sldrChords_ = Register(QStringLiteral("sldrChords"), MakeSlider(p, 8, 12, 14));
  Place(sldrChords_, 226, 532, 147, 27);
  connect(sldrChords_, &Slider::ValueChanged, this,
          [this] { Handle([this] { sldrChords_ValueChanged(sldrChords_); }); });

  sldrWordSize_ = Register(QStringLiteral("sldrWordSize"), MakeSlider(p, 8, 12, 14));
  Place(sldrWordSize_, 226, 497, 147, 27);
  connect(sldrWordSize_, &Slider::ValueChanged, this,
          [this] { Handle([this] { sldrWordSize_ValueChanged(sldrWordSize_); }); });
}

void Window1::_CreateControls1() {
  QWidget* p = GroupBox1_;

  sldrSpacing_ = Register(QStringLiteral("sldrSpacing"), MakeSlider(p, 2, 5, 10));
  Place(sldrSpacing_, 226, 462, 147, 27);
  connect(sldrSpacing_, &Slider::ValueChanged, this,
          [this] { Handle([this] { sldrSpacing_ValueChanged(sldrSpacing_); }); });

  const struct {
    QPushButton* Window1::*member;
    const char* name;
    const char* caption;
    int top;
    void (Window1::*handler)(QPushButton*);
  } buttons[] = {{&Window1::PushButton1_, "PushButton1", "Chord", 459, &Window1::PushButton1_Action},
                 {&Window1::PushButton2_, "PushButton2", "Caption", 494, &Window1::PushButton2_Action},
                 {&Window1::PushButton3_, "PushButton3", "Paragraph", 529, &Window1::PushButton3_Action},
                 {&Window1::PushButton4_, "PushButton4", "Insert Frets", 564, &Window1::PushButton4_Action},
                 {&Window1::PushButton5_, "PushButton5", "Bold", 599, &Window1::PushButton5_Action},
                 {&Window1::PushButton7_, "PushButton7", "Column", 634, &Window1::PushButton7_Action},
                 {&Window1::PushButton6_, "PushButton6", "Page", 669, &Window1::PushButton6_Action}};
  for (const auto& b : buttons) {
    QPushButton* button = Register(QString::fromLatin1(b.name), MakeButton(p, QString::fromLatin1(b.caption)));
    this->*b.member = button;
    Place(button, 32, b.top, 90, 22);
    FitTextToBox(button);  // a large platform font must not cut the caption
    const auto handler = b.handler;
    connect(button, &QPushButton::clicked, this,
            [this, button, handler] { Handle([=, this] { (this->*handler)(button); }); });
  }

  BevelButton1_ = Register(QStringLiteral("BevelButton1"), new BevelButton(content_));
  BevelButton1_->setIcon(IconOf(Slider16()));
  Place(BevelButton1_, 20, 722, 99, 22);
  BevelButton1_->setText(QStringLiteral("Settings"));
  BevelButton1_->setFont(SystemFont(12));
  BevelButton1_->SetValue(false);
  BevelButton1_->setFocusPolicy(Qt::StrongFocus);
  connect(BevelButton1_, &BevelButton::Action, this,
          [this] { Handle([this] { BevelButton1_Action(BevelButton1_); }); });

  // Screen readers name each input after its label; the song text, the preview and the page
  // arrows have no label of their own.
  Label2_->setBuddy(txtTitle_);
  Label3_->setBuddy(txtCapo_);
  Label4_->setBuddy(txtKey_);
  Label11_->setBuddy(txtTiming_);
  Label12_->setBuddy(txtTempo_);
  Label1_->setBuddy(sldrSpacing_);
  Label5_->setBuddy(sldrWordSize_);
  Label6_->setBuddy(sldrChords_);
  Label10_->setBuddy(sldrChordOffset_);
  Label7_->setBuddy(sldrFrets_);
  Label8_->setBuddy(sldrFretOffset_);
  Label9_->setBuddy(sldrRowHeight_);
  txtSong_->setAccessibleName(QStringLiteral("Song text"));
  Canvas1_->setAccessibleName(QStringLiteral("Preview"));
  UpDownArrows1_->setAccessibleName(QStringLiteral("Page arrows"));
  UpDownArrows1_->setAccessibleDescription(QStringLiteral("Up: previous page, Down: next page"));

  // Focus order: the header fields, the song text, the centre-line box, the page arrows, the
  // settings panel (sliders from the bottom row up, then the buttons from the top down) and the
  // "Settings" button. Labels and the canvas take no focus.
  const std::vector<QWidget*> order = {txtTitle_,    txtCapo_,         txtKey_,        txtTiming_,     txtTempo_,
                                       txtSong_,     cbCenterLine_,    UpDownArrows1_, sldrRowHeight_, sldrFretOffset_,
                                       sldrFrets_,   sldrChordOffset_, sldrChords_,    sldrWordSize_,  sldrSpacing_,
                                       PushButton1_, PushButton2_,     PushButton3_,   PushButton4_,   PushButton5_,
                                       PushButton7_, PushButton6_,     BevelButton1_};
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

  Timer1_ = Register(QStringLiteral("Timer1"), new QTimer(this));
  Timer1_->setSingleShot(true);
  Timer1_->setInterval(50);
  connect(Timer1_, &QTimer::timeout, this, [this] { Handle([this] { Timer1_Action(Timer1_); }); });
  Timer1_->start();
}
