// FormMainParts: what the window's tabs are written in. A tab is a few tables of rows; each row
// describes its controls (their kind, the name the rest of the program knows them by, their
// texts) and the shape they are laid out in, and TPartMaker turns the tables into controls and
// layouts. The window then finds the controls it works with by their names.
#pragma once

#include <QGridLayout>
#include <QGroupBox>
#include <QString>
#include <QWidget>
#include <span>
#include <utility>

namespace zetgallery {

class TDesktop;

namespace FormMainParts {

// A new control of kind T named `name`, the name the rest of the program knows it by.
template <typename T, typename... Args>
T* Named(const char* name, Args&&... args) {
  T* control = new T(std::forward<Args>(args)...);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

inline QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// The one object of kind T named `name` among the descendants of `root`. The window's own code
// names the controls it needs; a name that leads to none, or to two, stops the program there.
QObject* FindOne(const QObject& root, const char* name, const QMetaObject& kind);
template <typename T>
T* Find(const QObject& root, const char* name) {
  return static_cast<T*>(FindOne(root, name, T::staticMetaObject));
}

// Chains the keyboard order of the controls of `page` named `names`, in the order given.
void ChainTabOrder(const QWidget& page, std::span<const char* const> names);

// What kind of control a part is, and what its Text holds. The kinds before Edit only show
// something; from Edit on, the user types into them, chooses with them or clicks them.
enum class TPartKind {
  None,            // no control: an empty place
  Label,           // QLabel; Text: what it shows
  RightLabel,      // a label keeping its text to its right edge
  CentredLabel,    // a label keeping its text to its middle
  ZetLabel,        // TZetLabel
  UrlLabel,        // TZetUrlLabel; a click opens its text through the desktop
  MailLabel,       // TZetMailLabel; likewise
  Icon,            // the program's icon, 32 x 32
  Edit,            // QLineEdit
  PrefixEdit,      // a line edit that shows what another control chose: never enabled
  ZetEdit,         // TZetEdit
  FolderEdit,      // TFolderEdit; Text: its dialog's prompt
  FileEdit,        // TFileEdit; Text: its dialog's title; Filter: its file types
  Spin,            // TSpinEdit
  Check,           // QCheckBox; Text: its caption
  Radio,           // TRadioButton; Text: its caption
  DropDown,        // QComboBox to choose from; Text: its entries, one a line
  TypedDropDown,   // a QComboBox one may type into, which completes nothing; Text: its entries
  SortedDropDown,  // TSortedComboBox to choose from
  SortedTyped,     // TSortedComboBox one may type into
  SortedList,      // TSortedListBox
  ColorButton,     // the "..." button beside a colour edit
  SaveButton,      // the floppy-disk button of the presets
};

// One control as a row describes it.
struct TPart {
  TPartKind Kind = TPartKind::None;
  const char* Name = nullptr;
  const char* Text = "";
  const char* Filter = "";  // FileEdit only
  const char* Hint = "";    // the control's hint, "" for none
};

constexpr TPart Part(TPartKind kind, const char* name, const char* text = "") {
  return {kind, name, text};
}
constexpr TPart Label(const char* name, const char* text) {
  return Part(TPartKind::Label, name, text);
}
constexpr TPart Edit(const char* name) { return Part(TPartKind::Edit, name); }
constexpr TPart Spin(const char* name) { return Part(TPartKind::Spin, name); }
constexpr TPart Check(const char* name, const char* caption) {
  return Part(TPartKind::Check, name, caption);
}
constexpr TPart FileEdit(const char* name, const char* filter, const char* title) {
  return {TPartKind::FileEdit, name, title, filter};
}
constexpr TPart Hinted(TPart part, const char* hint) {
  part.Hint = hint;
  return part;
}

// How a row lays out its parts. Rows go one under the other into a vertical box or into the
// rows of a grid; in a grid, a row that is a line of its own spans every column.
enum class TRowShape {
  Gap,          // Width pixels of empty space (boxes only)
  Whole,        // the first part alone; in a grid from column Column to the right edge
  LabelWide,    // a label, then a field taking the rest of the line (grid columns 0 and 1)
  LabelNarrow,  // a label taking the room, then a field Width wide at the right edge (likewise)
  Cells,        // each part in a grid column of its own, from column Column on
  Tight,        // parts 2 pixels apart, the first taking the room, the second Width wide if set
  Indented,     // Width pixels of space, a label, then a field taking the rest of the line
  Spaced,       // the first two parts Width pixels apart, at the left of the line
  Headed,       // a label at the left of the line, the second part at its right end
  Folder,       // a prefix edit (three shares of the width), a "+" label, a folder edit (two)
};

struct TRow {
  TRowShape Shape;
  TPart Parts[3] = {};
  int Width = 0;
  int Column = 0;
};

// The frame of a group box's grid.
struct TGridStyle {
  int Left, Top, Right, Bottom;  // the margins
  int HorizontalSpacing;
  int VerticalSpacing;
  int ColumnStretch[3];
  bool StretchBelow;  // an empty row under the rows takes the height left over
};

class TPartMaker {
 public:
  // `desktop` answers the browse buttons and the links of the parts made; it must outlive them.
  explicit TPartMaker(TDesktop& desktop) : desktop_(desktop) {}

  // A new control as `part` describes it; nullptr for an empty part.
  QWidget* Make(const TPart& part) const;
  // Adds `rows` to `box`, a vertical box, one under the other.
  void AddRows(QBoxLayout& box, std::span<const TRow> rows) const;
  // Adds `rows` to `grid` from its row `first` on; returns the row after the last one added.
  int AddRows(QGridLayout& grid, std::span<const TRow> rows, int first = 0) const;
  // A group box with its rows in a grid.
  QGroupBox* Group(const char* name, const char* title, const TGridStyle& style,
                   std::span<const TRow> rows) const;

 private:
  QWidget* MakeDisplay(const TPart& part) const;
  QWidget* MakeInput(const TPart& part) const;
  // The row as one line of its own.
  QLayout* Line(const TRow& row) const;

  TDesktop& desktop_;
};

}  // namespace FormMainParts

}  // namespace zetgallery
