// The "Главная" tab: images folder, image list and count, mask, description source, presets,
// and the three output folders.
#include "app/FormMainFilesTab.h"

#include <QBoxLayout>
#include <QGridLayout>

#include "AppArt.h"
#include "FormMainParts.h"
#include "app/FormMain.h"

namespace zetgallery {

using namespace FormMainParts;

QWidget* TFilesTab::BuildFilesTab(TDesktop& desktop) {
  TabSheetFiles = Named<QWidget>("TabSheetFiles");
  QWidget* tab = TabSheetFiles;

  LabelImagesFolder = NamedLabel("LabelImagesFolder", "Папка с картинками:");
  EditImagesFolder =
      Named<TFolderEdit>("EditImagesFolder", Text("Выберите папку с картинками для галереи"));
  EditImagesFolder->SetDesktop(&desktop);

  ListBoxImages = Named<TSortedListBox>("ListBoxImages");
  LabelImagesCount = NamedLabel("LabelImagesCount", WindowTexts::kImagesCountDesign);
  LabelImagesCount->setAlignment(Qt::AlignHCenter);

  LabelImagesMask = NamedLabel("LabelImagesMask", "Маска картинок:");
  EditImagesMask = Named<TZetEdit>("EditImagesMask");
  // Lines of a hint are broken by a line feed alone (see kImagesListHint).
  EditImagesMask->setToolTip(
      Text("Можно указать несколько масок через точку с запятой\n"
           "Например: \"*.jpg;*.gif;*.bmp\". Для всех файлов укажите \"*.*\""));

  Label1 = NamedLabel("Label1", "Описания картинок:");
  ComboBoxDescrType = Named<QComboBox>("ComboBoxDescrType");
  ComboBoxDescrType->addItems(
      {Text("Отсутствуют"), Text("Брать из файлов *.txt"), Text("Брать из файла descript.ion")});

  LabelSettings = NamedLabel("LabelSettings", "Настройка:");
  ComboBoxSettings = Named<TSortedComboBox>("ComboBoxSettings", true);
  ButtonSaveSettings = Named<QToolButton>("ButtonSaveSettings");
  ButtonSaveSettings->setIcon(MakeFloppyDiskIcon());
  ButtonSaveSettings->setAutoRaise(true);
  ButtonSaveSettings->setFocusPolicy(Qt::NoFocus);
  ButtonSaveSettings->setToolTip(Text("Сохранить настройку с указанным именем"));

  LabelResultFolder = NamedLabel("LabelResultFolder", "Папка с HTML-файлами:");
  CheckBoxClearResultFolder =
      Named<QCheckBox>("CheckBoxClearResultFolder", Text("Очищать от HTML-файлов"));
  EditResultFolder = Named<TSortedComboBox>("EditResultFolder", false);

  LabelThumbsFolder = NamedLabel("LabelThumbsFolder", "Папка с миниатюрами:");
  CheckBoxClearThumbsFolder =
      Named<QCheckBox>("CheckBoxClearThumbsFolder", Text("Очищать от всех файлов"));
  EditThumbsFolderPrefix = Named<QLineEdit>("EditThumbsFolderPrefix");
  EditThumbsFolderPrefix->setEnabled(false);
  EditThumbsFolderPlus = NamedLabel("EditThumbsFolderPlus", "+");
  EditThumbsFolder = Named<QLineEdit>("EditThumbsFolder");

  LabelButtonsFolder = NamedLabel("LabelButtonsFolder", "Папка с кнопками навигации:");
  CheckBoxCopyButtonsFromTemplate =
      Named<QCheckBox>("CheckBoxCopyButtonsFromTemplate", Text("Копировать их из шаблона"));
  EditButtonsFolderPrefix = Named<QLineEdit>("EditButtonsFolderPrefix");
  EditButtonsFolderPrefix->setEnabled(false);
  EditButtonsFolderPlus = NamedLabel("EditButtonsFolderPlus", "+");
  EditButtonsFolder = Named<QLineEdit>("EditButtonsFolder");

  // Left column: the image list; right column: mask, descriptions and presets.
  auto* listColumn = new QVBoxLayout;
  listColumn->setSpacing(2);
  listColumn->addWidget(ListBoxImages, 1);
  listColumn->addWidget(LabelImagesCount);

  auto* presetRow = new QHBoxLayout;
  presetRow->setSpacing(2);
  presetRow->addWidget(ComboBoxSettings, 1);
  presetRow->addWidget(ButtonSaveSettings);

  auto* optionColumn = new QVBoxLayout;
  optionColumn->setSpacing(2);
  optionColumn->addWidget(LabelImagesMask);
  optionColumn->addWidget(EditImagesMask);
  optionColumn->addSpacing(8);
  optionColumn->addWidget(Label1);
  optionColumn->addWidget(ComboBoxDescrType);
  optionColumn->addSpacing(8);
  optionColumn->addWidget(LabelSettings);
  optionColumn->addLayout(presetRow);
  optionColumn->addStretch(1);

  auto* middle = new QHBoxLayout;
  middle->setSpacing(8);
  middle->addLayout(listColumn, 1);
  middle->addLayout(optionColumn, 1);

  auto headedRow = [](QWidget* label, QWidget* check) {
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addStretch(1);
    row->addWidget(check);
    return row;
  };
  auto folderRow = [](QWidget* prefix, QWidget* plus, QWidget* folder) {
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    row->addWidget(prefix, 3);
    row->addWidget(plus);
    row->addWidget(folder, 2);
    return row;
  };

  auto* page = new QVBoxLayout(tab);
  page->setContentsMargins(6, 6, 6, 6);
  page->setSpacing(2);
  page->addWidget(LabelImagesFolder);
  page->addWidget(EditImagesFolder);
  page->addSpacing(4);
  page->addLayout(middle, 1);
  page->addSpacing(4);
  page->addLayout(headedRow(LabelResultFolder, CheckBoxClearResultFolder));
  page->addWidget(EditResultFolder);
  page->addSpacing(4);
  page->addLayout(headedRow(LabelThumbsFolder, CheckBoxClearThumbsFolder));
  page->addLayout(folderRow(EditThumbsFolderPrefix, EditThumbsFolderPlus, EditThumbsFolder));
  page->addSpacing(4);
  page->addLayout(headedRow(LabelButtonsFolder, CheckBoxCopyButtonsFromTemplate));
  page->addLayout(folderRow(EditButtonsFolderPrefix, EditButtonsFolderPlus, EditButtonsFolder));

  ChainTabOrder({EditImagesFolder, EditImagesMask, ListBoxImages, ComboBoxDescrType,
                 CheckBoxClearResultFolder, EditResultFolder, CheckBoxClearThumbsFolder,
                 EditThumbsFolderPrefix, EditThumbsFolder, CheckBoxCopyButtonsFromTemplate,
                 EditButtonsFolderPrefix, EditButtonsFolder, ComboBoxSettings});
  return tab;
}

}  // namespace zetgallery
