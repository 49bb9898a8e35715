// Start-up from the window's side: the creation handler with and without a folder argument, a
// stored value of the wrong kind, and the presets driven through the window's controls.
#include <QDir>
#include <algorithm>

#include "FormTestSupport.h"
#include "app/WindowMain.h"
#include "settings/RegistryDatabase.h"
#include "settings/SettingsStore.h"
#include "settings/ZetRegistry.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"

namespace zetgallery {

namespace {

class StartupTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    for (const char* name : {"pics/b.jpg", "pics/A.jpg", "other/x.jpg", "other/y.jpg"})
      MakeFile(QString::fromUtf8(name));
    // The images folder of a first start is the current directory.
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(Pictures());
  }
  void TearDown() override {
    QDir::setCurrent(previousDirectory);
    FormTest::TearDown();
  }

  // Writes straight into the settings store, as another program (or a damaged file) would.
  void WriteStoredText(const std::string& key, const std::string& name, const std::string& value) {
    auto database = TRegistryDatabase::Open(qgetenv("ZETGALLERY_REGISTRY").toStdString());
    TZetRegistry registry(database);
    ASSERT_TRUE(registry.OpenKey(key, true));
    EXPECT_TRUE(registry.WriteString(name, value).ok());
    registry.CloseKey();
  }

  QString previousDirectory;
};

TEST_F(StartupTest, WithoutArgumentOpensOnAboutWithTheListFilled) {
  EXPECT_EQ(form->FormCreate(""), TStatus::Ok());
  EXPECT_EQ(Control<QTabWidget>("PageControlMain")->currentWidget(), Control("TabSheetAbout"));
  EXPECT_EQ(Control<TFolderEdit>("EditImagesFolder")->text(), Pictures());
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"})) << "the load scanned";
  EXPECT_EQ(Control<QLabel>("LabelImagesCount")->text().toStdString(), "Всего картинок: 2");
  EXPECT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->currentText().toStdString(),
            "<без названия>");
  EXPECT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->Entries(), QStringList{"<без названия>"});
  // Stored defaults, not the layout's texts.
  EXPECT_EQ(Control<QLineEdit>("EditAltFirst")->text().toStdString(), "<<-- First");
  EXPECT_EQ(Control<QComboBox>("EditHtmlFirstImageFile")->currentText().toStdString(), "01.htm");
  EXPECT_EQ(Control<QComboBox>("ComboBoxIndexType")->currentIndex(), 3);
  EXPECT_TRUE(Control<TRadioButton>("RadioButtonImageAsFile")->isChecked());
  EXPECT_EQ(Control<TSortedComboBox>("EditResultFolder")->currentIndex(), 0);
  EXPECT_EQ(Control<QLineEdit>("EditThumbsFolderPrefix")->text(), folder.path() + "/");
  EXPECT_TRUE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(Control<TSortedListBox>("ListBoxImages")->toolTip().toStdString(),
            "Двойной щелчок левой кнопкой мыши на файле\n"
            "позволяет его просмотреть программой просмотра.\n\n"
            "Используйте локальное меню для редактирования\n"
            "списка картинок и их описаний.");

  MakeFile("pics/c.jpg");
  ShowPage("TabSheetFiles");
  EXPECT_EQ(ListEntries().size(), 3) << "the first showing of the main tab scans again";
}

struct TArgumentCase {
  const char* title;
  bool quoted;
};

void PrintTo(const TArgumentCase& c, std::ostream* out) { *out << c.title; }

class StartupArgumentTest : public StartupTest,
                            public ::testing::WithParamInterface<TArgumentCase> {};

TEST_P(StartupArgumentTest, FolderArgumentIsScannedWhenTheMainTabOpens) {
  const QString other = folder.path() + "/other";
  const QString argument = GetParam().quoted ? "\"" + other + "\"" : other;
  EXPECT_EQ(form->FormCreate(argument.toStdString()), TStatus::Ok());
  EXPECT_EQ(Control<TFolderEdit>("EditImagesFolder")->text(), other);
  EXPECT_TRUE(ListEntries().isEmpty()) << "the change emptied the list";
  EXPECT_EQ(Control<TSortedComboBox>("EditResultFolder")->Entries(),
            (QStringList{folder.path(), other}));
  EXPECT_EQ(Control<QLineEdit>("EditButtonsFolderPrefix")->text(), folder.path() + "/");
  EXPECT_FALSE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
  ShowPage("TabSheetFiles");
  EXPECT_EQ(ListEntries(), (QStringList{"x.jpg", "y.jpg"}));
  EXPECT_TRUE(Control<QPushButton>("ButtonBuildGallery")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Arguments, StartupArgumentTest,
                         ::testing::Values(TArgumentCase{"bare", false},
                                           TArgumentCase{"quoted", true}),
                         [](const auto& info) { return std::string(info.param.title); });

TEST_F(StartupTest, WrongKindStopsCreationAndTheWindowOpensOnIndex) {
  WriteStoredText(kSettingsKey, "IndexType", "3");
  OpenMainWindow(*form, desktop, (folder.path() + "/other").toStdString());
  EXPECT_EQ(desktop.Texts("standard"),
            std::vector<std::string>{"Invalid data type for 'IndexType'"});
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Control<QTabWidget>("PageControlMain")->currentWidget(), Control("TabSheetIndex"));
  EXPECT_EQ(Control<TFolderEdit>("EditImagesFolder")->text(), Pictures())
      << "values before the bad one arrived";
  EXPECT_EQ(Control<QComboBox>("ComboBoxIndexType")->currentIndex(), -1)
      << "the bad one and later stay";
  EXPECT_EQ(Control<TSpinEdit>("EditTableWidth")->Text().toStdString(), "100");
  EXPECT_TRUE(ListEntries().isEmpty()) << "no scan after a failed load";
  ShowPage("TabSheetFiles");
  EXPECT_TRUE(ListEntries().isEmpty()) << "nor at the first showing of the main tab";
  form->close();
}

TEST_F(StartupTest, ErrorBoxComesBeforeTheWindowIsShown) {
  WriteStoredText(kSettingsKey, "ThumbXCount", "5");
  bool visibleAtError = true;
  struct TWatchingDesktop : TScriptedDesktop {
    TFormMain* form = nullptr;
    bool* visible = nullptr;
    void ShowStandardError(const QString& text) override {
      *visible = form->isVisible();
      TScriptedDesktop::ShowStandardError(text);
    }
  } watching;
  watching.visible = &visibleAtError;
  TFormMain window(watching);
  watching.form = &window;
  OpenMainWindow(window, watching, "");
  EXPECT_EQ(watching.Texts("standard"),
            std::vector<std::string>{"Invalid data type for 'ThumbXCount'"});
  EXPECT_FALSE(visibleAtError);
  EXPECT_TRUE(window.isVisible());
  window.close();
}

class PresetTest : public StartupTest {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    ASSERT_EQ(form->FormCreate(""), TStatus::Ok());
  }
  void Pick(const QString& name) {
    const int index = Control<TSortedComboBox>("ComboBoxSettings")->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    Control<TSortedComboBox>("ComboBoxSettings")->setCurrentIndex(index);
    emit Control<TSortedComboBox>("ComboBoxSettings")->activated(index);
  }
};

TEST_F(PresetTest, SavePickAndDeleteThroughTheControls) {
  Control<TSortedComboBox>("ComboBoxSettings")->setEditText(QStringLiteral("Trip"));
  Control<TZetEdit>("EditImagesMask")->setText(QStringLiteral("*.JPG;*.gif"));
  Control<TSpinEdit>("EditThumbXSize")->SetText(QStringLiteral("abc"));
  Control<TFolderEdit>("EditImagesFolder")->setText(folder.path() + "/other");
  Control<TSortedComboBox>("EditResultFolder")->setCurrentIndex(1);
  Control<QToolButton>("ButtonSaveSettings")->click();
  EXPECT_EQ(desktop.Texts("plain"), std::vector<std::string>{"Настройка \"Trip\" сохранена."});
  EXPECT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->Entries(),
            (QStringList{"<без названия>", "Trip"}));
  EXPECT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->currentText().toStdString(), "Trip");

  // Change everything back, then pick the preset: every value returns through its control.
  Pick(QStringLiteral("<без названия>"));
  EXPECT_EQ(Control<TZetEdit>("EditImagesMask")->text().toStdString(), "*.jpg");
  EXPECT_EQ(Control<TFolderEdit>("EditImagesFolder")->text(), Pictures());
  EXPECT_EQ(ListEntries(), (QStringList{"A.jpg", "b.jpg"}));
  Pick(QStringLiteral("Trip"));
  EXPECT_EQ(Control<TZetEdit>("EditImagesMask")->text().toStdString(), "*.JPG;*.gif");
  EXPECT_EQ(Control<TSpinEdit>("EditThumbXSize")->Text().toStdString(), "120")
      << "abc was saved as 120";
  EXPECT_EQ(Control<TFolderEdit>("EditImagesFolder")->text(), folder.path() + "/other");
  EXPECT_EQ(Control<TSortedComboBox>("EditResultFolder")->currentIndex(), 1)
      << "the folder's list was refilled first";
  EXPECT_EQ(Control<QLineEdit>("EditThumbsFolderPrefix")->text(), folder.path() + "/other/");
  EXPECT_EQ(ListEntries(), (QStringList{"x.jpg", "y.jpg"})) << "the load ends with a scan";

  Control<QAction>("MenuDeleteSettings")->trigger();
  EXPECT_EQ(desktop.Texts("plain").back(), "Настройка \"Trip\" удалена.");
  EXPECT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->Entries(), QStringList{"<без названия>"});
  EXPECT_TRUE(Control<TSortedComboBox>("ComboBoxSettings")->currentText().isEmpty());
  EXPECT_EQ(Control<TZetEdit>("EditImagesMask")->text().toStdString(), "*.JPG;*.gif")
      << "controls stay";
}

struct TDeleteCase {
  const char* name;
};

void PrintTo(const TDeleteCase& c, std::ostream* out) { *out << "\"" << c.name << "\""; }

class UntitledDeleteTest : public PresetTest, public ::testing::WithParamInterface<TDeleteCase> {};

TEST_P(UntitledDeleteTest, IsRefused) {
  Control<TSortedComboBox>("ComboBoxSettings")->setEditText(QString::fromUtf8(GetParam().name));
  Control<QAction>("MenuDeleteSettings")->trigger();
  EXPECT_EQ(desktop.Texts("error"),
            std::vector<std::string>{"Нельзя удалить настройку \"<без названия>\"!"});
  EXPECT_TRUE(desktop.Texts("plain").empty());
}

INSTANTIATE_TEST_SUITE_P(Names, UntitledDeleteTest,
                         ::testing::Values(TDeleteCase{"<без названия>"}, TDeleteCase{""}),
                         TPrintedCaseName());

TEST_F(PresetTest, FunctionKeysWorkOnlyInThePresetBox) {
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetFiles");
  Control<TZetEdit>("EditImagesMask")->setFocus();
  QTest::keyClick(Control<TZetEdit>("EditImagesMask"), Qt::Key_F2);
  EXPECT_TRUE(desktop.messages.empty()) << "F2 outside the preset box does nothing";
  Control<TSortedComboBox>("ComboBoxSettings")->setFocus();
  Control<TSortedComboBox>("ComboBoxSettings")->setEditText(QStringLiteral("Sea"));
  QTest::keyClick(Control<TSortedComboBox>("ComboBoxSettings")->lineEdit(), Qt::Key_F2);
  EXPECT_EQ(desktop.Texts("plain"), std::vector<std::string>{"Настройка \"Sea\" сохранена."});
  QTest::keyClick(Control<TSortedComboBox>("ComboBoxSettings")->lineEdit(), Qt::Key_F8);
  EXPECT_EQ(desktop.Texts("plain").back(), "Настройка \"Sea\" удалена.");
  form->close();
}

TEST_F(PresetTest, TypingANameAndEnterPicksNothing) {
  Control<TSortedComboBox>("ComboBoxSettings")->setEditText(QStringLiteral("Trip"));
  Control<TZetEdit>("EditImagesMask")->setText(QStringLiteral("*.gif"));
  Control<QToolButton>("ButtonSaveSettings")->click();
  Control<TZetEdit>("EditImagesMask")->setText(QStringLiteral("*.png"));
  Control<TSortedComboBox>("ComboBoxSettings")->setEditText(QString());
  QTest::keyClicks(Control<TSortedComboBox>("ComboBoxSettings")->lineEdit(),
                   QStringLiteral("Trip"));
  QTest::keyClick(Control<TSortedComboBox>("ComboBoxSettings")->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(Control<TZetEdit>("EditImagesMask")->text().toStdString(), "*.png");
  EXPECT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->currentText().toStdString(), "Trip");
  Control<TSortedComboBox>("ComboBoxSettings")
      ->setCurrentIndex(Control<TSortedComboBox>("ComboBoxSettings")->findText("Trip"));
  emit Control<TSortedComboBox>("ComboBoxSettings")
      ->activated(Control<TSortedComboBox>("ComboBoxSettings")->currentIndex());
  EXPECT_EQ(Control<TZetEdit>("EditImagesMask")->text().toStdString(), "*.gif")
      << "a pick from the list loads";
}

TEST_F(PresetTest, ArrowKeysInTheClosedListLoadEachPresetPassed) {
  for (const char* name : {"Alpha", "Beta"}) {
    Control<TSortedComboBox>("ComboBoxSettings")->setEditText(QString::fromLatin1(name));
    Control<QLineEdit>("EditAltIndex")->setText(QString::fromLatin1(name));
    Control<QToolButton>("ButtonSaveSettings")->click();
  }
  ASSERT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->Entries(),
            (QStringList{"<без названия>", "Alpha", "Beta"}));
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetFiles");
  Control<TSortedComboBox>("ComboBoxSettings")->setFocus();
  Pick(QStringLiteral("<без названия>"));
  const struct {
    Qt::Key key;
    const char* loaded;  // EditAltIndex after the key
  } steps[] = {{Qt::Key_Down, "Alpha"}, {Qt::Key_Down, "Beta"}, {Qt::Key_Up, "Alpha"}};
  for (const auto& step : steps) {
    Control<QLineEdit>("EditAltIndex")->setText(QStringLiteral("changed"));
    QTest::keyClick(Control<TSortedComboBox>("ComboBoxSettings")->lineEdit(), step.key);
    EXPECT_EQ(Control<QLineEdit>("EditAltIndex")->text().toStdString(), step.loaded);
    EXPECT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->currentText().toStdString(),
              step.loaded);
  }
  form->close();
}

TEST_F(PresetTest, SaveWithEmptyNameSavesTheUntitledPreset) {
  Control<TSortedComboBox>("ComboBoxSettings")->setEditText(QString());
  Control<QLineEdit>("EditAltIndex")->setText(QStringLiteral("Home"));
  Control<QToolButton>("ButtonSaveSettings")->click();
  EXPECT_EQ(desktop.Texts("plain"),
            std::vector<std::string>{"Настройка \"<без названия>\" сохранена."});
  EXPECT_TRUE(Control<TSortedComboBox>("ComboBoxSettings")->currentText().isEmpty());
  Control<QLineEdit>("EditAltIndex")->setText(QStringLiteral("changed"));
  Pick(QStringLiteral("<без названия>"));
  EXPECT_EQ(Control<QLineEdit>("EditAltIndex")->text().toStdString(), "Home");
}

TEST_F(PresetTest, WrongKindWhilePickingIsShownAndTheWindowGoesOn) {
  WriteStoredText(std::string(kNamedSettingsKey) + "\\Bad", "ThumbsFolder", "t");
  WriteStoredText(std::string(kNamedSettingsKey) + "\\Bad", "ClearThumbsFolder", "1");
  form->RefreshSettingsList();
  Pick(QStringLiteral("Bad"));
  EXPECT_EQ(desktop.Texts("standard"),
            std::vector<std::string>{"Invalid data type for 'ClearThumbsFolder'"});
  EXPECT_EQ(Control<QLineEdit>("EditThumbsFolder")->text().toStdString(), "t");
}

TEST_F(PresetTest, TypedNamesAreSavedAndDeletedAsTyped) {
  for (const char* name : {"Alpha", "Beta"}) {
    Control<TSortedComboBox>("ComboBoxSettings")->setEditText(QString::fromLatin1(name));
    Control<QToolButton>("ButtonSaveSettings")->click();
  }
  ASSERT_TRUE(ShowActive());
  ShowPage("TabSheetFiles");
  Control<TSortedComboBox>("ComboBoxSettings")->setFocus();
  QLineEdit* edit = Control<TSortedComboBox>("ComboBoxSettings")->lineEdit();
  desktop.messages.clear();
  const struct {
    const char* typed;
    Qt::Key key;
    const char* message;
  } steps[] = {{"Be", Qt::Key_F2, "Настройка \"Be\" сохранена."},
               {"Al", Qt::Key_F8, "Настройка \"Al\" удалена."}};
  for (const auto& step : steps) {
    edit->clear();
    QTest::keyClicks(edit, QString::fromLatin1(step.typed));
    EXPECT_EQ(edit->text().toStdString(), step.typed) << "nothing completes the typed name";
    QTest::keyClick(edit, step.key);
    EXPECT_EQ(desktop.Texts("plain").back(), step.message);
  }
  EXPECT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->Entries(),
            (QStringList{"<без названия>", "Alpha", "Be", "Beta"}))
      << "Alpha is kept, Beta not overwritten";
  // Typing a preset's whole name and leaving the box picks nothing: the values stay.
  Control<QLineEdit>("EditAltIndex")->setText(QStringLiteral("mine"));
  edit->clear();
  QTest::keyClicks(edit, QStringLiteral("Beta"));
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(Control<QLineEdit>("EditAltIndex")->text().toStdString(), "mine");
  form->close();
}

// The named preset "<Без названия>" beside the untitled "<без названия>": a restart shows the
// name of the preset it loaded, and F2 then saves back into that preset.
class CaseTwinPresetTest : public PresetTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(CaseTwinPresetTest, RestartShowsThePresetItLoaded) {
  const QString last = QString::fromUtf8(GetParam());
  const QString other = last == QString::fromUtf8("<без названия>")
                            ? QString::fromUtf8("<Без названия>")
                            : QString::fromUtf8("<без названия>");
  for (const QString& name : {other, last}) {
    Control<TSortedComboBox>("ComboBoxSettings")->setEditText(name);
    Control<QLineEdit>("EditAltIndex")->setText(name);
    Control<QToolButton>("ButtonSaveSettings")->click();
  }
  form.reset();
  form = std::make_unique<TFormMain>(desktop);
  ASSERT_EQ(form->FormCreate(""), TStatus::Ok());
  EXPECT_EQ(Control<TSortedComboBox>("ComboBoxSettings")->currentText(), last);
  EXPECT_EQ(Control<QLineEdit>("EditAltIndex")->text(), last);
  Control<QLineEdit>("EditAltIndex")->setText(QStringLiteral("changed"));
  Control<QAction>("MenuSaveSettings")->trigger();
  Pick(other);
  EXPECT_EQ(Control<QLineEdit>("EditAltIndex")->text(), other)
      << "the other preset was not overwritten";
}

INSTANTIATE_TEST_SUITE_P(Names, CaseTwinPresetTest,
                         ::testing::Values("<Без названия>", "<без названия>"), TPrintedCaseName());

// What the user does with values changed since the preset was loaded, and how it is answered.
enum class TPresetEvent { PickOther, Close, Delete };

struct TUnsavedCase {
  TPresetEvent event;
  bool changed;                  // the mask was changed after "Trip" was saved
  TDesktop::TSaveAnswer answer;  // to "save the changes?" (Save for "Да" when deleting)
  const char* question;          // asked, "" when nothing is asked
  const char* maskAfter;         // in the mask edit afterwards
  const char* storedMask;        // in preset "Trip" afterwards, "" when it is gone
  bool windowStays;
};

void PrintTo(const TUnsavedCase& c, std::ostream* out) {
  *out << static_cast<int>(c.event) << (c.changed ? " changed " : " unchanged ")
       << static_cast<int>(c.answer) << " -> " << c.maskAfter << "/" << c.storedMask;
}

class UnsavedChangesTest : public PresetTest, public ::testing::WithParamInterface<TUnsavedCase> {};

TEST_P(UnsavedChangesTest, AreNotDroppedSilently) {
  const TUnsavedCase& c = GetParam();
  ASSERT_TRUE(ShowActive());
  Control<TSortedComboBox>("ComboBoxSettings")->setEditText(QStringLiteral("Trip"));
  Control<TZetEdit>("EditImagesMask")->setText(QStringLiteral("*.gif"));
  Control<QToolButton>("ButtonSaveSettings")->click();
  if (c.changed) Control<TZetEdit>("EditImagesMask")->setText(QStringLiteral("*.png"));
  desktop.messages.clear();
  desktop.saveAnswers.push_back(c.answer);
  desktop.confirmations.push_back(c.answer == TDesktop::TSaveAnswer::Save);
  switch (c.event) {
    case TPresetEvent::PickOther:
      Pick(QStringLiteral("<без названия>"));
      break;
    case TPresetEvent::Close:
      form->close();
      break;
    case TPresetEvent::Delete:
      Control<QAction>("MenuDeleteSettings")->trigger();
      break;
  }
  const std::vector<std::string> asked =
      c.event == TPresetEvent::Delete ? desktop.Texts("confirm") : desktop.Texts("save");
  EXPECT_EQ(asked, *c.question ? std::vector<std::string>{c.question} : std::vector<std::string>{});
  EXPECT_EQ(Control<TZetEdit>("EditImagesMask")->text().toStdString(), c.maskAfter);
  EXPECT_EQ(form->isVisible(), c.windowStays);
  TRecordingUserInterface ui;
  TSettingsStore store(OpenSettingsDatabase(ui), ui);
  const std::vector<std::string> presets = store.RefreshSettingsList(nullptr);
  const bool kept = std::find(presets.begin(), presets.end(), "Trip") != presets.end();
  EXPECT_EQ(kept ? store.ReadPresetSnapshot("Trip")->ImagesMask : "", c.storedMask);
}

constexpr char kAsked[] = "Настройка \"Trip\" изменена. Сохранить изменения?";
constexpr char kDeleteAsked[] = "Удалить настройку \"Trip\"?";
using TAnswer = TDesktop::TSaveAnswer;

INSTANTIATE_TEST_SUITE_P(
    Cases, UnsavedChangesTest,
    ::testing::Values(
        TUnsavedCase{TPresetEvent::PickOther, true, TAnswer::Save, kAsked, "*.jpg", "*.png", true},
        TUnsavedCase{TPresetEvent::PickOther, true, TAnswer::Discard, kAsked, "*.jpg", "*.gif",
                     true},
        TUnsavedCase{TPresetEvent::PickOther, true, TAnswer::Cancel, kAsked, "*.png", "*.gif",
                     true},
        TUnsavedCase{TPresetEvent::PickOther, false, TAnswer::Cancel, "", "*.jpg", "*.gif", true},
        TUnsavedCase{TPresetEvent::Close, true, TAnswer::Save, kAsked, "*.png", "*.png", false},
        TUnsavedCase{TPresetEvent::Close, true, TAnswer::Discard, kAsked, "*.png", "*.gif", false},
        TUnsavedCase{TPresetEvent::Close, true, TAnswer::Cancel, kAsked, "*.png", "*.gif", true},
        TUnsavedCase{TPresetEvent::Close, false, TAnswer::Cancel, "", "*.gif", "*.gif", false},
        TUnsavedCase{TPresetEvent::Delete, false, TAnswer::Cancel, kDeleteAsked, "*.gif", "*.gif",
                     true},
        TUnsavedCase{TPresetEvent::Delete, false, TAnswer::Save, kDeleteAsked, "*.gif", "", true}),
    TPrintedCaseName());

}  // namespace

}  // namespace zetgallery
