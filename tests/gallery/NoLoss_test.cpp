// The collision table: settings under which a write or a deletion of the build would land on one
// of the build's own inputs (pictures, templates, button pictures, description files). Each case
// is built once through BuildGallery and once through the zetgallery program; the whole folder
// is compared before and after, and nothing that was there may change.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "FolderSnapshot.h"
#include "GalleryFixture.h"
#include "ProgramRunner.h"
#include "WriterTestSupport.h"
#include "gallery/BuildDriver.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

enum class TOutcome {
  Refused,       // the build stops before anything is cleared, created or written
  Skipped,       // the colliding files are skipped with a message each; the rest is built
  KeptSilently,  // a clearing step passes the input over without a word
};

struct TCollisionCase {
  const char* label;
  std::function<void(TGalleryFixture&)> arrange;
  TOutcome outcome;
  std::vector<std::string> named;  // the file names the messages name, one message each
};

class Collisions : public ::testing::TestWithParam<TCollisionCase> {};

// Every file that was there is unchanged, no temporary file is left, and a refused build made
// nothing new either.
void ExpectNothingOfTheUsersChanged(const TCollisionCase& c,
                                    const std::map<std::string, std::string>& before,
                                    const std::string& root) {
  const auto after = FolderContents(root);
  EXPECT_EQ(ChangedOrLost(before, after), std::vector<std::string>{});
  EXPECT_EQ(PartFilesUnder(root), std::vector<std::string>{});
  if (c.outcome == TOutcome::Refused) {
    EXPECT_EQ(after, before) << "a refused build creates nothing either";
  }
}

// True when a line of the program's standard error that is not a progress line names `name`.
bool NamedInAMessage(const std::string& err, const std::string& name) {
  size_t start = 0;
  for (size_t end; (end = err.find('\n', start)) != std::string::npos; start = end + 1)
    if (err[start] != '[' && err.substr(start, end - start).find(name) != std::string::npos)
      return true;
  return false;
}

TEST_P(Collisions, ThroughBuildGallery) {
  const TCollisionCase& c = GetParam();
  TGalleryFixture gallery;
  c.arrange(gallery);
  const auto before = FolderContents(gallery.root);

  TRecordingUserInterface ui;

  ui.answer = true;
  TBuildOptions options;
  options.thumbnailThreads = 2;
  const TBuildResult result = BuildGallery(gallery.Inputs(), ui, options);

  ExpectNothingOfTheUsersChanged(c, before, gallery.root);
  EXPECT_EQ(ui.errors.size(), c.named.size()) << testing::PrintToString(ui.errors);
  for (size_t i = 0; i < c.named.size() && i < ui.errors.size(); ++i)
    EXPECT_NE(ui.errors[i].find(c.named[i]), std::string::npos) << ui.errors[i];
  EXPECT_EQ(result.outcome,
            c.outcome == TOutcome::Refused ? TBuildOutcome::Stopped : TBuildOutcome::Finished);
}

TEST_P(Collisions, ThroughTheProgram) {
  const TCollisionCase& c = GetParam();
  TGalleryFixture gallery;
  c.arrange(gallery);
  TTempFolder settingsFolder;  // outside the compared tree
  const std::string registry = settingsFolder / "registry.db";
  SavePresetInto(registry, "case", gallery.settings);
  const auto before = FolderContents(gallery.root);

  const TCommandRun run =
      RunZetGallery(settingsFolder.Path(), registry, {"--build", "--yes", "--preset", "case"});

  ExpectNothingOfTheUsersChanged(c, before, gallery.root);
  EXPECT_EQ(run.status, c.named.empty() ? 0 : 1) << run.err;
  for (const std::string& name : c.named) EXPECT_TRUE(NamedInAMessage(run.err, name)) << run.err;
}

const std::vector<TCollisionCase> kCases = {
    {"TemplateIsTheIndex",
     [](TGalleryFixture& g) {
       WriteWholeFile(g.root + "/index.htm", kFixtureIndexTemplate);
       g.settings.IndexTemplate = g.root + "/index.htm";
     },
     TOutcome::Refused,
     {"index.htm"}},
    {"TemplateIsTheIndexThroughALink",
     [](TGalleryFixture& g) { fs::create_symlink(g.tpl + "/index.tpl", g.root + "/index.htm"); },
     TOutcome::Refused,
     {"index.htm"}},
    {"TemplateIsAPage",
     [](TGalleryFixture& g) {
       WriteWholeFile(g.root + "/sea.htm", kFixturePageTemplate);
       g.settings.ImageTemplate = g.root + "/sea.htm";
       g.settings.ImageType = 1;
     },
     TOutcome::Skipped,
     {"sea.htm"}},
    {"PagesArePictures",
     [](TGalleryFixture& g) {
       g.AddPicture("p_01.jpg");
       g.AddPicture("p_02.jpg");
       g.settings.ResultFolder = 1;
       g.settings.ImageType = 1;
       g.settings.HtmlNames = 1;
       g.settings.HtmlFirstImageFile = "p_01.jpg";
     },
     TOutcome::Skipped,
     {"p_01.jpg", "p_02.jpg"}},
    {"PageIsADescriptionFile",
     [](TGalleryFixture& g) {
       WriteWholeFile(g.pics + "/b.txt", "Вторая\r\n");
       g.settings.Descriptions = 1;
       g.settings.ResultFolder = 1;
       g.settings.ImageType = 1;
       g.settings.IndexFile = "index.txt";
     },
     TOutcome::Skipped,
     {"a.txt", "b.txt", "sea.txt"}},
    {"IndexIsAPicture",
     [](TGalleryFixture& g) {
       g.settings.ResultFolder = 1;
       g.settings.IndexFile = "a.jpg";
     },
     TOutcome::Refused,
     {"a.jpg"}},
    {"IndexIsAPictureThroughDotDot",
     [](TGalleryFixture& g) { g.settings.IndexFile = "pics/../pics/sea.jpg"; },
     TOutcome::Refused,
     {"sea.jpg"}},
    {"IndexIsDescriptIon",
     [](TGalleryFixture& g) {
       g.settings.ResultFolder = 1;
       g.settings.IndexFile = "descript.ion";
     },
     TOutcome::Refused,
     {"descript.ion"}},
    // Description files from a system that does not keep letter case are inputs all the same.
    {"IndexIsDescriptIonInCapitals",
     [](TGalleryFixture& g) {
       fs::rename(g.pics + "/descript.ion", g.pics + "/DESCRIPT.ION");
       g.settings.ResultFolder = 1;
       g.settings.IndexFile = "DESCRIPT.ION";
     },
     TOutcome::Refused,
     {"DESCRIPT.ION"}},
    {"PageIsADescriptionFileInCapitals",
     [](TGalleryFixture& g) {
       g.AddPicture("SEA.JPG");
       WriteWholeFile(g.pics + "/SEA.TXT", "Море\r\n");
       g.settings.Descriptions = 1;
       g.settings.ResultFolder = 1;
       g.settings.ImageType = 1;
       g.settings.IndexFile = "index.TXT";
     },
     TOutcome::Skipped,
     {"a.TXT", "b.TXT", "SEA.TXT", "sea.TXT"}},
    {"ButtonCopyIsAPicture",
     [](TGalleryFixture& g) {
       WriteWholeFile(g.tpl + "/a.jpg", "GIF89a first");
       g.settings.ButtonImageFirst = g.tpl + "/a.jpg";
       g.settings.ButtonsFolder = "pics";
       g.settings.ImageType = 1;
     },
     TOutcome::Skipped,
     {"a.jpg"}},
    {"ThumbnailsArePicturesThroughALink",
     [](TGalleryFixture& g) {
       fs::create_directory_symlink(g.pics, g.root + "/thumbs");
       g.settings.ThumbPrefixSuffix = "";
       g.settings.ClearThumbsFolder = false;
     },
     TOutcome::Skipped,
     {"a.jpg", "b.jpg", "sea.jpg"}},
    {"ClearingWouldDeleteAPicture",
     [](TGalleryFixture& g) {
       g.AddPicture("view.jpg");
       fs::rename(g.pics + "/view.jpg", g.pics + "/view.html");
       g.settings.ImagesMask = "*.jpg;*.html";
       g.settings.ResultFolder = 1;
     },
     TOutcome::KeptSilently,
     {}},
};

void PrintTo(const TCollisionCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.outcome, c.named);
}

INSTANTIATE_TEST_SUITE_P(Table, Collisions, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace

}  // namespace zetgallery
