#pragma once
// The application's one document window. The open song lives in its SongState: each control's
// change handler writes its one field there, and the preview, open, save and print read it from
// there. Every command is a method of this class, split over the window1_*.cpp files by concern.
// Methods are thin: they call the pure code in sheet/ and tools/ and write the result back.
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "mainwindow/window1_control_table.h"
#include "platform/core/files.h"
#include "sheet/song_document.h"
#include "sheet/song_state.h"

class BevelButton;
class Canvas;
class CheckBox;
class Graphics;
class MenuItem;
class Picture;
class PrinterSetup;
class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class Slider;
class TextArea;
class TextField;
class Toolbar1;
class UpDownArrows;

class Window1 : public QMainWindow {
  Q_OBJECT
 public:
  // The open main window; a new one (built, opened and shown) when there is none, also after the
  // previous one has been closed.
  static Window1* Instance();
  // The open main window, or nullptr; never creates one.
  static Window1* Existing();

  ~Window1() override;

  // Window construction.
  void Layout();
  void CreateControls();
  void _CreateControls0();
  void _CreateControls1();

  // The forty controls, each made from its row of ControlTable().
  Canvas* Canvas1() const { return Canvas1_; }
  QLabel* Label2() const { return Label2_; }
  TextField* txtTitle() const { return txtTitle_; }
  TextField* txtCapo() const { return txtCapo_; }
  QLabel* Label3() const { return Label3_; }
  TextField* txtKey() const { return txtKey_; }
  QLabel* Label4() const { return Label4_; }
  TextArea* txtSong() const { return txtSong_; }
  TextField* txtTiming() const { return txtTiming_; }
  QLabel* Label11() const { return Label11_; }
  TextField* txtTempo() const { return txtTempo_; }
  QLabel* Label12() const { return Label12_; }
  CheckBox* cbCenterLine() const { return cbCenterLine_; }
  UpDownArrows* UpDownArrows1() const { return UpDownArrows1_; }
  QLabel* lblPage() const { return lblPage_; }
  Toolbar1* Toolbar11() const { return Toolbar11_; }
  QGroupBox* GroupBox1() const { return GroupBox1_; }
  QLabel* Label1() const { return Label1_; }
  QLabel* Label5() const { return Label5_; }
  QLabel* Label6() const { return Label6_; }
  QLabel* Label10() const { return Label10_; }
  QLabel* Label7() const { return Label7_; }
  QLabel* Label8() const { return Label8_; }
  QLabel* Label9() const { return Label9_; }
  Slider* sldrRowHeight() const { return sldrRowHeight_; }
  Slider* sldrFretOffset() const { return sldrFretOffset_; }
  Slider* sldrFrets() const { return sldrFrets_; }
  Slider* sldrChordOffset() const { return sldrChordOffset_; }
  Slider* sldrChords() const { return sldrChords_; }
  Slider* sldrWordSize() const { return sldrWordSize_; }
  Slider* sldrSpacing() const { return sldrSpacing_; }
  QPushButton* PushButton1() const { return PushButton1_; }
  QPushButton* PushButton2() const { return PushButton2_; }
  QPushButton* PushButton3() const { return PushButton3_; }
  QPushButton* PushButton4() const { return PushButton4_; }
  QPushButton* PushButton5() const { return PushButton5_; }
  QPushButton* PushButton7() const { return PushButton7_; }
  QPushButton* PushButton6() const { return PushButton6_; }
  BevelButton* BevelButton1() const { return BevelButton1_; }
  QTimer* Timer1() const { return Timer1_; }
  // The control registered under name (any of the forty), or nullptr.
  QObject* _ControlByName(const QString& name) const;
  // The forty controls' rows, in the order the controls are made.
  static const std::vector<ControlRow>& ControlTable();

  // Control event handlers.
  void Canvas1_Paint(Canvas* c, Graphics& g);
  void txtTitle_TextChange(TextField* c);
  void txtCapo_TextChange(TextField* c);
  void txtKey_TextChange(TextField* c);
  void txtSong_TextChange(TextArea* c);
  void txtTiming_TextChange(TextField* c);
  void txtTempo_TextChange(TextField* c);
  void cbCenterLine_Action(CheckBox* c);
  void UpDownArrows1_Up(UpDownArrows* c);
  void UpDownArrows1_Down(UpDownArrows* c);
  void Toolbar11_Action(Toolbar1* c, QAction* item);
  void sldrRowHeight_ValueChanged(Slider* c);
  void sldrFretOffset_ValueChanged(Slider* c);
  void sldrFrets_ValueChanged(Slider* c);
  void sldrChordOffset_ValueChanged(Slider* c);
  void sldrChords_ValueChanged(Slider* c);
  void sldrWordSize_ValueChanged(Slider* c);
  void sldrSpacing_ValueChanged(Slider* c);
  void PushButton1_Action(QPushButton* c);
  void PushButton2_Action(QPushButton* c);
  void PushButton3_Action(QPushButton* c);
  void PushButton4_Action(QPushButton* c);
  void PushButton5_Action(QPushButton* c);
  void PushButton7_Action(QPushButton* c);
  void PushButton6_Action(QPushButton* c);
  void BevelButton1_Action(BevelButton* c);
  void Timer1_Action(QTimer* c);

  // The items of the shared menu bar, by name (nullptr for a name it does not hold).
  MenuItem* HelpMenu() const;
  MenuItem* mnuAbout() const;
  MenuItem* mnuToggleToolbar() const;
  MenuItem* mnuHelp() const;
  MenuItem* mnuInsert() const;
  MenuItem* mnuInsertPage() const;
  MenuItem* mnuInsertColumn() const;
  MenuItem* mnuInsertBold() const;
  MenuItem* mnuInsertFrets() const;
  MenuItem* mnuInsertParagrpah() const;
  MenuItem* mnuInsertCaption() const;
  MenuItem* mnuInsertChord() const;
  MenuItem* EditMenu() const;
  MenuItem* mnuToggleSpellCheck() const;
  MenuItem* mnuRestoreDefaults() const;
  MenuItem* mnuSettings() const;
  MenuItem* mnuShowMono() const;
  MenuItem* UntitledItem01() const;
  MenuItem* mnuSearchReplace() const;
  MenuItem* mnuSearch() const;
  MenuItem* UntitledItem3() const;
  MenuItem* mnuTranspose() const;
  MenuItem* mnuCapFirstLetterOfLine() const;
  MenuItem* mnuConvertChordstoCaps() const;
  MenuItem* mnuConvertChordsOverTexttoInlineChords() const;
  MenuItem* mnuAutoFormat() const;
  MenuItem* mnuAutoDetectChords() const;
  MenuItem* mnuRemoveLineFeeds() const;
  MenuItem* UntitledItem1() const;
  MenuItem* EditSelectAll() const;
  MenuItem* UntitledMenu0() const;
  MenuItem* EditClear() const;
  MenuItem* EditPaste() const;
  MenuItem* EditCopy() const;
  MenuItem* EditCut() const;
  MenuItem* UntitledMenu1() const;
  MenuItem* EditUndo() const;
  MenuItem* FileMenu() const;
  MenuItem* FileQuit() const;
  MenuItem* UntitledSeparator() const;
  MenuItem* mnuPrint() const;
  MenuItem* mnuPageSetup() const;
  MenuItem* UntitledItem2() const;
  MenuItem* mnuSaveAs() const;
  MenuItem* mnuSave() const;
  MenuItem* mnuOpen() const;
  MenuItem* mnuNew() const;
  // The item of that name in the window's menu bar; NilObjectException when the window has none.
  MenuItem* MenuItemNamed(const QString& name) const;

  // Binds the menu handlers to their items by name; w must be a Window1.
  void AddMenuHandlers(QWidget* w);
  // Registers handler for the item called name on this window (its choice runs the handler once).
  void _AddMenuHandler(const QString& name, std::function<bool()> handler);
  // The bindings made, in binding order.
  const std::vector<std::pair<QString, std::function<bool()>>>& MenuHandlers() const { return menuHandlers_; }

  // Window events.
  void Event_Open();
  bool Event_CancelClose(bool appQuitting);
  void Event_Close();

  // Menu handlers: true when the command was handled.
  bool _mnuOpen_Action();
  bool _mnuSave_Action();
  bool _mnuPrint_Action();
  bool _mnuNew_Action();
  bool _mnuRestoreDefaults_Action();
  bool _mnuHelp_Action();
  bool _mnuAbout_Action();
  bool _mnuPageSetup_Action();
  bool _mnuRemoveLineFeeds_Action();
  bool _mnuAutoDetectChords_Action();
  bool _mnuAutoFormat_Action();
  bool _mnuConvertChordsOverTexttoInlineChords_Action();
  bool _mnuToggleSpellCheck_Action();
  bool _mnuToggleToolbar_Action();
  bool _mnuInsertChord_Action();
  bool _mnuInsertCaption_Action();
  bool _mnuInsertParagrpah_Action();
  bool _mnuInsertFrets_Action();
  bool _mnuInsertBold_Action();
  bool _mnuInsertColumn_Action();
  bool _mnuInsertPage_Action();
  bool _mnuSettings_Action();
  bool _mnuConvertChordstoCaps_Action();
  bool _mnuCapFirstLetterOfLine_Action();
  bool _mnuSearch_Action();
  bool _mnuSearchReplace_Action();
  bool _mnuShowMono_Action();
  bool _mnuTranspose_Action();
  bool _mnuSaveAs_Action();

  // Sheet, document and tool methods.
  void RenderSheet(Graphics& g, std::int64_t page);
  void doDrawing();
  // Shows the song document text in place of the song's fields (what a shorter text lacks stays),
  // every control filled, then one redraw; the song is marked where a save would write otherwise.
  // A refused text changes nothing.
  void ParseFile(const QString& text);
  void SetDefaults();
  void SetTitle(const QString& text);
  void Modified(bool value);
  bool Check4Save();
  bool mSave();
  // Asks whether to save over file, which another program changed; true for Save Anyway.
  bool ConfirmSaveOverChange(const FolderItem& file);
  void mOpenFile(const FolderItem& file);
  int TotalPages() const;
  void setPageLabel();
  void RemoveLineFeeds();
  void AutoDetectChords();
  const QString& CreateAllChords(bool upper) const;
  void AutoFormatSong();
  void AutoLineFeed();
  void ConvertChordsToInlineChords();
  void ApplyChord();
  void ApplyCaption();
  void ApplyFret();
  void ApplyParagraph();
  void ApplyPage();
  void ApplyColumn();
  void ApplyBold();
  void ToggleSettings(bool show);
  bool Modified() const;
  double dpiScale() const;
  void Transpose(const QString& fromKey, const QString& toKey);

  // The title that SetTitle set last ("Harmonote" from the layout on), without Qt's
  // contents-changed marker.
  QString Title() const { return title_; }

  // The open song: its fields, its file, the page shown, the output scale and the flag.
  SongState& State() { return state_; }
  const SongState& State() const { return state_; }
  // The preview picture drawn last (none before the first redraw); the canvas paints it, or only
  // its frame once it has been dropped. While it has one, the canvas covers every pixel, so
  // nothing under it is painted first.
  const std::shared_ptr<Picture>& pImage() const { return pImage_; }
  void DropPreview();
  // The page setup printing uses (none until one is accepted).
  const std::shared_ptr<PrinterSetup>& myPrinterSetup() const { return myPrinterSetup_; }
  const std::optional<FolderItem>& myFile() const { return state_.File(); }
  bool isDirty() const { return state_.Modified(); }
  std::int64_t CurrentPageNumber() const { return state_.Page(); }
  double myDPI() const { return state_.Dpi(); }

  // The size of the window's content, below the menu bar and the toolbar.
  static constexpr int kContentWidth = 1004;
  static constexpr int kContentHeight = 790;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Window1();
  // Runs a handler the way the event loop must: an exception is reported, never thrown on.
  void Handle(const std::function<void()>& handler);
  void Register(const ControlRow& row, QObject* control);
  // Makes the control of the row, with its place, texts and values, and keeps it in its slot.
  void MakeControl(const ControlRow& row);
  // The widget a row names as its parent: the content or the panel, made before it.
  QWidget* ParentOf(const ControlRow& row) const;
  // After every control is made: labels to their inputs, the focus order, the event handlers.
  void ConnectControls();
  // Connects the row's control to the row's handler (a row without one has nothing to connect).
  void Bind(const ControlRow& row, std::monostate);
  template <class Control>
  void Bind(const ControlRow& row, HandlerOf<Control> handler);
  void WrapSelection(const QString& open, const QString& close, bool trimAfterUnwrap);

  void ApplyTitle();
  // Which text controls a fill sets though they show their field's value already: a text control
  // set starts a fresh undo history.
  enum class Afresh { None, SongText, EveryText };
  // Shows the state's fields in their controls without running their change handlers: a control
  // that shows its field's value already is left alone, unless afresh names it.
  void FillControls(Afresh afresh);
  // The change handler of a control that shows a song field (a text field, the song text, the
  // check box or a slider): the control's value written to its field of the state, then one
  // redraw. The specified handlers of those controls call it; a row of such a control without a
  // handler of its own names it.
  template <class Control>
  void FieldChange(Control* control);
  // The state's song in the controls, the window titled, the preview drawn once.
  void ShowSong(Afresh afresh, const QString& title);
  // The document as its controls show it (and read it back): a text field without a NUL, the song
  // text with CR line ends.
  static SongDocument AsShown(SongDocument doc);
  // The document with every layout value at its default.
  static SongDocument WithDefaultLayout(SongDocument doc);
  // mSave, telling how it ended: a Save As that fails goes back to the song's own file.
  enum class SaveResult { Saved, Unsynced, Cancelled, Failed };
  SaveResult SaveSong();
  // RenderSheet without its repaint request: doDrawing asks for the rows that changed.
  void DrawSheet(Graphics& g, std::int64_t page);

  SongState state_;
  std::shared_ptr<Picture> pImage_;
  QImage spare_;  // the preview's sheet before the last redraw
  std::shared_ptr<PrinterSetup> myPrinterSetup_;
  QString title_;
  bool closed_ = false;
  QWidget* content_ = nullptr;
  struct Registered {
    QString name;
    QObject* control;
    const ControlRow* row;
  };
  std::vector<Registered> controls_;
  std::vector<std::pair<QString, std::function<bool()>>> menuHandlers_;

  Canvas* Canvas1_ = nullptr;
  QLabel* Label2_ = nullptr;
  TextField* txtTitle_ = nullptr;
  TextField* txtCapo_ = nullptr;
  QLabel* Label3_ = nullptr;
  TextField* txtKey_ = nullptr;
  QLabel* Label4_ = nullptr;
  TextArea* txtSong_ = nullptr;
  TextField* txtTiming_ = nullptr;
  QLabel* Label11_ = nullptr;
  TextField* txtTempo_ = nullptr;
  QLabel* Label12_ = nullptr;
  CheckBox* cbCenterLine_ = nullptr;
  UpDownArrows* UpDownArrows1_ = nullptr;
  QLabel* lblPage_ = nullptr;
  Toolbar1* Toolbar11_ = nullptr;
  QGroupBox* GroupBox1_ = nullptr;
  QLabel* Label1_ = nullptr;
  QLabel* Label5_ = nullptr;
  QLabel* Label6_ = nullptr;
  QLabel* Label10_ = nullptr;
  QLabel* Label7_ = nullptr;
  QLabel* Label8_ = nullptr;
  QLabel* Label9_ = nullptr;
  Slider* sldrRowHeight_ = nullptr;
  Slider* sldrFretOffset_ = nullptr;
  Slider* sldrFrets_ = nullptr;
  Slider* sldrChordOffset_ = nullptr;
  Slider* sldrChords_ = nullptr;
  Slider* sldrWordSize_ = nullptr;
  Slider* sldrSpacing_ = nullptr;
  QPushButton* PushButton1_ = nullptr;
  QPushButton* PushButton2_ = nullptr;
  QPushButton* PushButton3_ = nullptr;
  QPushButton* PushButton4_ = nullptr;
  QPushButton* PushButton5_ = nullptr;
  QPushButton* PushButton7_ = nullptr;
  QPushButton* PushButton6_ = nullptr;
  BevelButton* BevelButton1_ = nullptr;
  QTimer* Timer1_ = nullptr;
};
