// The song's fields in their controls, through the rows of the control table that name a field:
// the controls are filled from the song state without running their change handlers, and each
// change handler writes its control's value back to its field.
#include <QSignalBlocker>
#include <algorithm>
#include <type_traits>
#include <utility>
#include <variant>

#include "mainwindow/window1.h"
#include "platform/core/errors.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"

namespace {

// The value each kind of control shows of its field, how it is shown, and what the control reads
// back of a text it is given.
QString ValueOf(const TextField& c) { return c.Text(); }
QString ValueOf(const TextArea& c) { return c.Text(); }
bool ValueOf(const CheckBox& c) { return c.Value(); }
int ValueOf(const Slider& c) { return c.Value(); }
void Show(TextField& c, const QString& v) { c.SetText(v); }
void Show(TextArea& c, const QString& v) {
  c.SetText(v);
  // The field holds what the area reads: from here on, the area's edits keep it so.
  if (c.Text() == v) c.TakeEdits();
}
void Show(CheckBox& c, bool v) { c.SetValue(v); }
void Show(Slider& c, int v) { c.SetValue(v); }
bool Store(SongState& s, QString SongDocument::*f, const QString& v) { return s.SetText(f, v); }
bool Store(SongState& s, bool SongDocument::*f, bool v) { return s.SetFlag(f, v); }
bool Store(SongState& s, int SongDocument::*f, int v) { return s.SetNumber(f, v); }
// A keystroke in the song text changes the field where it changed, not by reading it whole.
template <class Control, class Value>
bool StoreFrom(SongState& s, Value SongDocument::*f, Control& c) {
  if constexpr (std::is_same_v<Control, TextArea>) {
    if (const auto edits = c.TakeEdits(); edits && s.EditText(f, *edits)) return !edits->empty();
  }
  return Store(s, f, ValueOf(c));
}

// Calls act(control, member) with the control of a row that shows a song field, as the class
// that shows that kind of field, and the member of the document it shows; a row without a field
// calls nothing. A control of another class is an error of the table, found when the window is
// made (the first fill reaches every row).
template <class Control, class Member, class Act>
void AsShownBy(QObject* control, const ControlRow& row, Member member, const Act& act) {
  auto* typed = qobject_cast<Control*>(control);
  if (!typed) throw RuntimeException(QStringLiteral("%1 cannot show its song field").arg(row.name));
  act(*typed, member);
}

template <class Act>
void WithField(QObject* control, const ControlRow& row, const Act& act) {
  if (const auto* text = std::get_if<QString SongDocument::*>(&row.field)) {
    if (row.kind == ControlKind::SongText)
      AsShownBy<TextArea>(control, row, *text, act);
    else
      AsShownBy<TextField>(control, row, *text, act);
  } else if (const auto* flag = std::get_if<bool SongDocument::*>(&row.field)) {
    AsShownBy<CheckBox>(control, row, *flag, act);
  } else if (const auto* layout = std::get_if<LayoutField>(&row.field)) {
    AsShownBy<Slider>(control, row, layout->field, act);
  }
}

}  // namespace

void Window1::FillControls(Afresh afresh) {
  const SongDocument& doc = state_.Document();
  for (const Registered& r : controls_) {
    WithField(r.control, *r.row, [&](auto& control, auto member) {
      const bool text = std::is_same_v<decltype(member), QString SongDocument::*>;
      const bool anew =
          (afresh == Afresh::EveryText && text) || (afresh == Afresh::SongText && r.row->kind == ControlKind::SongText);
      if (!anew && ValueOf(control) == doc.*member) return;
      const QSignalBlocker quiet(&control);
      Show(control, doc.*member);
    });
  }
}

template <class Control>
void Window1::FieldChange(Control* control) {
  const QObject* const object = control;
  const auto it =
      std::find_if(controls_.begin(), controls_.end(), [object](const Registered& r) { return r.control == object; });
  if (it == controls_.end()) throw NilObjectException(QStringLiteral("The control is not one of the window's"));
  WithField(it->control, *it->row, [this](auto& c, auto member) { StoreFrom(state_, member, c); });
  doDrawing();
}
template void Window1::FieldChange(TextField*);
template void Window1::FieldChange(TextArea*);
template void Window1::FieldChange(CheckBox*);
template void Window1::FieldChange(Slider*);

SongDocument Window1::AsShown(SongDocument doc) {
  for (const ControlRow& row : ControlTable()) {
    const auto* member = std::get_if<QString SongDocument::*>(&row.field);
    if (!member) continue;
    QString& text = doc.**member;
    text = row.kind == ControlKind::SongText ? TextArea::ReadBack(std::move(text)) : TextField::ReadBack(text);
  }
  return doc;
}

SongDocument Window1::WithDefaultLayout(SongDocument doc) {
  for (const ControlRow& row : ControlTable())
    if (const auto* layout = std::get_if<LayoutField>(&row.field)) doc.*layout->field = layout->range.def;
  return doc;
}
