// FormMain: the program's one window, TFormMain. Its controls are the in-memory home of the
// settings; its handlers carry the behaviour between builds (the rules' evaluation, rescans, the
// result-folder list, the image list's commands), the presets and the build.
//
// The window's parts: the page control with its four tabs, each built from tables of rows in a
// file of its own (FormMainTabs.h), the buttons and the progress bar under it ("Остановить" in
// the place of "Открыть результат" while a build runs), the two pop-up menus, the keyboard's
// shortcuts, and the binding of the settings table to the controls. Which controls are
// enabled and which mandatory texts show yellow is a function of the settings (WindowRules.h);
// the window only evaluates it and applies the result. The handlers are split by concern:
// FormMain.cpp (window, buttons, creation and closing), FormMainRules.cpp (control interplay),
// FormMainScan.cpp (the image scan), FormMainPresets.cpp and FormMainBuild.cpp.
//
// The controls and the window's state are its own: other code and the tests reach a control by
// the name the settings table and the layout give it.
#pragma once

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Version.h"
#include "app/ZetWidgets.h"
#include "gallery/BuildDriver.h"
#include "settings/SettingsSnapshot.h"
#include "util/Status.h"

class QProgressBar;
namespace zetgallery {

class TBuildThread;
class TDesktop;
class TFormSettingsTarget;
class TSettingsBindings;
class TSettingsStore;
class TUserInterface;
class TWindowUserInterface;

class TFormMain : public QWidget {
  Q_OBJECT
 public:
  // The window with every control at its design-time value (the settings table's). `desktop`
  // answers the message boxes and dialogs and must outlive the window. A settings row without
  // its control stops the program here, with a message naming the row.
  explicit TFormMain(TDesktop& desktop, QWidget* parent = nullptr);
  ~TFormMain() override;

  // The creation handler: image list hint, preset list, last-used preset, the folder of the
  // command line, the About tab, the first-show rescan and the rules. A settings error on the
  // way is returned; the remaining steps are then skipped.
  TStatus FormCreate(const std::string& commandLineFolder);

  // Evaluates the window's rules for the controls' values and applies them.
  void EnableDisableControls();
  // Rebuilds the image list from the folder and mask edits. Asked for while a scan runs, it
  // makes the running one start over.
  void ScanImages();
  // The two prefix edits show the result folder chosen in its list.
  void EditResultFolderChange();
  // Fills the preset list from the settings store.
  void RefreshSettingsList();
  // The controls' values as stored settings, read row by row through the settings table.
  TSettingsSnapshot ReadSnapshot() const;

  // ---- What a running scan or build drives (the window's TUserInterface) ----
  TUserInterface& UserInterface();
  bool Scanning() const { return scanning_; }
  bool Building() const { return building_; }
  // True once the user asked to close the window during a build or scan.
  bool CloseRequested() const { return closeRequested_; }
  // Thumbnail threads and maker of the window's builds (tests put a stand-in maker here).
  void SetBuildOptions(const TBuildOptions& options) { buildOptions_ = options; }
  bool ScanRestartRequested() const { return scanRestartRequested_; }
  // The caption, "Открыть результат", "Остановить" and the count while a build runs.
  void SetBuilding(bool building);
  void SetScanning(bool scanning);
  // Called whenever a running job lets the window breathe: a scan that goes on for a while
  // shows the progress bar as busy.
  void ShowScanActivity();
  void ReportProgress(int done, int total);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A folder, or a picture meaning its folder, dropped anywhere on the window becomes the
  // images folder and is scanned.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // ---- Construction (FormMain.cpp) ----
  void BuildWindow();
  void FindControls();
  void FitWindowFont();
  bool TabsFitTheirPages() const;
  void BindSettings();
  void BuildMenus();
  void BuildShortcuts();
  void StepTab(int step);
  void ConnectRules();
  void ConnectEdits();
  void ConnectPresets();

  // ---- Control interplay (FormMainRules.cpp) ----
  void EditImagesFolderEnter();
  void EditImagesFolderChange();
  void EditImagesFolderExit();
  void EditImagesFolderChosen();
  void EditImagesFolderKeyUp(int key, Qt::KeyboardModifiers modifiers);
  void EditImagesMaskEnter();
  void EditImagesMaskChange();
  void EditImagesMaskExit();
  void EditImagesMaskKeyUp(int key, Qt::KeyboardModifiers modifiers);
  void TabSheetFilesShow();
  void EditResultFolderDropDown();
  void ButtonTableBorderColorClick();
  void ButtonTableBackColorClick();
  void ButtonThumbBorderColorClick();
  void RunColorButton(QLineEdit* edit, const QString& dialogName);
  void ListBoxImagesDblClick();
  void PopupMenuImagesPopup();
  void MenuDescribeClick();
  void MenuDeleteFromListClick();
  void ButtonHelpClick();
  // Whether `watched` is an edit of a folder name that takes only some characters.
  bool IsHtmlFolderEdit(const QObject* watched) const;

  // ---- The image scan (FormMainScan.cpp) ----
  void RunOneScan();
  void ShowImageCount();
  // A drag or drop of a folder, over the window or any control of it; false for any other
  // event, which the control then handles as its own.
  bool TakeFolderDrop(QEvent* event);
  void AcceptDropsOnEveryControl();

  // ---- Presets (FormMainPresets.cpp) ----
  // Through the settings store; a failure is returned for the caller to show.
  TStatus LoadLastSettings();
  TStatus LoadSettings(const std::string& name);
  TStatus SaveSettings(const std::string& name);
  void DeleteSettings(const std::string& name);
  // Shows a failed status in the standard error box; nothing for an ok one.
  void ShowFailure(const TStatus& status);
  void ComboBoxSettingsClick();
  void ButtonSaveSettingsClick();
  void MenuSaveSettingsClick();
  void MenuDeleteSettingsClick();
  // The settings store, opened at the first preset operation.
  TSettingsStore& Store();
  // The controls' values as they are now become those of preset `name` as loaded or saved.
  void RememberLoaded(const std::string& name);
  // When the values differ from the preset loaded, asks whether to save them (Да / Нет /
  // Отмена) and saves them on Да; false when the user cancels.
  bool SaveChangesFirst();
  // The preset list shows the preset loaded again.
  void ShowLoadedPreset();

  // ---- The build (FormMainBuild.cpp) ----
  void ButtonBuildGalleryClick();
  void ButtonOpenResultClick();
  void ButtonStopBuildClick();
  // A build asked for while the folder or mask edit holds text not yet scanned scans it first.
  void RescanThenBuild();
  // The build's thread has ended: the window says what the gallery holds.
  void BuildFinished(const TBuildResult& result, int pictures, const QString& indexPage);
  // The index page of the result folder shown.
  QString IndexPagePath() const;
  // Closes the window when the user asked for it while a job ran.
  void CloseIfRequested();

  TDesktop& desktop_;
  std::unique_ptr<TWindowUserInterface> userInterface_;
  std::unique_ptr<TSettingsStore> store_;
  std::unique_ptr<TSettingsBindings> bindings_;
  std::unique_ptr<TFormSettingsTarget> settingsTarget_;
  bool scanning_ = false;
  bool scanRestartRequested_ = false;
  bool building_ = false;
  std::unique_ptr<TBuildThread> buildThread_;
  TBuildOptions buildOptions_;
  bool closeRequested_ = false;
  QElapsedTimer scanClock_;
  // A release of the mouse on the Build button that came while a scan had it disabled.
  std::unique_ptr<QMouseEvent> heldBuildRelease_;

  // The preset the controls were loaded from (or saved as) and their values then.
  std::string loadedPreset_;
  std::optional<TSettingsSnapshot> loadedValues_;

  // Window state of the rescan rules.
  bool ImagesFolderChanged = false;
  bool ImagesMaskChanged = false;
  bool ScanOnFilesTabShow = false;

  // ---- The window's own controls, named as everywhere else in the program ----
  QTabWidget* PageControlMain = nullptr;
  QPushButton* ButtonBuildGallery = nullptr;
  QPushButton* ButtonOpenResult = nullptr;
  QPushButton* ButtonHelp = nullptr;
  QPushButton* ButtonStopBuild = nullptr;
  QProgressBar* ProgressBarBuild = nullptr;
  QMenu* PopupMenuImages = nullptr;
  QAction* MenuDescribe = nullptr;
  QAction* MenuViewImages = nullptr;
  QAction* MenuDeleteFromList = nullptr;
  QMenu* PopupMenuSettings = nullptr;
  QAction* MenuSaveSettings = nullptr;
  QAction* MenuDeleteSettings = nullptr;

  // ---- The tabs' controls the handlers work with, found by name once the tabs are built ----
  QWidget* TabSheetFiles = nullptr;
  QWidget* TabSheetAbout = nullptr;
  TFolderEdit* EditImagesFolder = nullptr;
  TSortedListBox* ListBoxImages = nullptr;
  QLabel* LabelImagesCount = nullptr;
  TZetEdit* EditImagesMask = nullptr;
  TSortedComboBox* ComboBoxSettings = nullptr;
  QToolButton* ButtonSaveSettings = nullptr;
  TSortedComboBox* EditResultFolder = nullptr;
  QCheckBox* CheckBoxClearThumbsFolder = nullptr;
  QLineEdit* EditThumbsFolderPrefix = nullptr;
  QLineEdit* EditButtonsFolderPrefix = nullptr;
  QLineEdit* EditIndexFile = nullptr;
  QLineEdit* EditTableBorderColor = nullptr;
  QLineEdit* EditTableBackColor = nullptr;
  QLineEdit* EditThumbBorderColor = nullptr;
  TRadioButton* RadioButtonImageAsHtml = nullptr;
  // The controls the rules govern, in the order of the rules' result.
  std::vector<QWidget*> ruleControls_;
};

// Captions and messages of the window, spelled exactly as the user sees them.
namespace WindowTexts {
inline constexpr char kCaption[] = "ZetGallery " ZETGALLERY_VERSION;
inline constexpr char kCaptionScanning[] = "ZetGallery " ZETGALLERY_VERSION " - Поиск картинок...";
inline constexpr char kCaptionBuilding[] =
    "ZetGallery " ZETGALLERY_VERSION " - Построение галереи...";
inline constexpr char kImagesCountPrefix[] = "Всего картинок: ";
inline constexpr char kImagesCountDesign[] = "Всего картинок: 999";
// Asked before values changed since preset %1 was loaded are dropped.
inline constexpr char kSaveChangesQuestion[] = "Настройка \"%1\" изменена. Сохранить изменения?";
// Asked before preset %1 is deleted.
inline constexpr char kDeletePresetQuestion[] = "Удалить настройку \"%1\"?";
inline constexpr char kNoPicturesToBuild[] = "Нет картинок для галереи! Галерея не построена.";
// The count of a running build: pictures done of all.
inline constexpr char kProgressFormat[] = "%v из %m";
// A window whose controls do not match the settings table cannot keep the settings: these stop
// the program when it starts (%1 the setting, %2 the control's name, %3 a number of entries).
inline constexpr char kSettingWithoutControl[] = "The setting '%1' has no control '%2' of its kind";
inline constexpr char kSettingWithTwoControls[] = "The setting '%1' has two controls named '%2'";
inline constexpr char kSettingListSize[] = "The setting '%1' needs %3 entries in the list '%2'";
}  // namespace WindowTexts

}  // namespace zetgallery
