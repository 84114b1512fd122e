#pragma once
// The main window's forty controls as one table, a row per control in the order they are made:
// what each is, where it sits, what it shows, where it stands in the focus order, which field of
// the song it shows and edits, and the handler of its event. The window makes every control from
// its row in one loop, connects each to its handler in another (window1_controls.cpp), and fills
// and reads the song's fields through the rows that name one (window1_fields.cpp).
#include <QRect>
#include <QString>
#include <variant>

#include "sheet/layout_ranges.h"
#include "sheet/song_document.h"

class BevelButton;
class Canvas;
class CheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class Slider;
class TextArea;
class TextField;
class Toolbar1;
class UpDownArrows;
class Window1;

enum class ControlKind {
  Preview,     // the canvas that shows the current page; takes no focus
  Label,       // names the input in its row's buddy column; takes no focus
  PageLabel,   // shows the page number and names nothing; takes no focus
  Field,       // one line of text
  SongText,    // the song text
  CheckBox,    // the centre-line box
  PageArrows,  // the up and down arrows that turn the page
  Toolbar,     // shown by the window above the content: no place of its own
  Panel,       // the settings panel, which holds the rows that name it as their parent; takes no focus
  Slider,      // one layout value of the settings panel
  Button,      // a marker button of the settings panel
  Toggle,      // the "Settings" button, which stays down while the panel is shown
  Timer,       // no place: fires once, a while after it is made
};

// Whether a control of that kind takes the keyboard focus.
bool TakesFocus(ControlKind kind);

// The values a control starts with, where its kind has any and they are not a song field's.
struct ControlValues {
  int limit = 0;  // a field: the most characters it takes
  int value = 0;  // 1 for a toggle down; the timer's period in ms
};
constexpr ControlValues Limit(int characters) { return {characters, 0}; }
constexpr ControlValues Checked(bool on) { return {0, on ? 1 : 0}; }
constexpr ControlValues PeriodMs(int ms) { return {0, ms}; }

// A layout value of the song and the range its slider offers; the range's default is the
// document's.
struct LayoutField {
  int SongDocument::*field;
  LayoutRange range;
};
// The field of the song a control shows and edits: a text, the centre line or a layout value.
using SongField = std::variant<std::monostate, QString SongDocument::*, bool SongDocument::*, LayoutField>;

// The window's member that keeps the control, typed as its class; none for a control that the
// window reaches only through its row.
template <class Control>
using MemberOf = Control* Window1::*;
using ControlSlot =
    std::variant<std::monostate, MemberOf<Canvas>, MemberOf<QLabel>, MemberOf<TextField>, MemberOf<TextArea>,
                 MemberOf<CheckBox>, MemberOf<UpDownArrows>, MemberOf<Toolbar1>, MemberOf<QGroupBox>, MemberOf<Slider>,
                 MemberOf<QPushButton>, MemberOf<BevelButton>, MemberOf<QTimer>>;

// The window's handler of a control's one event (a text or value change, a click, the timer),
// called with the control. The preview's paint, the page arrows' two events and the toolbar's
// item carry arguments of their own and are bound apart. A control that shows a song field and
// has no handler of its own names Window1::FieldChange, which writes the field and redraws.
template <class Control>
using HandlerOf = void (Window1::*)(Control*);
using ControlHandler =
    std::variant<std::monostate, HandlerOf<TextField>, HandlerOf<TextArea>, HandlerOf<CheckBox>, HandlerOf<Slider>,
                 HandlerOf<QPushButton>, HandlerOf<BevelButton>, HandlerOf<QTimer>>;

struct ControlRow {
  const char* name;  // unique in the window; the control's object name
  ControlKind kind;
  // In the content's coordinates, also for a control inside the panel; empty for the toolbar and
  // the timer, which have no place.
  QRect rect;
  const char* parent;  // "" for the content, or the name of the panel the control sits in
  // What it shows: a label's text or a button's caption; for a control without a text of its own,
  // the name that assistive technology reads for it.
  const char* text;
  // Its place in its parent's focus order; a panel's controls take their panel's place in the
  // content's order. Kinds that take no focus keep a place too, which orders nothing.
  int tab;
  const char* buddy;  // a label: the input it names
  ControlValues values;
  ControlSlot slot;
  SongField field;  // what the state holds of the control: its value and, for a slider, its range
  ControlHandler handler;
};
