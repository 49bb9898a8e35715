// FormMainImageTab: the "Картинка" tab: picture as a file or in a page of its own, the page
// template and its three markers, the navigation buttons and the page names. Its controls, named as
// everywhere else in the program; the window reaches them by these names.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "app/ZetWidgets.h"

namespace zetgallery {

class TDesktop;

struct TImageTab {
  // Creates the tab's controls and their layout on a new page, which it returns (also kept in
  // TabSheetImage). `desktop` answers the browse buttons and links and must outlive the page.
  QWidget* BuildImageTab(TDesktop& desktop);

  QWidget* TabSheetImage = nullptr;
  TRadioButton* RadioButtonImageAsFile = nullptr;
  TRadioButton* RadioButtonImageAsHtml = nullptr;
  QLabel* LabelImageTemplate = nullptr;
  TFileEdit* EditImageTemplate = nullptr;
  QLabel* LabelImagePlace = nullptr;
  QLineEdit* EditImagePlace = nullptr;
  QLabel* LabelDescrPlace = nullptr;
  QLineEdit* EditDescrPlace = nullptr;
  QLabel* LabelButtonsPlace = nullptr;
  QLineEdit* EditButtonsPlace = nullptr;
  QGroupBox* GroupBoxNavigation = nullptr;
  QLabel* LabelButtonImages = nullptr;
  QLabel* LabelButtonAlts = nullptr;
  QLabel* LabelButtonImageFirst = nullptr;
  QLabel* LabelButtonImagePrev = nullptr;
  QLabel* LabelButtonImageNext = nullptr;
  QLabel* LabelButtonImageLast = nullptr;
  QLabel* LabelButtonImageIndex = nullptr;
  TFileEdit* EditButtonImageFirst = nullptr;
  TFileEdit* EditButtonImagePrev = nullptr;
  TFileEdit* EditButtonImageNext = nullptr;
  TFileEdit* EditButtonImageLast = nullptr;
  TFileEdit* EditButtonImageIndex = nullptr;
  QLineEdit* EditAltFirst = nullptr;
  QLineEdit* EditAltPrev = nullptr;
  QLineEdit* EditAltNext = nullptr;
  QLineEdit* EditAltLast = nullptr;
  QLineEdit* EditAltIndex = nullptr;
  QCheckBox* CheckBoxImageClickEqualNext = nullptr;
  QGroupBox* GroupBoxHtmlNames = nullptr;
  TRadioButton* RadioButtonHtmlAsImageName = nullptr;
  TRadioButton* RadioButtonHtmlSerialNumber = nullptr;
  QLabel* LabelHtmlFirstImageFile = nullptr;
  QComboBox* EditHtmlFirstImageFile = nullptr;
};

}  // namespace zetgallery
