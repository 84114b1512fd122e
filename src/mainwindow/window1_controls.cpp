// The controls of the window, made from their rows of the control table in its order, each
// completely before the next, and only then connected to their event handlers, so that building
// the window runs no handler.
#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <type_traits>
#include <utility>
#include <vector>

#include "mainwindow/song_spelling.h"
#include "mainwindow/window1.h"
#include "platform/core/errors.h"
#include "platform/desktop/controls/bevel_button.h"
#include "platform/desktop/controls/canvas.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/modified_keys.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/controls/up_down_arrows.h"
#include "platform/desktop/picture.h"
#include "platform/desktop/text_fit.h"
#include "shell/resource_pictures.h"
#include "shell/toolbar1.h"

void Window1::Register(const ControlRow& row, QObject* control) {
  const QString name = QString::fromLatin1(row.name);
  control->setObjectName(name);
  controls_.push_back({name, control, &row});
}

QObject* Window1::_ControlByName(const QString& name) const {
  for (const Registered& r : controls_)
    if (r.name == name) return r.control;
  return nullptr;
}

void Window1::CreateControls() {
  _CreateControls0();
  _CreateControls1();
}

namespace {
// "System" at a pixel size; 0 keeps the platform's size for the control.
QFont SystemFont(int pixels) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  if (pixels > 0) f.setPixelSize(pixels);
  return f;
}

// The table's first thirty rows, Canvas1 to sldrWordSize, are made by the first half of the
// construction, the other ten by the second.
constexpr size_t kFirstHalf = 30;

const ControlRow& RowNamed(const char* name) {
  for (const ControlRow& row : Window1::ControlTable())
    if (qstrcmp(row.name, name) == 0) return row;
  throw RuntimeException(QStringLiteral("No control is called %1").arg(QString::fromLatin1(name)));
}

// Where the control comes in the window's focus order: the content's controls by their own
// place, a panel's controls at their panel's place, by their own place inside it.
std::pair<int, int> FocusPlace(const ControlRow& row) {
  if (*row.parent == '\0') return {row.tab, -1};
  return {RowNamed(row.parent).tab, row.tab};
}

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

TextArea* MakeSongText(QWidget* parent, const QString& name) {
  auto* t = new TextArea(parent);
  t->SetTextFont(QStringLiteral("System"));
  t->SetTextSize(12);
  t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  t->SetWordReading(SongWordReading());
  t->SetAutomaticallyCheckSpelling(true);
  ModifiedKeyFilter::InstallOn(t);
  t->setAccessibleName(name);
  return t;
}

CheckBox* MakeCheckBox(QWidget* parent, const QString& caption) {
  auto* b = new CheckBox(parent);
  b->setText(caption);
  b->setFont(SystemFont(12));
  return b;
}

UpDownArrows* MakePageArrows(QWidget* parent, const QString& name) {
  auto* a = new UpDownArrows(parent);
  a->setAccessibleName(name);
  a->setAccessibleDescription(QStringLiteral("Up: previous page, Down: next page"));
  return a;
}

QGroupBox* MakePanel(QWidget* parent, const QString& title) {
  auto* g = new QGroupBox(parent);
  g->setTitle(title);
  g->setFont(SystemFont(12));
  g->setFocusPolicy(Qt::NoFocus);
  return g;
}

// The slider of a layout value offers the value's range.
Slider* MakeSlider(QWidget* parent, const SongField& field) {
  const auto* layout = std::get_if<LayoutField>(&field);
  if (!layout) throw RuntimeException(QStringLiteral("A slider shows no layout value"));
  auto* s = new Slider(parent);
  s->setRange(layout->range.lo, layout->range.hi);
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

BevelButton* MakeToggle(QWidget* parent, const QString& caption, bool down) {
  auto* b = new BevelButton(parent);
  b->setIcon(IconOf(Slider16()));
  b->setText(caption);
  b->setFont(SystemFont(12));
  b->SetValue(down);
  b->setFocusPolicy(Qt::StrongFocus);
  return b;
}
}  // namespace

void Window1::_CreateControls0() {
  const auto& rows = ControlTable();
  for (size_t i = 0; i < kFirstHalf && i < rows.size(); ++i) MakeControl(rows[i]);
}

void Window1::_CreateControls1() {
  const auto& rows = ControlTable();
  for (size_t i = kFirstHalf; i < rows.size(); ++i) MakeControl(rows[i]);
  // Once every control is in its place, a label's text and a button's caption are fitted to the
  // room they have, so that a large platform font cuts none of them: a label grows into the free
  // space before the control on its line, and the panel's buttons keep one size.
  FitTextsIn(content_);
  ConnectControls();
}

QWidget* Window1::ParentOf(const ControlRow& row) const {
  if (*row.parent == '\0') return content_;
  auto* parent = qobject_cast<QWidget*>(_ControlByName(QString::fromLatin1(row.parent)));
  if (!parent)
    throw RuntimeException(QStringLiteral("%1 is made before its parent %2")
                               .arg(QString::fromLatin1(row.name), QString::fromLatin1(row.parent)));
  return parent;
}

void Window1::MakeControl(const ControlRow& row) {
  using K = ControlKind;
  const QString text = QString::fromUtf8(row.text);
  QObject* made = nullptr;
  switch (row.kind) {
    case K::Preview: {
      auto* canvas = new Canvas(ParentOf(row));
      canvas->setAccessibleName(text);
      made = canvas;
      break;
    }
    case K::Label:
    case K::PageLabel:
      made = MakeLabel(ParentOf(row), text);
      break;
    case K::Field:
      made = MakeField(ParentOf(row), row.values.limit);
      break;
    case K::SongText:
      made = MakeSongText(ParentOf(row), text);
      break;
    case K::CheckBox:
      made = MakeCheckBox(ParentOf(row), text);
      break;
    case K::PageArrows:
      made = MakePageArrows(ParentOf(row), text);
      break;
    case K::Toolbar: {
      // The toolbar has no place in the content: the window shows it above.
      auto* toolbar = new Toolbar1(this);
      addToolBar(Qt::TopToolBarArea, toolbar);
      toolbar->setVisible(true);
      toolbar->setEnabled(true);
      made = toolbar;
      break;
    }
    case K::Panel:
      made = MakePanel(ParentOf(row), text);
      break;
    case K::Slider:
      made = MakeSlider(ParentOf(row), row.field);
      break;
    case K::Button:
      made = MakeButton(ParentOf(row), text);
      break;
    case K::Toggle:
      made = MakeToggle(ParentOf(row), text, row.values.value != 0);
      break;
    case K::Timer: {
      auto* timer = new QTimer(this);
      timer->setSingleShot(true);
      timer->setInterval(row.values.value);
      made = timer;
      break;
    }
  }
  const QString name = QString::fromLatin1(row.name);
  Register(row, made);

  if (auto* widget = qobject_cast<QWidget*>(made); widget && !row.rect.isEmpty()) {
    // The row gives the place in the content; a control inside the panel is placed relative to it.
    widget->setGeometry(row.rect.translated(-widget->parentWidget()->mapTo(content_, QPoint(0, 0))));
  }

  std::visit(
      [&](auto slot) {
        if constexpr (!std::is_same_v<decltype(slot), std::monostate>) {
          using Control = std::remove_pointer_t<std::remove_reference_t<decltype(this->*slot)>>;
          auto* typed = qobject_cast<Control*>(made);
          if (!typed) throw RuntimeException(QStringLiteral("%1 is not of its member's class").arg(name));
          this->*slot = typed;
        }
      },
      row.slot);
}

namespace {
// The one event of each kind of control that a row's handler is bound to.
auto EventOf(TextField*) { return &TextField::TextChange; }
auto EventOf(TextArea*) { return &TextArea::TextChange; }
auto EventOf(CheckBox*) { return &CheckBox::Action; }
auto EventOf(Slider*) { return &Slider::ValueChanged; }
auto EventOf(QPushButton*) { return &QPushButton::clicked; }
auto EventOf(BevelButton*) { return &BevelButton::Action; }
auto EventOf(QTimer*) { return &QTimer::timeout; }
}  // namespace

void Window1::Bind(const ControlRow&, std::monostate) {}

template <class Control>
void Window1::Bind(const ControlRow& row, HandlerOf<Control> handler) {
  auto* control = qobject_cast<Control*>(_ControlByName(QString::fromLatin1(row.name)));
  if (!control) throw RuntimeException(QStringLiteral("%1 is not of its handler's class").arg(row.name));
  connect(control, EventOf(control), this,
          [this, control, handler] { Handle([this, control, handler] { (this->*handler)(control); }); });
}

void Window1::ConnectControls() {
  const auto& rows = ControlTable();
  const auto widgetOf = [this](const ControlRow& row) { return qobject_cast<QWidget*>(_ControlByName(row.name)); };

  // Screen readers name each input after its label; the song text, the preview and the page
  // arrows carry a name of their own.
  for (const ControlRow& row : rows)
    if (row.kind == ControlKind::Label)
      qobject_cast<QLabel*>(widgetOf(row))->setBuddy(qobject_cast<QWidget*>(_ControlByName(row.buddy)));

  // The focus order: the inputs by their places in the table, the panel's at the panel's place.
  std::vector<const ControlRow*> focusOrder;
  for (const ControlRow& row : rows)
    if (TakesFocus(row.kind)) focusOrder.push_back(&row);
  std::stable_sort(focusOrder.begin(), focusOrder.end(),
                   [](const ControlRow* a, const ControlRow* b) { return FocusPlace(*a) < FocusPlace(*b); });
  for (size_t i = 1; i < focusOrder.size(); ++i)
    QWidget::setTabOrder(widgetOf(*focusOrder[i - 1]), widgetOf(*focusOrder[i]));

  // The event handlers, attached once every control is made, so that making the window runs none
  // of them: each row's handler to its control's one event, and by hand the events that carry
  // arguments of their own.
  for (const ControlRow& row : rows) std::visit([&](auto handler) { Bind(row, handler); }, row.handler);
  Canvas1_->SetPaintHandler([this](Canvas* canvas, Graphics& g) { Canvas1_Paint(canvas, g); });
  connect(UpDownArrows1_, &UpDownArrows::Up, this, [this] { Handle([this] { UpDownArrows1_Up(UpDownArrows1_); }); });
  connect(UpDownArrows1_, &UpDownArrows::Down, this,
          [this] { Handle([this] { UpDownArrows1_Down(UpDownArrows1_); }); });
  connect(Toolbar11_, &Toolbar1::Action, this,
          [this](QAction* item) { Handle([this, item] { Toolbar11_Action(Toolbar11_, item); }); });
  Timer1_->start();
}
