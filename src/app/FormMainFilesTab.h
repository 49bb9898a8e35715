// FormMainFilesTab: the "Главная" tab: the images folder, the image list and its count, the mask,
// the description source, the presets and the three output folders. Its controls, named as
// everywhere else in the program; the window reaches them by these names.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

#include "app/ZetWidgets.h"

namespace zetgallery {

class TDesktop;

struct TFilesTab {
  // Creates the tab's controls and their layout on a new page, which it returns (also kept in
  // TabSheetFiles). `desktop` answers the browse buttons and links and must outlive the page.
  QWidget* BuildFilesTab(TDesktop& desktop);

  QWidget* TabSheetFiles = nullptr;
  QLabel* LabelImagesFolder = nullptr;
  TFolderEdit* EditImagesFolder = nullptr;
  TSortedListBox* ListBoxImages = nullptr;
  QLabel* LabelImagesCount = nullptr;
  QLabel* LabelImagesMask = nullptr;
  TZetEdit* EditImagesMask = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* ComboBoxDescrType = nullptr;
  QLabel* LabelSettings = nullptr;
  TSortedComboBox* ComboBoxSettings = nullptr;
  QToolButton* ButtonSaveSettings = nullptr;
  QLabel* LabelResultFolder = nullptr;
  QCheckBox* CheckBoxClearResultFolder = nullptr;
  TSortedComboBox* EditResultFolder = nullptr;
  QLabel* LabelThumbsFolder = nullptr;
  QCheckBox* CheckBoxClearThumbsFolder = nullptr;
  QLineEdit* EditThumbsFolderPrefix = nullptr;
  QLabel* EditThumbsFolderPlus = nullptr;
  QLineEdit* EditThumbsFolder = nullptr;
  QLabel* LabelButtonsFolder = nullptr;
  QCheckBox* CheckBoxCopyButtonsFromTemplate = nullptr;
  QLineEdit* EditButtonsFolderPrefix = nullptr;
  QLabel* EditButtonsFolderPlus = nullptr;
  QLineEdit* EditButtonsFolder = nullptr;
};

}  // namespace zetgallery
