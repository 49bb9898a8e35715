// FormMainIndexTab: the "Индекс" tab: the index template and marker, the index kind, the table
// group, the thumbnail groups and the index file name. Its controls, named as everywhere else in
// the program; the window reaches them by these names.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

#include "app/ZetWidgets.h"

namespace zetgallery {

class TDesktop;

struct TIndexTab {
  // Creates the tab's controls and their layout on a new page, which it returns (also kept in
  // TabSheetIndex). `desktop` answers the browse buttons and links and must outlive the page.
  QWidget* BuildIndexTab(TDesktop& desktop);

  QWidget* TabSheetIndex = nullptr;
  QLabel* LabelIndexTemplate = nullptr;
  TFileEdit* EditIndexTemplate = nullptr;
  QLabel* LabelIndexPlace = nullptr;
  QLineEdit* EditIndexPlace = nullptr;
  QLabel* LabelIndexType = nullptr;
  QComboBox* ComboBoxIndexType = nullptr;
  QGroupBox* GroupBoxIndexTable = nullptr;
  QLabel* LabelTableWidth = nullptr;
  TSpinEdit* EditTableWidth = nullptr;
  QLabel* LabelTableBorderWidth = nullptr;
  TSpinEdit* EditTableBorderWidth = nullptr;
  QLabel* LabelCellSpacing = nullptr;
  TSpinEdit* EditCellSpacing = nullptr;
  QLabel* LabelCellPadding = nullptr;
  TSpinEdit* EditCellPadding = nullptr;
  QLabel* LabelTableBorderColor = nullptr;
  QLineEdit* EditTableBorderColor = nullptr;
  QToolButton* ButtonTableBorderColor = nullptr;
  QLabel* LabelTableBackColor = nullptr;
  QLineEdit* EditTableBackColor = nullptr;
  QToolButton* ButtonTableBackColor = nullptr;
  QCheckBox* CheckBoxShowTableHeaders = nullptr;
  QCheckBox* CheckBoxShowDescriptions = nullptr;
  QCheckBox* CheckBoxShowFileSizes = nullptr;
  QLabel* LabelFileSizes = nullptr;
  QComboBox* ComboBoxFileSizes = nullptr;
  QGroupBox* GroupBoxThumbs = nullptr;
  QLabel* LabelThumbXCount = nullptr;
  TSpinEdit* EditThumbXCount = nullptr;
  QLabel* LabelThumbXSize = nullptr;
  TSpinEdit* EditThumbXSize = nullptr;
  QLabel* LabelThumbYSize = nullptr;
  TSpinEdit* EditThumbYSize = nullptr;
  QLabel* LabelThumbBorderWidth = nullptr;
  TSpinEdit* EditThumbBorderWidth = nullptr;
  QLabel* LabelThumbBorderColor = nullptr;
  QLineEdit* EditThumbBorderColor = nullptr;
  QToolButton* ButtonThumbBorderColor = nullptr;
  QCheckBox* CheckBoxDescrAsThumbAlt = nullptr;
  QCheckBox* CheckBoxCreateThumbs = nullptr;
  QLabel* LabelThumbsFormat = nullptr;
  QComboBox* ComboBoxThumbsFormat = nullptr;
  QGroupBox* GroupBoxThumbNames = nullptr;
  TRadioButton* RadioButtonThumbWithPrefix = nullptr;
  TRadioButton* RadioButtonThumbWithSuffix = nullptr;
  QLineEdit* EditThumbPrefixSuffix = nullptr;
  QLabel* LabelIndexFile = nullptr;
  QLineEdit* EditIndexFile = nullptr;
};

}  // namespace zetgallery
