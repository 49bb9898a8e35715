// ZetWidgets: the small controls the window needs that Qt does not offer as such: an edit that
// reports focus enter/leave and key releases, the folder and file edits with a browse button at
// their right end, a spin edit whose text may hold anything, and the sorted list box and combo
// box that keep the program's case-insensitive locale order.
#pragma once

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QString>
#include <QStringList>

namespace zetgallery {

class TDesktop;

// A one-line edit that reports when the focus moves into it from another control of the window or
// out of it to another one, and when a key pressed in it is released.
class TZetEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TZetEdit(QWidget* parent = nullptr);

 signals:
  void Entered();
  void Exited();
  void KeyReleased(int key, Qt::KeyboardModifiers modifiers);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  // Keys pressed while the edit had the focus and not yet released.
  QList<int> pressedKeys_;
};

// An edit with a browse button that opens the folder browser with `prompt`, starting at the
// folder named in the box. The chosen folder is written bare.
class TFolderEdit : public TZetEdit {
  Q_OBJECT
 public:
  TFolderEdit(const QString& prompt, QWidget* parent = nullptr);
  // The dialogs come from here; without one the button does nothing.
  void SetDesktop(TDesktop* desktop) { desktop_ = desktop; }
  const QString& Prompt() const { return prompt_; }
  // The browse button's click.
  void Browse();
  // What choosing `folder` does: the focus goes into the box first, then the text is replaced,
  // so the box's leave reaction sees the change, and FolderChosen follows.
  void AcceptChosenFolder(const QString& folder);

 signals:
  // A folder was chosen in the dialog: a final choice, unlike text being typed.
  void FolderChosen();

 private:
  QString prompt_;
  TDesktop* desktop_ = nullptr;
};

// An edit with a browse button that opens the open-file dialog with a filter of the form
// "description|patterns|description|patterns" and a title, where the named file is.
class TFileEdit : public TZetEdit {
  Q_OBJECT
 public:
  TFileEdit(QString filter, QString title, QWidget* parent = nullptr);
  void SetDesktop(TDesktop* desktop) { desktop_ = desktop; }
  const QString& Filter() const { return filter_; }
  const QString& Title() const { return title_; }
  void Browse();
  // The focus goes into the box, then the text becomes `path`, in double quotes when it
  // holds a blank.
  void AcceptChosenFile(const QString& path);
  // Where the dialog opens: the folder of the file named in the box (or the folder it names);
  // empty (the working folder) when the box names nothing that exists.
  QString StartFolder() const;

 private:
  QString filter_;
  QString title_;
  TDesktop* desktop_ = nullptr;
};

// The text of a chosen file as the file edit writes it: quoted when it holds a blank.
QString QuoteChosenFile(const QString& path);

// A "desc|pat;pat|desc|pat" filter in the form Qt's file dialog reads:
// "desc (pat pat);;desc (pat)". "*.*" becomes "*", since on this platform a name without a dot
// is a file like any other.
QString ConvertDialogFilter(const QString& filter);

// An integer box with arrows whose text is free: a settings load may write "250" or "abc" into
// it. The value is the text read as an integer and brought into the limits; a text that is not
// an integer counts as the lower limit. Typing accepts only digits and signs.
class TSpinEdit : public QAbstractSpinBox {
  Q_OBJECT
 public:
  TSpinEdit(int minimum, int maximum, int value, QWidget* parent = nullptr);
  // A spin edit of 0..0 showing 0, until SetLimits and SetValue give it its own.
  explicit TSpinEdit(QWidget* parent = nullptr) : TSpinEdit(0, 0, 0, parent) {}
  // REQUIRES: minimum <= maximum. The text stays as it is.
  void SetLimits(int minimum, int maximum);
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Value() const;
  // Writes `value` brought into the limits.
  void SetValue(int value);
  QString Text() const { return lineEdit()->text(); }
  // Writes `text` unchanged, without the limits.
  void SetText(const QString& text) { lineEdit()->setText(text); }

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 signals:
  void TextChanged(const QString& text);

 protected:
  StepEnabled stepEnabled() const override;
  void keyPressEvent(QKeyEvent* event) override;
  // Leaving the box brings a number outside the limits to the nearest limit; a text that is not
  // a number stays as it is.
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int minimum_;
  int maximum_;
};

// Where a new entry goes in a list kept in CompareForSortedList order: after equal entries.
int SortedInsertPosition(const QStringList& entries, const QString& entry);

// A list box that keeps its entries in the program's sorted-list order. Its mouse behaves as a
// classic single-selection list box: once an entry is selected the mouse never leaves the list
// without one (a click below the entries changes nothing), the right button only opens the
// context menu, and a double-click anywhere in the list reports DoubleClicked.
class TSortedListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit TSortedListBox(QWidget* parent = nullptr);
  // Adds `entry` at its sorted place and returns its index.
  int AddSorted(const QString& entry);
  // Adds many entries at once, repainting once.
  void AddAllSorted(const QStringList& entries);
  // Shows exactly `entries`, in their order (another than the sorted one), repainting once.
  void ShowInOrder(const QStringList& entries);
  QStringList Entries() const;

 signals:
  // A double-click with the left button, on an entry or below them.
  void DoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // Ctrl with a click or the space bar would take the selection away; here it stays.
  QItemSelectionModel::SelectionFlags selectionCommand(
      const QModelIndex& index, const QEvent* event = nullptr) const override;

 private:
  // Whether the press that the current release ends left the selection alone.
  bool pressIgnored_ = false;
};

// A radio button of a pair (PairRadioButtons). A click checks it and never unchecks it, so a
// click on the checked button keeps it checked and still reports the click.
class TRadioButton : public QRadioButton {
  Q_OBJECT
 public:
  explicit TRadioButton(const QString& text, QWidget* parent = nullptr);

 protected:
  void nextCheckState() override;
};

// Makes `first` and `second` exclude each other and nothing else: checking one unchecks the
// other, whatever other radio buttons share their parent. Both stay stops of the Tab key.
void PairRadioButtons(TRadioButton& first, TRadioButton& second);

// Makes `box` editable without completion: a name typed into it is used as typed, never
// completed to an entry that happens to begin with it, and typing an entry's whole text picks
// nothing (only a choice from the list or with the arrow keys does).
void SetEditableWithoutCompletion(QComboBox& box);

// A combo box (editable or a drop-down list) that keeps its items in sorted-list order.
class TSortedComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit TSortedComboBox(bool editable, QWidget* parent = nullptr);
  int AddSorted(const QString& entry);
  QStringList Entries() const;
  void showPopup() override;

 signals:
  // The drop-down is about to open; its entries may still be changed.
  void DroppingDown();
};

}  // namespace zetgallery
