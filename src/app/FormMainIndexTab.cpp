// The "Индекс" tab: index template and marker, index kind, the table group, the thumbnail groups
// and the index file name.
#include "app/FormMainIndexTab.h"

#include <QBoxLayout>
#include <QGridLayout>

#include "FormMainParts.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

constexpr char kHtmlFilter[] = "HTML-файлы (*.htm;*.html)|*.htm;*.html|Все файлы (*.*)|*.*";

QToolButton* ColorButton(const char* name) {
  auto* button = Named<QToolButton>(name);
  button->setText(QStringLiteral("..."));
  button->setFixedWidth(24);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

QGridLayout* GroupGrid(QGroupBox* group) {
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);
  grid->setColumnStretch(0, 1);
  return grid;
}

// A row "label: spin edit" of a group's grid.
void AddSpinRow(QGridLayout* grid, int row, QLabel* label, TSpinEdit* spin) {
  spin->setFixedWidth(46);
  grid->addWidget(label, row, 0);
  grid->addWidget(spin, row, 1, Qt::AlignRight);
}

// A row "label: colour edit ..." spanning the grid, so the longer colour widgets do not widen
// the spin edits' column.
void AddColorRow(QGridLayout* grid, int row, QLabel* label, QLineEdit* edit, QToolButton* button) {
  edit->setFixedWidth(58);
  auto* line = new QHBoxLayout;
  line->setSpacing(2);
  line->addWidget(label, 1);
  line->addWidget(edit);
  line->addWidget(button);
  grid->addLayout(line, row, 0, 1, 2);
}

}  // namespace

QWidget* TIndexTab::BuildIndexTab(TDesktop& desktop) {
  TabSheetIndex = Named<QWidget>("TabSheetIndex");
  QWidget* tab = TabSheetIndex;

  LabelIndexTemplate = NamedLabel("LabelIndexTemplate", "Шаблон HTML-файла для индекса:");
  EditIndexTemplate = Named<TFileEdit>("EditIndexTemplate", Text(kHtmlFilter),
                                       Text("Выберите шаблон индексного файла"));
  EditIndexTemplate->SetDesktop(&desktop);
  LabelIndexPlace =
      NamedLabel("LabelIndexPlace", "Вместо какого текста в шаблоне вставить индекс:");
  EditIndexPlace = Named<QLineEdit>("EditIndexPlace");
  LabelIndexType = NamedLabel("LabelIndexType", "Вид индекса:");
  ComboBoxIndexType = Named<QComboBox>("ComboBoxIndexType");
  ComboBoxIndexType->addItems({Text("Нумерованный список"), Text("Маркированный список"),
                               Text("Список в таблице"), Text("Миниатюры в таблице")});

  GroupBoxIndexTable = Named<QGroupBox>("GroupBoxIndexTable", Text(" Таблица "));
  LabelTableWidth = NamedLabel("LabelTableWidth", "Ширина таблицы, %:");
  EditTableWidth = Named<TSpinEdit>("EditTableWidth");
  LabelTableBorderWidth = NamedLabel("LabelTableBorderWidth", "Толщина бордюра:");
  EditTableBorderWidth = Named<TSpinEdit>("EditTableBorderWidth");
  LabelCellSpacing = NamedLabel("LabelCellSpacing", "Ширина между ячейками:");
  EditCellSpacing = Named<TSpinEdit>("EditCellSpacing");
  LabelCellPadding = NamedLabel("LabelCellPadding", "Отуступ от края ячейки:");
  EditCellPadding = Named<TSpinEdit>("EditCellPadding");
  LabelTableBorderColor = NamedLabel("LabelTableBorderColor", "Цвет бордюра:");
  EditTableBorderColor = Named<QLineEdit>("EditTableBorderColor");
  ButtonTableBorderColor = ColorButton("ButtonTableBorderColor");
  LabelTableBackColor = NamedLabel("LabelTableBackColor", "Цвет фона:");
  EditTableBackColor = Named<QLineEdit>("EditTableBackColor");
  ButtonTableBackColor = ColorButton("ButtonTableBackColor");
  CheckBoxShowTableHeaders =
      Named<QCheckBox>("CheckBoxShowTableHeaders", Text("Выводить заголовок таблицы"));
  CheckBoxShowDescriptions =
      Named<QCheckBox>("CheckBoxShowDescriptions", Text("Выводить описание картинки"));
  CheckBoxShowFileSizes =
      Named<QCheckBox>("CheckBoxShowFileSizes", Text("Выводить размер картинки"));
  LabelFileSizes = NamedLabel("LabelFileSizes", "Размер в:");
  ComboBoxFileSizes = Named<QComboBox>("ComboBoxFileSizes");
  ComboBoxFileSizes->addItems({Text("в байтах"), Text("в килобайтах"), Text("в мегабайтах")});

  QGridLayout* table = GroupGrid(GroupBoxIndexTable);
  AddSpinRow(table, 0, LabelTableWidth, EditTableWidth);
  AddSpinRow(table, 1, LabelTableBorderWidth, EditTableBorderWidth);
  AddSpinRow(table, 2, LabelCellSpacing, EditCellSpacing);
  AddSpinRow(table, 3, LabelCellPadding, EditCellPadding);
  AddColorRow(table, 4, LabelTableBorderColor, EditTableBorderColor, ButtonTableBorderColor);
  AddColorRow(table, 5, LabelTableBackColor, EditTableBackColor, ButtonTableBackColor);
  table->addWidget(CheckBoxShowTableHeaders, 6, 0, 1, 2);
  table->addWidget(CheckBoxShowDescriptions, 7, 0, 1, 2);
  table->addWidget(CheckBoxShowFileSizes, 8, 0, 1, 2);
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addSpacing(16);
  sizeRow->addWidget(LabelFileSizes);
  sizeRow->addWidget(ComboBoxFileSizes, 1);
  table->addLayout(sizeRow, 9, 0, 1, 2);
  table->setRowStretch(10, 1);

  GroupBoxThumbs = Named<QGroupBox>("GroupBoxThumbs", Text(" Миниатюры "));
  LabelThumbXCount = NamedLabel("LabelThumbXCount", "Картинок в ширину:");
  EditThumbXCount = Named<TSpinEdit>("EditThumbXCount");
  LabelThumbXSize = NamedLabel("LabelThumbXSize", "Ширина миниатюры:");
  EditThumbXSize = Named<TSpinEdit>("EditThumbXSize");
  LabelThumbYSize = NamedLabel("LabelThumbYSize", "Высота миниатюры:");
  EditThumbYSize = Named<TSpinEdit>("EditThumbYSize");
  LabelThumbBorderWidth = NamedLabel("LabelThumbBorderWidth", "Толщина бордюра:");
  EditThumbBorderWidth = Named<TSpinEdit>("EditThumbBorderWidth");
  LabelThumbBorderColor = NamedLabel("LabelThumbBorderColor", "Цвет бордюра:");
  EditThumbBorderColor = Named<QLineEdit>("EditThumbBorderColor");
  ButtonThumbBorderColor = ColorButton("ButtonThumbBorderColor");
  CheckBoxDescrAsThumbAlt =
      Named<QCheckBox>("CheckBoxDescrAsThumbAlt", Text("Описание картинки в тег ALT"));
  CheckBoxCreateThumbs = Named<QCheckBox>("CheckBoxCreateThumbs", Text("Создавать миниатюры"));
  LabelThumbsFormat = NamedLabel("LabelThumbsFormat", "Формат миниатюр:");
  ComboBoxThumbsFormat = Named<QComboBox>("ComboBoxThumbsFormat");
  ComboBoxThumbsFormat->addItems(
      {QStringLiteral("GIF"), QStringLiteral("JPEG"), QStringLiteral("BMP")});

  QGridLayout* thumbs = GroupGrid(GroupBoxThumbs);
  AddSpinRow(thumbs, 0, LabelThumbXCount, EditThumbXCount);
  AddSpinRow(thumbs, 1, LabelThumbXSize, EditThumbXSize);
  AddSpinRow(thumbs, 2, LabelThumbYSize, EditThumbYSize);
  AddSpinRow(thumbs, 3, LabelThumbBorderWidth, EditThumbBorderWidth);
  AddColorRow(thumbs, 4, LabelThumbBorderColor, EditThumbBorderColor, ButtonThumbBorderColor);
  thumbs->addWidget(CheckBoxDescrAsThumbAlt, 5, 0, 1, 2);
  thumbs->addWidget(CheckBoxCreateThumbs, 6, 0, 1, 2);
  ComboBoxThumbsFormat->setFixedWidth(58);
  thumbs->addWidget(LabelThumbsFormat, 7, 0);
  thumbs->addWidget(ComboBoxThumbsFormat, 7, 1, Qt::AlignRight);

  GroupBoxThumbNames = Named<QGroupBox>("GroupBoxThumbNames", Text(" Имена файлов для миниатюр "));
  RadioButtonThumbWithPrefix =
      Named<TRadioButton>("RadioButtonThumbWithPrefix", Text("добавить в начало имени"));
  RadioButtonThumbWithSuffix =
      Named<TRadioButton>("RadioButtonThumbWithSuffix", Text("добавить в конец имени"));
  EditThumbPrefixSuffix = Named<QLineEdit>("EditThumbPrefixSuffix");
  EditThumbPrefixSuffix->setFixedWidth(28);
  QGridLayout* names = GroupGrid(GroupBoxThumbNames);
  names->addWidget(RadioButtonThumbWithPrefix, 0, 0);
  names->addWidget(RadioButtonThumbWithSuffix, 1, 0);
  names->addWidget(EditThumbPrefixSuffix, 0, 1, 2, 1, Qt::AlignVCenter);

  LabelIndexFile = NamedLabel("LabelIndexFile", "Имя индексного файла в галерее:");
  EditIndexFile = Named<QLineEdit>("EditIndexFile");

  auto* templateRow = new QHBoxLayout;
  templateRow->addWidget(LabelIndexTemplate);
  templateRow->addWidget(EditIndexTemplate, 1);
  auto* placeRow = new QHBoxLayout;
  placeRow->addWidget(LabelIndexPlace);
  placeRow->addWidget(EditIndexPlace, 1);
  auto* typeRow = new QHBoxLayout;
  typeRow->addWidget(LabelIndexType);
  typeRow->addWidget(ComboBoxIndexType, 1);
  auto* thumbColumn = new QVBoxLayout;
  thumbColumn->setSpacing(2);
  thumbColumn->addWidget(GroupBoxThumbs);
  thumbColumn->addWidget(GroupBoxThumbNames);
  auto* groups = new QHBoxLayout;
  groups->setSpacing(4);
  groups->addWidget(GroupBoxIndexTable, 1);
  groups->addLayout(thumbColumn, 1);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(LabelIndexFile);
  fileRow->addWidget(EditIndexFile, 1);

  auto* page = new QVBoxLayout(tab);
  page->setContentsMargins(4, 4, 4, 4);
  page->setSpacing(2);
  page->addLayout(templateRow);
  page->addLayout(placeRow);
  page->addLayout(typeRow);
  page->addLayout(groups, 1);
  page->addLayout(fileRow);

  ChainTabOrder({EditIndexTemplate, EditIndexPlace, ComboBoxIndexType,
                 // the table group
                 EditTableWidth, EditTableBorderWidth, EditCellSpacing, EditCellPadding,
                 EditTableBorderColor, EditTableBackColor, CheckBoxShowTableHeaders,
                 CheckBoxShowDescriptions, CheckBoxShowFileSizes, ComboBoxFileSizes,
                 // the thumbnail group
                 EditThumbXCount, EditThumbXSize, EditThumbYSize, EditThumbBorderWidth,
                 EditThumbBorderColor, CheckBoxDescrAsThumbAlt, CheckBoxCreateThumbs,
                 ComboBoxThumbsFormat,
                 // the thumbnail names group
                 RadioButtonThumbWithPrefix, RadioButtonThumbWithSuffix, EditThumbPrefixSuffix,
                 EditIndexFile});
  return tab;
}

}  // namespace zetgallery
