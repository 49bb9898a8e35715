// The window's rules as a function of the settings: which controls each combination of the
// index kind, the picture mode, the description source and the size column enables, and what
// the mandatory texts, the result folder and the image list mean for the Build button.
#include "app/WindowRules.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/CaseNames.h"

namespace zetgallery {

namespace {

// What the enable/disable rules should give for one combination of the settings they read.
struct TRuleCase {
  const char* title;
  int indexKind;     // IndexType
  bool imageAsHtml;  // ImageType: a page per picture, else the picture as a file
  int description;   // Descriptions
  bool showSizes;    // ShowFileSizes
  // expected enabled states
  bool tableGroup, tableWidth, headers, descriptions, sizesCheck, sizesUnit, cellSpacing;
  bool thumbsGroup, thumbXCount, thumbNames, createThumbs, thumbsFolder;
  bool imageTemplate, descrPlace, navigation, htmlNames, buttonsFolder;
};

void PrintTo(const TRuleCase& c, std::ostream* out) { *out << c.title; }

class EnableDisableTest : public ::testing::TestWithParam<TRuleCase> {};

TEST_P(EnableDisableTest, FollowsTheRules) {
  const TRuleCase& c = GetParam();
  TWindowRuleInputs inputs;
  inputs.Settings.IndexType = c.indexKind;
  inputs.Settings.ImageType = c.imageAsHtml ? 1 : 0;
  inputs.Settings.Descriptions = c.description;
  inputs.Settings.ShowFileSizes = c.showSizes;
  const TWindowState state = EvaluateWindowRules(inputs);

  const std::pair<const char*, bool> expected[] = {
      {"GroupBoxIndexTable", c.tableGroup},
      {"EditTableWidth", c.tableWidth},
      {"LabelTableWidth", c.tableWidth},
      {"CheckBoxShowTableHeaders", c.headers},
      {"CheckBoxShowDescriptions", c.descriptions},
      {"CheckBoxShowFileSizes", c.sizesCheck},
      {"ComboBoxFileSizes", c.sizesUnit},
      {"LabelFileSizes", c.sizesUnit},
      {"EditCellSpacing", c.cellSpacing},
      {"ButtonTableBackColor", c.cellSpacing},
      {"GroupBoxThumbs", c.thumbsGroup},
      {"EditThumbXSize", c.thumbsGroup},
      {"EditThumbYSize", c.thumbsGroup},
      {"EditThumbXCount", c.thumbXCount},
      {"EditThumbBorderWidth", c.thumbXCount},
      {"CheckBoxDescrAsThumbAlt", c.thumbXCount},
      {"ButtonThumbBorderColor", c.thumbXCount},
      {"GroupBoxThumbNames", c.thumbNames},
      {"EditThumbPrefixSuffix", c.thumbNames},
      {"CheckBoxCreateThumbs", c.createThumbs},
      {"ComboBoxThumbsFormat", c.createThumbs},
      {"EditThumbsFolder", c.thumbsFolder},
      {"LabelThumbsFolder", c.thumbsFolder},
      {"CheckBoxClearThumbsFolder", c.thumbsFolder},
      {"EditImageTemplate", c.imageTemplate},
      {"EditImagePlace", c.imageTemplate},
      {"EditButtonsPlace", c.imageTemplate},
      {"CheckBoxPictureFacts", c.imageTemplate},
      {"EditDescrPlace", c.descrPlace},
      {"LabelDescrPlace", c.descrPlace},
      {"EditButtonImageFirst", c.navigation},
      {"EditAltIndex", c.navigation},
      {"LabelButtonAlts", c.navigation},
      {"CheckBoxImageClickEqualNext", c.navigation},
      {"GroupBoxHtmlNames", c.htmlNames},
      {"EditHtmlFirstImageFile", c.htmlNames},
      {"EditButtonsFolder", c.buttonsFolder},
      {"CheckBoxCopyButtonsFromTemplate", c.buttonsFolder},
      {"EditIndexFile", true}};
  for (const auto& [control, enabled] : expected) {
    const TControlState* got = state.Find(control);
    ASSERT_NE(got, nullptr) << control;
    EXPECT_EQ(got->Enabled, enabled) << control;
  }
  // These the rules leave alone: the window keeps them as its layout made them.
  for (const char* control : {"GroupBoxNavigation", "ComboBoxDescrType", "EditThumbsFolderPrefix",
                              "EditButtonsFolderPrefix"})
    EXPECT_EQ(state.Find(control), nullptr) << control;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, EnableDisableTest, ::testing::Values(
    //         title                       kind html descr sizes | table width head descr sizeChk unit cell | thumbs xcount names create tfolder | imgTpl descrPl nav htmlNames bfolder
    TRuleCase{"list in a table, file",      2, false, 1, true,    true, true, true, true, true, true, true,    false, false, false, false, false,   false, false, false, false, false},
    TRuleCase{"list in a table, no descr",  2, false, 0, true,    true, true, true, false, true, true, true,   false, false, false, false, false,   false, false, false, false, false},
    TRuleCase{"list in a table, unchecked", 2, true, -1, false,   true, true, true, true, true, false, true,   false, false, false, false, false,   true, true, true, true, true},
    TRuleCase{"thumbnails, pages",          3, true, 0, true,     true, false, false, false, false, false, true, true, true, true, true, true,     true, false, true, true, true},
    TRuleCase{"thumbnails, pages, descr",   3, true, 2, false,    true, false, false, false, false, false, true, true, true, true, true, true,     true, true, true, true, true},
    TRuleCase{"numbered list, pages",       0, true, 2, true,     false, false, false, false, false, false, false, false, false, false, false, false, true, true, true, true, true},
    TRuleCase{"bulleted list, file",        1, false, 2, true,    false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false},
    TRuleCase{"no index kind",             -1, true, 1, true,     false, false, false, false, false, false, false, false, false, false, false, false, true, true, true, true, true},
    TRuleCase{"grid, pages",                4, true, 1, true,     false, false, false, false, false, false, false, true, false, true, true, true,   true, true, true, true, true},
    TRuleCase{"grid, file",                 4, false, 0, false,   false, false, false, false, false, false, false, true, false, true, true, true,   false, false, false, false, false}),
TPrintedCaseName());
// clang-format on

// The index template a choice of index kind brings, from the folder "/t/".
struct TTemplateSwapCase {
  const char* title;
  int kind;
  const char* before;
  const char* after;
};

void PrintTo(const TTemplateSwapCase& c, std::ostream* out) {
  PrintCase(out, c.title, c.kind, c.before, c.after);
}

class IndexTemplateForKindTest : public ::testing::TestWithParam<TTemplateSwapCase> {};

TEST_P(IndexTemplateForKindTest, SwapsOnlyTheDefaultTemplates) {
  const TTemplateSwapCase& c = GetParam();
  EXPECT_EQ(IndexTemplateForKind(c.kind, c.before, "/t/"), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IndexTemplateForKindTest,
    ::testing::Values(
        TTemplateSwapCase{"GridTakesItsOwn", 4, "/t/IndexTemplate.htm", "/t/GridTemplate.htm"},
        TTemplateSwapCase{"QuotesStay", 4, "\"/t/IndexTemplate.htm\"", "\"/t/GridTemplate.htm\""},
        TTemplateSwapCase{"TableGivesItBack", 3, "/t/GridTemplate.htm", "/t/IndexTemplate.htm"},
        TTemplateSwapCase{"NoKindGivesItBack", -1, "/t/GridTemplate.htm", "/t/IndexTemplate.htm"},
        TTemplateSwapCase{"GridKeepsGrid", 4, "/t/GridTemplate.htm", "/t/GridTemplate.htm"},
        TTemplateSwapCase{"ListKeepsIndex", 0, "/t/IndexTemplate.htm", "/t/IndexTemplate.htm"},
        TTemplateSwapCase{"OwnTemplateStays", 4, "/home/me/mine.htm", "/home/me/mine.htm"},
        TTemplateSwapCase{"OtherFolderStays", 4, "/u/IndexTemplate.htm", "/u/IndexTemplate.htm"},
        TTemplateSwapCase{"OtherFolderGridStays", 2, "/u/GridTemplate.htm", "/u/GridTemplate.htm"},
        TTemplateSwapCase{"EmptyStays", 4, "", ""}),
    CaseNamesBy(&TTemplateSwapCase::title));

// Every mandatory text filled, a result folder and one picture; then one of them changed.
struct TMandatoryCase {
  const char* title;
  std::string TSettingsSnapshot::*text;  // the text changed, or null
  const char* value;                     // what it holds
  const char* resultFolder;
  int images;
  bool buildEnabled;
  const char* yellow;  // the control shown yellow, "" for none
};

void PrintTo(const TMandatoryCase& c, std::ostream* out) { *out << c.title; }

class MandatoryTest : public ::testing::TestWithParam<TMandatoryCase> {};

TEST_P(MandatoryTest, YellowWhenBlankAndBuildNeedsAll) {
  const TMandatoryCase& c = GetParam();
  TWindowRuleInputs inputs{DesignTimeSettingsSnapshot(), c.resultFolder, c.images};
  inputs.Settings.ImagesFolder = "/pics";
  // A numbered list of picture files: the thumbnails and buttons folders are disabled, and
  // still mandatory.
  inputs.Settings.IndexType = 0;
  inputs.Settings.ImageType = 0;
  if (c.text != nullptr) inputs.Settings.*c.text = c.value;
  const TWindowState state = EvaluateWindowRules(inputs);
  ASSERT_NE(state.Find("ButtonBuildGallery"), nullptr);
  EXPECT_EQ(state.Find("ButtonBuildGallery")->Enabled, c.buildEnabled);
  int mandatory = 0;
  for (const TControlState& control : state.Controls) {
    if (!control.Mandatory) {
      EXPECT_FALSE(control.Highlighted) << control.Control;
      continue;
    }
    ++mandatory;
    EXPECT_EQ(control.Highlighted, control.Control == c.yellow) << control.Control;
  }
  EXPECT_EQ(mandatory, 7)
      << "images, thumbnails, buttons and display folders, index file, page name, zip name";
}

using S = TSettingsSnapshot;

INSTANTIATE_TEST_SUITE_P(
    Texts, MandatoryTest,
    ::testing::Values(
        TMandatoryCase{"all filled", nullptr, "", "/", 1, true, ""},
        TMandatoryCase{"thumbs folder empty", &S::ThumbsFolder, "", "/", 1, false,
                       "EditThumbsFolder"},
        TMandatoryCase{"thumbs folder blanks", &S::ThumbsFolder, " \t ", "/", 1, false,
                       "EditThumbsFolder"},
        TMandatoryCase{"buttons folder empty", &S::ButtonsFolder, "", "/", 1, false,
                       "EditButtonsFolder"},
        TMandatoryCase{"display folder empty", &S::DisplayFolder, "", "/", 1, false,
                       "EditDisplayFolder"},
        TMandatoryCase{"zip name empty", &S::ArchiveName, "", "/", 1, false, "EditArchiveName"},
        TMandatoryCase{"index file blanks", &S::IndexFile, "  ", "/", 1, false, "EditIndexFile"},
        TMandatoryCase{"index file inside blanks", &S::IndexFile, " x ", "/", 1, true, ""},
        TMandatoryCase{"page name empty", &S::HtmlFirstImageFile, "", "/", 1, false,
                       "EditHtmlFirstImageFile"},
        TMandatoryCase{"images folder blank", &S::ImagesFolder, " ", "/", 1, false,
                       "EditImagesFolder"},
        TMandatoryCase{"no picture", nullptr, "", "/", 0, false, ""},
        TMandatoryCase{"no result folder", nullptr, "", "", 1, false, ""},
        TMandatoryCase{"result folder blanks", nullptr, "", " \t", 1, false, ""}),
    TPrintedCaseName());

TEST(WindowRulesTest, EveryEvaluationListsTheSameControlsInTheSameOrder) {
  TWindowRuleInputs other;
  other.Settings.IndexType = 3;
  other.Settings.ImageType = 1;
  const TWindowState first = EvaluateWindowRules({});
  const TWindowState second = EvaluateWindowRules(other);
  ASSERT_EQ(first.Controls.size(), second.Controls.size());
  for (size_t i = 0; i < first.Controls.size(); ++i) {
    EXPECT_EQ(first.Controls[i].Control, second.Controls[i].Control);
    EXPECT_EQ(first.Find(first.Controls[i].Control), &first.Controls[i]) << "named once";
  }
}

// The display copies group: pages only; its values only while copies are made. The zip's name
// (switched with them here) only while the zip is made.
struct TDisplayRuleCase {
  const char* title;
  bool imageAsHtml;
  bool copies;
  bool switchEnabled;  // its check box
  bool valuesEnabled;  // the size, quality and folder with their labels
};

void PrintTo(const TDisplayRuleCase& c, std::ostream* out) {
  PrintCase(out, c.title, c.imageAsHtml, c.copies);
}

class DisplayCopyRuleTest : public ::testing::TestWithParam<TDisplayRuleCase> {};

TEST_P(DisplayCopyRuleTest, FollowsThePagesAndTheSwitch) {
  const TDisplayRuleCase& c = GetParam();
  TWindowRuleInputs inputs;
  inputs.Settings.ImageType = c.imageAsHtml ? 1 : 0;
  inputs.Settings.DisplayCopies = c.copies;
  inputs.Settings.OriginalsArchive = c.copies;
  const TWindowState state = EvaluateWindowRules(inputs);
  // The zip's name follows its own switch alone, pages or not.
  EXPECT_EQ(state.Find("EditArchiveName")->Enabled, c.copies);
  ASSERT_NE(state.Find("CheckBoxDisplayCopies"), nullptr);
  EXPECT_EQ(state.Find("CheckBoxDisplayCopies")->Enabled, c.switchEnabled);
  for (const char* control : {"EditDisplaySize", "LabelDisplaySize", "EditDisplayQuality",
                              "LabelDisplayQuality", "EditDisplayFolder", "LabelDisplayFolder"}) {
    ASSERT_NE(state.Find(control), nullptr) << control;
    EXPECT_EQ(state.Find(control)->Enabled, c.valuesEnabled) << control;
  }
  EXPECT_TRUE(state.Find("EditDisplayFolder")->Mandatory);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DisplayCopyRuleTest,
    ::testing::Values(TDisplayRuleCase{"pages with copies", true, true, true, true},
                      TDisplayRuleCase{"pages without", true, false, true, false},
                      TDisplayRuleCase{"files, copies checked", false, true, false, false},
                      TDisplayRuleCase{"files", false, false, false, false}),
    TPrintedCaseName());

}  // namespace

}  // namespace zetgallery
