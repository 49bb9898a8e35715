// ZetWidgets: see the header.
#include "app/ZetWidgets.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyle>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/DesktopServices.h"
#include "util/ZetAlphaNums.h"
#include "util/ZetStrings.h"

namespace zetgallery {

TZetEdit::TZetEdit(QWidget* parent) : QLineEdit(parent) {}

namespace {

// Qt also moves the focus out of and back into the edit when its own pop-up menu opens and
// closes, and when the whole window loses and regains activation (another program, a message
// box, a file dialog). The user has neither entered nor left the edit then: the focus stays on
// it within the window, so the rescan rules must not see it.
bool MovesBetweenControls(const QFocusEvent* event) {
  return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

}  // namespace

void TZetEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // Keys pressed before the focus came here belong to somewhere else.
  pressedKeys_.clear();
  if (MovesBetweenControls(event)) emit Entered();
}

void TZetEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (MovesBetweenControls(event)) emit Exited();
}

void TZetEdit::keyPressEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat() && !pressedKeys_.contains(event->key()))
    pressedKeys_.append(event->key());
  QLineEdit::keyPressEvent(event);
}

void TZetEdit::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  // A held key repeats with a release before every repeated press; only the user's own release
  // of the key counts. So does only a key pressed here: the Enter that closed a message box
  // is released over the edit that gets the focus back, and must not scan once more.
  if (event->isAutoRepeat() || !pressedKeys_.removeOne(event->key())) return;
  emit KeyReleased(event->key(), event->modifiers());
}

TFolderEdit::TFolderEdit(const QString& prompt, QWidget* parent)
    : TZetEdit(parent), prompt_(prompt) {
  QAction* browse =
      addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
  browse->setToolTip(prompt);
  connect(browse, &QAction::triggered, this, &TFolderEdit::Browse);
}

void TFolderEdit::Browse() {
  if (desktop_ == nullptr) return;
  const QString current =
      QString::fromStdString(TrimControlAndBlanks(StripQuotes(text().toStdString())));
  const QString start = !current.isEmpty() && QDir(current).exists() ? current : QString();
  if (std::optional<QString> chosen = desktop_->ChooseFolder(prompt_, start))
    AcceptChosenFolder(*chosen);
}

void TFolderEdit::AcceptChosenFolder(const QString& folder) {
  setFocus(Qt::OtherFocusReason);
  setText(QDir::toNativeSeparators(folder));
  emit FolderChosen();
}

TFileEdit::TFileEdit(QString filter, QString title, QWidget* parent)
    : TZetEdit(parent), filter_(std::move(filter)), title_(std::move(title)) {
  QAction* browse =
      addAction(style()->standardIcon(QStyle::SP_FileIcon), QLineEdit::TrailingPosition);
  connect(browse, &QAction::triggered, this, &TFileEdit::Browse);
}

void TFileEdit::Browse() {
  if (desktop_ == nullptr) return;
  if (std::optional<QString> chosen =
          desktop_->ChooseFile(title_, ConvertDialogFilter(filter_), StartFolder()))
    AcceptChosenFile(*chosen);
}

QString TFileEdit::StartFolder() const {
  const QString current =
      QString::fromStdString(TrimControlAndBlanks(StripQuotes(text().toStdString())));
  if (current.isEmpty()) return QString();
  // A relative name is read from the working folder, as the build reads it.
  const QFileInfo file(current);
  const QDir folder = file.isDir() ? QDir(file.absoluteFilePath()) : file.absoluteDir();
  return folder.exists() ? folder.absolutePath() : QString();
}

void TFileEdit::AcceptChosenFile(const QString& path) {
  setFocus(Qt::OtherFocusReason);
  setText(QuoteChosenFile(QDir::toNativeSeparators(path)));
}

QString QuoteChosenFile(const QString& path) {
  return path.contains(QLatin1Char(' ')) ? QLatin1Char('"') + path + QLatin1Char('"') : path;
}

QString ConvertDialogFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList result;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    // The description often shows its patterns already; Qt reads the patterns from the last
    // parenthesis, so they are written there once, in its own syntax.
    description.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                  QLatin1Char(')');
  }
  return result.join(QStringLiteral(";;"));
}

TSpinEdit::TSpinEdit(int minimum, int maximum, int value, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum) {
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  SetValue(value);
  connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::TextChanged);
}

void TSpinEdit::SetLimits(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
}

int TSpinEdit::Value() const {
  int32_t value = 0;
  if (!TryStrToInt(Text().toStdString(), value)) return minimum_;
  return std::clamp<int>(value, minimum_, maximum_);
}

void TSpinEdit::SetValue(int value) {
  SetText(QString::number(std::clamp(value, minimum_, maximum_)));
}

void TSpinEdit::stepBy(int steps) {
  SetValue(Value() + steps);
  lineEdit()->selectAll();
}

QValidator::State TSpinEdit::validate(QString&, int&) const {
  // Any text may stand in the box; the value reads it when asked.
  return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  StepEnabled enabled = StepNone;
  const int value = Value();
  if (value < maximum_) enabled |= StepUpEnabled;
  if (value > minimum_) enabled |= StepDownEnabled;
  return enabled;
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractSpinBox::focusOutEvent(event);
  if (!MovesBetweenControls(event)) return;
  int32_t typed = 0;
  if (TryStrToInt(Text().toStdString(), typed) &&
      std::clamp<int>(typed, minimum_, maximum_) != typed)
    SetValue(typed);
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (typed.size() == 1 && typed[0].isPrint() && !typed[0].isDigit() &&
      typed[0] != QLatin1Char('-') && typed[0] != QLatin1Char('+')) {
    QApplication::beep();
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

namespace {

int CompareEntries(const QString& a, const QString& b) {
  return CompareForSortedList(a.toStdString(), b.toStdString());
}

template <typename TextAt>
int UpperBound(int count, const QString& entry, TextAt textAt) {
  int low = 0;
  int high = count;
  while (low < high) {
    const int middle = (low + high) / 2;
    if (CompareEntries(textAt(middle), entry) <= 0)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

}  // namespace

int SortedInsertPosition(const QStringList& entries, const QString& entry) {
  return UpperBound(entries.size(), entry, [&](int i) { return entries[i]; });
}

TSortedListBox::TSortedListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
}

int TSortedListBox::AddSorted(const QString& entry) {
  const int position = UpperBound(count(), entry, [&](int i) { return item(i)->text(); });
  insertItem(position, entry);
  return position;
}

void TSortedListBox::AddAllSorted(const QStringList& entries) {
  std::vector<std::string> all;
  all.reserve(count() + entries.size());
  for (int i = 0; i < count(); ++i) all.push_back(item(i)->text().toStdString());
  for (const QString& entry : entries) all.push_back(entry.toStdString());
  SortForSortedList(all);
  QStringList sorted;
  sorted.reserve(all.size());
  for (const std::string& name : all) sorted << QString::fromStdString(name);
  setUpdatesEnabled(false);
  clear();
  addItems(sorted);
  setUpdatesEnabled(true);
}

void TSortedListBox::ShowInOrder(const QStringList& entries) {
  setUpdatesEnabled(false);
  clear();
  addItems(entries);
  setUpdatesEnabled(true);
}

namespace {

// A press that must not touch the selection: the right button (its menu acts on the entry
// selected before) or the empty area below the entries.
bool LeavesSelectionAlone(const QListWidget& list, const QMouseEvent& event) {
  return event.button() != Qt::LeftButton || list.itemAt(event.position().toPoint()) == nullptr;
}

}  // namespace

void TSortedListBox::mousePressEvent(QMouseEvent* event) {
  pressIgnored_ = LeavesSelectionAlone(*this, *event);
  if (pressIgnored_) {
    if (event->button() == Qt::LeftButton) setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  QListWidget::mousePressEvent(event);
}

void TSortedListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (pressIgnored_) {
    pressIgnored_ = false;
    event->accept();
    return;
  }
  QListWidget::mouseReleaseEvent(event);
}

void TSortedListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  // The second press of a double-click selects as a press does; then the list reports it.
  mousePressEvent(event);
  emit DoubleClicked();
}

QItemSelectionModel::SelectionFlags TSortedListBox::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
  const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
  if (command.testFlag(QItemSelectionModel::Deselect)) return QItemSelectionModel::NoUpdate;
  return command;
}

QStringList TSortedListBox::Entries() const {
  QStringList entries;
  for (int i = 0; i < count(); ++i) entries << item(i)->text();
  return entries;
}

TRadioButton::TRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
  // Qt's own exclusion takes every radio button below the same parent, nested group boxes
  // included, and keeps only one button of such a group on the Tab chain. Pairs are made by
  // PairRadioButtons instead.
  setAutoExclusive(false);
}

void TRadioButton::nextCheckState() { setChecked(true); }

void PairRadioButtons(TRadioButton& first, TRadioButton& second) {
  QObject::connect(&first, &QAbstractButton::toggled, &second, [&second](bool checked) {
    if (checked) second.setChecked(false);
  });
  QObject::connect(&second, &QAbstractButton::toggled, &first, [&first](bool checked) {
    if (checked) first.setChecked(false);
  });
}

void SetEditableWithoutCompletion(QComboBox& box) {
  // Every new edit part comes with a completer of its own, so it goes after setEditable.
  box.setEditable(true);
  box.setCompleter(nullptr);
  // Qt picks the entry whose text equals the typed one when Enter is pressed or the focus
  // leaves, as if it had been chosen from the list; typing is no choice here.
  QObject::disconnect(box.lineEdit(), &QLineEdit::editingFinished, &box, nullptr);
  QObject::disconnect(box.lineEdit(), &QLineEdit::returnPressed, &box, nullptr);
}

TSortedComboBox::TSortedComboBox(bool editable, QWidget* parent) : QComboBox(parent) {
  if (editable) SetEditableWithoutCompletion(*this);
  // The list keeps its own order; typed text is not added to it.
  setInsertPolicy(QComboBox::NoInsert);
}

int TSortedComboBox::AddSorted(const QString& entry) {
  const int position = UpperBound(count(), entry, [&](int i) { return itemText(i); });
  // Inserting into an editable box must not change what its edit part shows.
  const QString shown = isEditable() ? currentText() : QString();
  const bool blocked = blockSignals(true);
  insertItem(position, entry);
  if (isEditable() && currentText() != shown) setEditText(shown);
  blockSignals(blocked);
  return position;
}

QStringList TSortedComboBox::Entries() const {
  QStringList entries;
  for (int i = 0; i < count(); ++i) entries << itemText(i);
  return entries;
}

void TSortedComboBox::showPopup() {
  emit DroppingDown();
  QComboBox::showPopup();
}

}  // namespace zetgallery
