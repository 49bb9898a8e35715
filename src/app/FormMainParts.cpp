// FormMainParts: see the header.
#include "FormMainParts.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include "AppArt.h"
#include "app/DesktopServices.h"
#include "app/ZetLabels.h"
#include "app/ZetWidgets.h"

namespace zetgallery::FormMainParts {

namespace {

using K = TPartKind;
using S = TRowShape;

QLabel* AlignedLabel(const TPart& part, Qt::Alignment alignment) {
  auto* label = new QLabel(Text(part.Text));
  label->setAlignment(alignment);
  return label;
}

// A link label that opens its target through `desktop`.
TZetLabel* Linked(TZetLabel* label, TDesktop& desktop) {
  label->SetOpener(
      [&desktop](const QString& target) { desktop.OpenWithDefaultApplication(target); });
  return label;
}

QToolButton* ToolButton() {
  auto* button = new QToolButton;
  button->setAutoRaise(true);
  // The buttons act on an edit beside them; the keyboard reaches their commands there.
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

QComboBox* DropDownOf(const TPart& part, QComboBox* box) {
  if (*part.Text != '\0') box->addItems(Text(part.Text).split(QLatin1Char('\n')));
  return box;
}

}  // namespace

QObject* FindOne(const QObject& root, const char* name, const QMetaObject& kind) {
  QObject* found = nullptr;
  int count = 0;
  for (QObject* object : root.findChildren<QObject*>(QString::fromLatin1(name))) {
    if (!kind.cast(object)) continue;
    found = object;
    ++count;
  }
  if (count != 1)
    qFatal("The window has %d controls named '%s' of kind %s", count, name, kind.className());
  return found;
}

void ChainTabOrder(const QWidget& page, std::span<const char* const> names) {
  QWidget* previous = nullptr;
  for (const char* name : names) {
    auto* control = Find<QWidget>(page, name);
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

QWidget* TPartMaker::Make(const TPart& part) const {
  if (part.Kind == K::None) return nullptr;
  QWidget* control = part.Kind < K::Edit ? MakeDisplay(part) : MakeInput(part);
  control->setObjectName(QString::fromLatin1(part.Name));
  if (*part.Hint != '\0') control->setToolTip(Text(part.Hint));
  return control;
}

QWidget* TPartMaker::MakeDisplay(const TPart& part) const {
  switch (part.Kind) {
    case K::RightLabel:
      return AlignedLabel(part, Qt::AlignRight | Qt::AlignVCenter);
    case K::CentredLabel:
      return AlignedLabel(part, Qt::AlignHCenter);
    case K::ZetLabel:
      return new TZetLabel(Text(part.Text));
    case K::UrlLabel:
      return Linked(new TZetUrlLabel(Text(part.Text)), desktop_);
    case K::MailLabel:
      return Linked(new TZetMailLabel(Text(part.Text)), desktop_);
    case K::Icon: {
      auto* icon = new QLabel;
      icon->setPixmap(MakeProgramIcon().pixmap(32, 32));
      icon->setFixedSize(32, 32);
      return icon;
    }
    default:  // Label
      return new QLabel(Text(part.Text));
  }
}

QWidget* TPartMaker::MakeInput(const TPart& part) const {
  switch (part.Kind) {
    case K::PrefixEdit: {
      auto* edit = new QLineEdit;
      edit->setEnabled(false);
      return edit;
    }
    case K::ZetEdit:
      return new TZetEdit;
    case K::FolderEdit: {
      auto* edit = new TFolderEdit(Text(part.Text));
      edit->SetDesktop(&desktop_);
      return edit;
    }
    case K::FileEdit: {
      auto* edit = new TFileEdit(Text(part.Filter), Text(part.Text));
      edit->SetDesktop(&desktop_);
      return edit;
    }
    case K::Spin:
      return new TSpinEdit;
    case K::Check:
      return new QCheckBox(Text(part.Text));
    case K::Radio:
      return new TRadioButton(Text(part.Text));
    case K::DropDown:
      return DropDownOf(part, new QComboBox);
    case K::TypedDropDown: {
      auto* box = new QComboBox;
      SetEditableWithoutCompletion(*box);
      box->setInsertPolicy(QComboBox::NoInsert);
      return DropDownOf(part, box);
    }
    case K::SortedDropDown:
    case K::SortedTyped:
      return new TSortedComboBox(part.Kind == K::SortedTyped);
    case K::SortedList:
      return new TSortedListBox;
    case K::ColorButton: {
      QToolButton* button = ToolButton();
      button->setText(QStringLiteral("..."));
      button->setFixedWidth(24);
      return button;
    }
    case K::SaveButton: {
      QToolButton* button = ToolButton();
      button->setIcon(MakeFloppyDiskIcon());
      return button;
    }
    default:  // Edit
      return new QLineEdit;
  }
}

QLayout* TPartMaker::Line(const TRow& row) const {
  auto* line = new QHBoxLayout;
  QWidget* first = Make(row.Parts[0]);
  QWidget* second = Make(row.Parts[1]);
  QWidget* third = Make(row.Parts[2]);
  switch (row.Shape) {
    case S::Tight:
      line->setSpacing(2);
      line->addWidget(first, 1);
      if (row.Width > 0) second->setFixedWidth(row.Width);
      line->addWidget(second);
      if (third != nullptr) line->addWidget(third);
      break;
    case S::Indented:
      line->addSpacing(row.Width);
      line->addWidget(first);
      line->addWidget(second, 1);
      break;
    case S::Spaced:
      line->addWidget(first);
      line->addSpacing(row.Width);
      line->addWidget(second);
      line->addStretch(1);
      break;
    case S::Headed:
      line->addWidget(first);
      line->addStretch(1);
      line->addWidget(second);
      break;
    case S::Folder:
      line->setSpacing(3);
      line->addWidget(first, 3);
      line->addWidget(second);
      line->addWidget(third, 2);
      break;
    default:  // LabelWide
      line->addWidget(first);
      line->addWidget(second, 1);
      break;
  }
  return line;
}

void TPartMaker::AddRows(QBoxLayout& box, std::span<const TRow> rows) const {
  for (const TRow& row : rows) {
    if (row.Shape == S::Gap)
      box.addSpacing(row.Width);
    else if (row.Shape == S::Whole)
      box.addWidget(Make(row.Parts[0]));
    else
      box.addLayout(Line(row));
  }
}

int TPartMaker::AddRows(QGridLayout& grid, std::span<const TRow> rows, int first) const {
  int at = first;
  for (const TRow& row : rows) {
    switch (row.Shape) {
      case S::Whole:
        grid.addWidget(Make(row.Parts[0]), at, row.Column, 1, -1);
        break;
      case S::LabelWide:
      case S::LabelNarrow: {
        QWidget* label = Make(row.Parts[0]);
        QWidget* field = Make(row.Parts[1]);
        grid.addWidget(label, at, 0);
        if (row.Shape == S::LabelWide) {
          grid.addWidget(field, at, 1);
          break;
        }
        field->setFixedWidth(row.Width);
        grid.addWidget(field, at, 1, Qt::AlignRight);
        break;
      }
      case S::Cells:
        for (int i = 0; i < 3; ++i)
          if (QWidget* cell = Make(row.Parts[i])) grid.addWidget(cell, at, row.Column + i);
        break;
      default:
        grid.addLayout(Line(row), at, 0, 1, -1);
        break;
    }
    ++at;
  }
  return at;
}

QGroupBox* TPartMaker::Group(const char* name, const char* title, const TGridStyle& style,
                             std::span<const TRow> rows) const {
  auto* group = Named<QGroupBox>(name, Text(title));
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(style.Left, style.Top, style.Right, style.Bottom);
  grid->setHorizontalSpacing(style.HorizontalSpacing);
  grid->setVerticalSpacing(style.VerticalSpacing);
  for (int column = 0; column < 3; ++column)
    if (style.ColumnStretch[column] != 0)
      grid->setColumnStretch(column, style.ColumnStretch[column]);
  const int end = AddRows(*grid, rows);
  if (style.StretchBelow) grid->setRowStretch(end, 1);
  return group;
}

}  // namespace zetgallery::FormMainParts
