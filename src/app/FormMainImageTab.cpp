// The "Картинка" tab: picture as a file or in a page of its own, the page template and its three
// markers, the navigation buttons and the page names.
#include "app/FormMainImageTab.h"

#include <QBoxLayout>
#include <QGridLayout>

#include "FormMainParts.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

constexpr char kHtmlFilter[] = "HTML-файлы (*.htm;*.html)|*.htm;*.html|Все файлы (*.*)|*.*";
constexpr char kPictureFilter[] = "GIF, BMP, JPG|*.gif;*.bmp;*.jpg|Все файлы (*.*)|*.*";

}  // namespace

QWidget* TImageTab::BuildImageTab(TDesktop& desktop) {
  TabSheetImage = Named<QWidget>("TabSheetImage");
  QWidget* tab = TabSheetImage;

  RadioButtonImageAsFile = Named<TRadioButton>("RadioButtonImageAsFile", Text("Картинка - файл"));
  RadioButtonImageAsHtml = Named<TRadioButton>("RadioButtonImageAsHtml", Text("Картинка в HTML"));
  LabelImageTemplate = NamedLabel("LabelImageTemplate", "Шаблон HTML-файла с картинкой:");
  EditImageTemplate = Named<TFileEdit>("EditImageTemplate", Text(kHtmlFilter),
                                       Text("Выберите шаблон страницы для показа картинки"));
  EditImageTemplate->SetDesktop(&desktop);
  LabelImagePlace =
      NamedLabel("LabelImagePlace", "Вместо какого текста в шаблоне вставить картинку:");
  EditImagePlace = Named<QLineEdit>("EditImagePlace");
  LabelDescrPlace =
      NamedLabel("LabelDescrPlace", "Вместо какого текста в шаблоне вставить описание:");
  EditDescrPlace = Named<QLineEdit>("EditDescrPlace");
  LabelButtonsPlace =
      NamedLabel("LabelButtonsPlace", "Вместо какого текста .. вставить кнопки навигации:");
  EditButtonsPlace = Named<QLineEdit>("EditButtonsPlace");

  GroupBoxNavigation = Named<QGroupBox>("GroupBoxNavigation", Text(" Навигация по галерее "));
  LabelButtonImages = NamedLabel("LabelButtonImages", "Кнопки навигации:");
  LabelButtonAlts = NamedLabel("LabelButtonAlts", "Тег ALT:");
  auto buttonRow = [&desktop](const char* labelName, const char* caption, const char* editName,
                              const char* altName, QLabel*& label, TFileEdit*& edit,
                              QLineEdit*& alt) {
    label = NamedLabel(labelName, caption);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit = Named<TFileEdit>(editName, Text(kPictureFilter), QString());
    edit->SetDesktop(&desktop);
    alt = Named<QLineEdit>(altName);
  };
  buttonRow("LabelButtonImageFirst", "Первая:", "EditButtonImageFirst", "EditAltFirst",
            LabelButtonImageFirst, EditButtonImageFirst, EditAltFirst);
  buttonRow("LabelButtonImagePrev", "Назад:", "EditButtonImagePrev", "EditAltPrev",
            LabelButtonImagePrev, EditButtonImagePrev, EditAltPrev);
  buttonRow("LabelButtonImageNext", "Далее:", "EditButtonImageNext", "EditAltNext",
            LabelButtonImageNext, EditButtonImageNext, EditAltNext);
  buttonRow("LabelButtonImageLast", "В конец:", "EditButtonImageLast", "EditAltLast",
            LabelButtonImageLast, EditButtonImageLast, EditAltLast);
  buttonRow("LabelButtonImageIndex", "Индекс:", "EditButtonImageIndex", "EditAltIndex",
            LabelButtonImageIndex, EditButtonImageIndex, EditAltIndex);
  CheckBoxImageClickEqualNext =
      Named<QCheckBox>("CheckBoxImageClickEqualNext", Text("Клик на картинке = Далее"));

  auto* navigation = new QGridLayout(GroupBoxNavigation);
  navigation->setContentsMargins(6, 2, 6, 4);
  navigation->setHorizontalSpacing(4);
  navigation->setVerticalSpacing(2);
  navigation->setColumnStretch(1, 3);
  navigation->setColumnStretch(2, 2);
  navigation->addWidget(LabelButtonImages, 0, 1);
  navigation->addWidget(LabelButtonAlts, 0, 2);
  const struct {
    QLabel* label;
    TFileEdit* edit;
    QLineEdit* alt;
  } rows[] = {{LabelButtonImageFirst, EditButtonImageFirst, EditAltFirst},
              {LabelButtonImagePrev, EditButtonImagePrev, EditAltPrev},
              {LabelButtonImageNext, EditButtonImageNext, EditAltNext},
              {LabelButtonImageLast, EditButtonImageLast, EditAltLast},
              {LabelButtonImageIndex, EditButtonImageIndex, EditAltIndex}};
  int row = 1;
  for (const auto& r : rows) {
    navigation->addWidget(r.label, row, 0);
    navigation->addWidget(r.edit, row, 1);
    navigation->addWidget(r.alt, row, 2);
    ++row;
  }
  navigation->addWidget(CheckBoxImageClickEqualNext, row, 1, 1, 2);

  GroupBoxHtmlNames =
      Named<QGroupBox>("GroupBoxHtmlNames", Text(" Имена HTML-файлов для картинок "));
  RadioButtonHtmlAsImageName =
      Named<TRadioButton>("RadioButtonHtmlAsImageName", Text("По имени картинки (*.htm)"));
  RadioButtonHtmlSerialNumber =
      Named<TRadioButton>("RadioButtonHtmlSerialNumber", Text("Нумеруются по шаблону..."));
  LabelHtmlFirstImageFile = NamedLabel("LabelHtmlFirstImageFile", "Шаблон имени первого файла:");
  EditHtmlFirstImageFile = Named<QComboBox>("EditHtmlFirstImageFile");
  SetEditableWithoutCompletion(*EditHtmlFirstImageFile);
  EditHtmlFirstImageFile->setInsertPolicy(QComboBox::NoInsert);
  EditHtmlFirstImageFile->addItems(
      {QStringLiteral("01.htm"), QStringLiteral("pic_01.htm"), QStringLiteral("picture_01.htm")});

  auto* names = new QGridLayout(GroupBoxHtmlNames);
  names->setContentsMargins(6, 2, 6, 4);
  names->setHorizontalSpacing(8);
  names->setVerticalSpacing(2);
  names->addWidget(RadioButtonHtmlAsImageName, 0, 0);
  names->addWidget(RadioButtonHtmlSerialNumber, 1, 0);
  names->addWidget(LabelHtmlFirstImageFile, 0, 1);
  names->addWidget(EditHtmlFirstImageFile, 1, 1);

  auto* kindRow = new QHBoxLayout;
  kindRow->addWidget(RadioButtonImageAsFile);
  kindRow->addSpacing(16);
  kindRow->addWidget(RadioButtonImageAsHtml);
  kindRow->addStretch(1);
  auto* places = new QGridLayout;
  places->setHorizontalSpacing(4);
  places->setVerticalSpacing(2);
  places->setColumnStretch(1, 1);
  const std::pair<QLabel*, QLineEdit*> placeRows[] = {{LabelImageTemplate, EditImageTemplate},
                                                      {LabelImagePlace, EditImagePlace},
                                                      {LabelDescrPlace, EditDescrPlace},
                                                      {LabelButtonsPlace, EditButtonsPlace}};
  for (int row = 0; row < 4; ++row) {
    places->addWidget(placeRows[row].first, row, 0);
    places->addWidget(placeRows[row].second, row, 1);
  }

  auto* page = new QVBoxLayout(tab);
  page->setContentsMargins(6, 6, 6, 6);
  page->setSpacing(3);
  page->addLayout(kindRow);
  page->addLayout(places);
  page->addWidget(GroupBoxNavigation);
  page->addWidget(GroupBoxHtmlNames);
  page->addStretch(1);

  ChainTabOrder({RadioButtonImageAsFile, RadioButtonImageAsHtml, EditImageTemplate, EditImagePlace,
                 EditDescrPlace, EditButtonsPlace,
                 // the navigation group
                 EditButtonImageFirst, EditAltFirst, EditButtonImagePrev, EditAltPrev,
                 EditButtonImageNext, EditAltNext, EditButtonImageLast, EditAltLast,
                 EditButtonImageIndex, EditAltIndex, CheckBoxImageClickEqualNext,
                 // the page names group
                 RadioButtonHtmlAsImageName, RadioButtonHtmlSerialNumber, EditHtmlFirstImageFile});
  return tab;
}

}  // namespace zetgallery
