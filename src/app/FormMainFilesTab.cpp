// The "Главная" tab: the images folder, the image list and its count, the mask, the description
// source, the presets, and the three output folders.
#include <QBoxLayout>

#include "FormMainParts.h"
#include "FormMainTabs.h"
#include "app/FormMain.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

const TRow kFolderRows[] = {
    {TRowShape::Headed,
     {Label("LabelImagesFolder", "Папка с картинками:"),
      Hinted(Check("CheckBoxSubAlbums", "Вложенные альбомы (подпапки)"),
             "Каждая подпапка с картинками станет своим альбомом\n"
             "в такой же подпапке папки с HTML-файлами")}},
    {TRowShape::Whole,
     {Part(TPartKind::FolderEdit, "EditImagesFolder", "Выберите папку с картинками для галереи")}},
};

// Lines of a hint are broken by a line feed alone: Qt's hints would show the carriage return
// of a CR LF pair as a character of its own.
const TRow kOptionRows[] = {
    {TRowShape::Whole, {Label("LabelImagesMask", "Маска картинок:")}},
    {TRowShape::Whole,
     {Hinted(Part(TPartKind::ZetEdit, "EditImagesMask"),
             "Можно указать несколько масок через точку с запятой\n"
             "Например: \"*.jpg;*.gif;*.bmp\". Для всех файлов укажите \"*.*\"")}},
    {TRowShape::Gap, {}, 1},
    {TRowShape::Whole, {Label("Label1", "Описания картинок:")}},
    {TRowShape::Whole,
     {Part(TPartKind::DropDown, "ComboBoxDescrType",
           "Отсутствуют\nБрать из файлов *.txt\nБрать из файла descript.ion\n"
           "Брать из метаданных картинок")}},
    {TRowShape::Gap, {}, 1},
    {TRowShape::Headed,
     {Label("LabelImageOrder", "Порядок картинок:"),
      Check("CheckBoxImageOrderDescending", "По убыванию")}},
    {TRowShape::Whole,
     {Part(TPartKind::DropDown, "ComboBoxImageOrder",
           "По имени\nПо дате съёмки\nПо времени изменения файла")}},
    {TRowShape::Gap, {}, 4},
    {TRowShape::Whole, {Label("LabelSettings", "Настройка:")}},
    {TRowShape::Tight,
     {Part(TPartKind::SortedTyped, "ComboBoxSettings"),
      Hinted(Part(TPartKind::SaveButton, "ButtonSaveSettings"),
             "Сохранить настройку с указанным именем")}},
};

const TRow kOutputRows[] = {
    {TRowShape::Gap, {}, 4},
    {TRowShape::Headed,
     {Label("LabelResultFolder", "Папка с HTML-файлами:"),
      Check("CheckBoxClearResultFolder", "Очищать от HTML-файлов")}},
    {TRowShape::Whole, {Part(TPartKind::SortedDropDown, "EditResultFolder")}},
    {TRowShape::Gap, {}, 4},
    {TRowShape::Headed,
     {Label("LabelThumbsFolder", "Папка с миниатюрами:"),
      Check("CheckBoxClearThumbsFolder", "Очищать от всех файлов")}},
    {TRowShape::Folder,
     {Part(TPartKind::PrefixEdit, "EditThumbsFolderPrefix"), Label("EditThumbsFolderPlus", "+"),
      Edit("EditThumbsFolder")}},
    {TRowShape::Gap, {}, 4},
    {TRowShape::Headed,
     {Label("LabelButtonsFolder", "Папка с кнопками навигации:"),
      Check("CheckBoxCopyButtonsFromTemplate", "Копировать их из шаблона")}},
    {TRowShape::Folder,
     {Part(TPartKind::PrefixEdit, "EditButtonsFolderPrefix"), Label("EditButtonsFolderPlus", "+"),
      Edit("EditButtonsFolder")}},
    // Display copies, beside the thumbnails: on picture pages, a smaller JPEG of each picture.
    {TRowShape::Gap, {}, 2},
    {TRowShape::Headed,
     {Label("LabelDisplayFolder", "Папка с копиями для показа:"),
      Check("CheckBoxDisplayCopies", "Показывать на странице копии (JPEG)")}},
    {TRowShape::Folder,
     {Part(TPartKind::PrefixEdit, "EditDisplayFolderPrefix"), Label("EditDisplayFolderPlus", "+"),
      Edit("EditDisplayFolder")}},
    {TRowShape::Tight,
     {Label("LabelDisplaySize", "Длинная сторона копии, пикселей:"), Spin("EditDisplaySize")},
     70},
    {TRowShape::Tight,
     {Label("LabelDisplayQuality", "Качество JPEG копии (10-100):"), Spin("EditDisplayQuality")},
     70},
};

constexpr const char* kTabOrder[] = {"EditImagesFolder",
                                     "CheckBoxSubAlbums",
                                     "EditImagesMask",
                                     "ListBoxImages",
                                     "ComboBoxDescrType",
                                     "ComboBoxImageOrder",
                                     "CheckBoxImageOrderDescending",
                                     "CheckBoxClearResultFolder",
                                     "EditResultFolder",
                                     "CheckBoxClearThumbsFolder",
                                     "EditThumbsFolderPrefix",
                                     "EditThumbsFolder",
                                     "CheckBoxCopyButtonsFromTemplate",
                                     "EditButtonsFolderPrefix",
                                     "EditButtonsFolder",
                                     "CheckBoxDisplayCopies",
                                     "EditDisplayFolder",
                                     "EditDisplaySize",
                                     "EditDisplayQuality",
                                     "ComboBoxSettings"};

// The image list and its count on the left; the mask, descriptions and presets on the right.
QLayout* MiddleRows(const TPartMaker& maker) {
  auto* list = new QVBoxLayout;
  list->setSpacing(2);
  list->addWidget(maker.Make(Part(TPartKind::SortedList, "ListBoxImages")), 1);
  list->addWidget(maker.Make(
      Part(TPartKind::CentredLabel, "LabelImagesCount", WindowTexts::kImagesCountDesign)));
  auto* options = new QVBoxLayout;
  options->setSpacing(2);
  maker.AddRows(*options, kOptionRows);
  options->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->setSpacing(8);
  middle->addLayout(list, 1);
  middle->addLayout(options, 1);
  return middle;
}

}  // namespace

QWidget* BuildFilesTab(TDesktop& desktop) {
  const TPartMaker maker(desktop);
  auto* tab = Named<QWidget>("TabSheetFiles");
  auto* page = new QVBoxLayout(tab);
  page->setContentsMargins(6, 6, 6, 6);
  page->setSpacing(2);
  maker.AddRows(*page, kFolderRows);
  page->addSpacing(4);
  page->addLayout(MiddleRows(maker), 1);
  maker.AddRows(*page, kOutputRows);
  ChainTabOrder(*tab, kTabOrder);
  return tab;
}

}  // namespace zetgallery
