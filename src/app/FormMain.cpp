// FormMain: the window itself: its frame, the page control and the buttons under it, the binding
// of the settings table to the controls, the pop-up menus, creation and closing. The tabs'
// controls are built in FormMain<Tab>Tab.cpp.
#include "app/FormMain.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QProgressBar>
#include <QTabBar>
#include <QTimer>
#include <exception>

#include "AppArt.h"
#include "BuildThread.h"
#include "FormMainParts.h"
#include "FormMainTabs.h"
#include "FormSettingsTarget.h"
#include "QtUserInterface.h"
#include "app/DesktopServices.h"
#include "app/FormSettingsBinding.h"
#include "settings/SettingValueRules.h"
#include "util/ZetStrings.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

constexpr int kClientWidth = 421;
constexpr int kClientHeight = 435;
constexpr int kButtonHeight = 25;

// Hints break their lines with a line feed alone: Qt's tooltips would show the carriage return of
// a CR LF pair as a character of its own.
constexpr char kImagesListHint[] =
    "Двойной щелчок левой кнопкой мыши на файле\n"
    "позволяет его просмотреть программой просмотра.\n\n"
    "Используйте локальное меню для редактирования\n"
    "списка картинок и их описаний.";
constexpr char kBuildHint[] = "Построить галерею (F9)";

QAction* MenuItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key) {
  QAction* action = menu->addAction(Text(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(key);
  // The shortcut belongs to the control that owns the menu and works only while it has the focus.
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  return action;
}

}  // namespace

TFormMain::TFormMain(TDesktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      desktop_(desktop),
      userInterface_(std::make_unique<TWindowUserInterface>(*this, desktop)),
      buildThread_(std::make_unique<TBuildThread>(*this, *userInterface_)) {
  setObjectName(QStringLiteral("FormMain"));
  BuildWindow();
  BindSettings();
  BuildMenus();
  ConnectRules();
  ConnectEdits();
  ConnectPresets();
  AcceptDropsOnEveryControl();
}

TFormMain::~TFormMain() {
  // A build still running ends first, while every control it reports to is there.
  buildThread_.reset();
  // Controls being destroyed still signal (the page control changes its page as its tabs go);
  // none of that may reach a window that is already half gone.
  for (QObject* control : findChildren<QObject*>())
    QObject::disconnect(control, nullptr, this, nullptr);
}

void TFormMain::BuildWindow() {
  setWindowTitle(QString::fromUtf8(WindowTexts::kCaption));
  setWindowIcon(MakeProgramIcon());
  setFixedSize(kClientWidth, kClientHeight);

  PageControlMain = Named<QTabWidget>("PageControlMain", this);
  PageControlMain->setGeometry(4, 4, kClientWidth - 8, kClientHeight - 4 - 34);
  QWidget* files = BuildFilesTab(desktop_);
  QWidget* index = BuildIndexTab(desktop_);
  QWidget* image = BuildImageTab(desktop_);
  QWidget* about = BuildAboutTab(desktop_);
  // Alt with the underlined letter brings a tab forward, as do Ctrl+Tab and Ctrl+Shift+Tab.
  PageControlMain->addTab(files, Text("&Главная"));
  PageControlMain->addTab(index, Text("&Индекс"));
  PageControlMain->addTab(image, Text("&Картинка"));
  PageControlMain->addTab(about, Text("&О программе"));
  PageControlMain->setCurrentWidget(index);
  FindControls();

  const int buttonTop = kClientHeight - 34 + 5;
  ButtonBuildGallery = Named<QPushButton>("ButtonBuildGallery", Text("&Построить галерею"), this);
  ButtonBuildGallery->setToolTip(Text(kBuildHint));
  ButtonBuildGallery->setGeometry(4, buttonTop, 125, kButtonHeight);
  ButtonOpenResult = Named<QPushButton>("ButtonOpenResult", Text("Открыть &результат"), this);
  ButtonOpenResult->setGeometry(4 + 125 + 4, buttonTop, 121, kButtonHeight);
  ButtonHelp = Named<QPushButton>("ButtonHelp", Text("По&мощь"), this);
  ButtonHelp->setGeometry(kClientWidth - 4 - 89, buttonTop, 89, kButtonHeight);
  // In the place of "Открыть результат" while a build runs.
  ButtonStopBuild = Named<QPushButton>("ButtonStopBuild", Text("Ос&тановить"), this);
  ButtonStopBuild->setGeometry(ButtonOpenResult->geometry());
  ButtonStopBuild->hide();
  // How far a build has come, in the gap between the buttons; shown only while building.
  ProgressBarBuild = Named<QProgressBar>("ProgressBarBuild", this);
  const int barLeft = 4 + 125 + 4 + 121 + 6;
  ProgressBarBuild->setGeometry(barLeft, buttonTop + 5, kClientWidth - 4 - 89 - 6 - barLeft, 15);
  ProgressBarBuild->setFormat(QString::fromUtf8(WindowTexts::kProgressFormat));
  ProgressBarBuild->hide();

  connect(ButtonBuildGallery, &QPushButton::clicked, this, &TFormMain::ButtonBuildGalleryClick);
  ButtonBuildGallery->installEventFilter(this);
  connect(ButtonOpenResult, &QPushButton::clicked, this, &TFormMain::ButtonOpenResultClick);
  connect(ButtonHelp, &QPushButton::clicked, this, &TFormMain::ButtonHelpClick);
  connect(ButtonStopBuild, &QPushButton::clicked, this, &TFormMain::ButtonStopBuildClick);
  constexpr const char* kTabOrder[] = {"PageControlMain", "ButtonBuildGallery", "ButtonOpenResult",
                                       "ButtonStopBuild", "ButtonHelp"};
  ChainTabOrder(*this, kTabOrder);
  FitWindowFont();
  BuildShortcuts();
}

void TFormMain::BuildShortcuts() {
  const auto shortcut = [this](const char* name, const QKeySequence& key, auto handler) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, handler);
  };
  shortcut("ActionBuildGallery", QKeySequence(Qt::Key_F9), [this] { RescanThenBuild(); });
  shortcut("ActionStopBuild", QKeySequence(Qt::Key_Escape), [this] { ButtonStopBuildClick(); });
  // Whichever control has the focus, not only one of the page control's.
  shortcut("ActionNextTab", QKeySequence(Qt::CTRL | Qt::Key_Tab), [this] { StepTab(1); });
  shortcut("ActionPreviousTab", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
           [this] { StepTab(-1); });
}

void TFormMain::StepTab(int step) {
  const int count = PageControlMain->count();
  PageControlMain->setCurrentIndex((PageControlMain->currentIndex() + step + count) % count);
}

void TFormMain::FindControls() {
  TabSheetFiles = Find<QWidget>(*this, "TabSheetFiles");
  TabSheetAbout = Find<QWidget>(*this, "TabSheetAbout");
  EditImagesFolder = Find<TFolderEdit>(*this, "EditImagesFolder");
  ListBoxImages = Find<TSortedListBox>(*this, "ListBoxImages");
  LabelImagesCount = Find<QLabel>(*this, "LabelImagesCount");
  EditImagesMask = Find<TZetEdit>(*this, "EditImagesMask");
  ComboBoxSettings = Find<TSortedComboBox>(*this, "ComboBoxSettings");
  ButtonSaveSettings = Find<QToolButton>(*this, "ButtonSaveSettings");
  EditResultFolder = Find<TSortedComboBox>(*this, "EditResultFolder");
  CheckBoxClearThumbsFolder = Find<QCheckBox>(*this, "CheckBoxClearThumbsFolder");
  EditThumbsFolderPrefix = Find<QLineEdit>(*this, "EditThumbsFolderPrefix");
  EditButtonsFolderPrefix = Find<QLineEdit>(*this, "EditButtonsFolderPrefix");
  EditIndexFile = Find<QLineEdit>(*this, "EditIndexFile");
  EditTableBorderColor = Find<QLineEdit>(*this, "EditTableBorderColor");
  EditTableBackColor = Find<QLineEdit>(*this, "EditTableBackColor");
  EditThumbBorderColor = Find<QLineEdit>(*this, "EditThumbBorderColor");
  RadioButtonImageAsHtml = Find<TRadioButton>(*this, "RadioButtonImageAsHtml");
}

void TFormMain::BindSettings() {
  TStatusOr<std::unique_ptr<TSettingsBindings>> bound = TSettingsBindings::Bind(*this);
  // A window that cannot show every setting would lose some at the next save: no window.
  if (!bound.ok()) qFatal("%s", bound.status().message().c_str());
  bindings_ = std::move(bound).value();
  bindings_->ApplyDesignValues();
  settingsTarget_ = std::make_unique<TFormSettingsTarget>(*this, *bindings_, *ComboBoxSettings);
}

bool TFormMain::TabsFitTheirPages() const {
  const int tabBarHeight = PageControlMain->tabBar()->sizeHint().height();
  const QSize page(PageControlMain->width() - 4, PageControlMain->height() - tabBarHeight - 4);
  bool fits = true;
  for (int i = 0; i < PageControlMain->count(); ++i) {
    // Layouts keep the sizes they computed for the previous font.
    for (QLayout* layout : PageControlMain->widget(i)->findChildren<QLayout*>())
      layout->invalidate();
    const QSize needed = PageControlMain->widget(i)->layout()->minimumSize();
    if (needed.width() > page.width() || needed.height() > page.height()) fits = false;
  }
  return fits;
}

void TFormMain::FitWindowFont() {
  // The window is laid out for Tahoma 11 pixels high in a client area of fixed size. Families
  // of about its width come first; a wider one (the usual fallback is DejaVu Sans) is made
  // smaller until every tab holds its texts without cutting any.
  QFont windowFont = font();
  windowFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("Arimo"), QStringLiteral("Arial"),
                          QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
  for (int pixels = 11; pixels >= 8; --pixels) {
    windowFont.setPixelSize(pixels);
    setFont(windowFont);
    // One-line boxes as high as the text needs, as the window was designed, rather than the
    // style's roomier default, so the dense tabs keep every row.
    const int boxHeight = QFontMetrics(windowFont).height() + 7;
    for (QWidget* box : PageControlMain->findChildren<QWidget*>()) {
      const bool oneLine = qobject_cast<QLineEdit*>(box) || qobject_cast<QAbstractSpinBox*>(box) ||
                           qobject_cast<QComboBox*>(box);
      QWidget* parent = box->parentWidget();
      const bool inner =
          qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent);
      if (oneLine && !inner) box->setFixedHeight(boxHeight);
    }
    if (TabsFitTheirPages()) return;
  }
}

void TFormMain::BuildMenus() {
  PopupMenuImages = Named<QMenu>("PopupMenuImages", this);
  MenuDescribe =
      MenuItem(PopupMenuImages, "MenuDescribe", "Описать", QKeySequence(Qt::CTRL | Qt::Key_Z));
  MenuViewImages =
      MenuItem(PopupMenuImages, "MenuViewImages", "Посмотреть", QKeySequence(Qt::Key_Enter));
  // Enter is one key for the user, whichever of the two Enter keys of the keyboard it is; Qt
  // calls the main one Return. The menu shows the first shortcut: "Enter".
  MenuViewImages->setShortcuts({QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Return),
                                QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)});
  MenuDeleteFromList = MenuItem(PopupMenuImages, "MenuDeleteFromList", "Удалить из списка",
                                QKeySequence(Qt::Key_Delete));
  ListBoxImages->addActions(PopupMenuImages->actions());
  ListBoxImages->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBoxImages, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenuImagesPopup();
    PopupMenuImages->exec(ListBoxImages->viewport()->mapToGlobal(at));
  });
  connect(MenuDescribe, &QAction::triggered, this, &TFormMain::MenuDescribeClick);
  connect(MenuViewImages, &QAction::triggered, this, &TFormMain::ListBoxImagesDblClick);
  connect(MenuDeleteFromList, &QAction::triggered, this, &TFormMain::MenuDeleteFromListClick);

  PopupMenuSettings = Named<QMenu>("PopupMenuSettings", this);
  MenuSaveSettings = MenuItem(PopupMenuSettings, "MenuSaveSettings", "Записать настройку",
                              QKeySequence(Qt::Key_F2));
  MenuDeleteSettings = MenuItem(PopupMenuSettings, "MenuDeleteSettings", "Удалить настройку",
                                QKeySequence(Qt::Key_F8));
  ComboBoxSettings->addActions(PopupMenuSettings->actions());
  QWidget* settingsEdit = ComboBoxSettings->lineEdit();
  settingsEdit->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(settingsEdit, &QWidget::customContextMenuRequested, this,
          [this, settingsEdit](const QPoint& at) {
            PopupMenuSettings->exec(settingsEdit->mapToGlobal(at));
          });
  settingsEdit->installEventFilter(this);
  connect(MenuSaveSettings, &QAction::triggered, this, &TFormMain::MenuSaveSettingsClick);
  connect(MenuDeleteSettings, &QAction::triggered, this, &TFormMain::MenuDeleteSettingsClick);
}

TStatus TFormMain::FormCreate(const std::string& commandLineFolder) {
  ListBoxImages->setToolTip(Text(kImagesListHint));
  RefreshSettingsList();
  if (TStatus loaded = LoadLastSettings(); !loaded.ok()) return loaded;
  const std::string folder = StripQuotes(commandLineFolder);
  if (!folder.empty()) EditImagesFolder->setText(QString::fromStdString(folder));
  PageControlMain->setCurrentWidget(TabSheetAbout);
  ScanOnFilesTabShow = true;
  EditResultFolderChange();
  EnableDisableControls();
  // What the window starts with, the command line's folder included, is what a close or
  // another preset compares with.
  if (TStatusOr<std::string> last = Store().ReadLastSettings(); last.ok()) RememberLoaded(*last);
  return TStatus::Ok();
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (building_ || scanning_) {
    // The running job sees the request, ends after its current step, and closes the window.
    closeRequested_ = true;
    buildThread_->RequestStop();
    event->ignore();
    return;
  }
  bool close = false;
  try {
    close = SaveChangesFirst();
  } catch (const std::exception& error) {
    // The values could not be saved: the window stays, so they are not lost.
    desktop_.ShowStandardError(QString::fromUtf8(error.what()));
  }
  // A close the user took back is no longer asked for.
  if (!close) closeRequested_ = false;
  event->setAccepted(close);
}

void TFormMain::CloseIfRequested() {
  if (closeRequested_) QTimer::singleShot(0, this, &QWidget::close);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (TakeFolderDrop(event)) return true;
  if (watched == ButtonBuildGallery && event->type() == QEvent::MouseButtonRelease && scanning_ &&
      !ButtonBuildGallery->isEnabled()) {
    // The press on the button took the focus from a changed folder or mask edit, and the rescan
    // that followed disabled the button before this release came: Qt would drop it, and the
    // click with it. The button gets it once the scan is over; if the scan enabled the button
    // again, the click builds.
    heldBuildRelease_.reset(static_cast<QMouseEvent*>(event)->clone());
    return true;
  }
  if (watched == ButtonBuildGallery && event->type() == QEvent::MouseButtonRelease &&
      !ButtonBuildGallery->isEnabled() && (ImagesFolderChanged || ImagesMaskChanged)) {
    // Greyed only because the folder or mask typed has not been scanned yet: a click on it
    // asks for a build, so the scan comes first and the build follows.
    RescanThenBuild();
    return true;
  }
  if (event->type() == QEvent::KeyPress && watched == ComboBoxSettings->lineEdit()) {
    // A preset is picked from the list, not by typing its name and Enter.
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
  }
  if (event->type() == QEvent::KeyPress && IsHtmlFolderEdit(watched)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Focus moves and the keys that type nothing (arrows, Delete, Home...) are not characters.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete)
      return false;
    QString typed = key->text();
    // Ctrl with a letter types a control character; the filter refuses those too.
    const bool control = key->modifiers().testFlag(Qt::ControlModifier) &&
                         !key->modifiers().testFlag(Qt::AltModifier);
    if (control && key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z)
      typed = QChar(key->key() - Qt::Key_A + 1);
    if (typed.isEmpty()) return false;
    // Backspace types character 8 and edits the name; it is no character of the name.
    if (typed.size() == 1 && (typed[0] == QChar(8) || IsHtmlFolderCharacter(typed[0].unicode())))
      return false;
    desktop_.Beep();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zetgallery
