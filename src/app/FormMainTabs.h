// FormMainTabs: the window's four tabs, each written as tables of rows in a file of its own
// (FormMain<Tab>Tab.cpp). Each builder returns a new page named TabSheet<Tab> holding the tab's
// controls under the names the rest of the program knows them by; `desktop` answers the
// browse buttons and links of those controls and must outlive the page.
#pragma once

class QWidget;

namespace zetgallery {

class TDesktop;

QWidget* BuildFilesTab(TDesktop& desktop);
QWidget* BuildIndexTab(TDesktop& desktop);
QWidget* BuildImageTab(TDesktop& desktop);
QWidget* BuildAboutTab(TDesktop& desktop);

}  // namespace zetgallery
