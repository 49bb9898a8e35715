// FormMain: the program's one window, TFormMain. Its controls are the in-memory home of the
// settings; its handlers carry the behaviour between builds (enable/disable rules, rescans, the
// result-folder list, the image list's commands), the presets and the build. The window's code is
// split by concern: FormMain.cpp (window, buttons, creation and closing), FormMainFilesTab.cpp,
// FormMainIndexTab.cpp, FormMainImageTab.cpp, FormMainAboutTab.cpp (the tabs' controls),
// FormMainRules.cpp (control interplay), FormMainScan.cpp (the image scan), FormMainPresets.cpp
// and FormMainBuild.cpp.
#pragma once

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "BuildDriver.h"
#include "SettingsSnapshot.h"
#include "ZetLabels.h"
#include "ZetWidgets.h"

class QProgressBar;
class TDesktop;
class TFormSettingsTarget;
class TSettingsStore;
class TUserInterface;
class TWindowUserInterface;

class TFormMain : public QWidget {
  Q_OBJECT
 public:
  // The window with every control at its design-time value. `desktop` answers the message boxes
  // and dialogs and must outlive the window.
  explicit TFormMain(TDesktop& desktop, QWidget* parent = nullptr);
  ~TFormMain() override;

  // The creation handler: image list hint, preset list, last-used preset, the folder of the
  // command line, the About tab, the first-show rescan and the rules. An error raised on the
  // way is returned (empty when all went well); the remaining steps are then skipped.
  std::string FormCreate(const std::string& commandLineFolder);

  TDesktop& Desktop() { return desktop_; }

  // ---- Control interplay (FormMainRules.cpp) ----
  void EnableDisableControls();
  void EditImagesFolderEnter();
  void EditImagesFolderChange();
  void EditImagesFolderExit();
  void EditImagesFolderKeyUp(int key, Qt::KeyboardModifiers modifiers);
  void EditImagesMaskEnter();
  void EditImagesMaskChange();
  void EditImagesMaskExit();
  void EditImagesMaskKeyUp(int key, Qt::KeyboardModifiers modifiers);
  void TabSheetFilesShow();
  void EditResultFolderDropDown();
  void EditResultFolderChange();
  void ButtonTableBorderColorClick();
  void ButtonTableBackColorClick();
  void ButtonThumbBorderColorClick();
  void ListBoxImagesDblClick();
  void PopupMenuImagesPopup();
  void MenuDescribeClick();
  void MenuDeleteFromListClick();
  void ButtonHelpClick();
  // Whether a character typed into a sub-folder edit is let through.
  static bool IsHtmlFolderCharacter(QChar character);

  // ---- The image scan (FormMainScan.cpp) ----
  // Rebuilds the image list from the folder and mask edits. Asked for while a scan runs, it
  // makes the running one start over.
  void ScanImages();
  void ShowImageCount();
  bool Scanning() const { return scanning_; }

  // ---- Presets (FormMainPresets.cpp) ----
  void RefreshSettingsList();
  void LoadLastSettings();
  void LoadSettings(const std::string& name);
  void SaveSettings(const std::string& name);
  void DeleteSettings(const std::string& name);
  void ComboBoxSettingsClick();
  void ButtonSaveSettingsClick();
  void MenuSaveSettingsClick();
  void MenuDeleteSettingsClick();
  // The controls' values as stored settings.
  TSettingsSnapshot ReadSnapshot() const;

  // ---- The build (FormMainBuild.cpp) ----
  void ButtonBuildGalleryClick();
  void ButtonOpenResultClick();
  bool Building() const { return building_; }
  // The caption and "Открыть результат" while a build runs.
  void SetBuilding(bool building);
  void SetScanning(bool scanning);
  // Called whenever a running job lets the window breathe: a scan that goes on for a while
  // shows the progress bar as busy.
  void ShowScanActivity();
  // What the core sees of the window while it scans or builds.
  TUserInterface& UserInterface();
  void ReportProgress(int done, int total);
  // True once the user asked to close the window during a build or scan.
  bool CloseRequested() const { return closeRequested_; }
  bool ScanRestartRequested() const { return scanRestartRequested_; }

  // Window state of the rescan rules.
  bool ImagesFolderChanged = false;
  bool ImagesMaskChanged = false;
  bool ScanOnFilesTabShow = false;

  // ---- Controls, named as everywhere else in the program ----
  QTabWidget* PageControlMain = nullptr;
  QWidget* TabSheetFiles = nullptr;
  QWidget* TabSheetIndex = nullptr;
  QWidget* TabSheetImage = nullptr;
  QWidget* TabSheetAbout = nullptr;
  QPushButton* ButtonBuildGallery = nullptr;
  QPushButton* ButtonOpenResult = nullptr;
  QPushButton* ButtonHelp = nullptr;
  QProgressBar* ProgressBarBuild = nullptr;

  // "Главная"
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

  // "Индекс"
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
  QRadioButton* RadioButtonThumbWithPrefix = nullptr;
  QRadioButton* RadioButtonThumbWithSuffix = nullptr;
  QLineEdit* EditThumbPrefixSuffix = nullptr;
  QLabel* LabelIndexFile = nullptr;
  QLineEdit* EditIndexFile = nullptr;

  // "Картинка"
  QRadioButton* RadioButtonImageAsFile = nullptr;
  QRadioButton* RadioButtonImageAsHtml = nullptr;
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
  QRadioButton* RadioButtonHtmlAsImageName = nullptr;
  QRadioButton* RadioButtonHtmlSerialNumber = nullptr;
  QLabel* LabelHtmlFirstImageFile = nullptr;
  QComboBox* EditHtmlFirstImageFile = nullptr;

  // "О программе"
  QLabel* ImageProgIcon = nullptr;
  QLabel* LabelProgName = nullptr;
  QLabel* LabelProgVer = nullptr;
  TZetLabel* LabelAuthor = nullptr;
  TZetLabel* LabelAuthorName = nullptr;
  TZetLabel* LabelAuthorPage = nullptr;
  TZetUrlLabel* UrlLabelAuthorPage = nullptr;
  TZetLabel* LabelAuthorAddr = nullptr;
  TZetMailLabel* MailLabelAuthorAddr = nullptr;

  // Menus
  QMenu* PopupMenuImages = nullptr;
  QAction* MenuDescribe = nullptr;
  QAction* MenuViewImages = nullptr;
  QAction* MenuDeleteFromList = nullptr;
  QMenu* PopupMenuSettings = nullptr;
  QAction* MenuSaveSettings = nullptr;
  QAction* MenuDeleteSettings = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWindow();
  void FitWindowFont();
  bool TabsFitTheirPages() const;
  QWidget* BuildFilesTab();
  QWidget* BuildIndexTab();
  QWidget* BuildImageTab();
  QWidget* BuildAboutTab();
  void BuildMenus();
  void ConnectRules();
  void ConnectPresets();
  void SetTabOrder();
  void RunColorButton(QLineEdit* edit, const QString& dialogName);
  void RunOneScan();
  // Closes the window when the user asked for it while a job ran.
  void CloseIfRequested();

  TDesktop& desktop_;
  std::unique_ptr<TWindowUserInterface> userInterface_;
  // The settings store, opened at the first preset operation.
  TSettingsStore& Store();
  std::unique_ptr<TSettingsStore> store_;
  std::unique_ptr<TFormSettingsTarget> settingsTarget_;
  bool scanning_ = false;
  bool scanRestartRequested_ = false;
  bool building_ = false;
  TGalleryBuilder builder_;
  bool closeRequested_ = false;
  QElapsedTimer scanClock_;
};

// Captions and messages of the window, spelled exactly as the user sees them.
namespace WindowTexts {
inline constexpr char kCaption[] = "ZetGallery 1.0";
inline constexpr char kCaptionScanning[] = "ZetGallery 1.0 - Поиск картинок...";
inline constexpr char kCaptionBuilding[] = "ZetGallery 1.0 - Построение галереи...";
inline constexpr char kImagesCountPrefix[] = "Всего картинок: ";
inline constexpr char kImagesCountDesign[] = "Всего картинок: 999";
inline constexpr char kNoPicturesToBuild[] = "Нет картинок для галереи! Галерея не построена.";
}  // namespace WindowTexts
