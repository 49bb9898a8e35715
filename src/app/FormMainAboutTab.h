// FormMainAboutTab: the "О программе" tab: the icon, the name and version, and the author's labels.
// Its controls, named as everywhere else in the program; the window reaches them by these names.
#pragma once

#include <QLabel>
#include <QWidget>

#include "app/ZetLabels.h"

namespace zetgallery {

class TDesktop;

struct TAboutTab {
  // Creates the tab's controls and their layout on a new page, which it returns (also kept in
  // TabSheetAbout). `desktop` answers the browse buttons and links and must outlive the page.
  QWidget* BuildAboutTab(TDesktop& desktop);

  QWidget* TabSheetAbout = nullptr;
  QLabel* ImageProgIcon = nullptr;
  QLabel* LabelProgName = nullptr;
  QLabel* LabelProgVer = nullptr;
  TZetLabel* LabelAuthor = nullptr;
  TZetLabel* LabelAuthorName = nullptr;
  TZetLabel* LabelAuthorPage = nullptr;
  TZetUrlLabel* UrlLabelAuthorPage = nullptr;
  TZetLabel* LabelAuthorAddr = nullptr;
  TZetMailLabel* MailLabelAuthorAddr = nullptr;
};

}  // namespace zetgallery
