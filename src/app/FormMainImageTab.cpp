// The "Картинка" tab: the picture as a file or in a page of its own, the page template and its
// three markers, the navigation buttons and the page names.
#include <QBoxLayout>

#include "FormMainParts.h"
#include "FormMainTabs.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

constexpr char kHtmlFilter[] = "HTML-файлы (*.htm;*.html)|*.htm;*.html|Все файлы (*.*)|*.*";
constexpr char kPictureFilter[] = "GIF, BMP, JPG|*.gif;*.bmp;*.jpg|Все файлы (*.*)|*.*";

const TRow kModeRow[] = {
    {TRowShape::Spaced,
     {Part(TPartKind::Radio, "RadioButtonImageAsFile", "Картинка - файл"),
      Part(TPartKind::Radio, "RadioButtonImageAsHtml", "Картинка в HTML")},
     16},
};

// Each label on the left of its edit; the edits start in one column.
const TRow kPlaceRows[] = {
    {TRowShape::LabelWide,
     {Label("LabelImageTemplate", "Шаблон HTML-файла с картинкой:"),
      FileEdit("EditImageTemplate", kHtmlFilter, "Выберите шаблон страницы для показа картинки")}},
    {TRowShape::LabelWide,
     {Label("LabelImagePlace", "Вместо какого текста в шаблоне вставить картинку:"),
      Edit("EditImagePlace")}},
    {TRowShape::LabelWide,
     {Label("LabelDescrPlace", "Вместо какого текста в шаблоне вставить описание:"),
      Edit("EditDescrPlace")}},
    {TRowShape::LabelWide,
     {Label("LabelButtonsPlace", "Вместо какого текста .. вставить кнопки навигации:"),
      Edit("EditButtonsPlace")}},
    {TRowShape::Whole,
     {Check(
         "CheckBoxPictureFacts",
         "Вставлять дату съёмки, камеру и экспозицию: ~~~DATE~~~, ~~~CAMERA~~~, ~~~EXPOSURE~~~")}},
};

// One navigation button: its label, the file of its picture and its alt text.
constexpr TRow ButtonRow(const char* label, const char* caption, const char* picture,
                         const char* alt) {
  return {TRowShape::Cells,
          {Part(TPartKind::RightLabel, label, caption), FileEdit(picture, kPictureFilter, ""),
           Edit(alt)}};
}

const TRow kNavigationRows[] = {
    {TRowShape::Cells,
     {Label("LabelButtonImages", "Кнопки навигации:"), Label("LabelButtonAlts", "Тег ALT:")},
     0,
     1},
    ButtonRow("LabelButtonImageFirst", "Первая:", "EditButtonImageFirst", "EditAltFirst"),
    ButtonRow("LabelButtonImagePrev", "Назад:", "EditButtonImagePrev", "EditAltPrev"),
    ButtonRow("LabelButtonImageNext", "Далее:", "EditButtonImageNext", "EditAltNext"),
    ButtonRow("LabelButtonImageLast", "В конец:", "EditButtonImageLast", "EditAltLast"),
    ButtonRow("LabelButtonImageIndex", "Индекс:", "EditButtonImageIndex", "EditAltIndex"),
    {TRowShape::Whole, {Check("CheckBoxImageClickEqualNext", "Клик на картинке = Далее")}, 0, 1},
};

// The two radio buttons on the left, the name of the first page on the right.
const TRow kPageNameRows[] = {
    {TRowShape::Cells,
     {Part(TPartKind::Radio, "RadioButtonHtmlAsImageName", "По имени картинки (*.htm)"),
      Label("LabelHtmlFirstImageFile", "Шаблон имени первого файла:")}},
    {TRowShape::Cells,
     {Part(TPartKind::Radio, "RadioButtonHtmlSerialNumber", "Нумеруются по шаблону..."),
      Part(TPartKind::TypedDropDown, "EditHtmlFirstImageFile",
           "01.htm\npic_01.htm\npicture_01.htm")}},
};

constexpr TGridStyle kNavigationGrid = {6, 2, 6, 4, 4, 2, {0, 3, 2}, false};
constexpr TGridStyle kPageNameGrid = {6, 2, 6, 4, 8, 2, {0, 0, 0}, false};

constexpr const char* kTabOrder[] = {
    "RadioButtonImageAsFile", "RadioButtonImageAsHtml", "EditImageTemplate", "EditImagePlace",
    "EditDescrPlace", "EditButtonsPlace", "CheckBoxPictureFacts",
    // the navigation group
    "EditButtonImageFirst", "EditAltFirst", "EditButtonImagePrev", "EditAltPrev",
    "EditButtonImageNext", "EditAltNext", "EditButtonImageLast", "EditAltLast",
    "EditButtonImageIndex", "EditAltIndex", "CheckBoxImageClickEqualNext",
    // the page names group
    "RadioButtonHtmlAsImageName", "RadioButtonHtmlSerialNumber", "EditHtmlFirstImageFile"};

}  // namespace

QWidget* BuildImageTab(TDesktop& desktop) {
  const TPartMaker maker(desktop);
  auto* tab = Named<QWidget>("TabSheetImage");
  auto* page = new QVBoxLayout(tab);
  page->setContentsMargins(6, 6, 6, 6);
  page->setSpacing(3);
  maker.AddRows(*page, kModeRow);
  auto* places = new QGridLayout;
  places->setHorizontalSpacing(4);
  places->setVerticalSpacing(2);
  places->setColumnStretch(1, 1);
  maker.AddRows(*places, kPlaceRows);
  page->addLayout(places);
  page->addWidget(maker.Group("GroupBoxNavigation", " Навигация по галерее ", kNavigationGrid,
                              kNavigationRows));
  page->addWidget(maker.Group("GroupBoxHtmlNames", " Имена HTML-файлов для картинок ",
                              kPageNameGrid, kPageNameRows));
  page->addStretch(1);
  ChainTabOrder(*tab, kTabOrder);
  return tab;
}

}  // namespace zetgallery
