// The settings table bound to the window's controls: the start-up values come from the table,
// every setting goes into its control and back unchanged, and a table row without its control
// is found, and named, when the window is made.
#include "app/FormSettingsBinding.h"

#include <QComboBox>

#include "FormTestSupport.h"
#include "settings/RegistryDatabase.h"
#include "settings/SettingValueRules.h"
#include "settings/SettingsStore.h"
#include "support/SnapshotDifferences.h"

namespace zetgallery {

namespace {

TEST_F(FormTest, FreshWindowHoldsTheDesignTimeValuesOfEverySetting) {
  EXPECT_EQ(SnapshotDifferences(form->ReadSnapshot(), DesignTimeSettingsSnapshot()),
            std::vector<std::string>{});
  // Neither button of a pair is checked yet, which the snapshot cannot tell from the second.
  EXPECT_FALSE(Control<TRadioButton>("RadioButtonImageAsHtml")->isChecked());
  EXPECT_FALSE(Control<TRadioButton>("RadioButtonHtmlSerialNumber")->isChecked());
  EXPECT_FALSE(Control<TRadioButton>("RadioButtonThumbWithSuffix")->isChecked());
  EXPECT_EQ(Control<TSpinEdit>("EditCellPadding")->Maximum(), 10) << "limits from the table";
  EXPECT_EQ(Control<TSpinEdit>("EditThumbXCount")->Minimum(), 1);
  // Every edit holds as long a text as a loaded value may be.
  for (const QLineEdit* edit : form->findChildren<QLineEdit*>())
    EXPECT_EQ(edit->maxLength(), kEditTextMaxLength) << edit->objectName().toStdString();
}

// Every setting at a value other than its default, stored as a preset and picked in the window
// (after a start that loaded the defaults), comes back from the controls as it was stored.
TEST_F(FormTest, EverySettingGoesIntoItsControlAndBackUnchanged) {
  QDir().mkpath(Pictures());
  ASSERT_EQ(form->FormCreate(""), TStatus::Ok());
  TSettingsSnapshot stored = DesignTimeSettingsSnapshot();
  for (const TSettingRow& row : kSettingsTable) {
    switch (row.Control) {
      case TControlKind::Edit:
        stored.*row.Text =
            std::string(row.Content == TTextContent::HtmlFolderName ? "v_" : "v ") + row.Name;
        break;
      case TControlKind::TextSpin:
        stored.*row.Text = "250";  // beyond the limits: kept as text
        break;
      case TControlKind::SpinEdit:
        stored.*row.Number = row.DefaultNumber == row.Min + 1 ? row.Min + 2 : row.Min + 1;
        break;
      case TControlKind::DropDown:
        // The result-folder list holds two entries once the images folder is set.
        stored.*row.Number = (row.DefaultNumber + 1) % (row.ItemCount > 0 ? row.ItemCount : 2);
        break;
      case TControlKind::RadioPair:
        stored.*row.Number = 0;
        break;
      case TControlKind::CheckBox:
        stored.*row.Check = false;
        break;
    }
  }
  stored.ImagesFolder = Pictures().toStdString();
  TSettingsStore store(TRegistryDatabase::Open(qgetenv("ZETGALLERY_REGISTRY").toStdString()),
                       form->UserInterface());
  EXPECT_TRUE(store.SaveSettings("All", stored, nullptr).ok());
  form->RefreshSettingsList();
  TSortedComboBox* presets = Control<TSortedComboBox>("ComboBoxSettings");
  const int entry = presets->findText(QStringLiteral("All"));
  ASSERT_GE(entry, 0);
  presets->setCurrentIndex(entry);
  emit presets->activated(entry);
  EXPECT_EQ(SnapshotDifferences(form->ReadSnapshot(), stored), std::vector<std::string>{});
}

// One way the window's controls can miss what the settings table names, and the message that
// then stops the program.
struct TMisboundCase {
  const char* title;
  void (*spoil)(TFormMain& form);
  const char* error;
};

void PrintTo(const TMisboundCase& c, std::ostream* out) { *out << c.title; }

class MisboundTest : public FormTest, public ::testing::WithParamInterface<TMisboundCase> {};

TEST_P(MisboundTest, NamesTheSettingWithoutItsControl) {
  const auto bound = TSettingsBindings::Bind(*form);
  ASSERT_TRUE(bound.ok()) << bound.status().message();
  ASSERT_NE(bound.value(), nullptr);
  GetParam().spoil(*form);
  const auto misbound = TSettingsBindings::Bind(*form);
  EXPECT_FALSE(misbound.ok());
  EXPECT_EQ(misbound.status().message(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MisboundTest,
    ::testing::Values(
        TMisboundCase{"renamed spin edit",
                      [](TFormMain& f) {
                        FindControl<TSpinEdit>(f, "EditCellPadding")
                            ->setObjectName(QStringLiteral("EditCelPad"));
                      },
                      "The setting 'CellPadding' has no control 'EditCellPadding' of its kind"},
        TMisboundCase{
            "second button of a pair renamed",
            [](TFormMain& f) {
              FindControl<TRadioButton>(f, "RadioButtonHtmlSerialNumber")->setObjectName(QString());
            },
            "The setting 'HtmlNames' has no control 'RadioButtonHtmlSerialNumber' of "
            "its kind"},
        TMisboundCase{"a label under an edit's name",
                      [](TFormMain& f) {
                        FindControl<QLineEdit>(f, "EditAltIndex")->setObjectName(QString());
                        FindControl<QLabel>(f, "LabelButtonImageIndex")
                            ->setObjectName(QStringLiteral("EditAltIndex"));
                      },
                      "The setting 'AltIndex' has no control 'EditAltIndex' of its kind"},
        TMisboundCase{"page-name box one cannot type into",
                      [](TFormMain& f) {
                        FindControl<QComboBox>(f, "EditHtmlFirstImageFile")->setEditable(false);
                      },
                      "The setting 'HtmlFirstImageFile' has no control 'EditHtmlFirstImageFile' "
                      "of its kind"},
        TMisboundCase{"two controls of one name",
                      [](TFormMain& f) {
                        FindControl<QLineEdit>(f, "EditThumbsFolderPrefix")
                            ->setObjectName(QStringLiteral("EditThumbsFolder"));
                      },
                      "The setting 'ThumbsFolder' has two controls named 'EditThumbsFolder'"},
        TMisboundCase{
            "a list without its last entry",
            [](TFormMain& f) { FindControl<QComboBox>(f, "ComboBoxThumbsFormat")->removeItem(2); },
            "The setting 'ThumbsFormat' needs 3 entries in the list "
            "'ComboBoxThumbsFormat'"},
        TMisboundCase{
            "a check box that is gone",
            [](TFormMain& f) { delete FindControl<QCheckBox>(f, "CheckBoxImageClickEqualNext"); },
            "The setting 'ImageClickEqualNext' has no control "
            "'CheckBoxImageClickEqualNext' of its kind"}),
    [](const auto& info) {
      std::string name;
      for (const char* c = info.param.title; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
      return name;
    });

}  // namespace

}  // namespace zetgallery
