// The "Индекс" tab: the index template and marker, the index kind, the table group, the two
// thumbnail groups and the index file name.
#include <QBoxLayout>

#include "FormMainParts.h"
#include "FormMainTabs.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

constexpr char kHtmlFilter[] = "HTML-файлы (*.htm;*.html)|*.htm;*.html|Все файлы (*.*)|*.*";

constexpr TRow SpinRow(const char* label, const char* text, const char* spin) {
  return {TRowShape::LabelNarrow, {Label(label, text), Spin(spin)}, 46};
}

// A colour edit and its "..." button after the label.
constexpr TRow ColorRow(const char* label, const char* text, const char* edit, const char* button) {
  return {
      TRowShape::Tight, {Label(label, text), Edit(edit), Part(TPartKind::ColorButton, button)}, 58};
}

constexpr TRow CheckRow(const char* name, const char* caption) {
  return {TRowShape::Whole, {Check(name, caption)}};
}

const TRow kTopRows[] = {
    {TRowShape::LabelWide,
     {Label("LabelIndexTemplate", "Шаблон HTML-файла для индекса:"),
      FileEdit("EditIndexTemplate", kHtmlFilter, "Выберите шаблон индексного файла")}},
    {TRowShape::LabelWide,
     {Label("LabelIndexPlace", "Вместо какого текста в шаблоне вставить индекс:"),
      Edit("EditIndexPlace")}},
    {TRowShape::LabelWide,
     {Label("LabelIndexType", "Вид индекса:"),
      Part(TPartKind::DropDown, "ComboBoxIndexType",
           "Нумерованный список\nМаркированный список\nСписок в таблице\nМиниатюры в таблице\n"
           "Миниатюры в сетке")}},
};

const TRow kTableRows[] = {
    SpinRow("LabelTableWidth", "Ширина таблицы, %:", "EditTableWidth"),
    SpinRow("LabelTableBorderWidth", "Толщина бордюра:", "EditTableBorderWidth"),
    SpinRow("LabelCellSpacing", "Ширина между ячейками:", "EditCellSpacing"),
    SpinRow("LabelCellPadding", "Отуступ от края ячейки:", "EditCellPadding"),
    ColorRow("LabelTableBorderColor", "Цвет бордюра:", "EditTableBorderColor",
             "ButtonTableBorderColor"),
    ColorRow("LabelTableBackColor", "Цвет фона:", "EditTableBackColor", "ButtonTableBackColor"),
    CheckRow("CheckBoxShowTableHeaders", "Выводить заголовок таблицы"),
    CheckRow("CheckBoxShowDescriptions", "Выводить описание картинки"),
    CheckRow("CheckBoxShowFileSizes", "Выводить размер картинки"),
    {TRowShape::Indented,
     {Label("LabelFileSizes", "Размер в:"),
      Part(TPartKind::DropDown, "ComboBoxFileSizes", "в байтах\nв килобайтах\nв мегабайтах")},
     16},
};

const TRow kThumbRows[] = {
    SpinRow("LabelThumbXCount", "Картинок в ширину:", "EditThumbXCount"),
    SpinRow("LabelThumbXSize", "Ширина миниатюры:", "EditThumbXSize"),
    SpinRow("LabelThumbYSize", "Высота миниатюры:", "EditThumbYSize"),
    SpinRow("LabelThumbBorderWidth", "Толщина бордюра:", "EditThumbBorderWidth"),
    ColorRow("LabelThumbBorderColor", "Цвет бордюра:", "EditThumbBorderColor",
             "ButtonThumbBorderColor"),
    CheckRow("CheckBoxDescrAsThumbAlt", "Описание картинки в тег ALT"),
    CheckRow("CheckBoxCreateThumbs", "Создавать миниатюры"),
    {TRowShape::LabelNarrow,
     {Label("LabelThumbsFormat", "Формат миниатюр:"),
      Part(TPartKind::DropDown, "ComboBoxThumbsFormat", "GIF\nJPEG\nBMP")},
     58},
};

// The two radio buttons one under the other; the text they place sits beside both.
const TRow kThumbNameRows[] = {
    {TRowShape::Cells,
     {Part(TPartKind::Radio, "RadioButtonThumbWithPrefix", "добавить в начало имени")}},
    {TRowShape::Cells,
     {Part(TPartKind::Radio, "RadioButtonThumbWithSuffix", "добавить в конец имени")}},
};

const TRow kFileRows[] = {
    {TRowShape::LabelWide,
     {Label("LabelIndexFile", "Имя индексного файла в галерее:"), Edit("EditIndexFile")}},
    // The zip of the pictures beside the index, which links it.
    {TRowShape::LabelWide,
     {Check("CheckBoxOriginalsArchive", "Архив картинок (ZIP):"), Edit("EditArchiveName")}},
};

constexpr TGridStyle kGroupGrid = {4, 2, 4, 2, 4, 2, {1, 0, 0}, false};
constexpr TGridStyle kTableGrid = {4, 2, 4, 2, 4, 2, {1, 0, 0}, true};

constexpr const char* kTabOrder[] = {
    "EditIndexTemplate", "EditIndexPlace", "ComboBoxIndexType",
    // the table group
    "EditTableWidth", "EditTableBorderWidth", "EditCellSpacing", "EditCellPadding",
    "EditTableBorderColor", "EditTableBackColor", "CheckBoxShowTableHeaders",
    "CheckBoxShowDescriptions", "CheckBoxShowFileSizes", "ComboBoxFileSizes",
    // the thumbnail group
    "EditThumbXCount", "EditThumbXSize", "EditThumbYSize", "EditThumbBorderWidth",
    "EditThumbBorderColor", "CheckBoxDescrAsThumbAlt", "CheckBoxCreateThumbs",
    "ComboBoxThumbsFormat",
    // the thumbnail names group
    "RadioButtonThumbWithPrefix", "RadioButtonThumbWithSuffix", "EditThumbPrefixSuffix",
    "EditIndexFile", "CheckBoxOriginalsArchive", "EditArchiveName"};

// The two thumbnail groups, one under the other.
QLayout* ThumbColumn(const TPartMaker& maker) {
  QGroupBox* names =
      maker.Group("GroupBoxThumbNames", " Имена файлов для миниатюр ", kGroupGrid, kThumbNameRows);
  QWidget* text = maker.Make(Edit("EditThumbPrefixSuffix"));
  text->setFixedWidth(28);
  static_cast<QGridLayout*>(names->layout())->addWidget(text, 0, 1, 2, 1, Qt::AlignVCenter);
  auto* column = new QVBoxLayout;
  column->setSpacing(2);
  column->addWidget(maker.Group("GroupBoxThumbs", " Миниатюры ", kGroupGrid, kThumbRows));
  column->addWidget(names);
  return column;
}

}  // namespace

QWidget* BuildIndexTab(TDesktop& desktop) {
  const TPartMaker maker(desktop);
  auto* tab = Named<QWidget>("TabSheetIndex");
  auto* page = new QVBoxLayout(tab);
  page->setContentsMargins(4, 4, 4, 4);
  page->setSpacing(2);
  maker.AddRows(*page, kTopRows);
  auto* groups = new QHBoxLayout;
  groups->setSpacing(4);
  groups->addWidget(maker.Group("GroupBoxIndexTable", " Таблица ", kTableGrid, kTableRows), 1);
  groups->addLayout(ThumbColumn(maker), 1);
  page->addLayout(groups, 1);
  maker.AddRows(*page, kFileRows);
  ChainTabOrder(*tab, kTabOrder);
  return tab;
}

}  // namespace zetgallery
