// The collision table: settings under which a write or a deletion of the build would land on one
// of the build's own inputs (pictures, templates, button pictures, description files). Each case
// is built once through BuildGallery and once through the zetgallery program; the whole folder
// is compared before and after, and nothing that was there may change.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "BuildDriver.h"
#include "FolderSnapshot.h"
#include "ImageScan.h"
#include "ProgramRunner.h"
#include "ResultFolders.h"
#include "TestPictures.h"
#include "ZetFileUtils.h"

namespace fs = std::filesystem;

namespace {

const char kIndexTemplate[] = "<html>\r\n~~~INDEX~~~\r\n</html>\r\n";
const char kPageTemplate[] = "<html>\r\n~~~IMAGE~~~\r\n~~~DESCR~~~\r\n~~~BUTTONS~~~\r\n</html>\r\n";

// A gallery folder: <root>/pics holds a.jpg, b.jpg, sea.jpg and descript.ion, <root>/tpl the
// templates and the five button pictures. The settings take the thumbnail index and JPEG
// thumbnails, pictures as files, the result folder <root>.
class TCollisionGallery {
 public:
  TCollisionGallery() : root(folder.Path()), pics(root + "/pics"), tpl(root + "/tpl") {
    fs::create_directories(pics);
    fs::create_directories(tpl);
    for (const char* name : {"a.jpg", "b.jpg", "sea.jpg"}) AddPicture(name);
    WriteWholeFile(pics + "/descript.ion", "a.jpg Первая\r\nsea.jpg Море\r\n");
    WriteWholeFile(tpl + "/index.tpl", kIndexTemplate);
    WriteWholeFile(tpl + "/page.tpl", kPageTemplate);
    for (const char* button : {"first", "prev", "next", "last", "index"})
      WriteWholeFile(tpl + "/" + button + ".gif", std::string("GIF89a ") + button);
    TSettingsSnapshot& s = settings;
    s = DesignTimeSettingsSnapshot();
    s.ImagesFolder = pics;
    s.ResultFolder = 0;
    s.ClearResultFolder = true;
    s.ClearThumbsFolder = true;
    s.CopyButtonsFromTemplate = true;
    s.HtmlNames = 0;
    s.Descriptions = 2;
    s.IndexTemplate = tpl + "/index.tpl";
    s.IndexType = 3;
    s.FileSizes = 1;
    s.CreateThumbs = true;
    s.ThumbsFormat = 1;
    s.ThumbPrefixSuffixType = 0;
    s.ImageType = 0;
    s.ImageTemplate = tpl + "/page.tpl";
    s.ButtonImageFirst = tpl + "/first.gif";
    s.ButtonImagePrev = tpl + "/prev.gif";
    s.ButtonImageNext = tpl + "/next.gif";
    s.ButtonImageLast = tpl + "/last.gif";
    s.ButtonImageIndex = tpl + "/index.gif";
  }

  void AddPicture(const std::string& name) {
    ASSERT_TRUE(MakeTestPicture(pics + "/" + name, 64, 48));
  }

  // What the window would hand over for these settings (as the command line does too).
  TBuildInputs Inputs() const {
    TBuildInputs inputs;
    inputs.Settings = settings;
    inputs.Images = ScanImages(settings.ImagesFolder, settings.ImagesMask, nullptr).names;
    inputs.ResultFolderText =
        ResultFolderAt(ResultFolderEntries(settings.ImagesFolder), settings.ResultFolder);
    inputs.ThumbsFolderPrefixText = EnsureTrailingBackslash(inputs.ResultFolderText);
    inputs.ButtonsFolderPrefixText = EnsureTrailingBackslash(inputs.ResultFolderText);
    inputs.ClearThumbsFolderEnabled = settings.IndexType == 3;
    return inputs;
  }

  TTempFolder folder;
  const std::string root;
  const std::string pics;
  const std::string tpl;
  TSettingsSnapshot settings;
};

enum class TOutcome {
  Refused,       // the build stops before anything is cleared, created or written
  Skipped,       // the colliding files are skipped with a message each; the rest is built
  KeptSilently,  // a clearing step passes the input over without a word
};

struct TCollisionCase {
  const char* label;
  std::function<void(TCollisionGallery&)> arrange;
  TOutcome outcome;
  std::vector<std::string> named;  // the file names the messages name, one message each
};

// Records the messages; every question is answered Yes.
class TRecordingUserInterface : public TUserInterface {
 public:
  bool AskConfirmation(const std::string&) override { return true; }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void ShowPlainMessage(const std::string& text) override { errors.push_back(text); }
  void ShowStandardError(const std::string& text) override { errors.push_back(text); }
  std::vector<std::string> errors;
};

class Collisions : public ::testing::TestWithParam<TCollisionCase> {};

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += text + "\n";
  return joined;
}

void ExpectNothingOfTheUsersChanged(const TCollisionCase& c,
                                    const std::map<std::string, std::string>& before,
                                    const std::map<std::string, std::string>& after) {
  EXPECT_EQ(ChangedOrLost(before, after), std::vector<std::string>{});
  if (c.outcome == TOutcome::Refused) {
    EXPECT_EQ(after, before) << "a refused build creates nothing either";
  }
}

// The lines of the program's standard error that are messages, not progress lines.
std::vector<std::string> MessageLines(const std::string& err) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = err.find('\n', start)) != std::string::npos; start = end + 1)
    if (err[start] != '[') lines.push_back(err.substr(start, end - start));
  return lines;
}

bool SomeLineNames(const std::vector<std::string>& lines, const std::string& name) {
  for (const std::string& line : lines)
    if (line.find(name) != std::string::npos) return true;
  return false;
}

TEST_P(Collisions, ThroughBuildGallery) {
  const TCollisionCase& c = GetParam();
  TCollisionGallery gallery;
  c.arrange(gallery);
  const auto before = FolderContents(gallery.root);

  TRecordingUserInterface ui;
  TBuildOptions options;
  options.thumbnailThreads = 2;
  const TBuildResult result = BuildGallery(gallery.Inputs(), ui, options);

  ExpectNothingOfTheUsersChanged(c, before, FolderContents(gallery.root));
  EXPECT_EQ(PartFilesUnder(gallery.root), std::vector<std::string>{});
  EXPECT_EQ(ui.errors.size(), c.named.size()) << Joined(ui.errors);
  for (size_t i = 0; i < c.named.size() && i < ui.errors.size(); ++i)
    EXPECT_NE(ui.errors[i].find(c.named[i]), std::string::npos) << ui.errors[i];
  EXPECT_EQ(result.outcome,
            c.outcome == TOutcome::Refused ? TBuildOutcome::Stopped : TBuildOutcome::Finished);
}

TEST_P(Collisions, ThroughTheProgram) {
  const TCollisionCase& c = GetParam();
  TCollisionGallery gallery;
  c.arrange(gallery);
  TTempFolder settingsFolder;  // outside the compared tree
  const std::string registry = settingsFolder / "registry.db";
  SavePresetInto(registry, "case", gallery.settings);
  const auto before = FolderContents(gallery.root);

  const TProgramRun run =
      RunZetGallery(settingsFolder.Path(), registry, {"--build", "--yes", "--preset", "case"});

  ExpectNothingOfTheUsersChanged(c, before, FolderContents(gallery.root));
  EXPECT_EQ(PartFilesUnder(gallery.root), std::vector<std::string>{});
  EXPECT_EQ(run.status, c.named.empty() ? 0 : 1) << run.err;
  const std::vector<std::string> messages = MessageLines(run.err);
  for (const std::string& name : c.named)
    EXPECT_TRUE(SomeLineNames(messages, name)) << name << "\n" << run.err;
}

const std::vector<TCollisionCase> kCases = {
    {"TemplateIsTheIndex",
     [](TCollisionGallery& g) {
       WriteWholeFile(g.root + "/index.htm", kIndexTemplate);
       g.settings.IndexTemplate = g.root + "/index.htm";
     },
     TOutcome::Refused,
     {"index.htm"}},
    {"TemplateIsTheIndexThroughALink",
     [](TCollisionGallery& g) { fs::create_symlink(g.tpl + "/index.tpl", g.root + "/index.htm"); },
     TOutcome::Refused,
     {"index.htm"}},
    {"TemplateIsAPage",
     [](TCollisionGallery& g) {
       WriteWholeFile(g.root + "/sea.htm", kPageTemplate);
       g.settings.ImageTemplate = g.root + "/sea.htm";
       g.settings.ImageType = 1;
     },
     TOutcome::Skipped,
     {"sea.htm"}},
    {"PagesArePictures",
     [](TCollisionGallery& g) {
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
     [](TCollisionGallery& g) {
       WriteWholeFile(g.pics + "/b.txt", "Вторая\r\n");
       g.settings.Descriptions = 1;
       g.settings.ResultFolder = 1;
       g.settings.ImageType = 1;
       g.settings.IndexFile = "index.txt";
     },
     TOutcome::Skipped,
     {"a.txt", "b.txt", "sea.txt"}},
    {"IndexIsAPicture",
     [](TCollisionGallery& g) {
       g.settings.ResultFolder = 1;
       g.settings.IndexFile = "a.jpg";
     },
     TOutcome::Refused,
     {"a.jpg"}},
    {"IndexIsAPictureThroughDotDot",
     [](TCollisionGallery& g) { g.settings.IndexFile = "pics/../pics/sea.jpg"; },
     TOutcome::Refused,
     {"sea.jpg"}},
    {"IndexIsDescriptIon",
     [](TCollisionGallery& g) {
       g.settings.ResultFolder = 1;
       g.settings.IndexFile = "descript.ion";
     },
     TOutcome::Refused,
     {"descript.ion"}},
    {"ButtonCopyIsAPicture",
     [](TCollisionGallery& g) {
       WriteWholeFile(g.tpl + "/a.jpg", "GIF89a first");
       g.settings.ButtonImageFirst = g.tpl + "/a.jpg";
       g.settings.ButtonsFolder = "pics";
       g.settings.ImageType = 1;
     },
     TOutcome::Skipped,
     {"a.jpg"}},
    {"ThumbnailsArePicturesThroughALink",
     [](TCollisionGallery& g) {
       fs::create_directory_symlink(g.pics, g.root + "/thumbs");
       g.settings.ThumbPrefixSuffix = "";
       g.settings.ClearThumbsFolder = false;
     },
     TOutcome::Skipped,
     {"a.jpg", "b.jpg", "sea.jpg"}},
    {"ClearingWouldDeleteAPicture",
     [](TCollisionGallery& g) {
       g.AddPicture("view.jpg");
       fs::rename(g.pics + "/view.jpg", g.pics + "/view.html");
       g.settings.ImagesMask = "*.jpg;*.html";
       g.settings.ResultFolder = 1;
     },
     TOutcome::KeptSilently,
     {}},
};

INSTANTIATE_TEST_SUITE_P(Table, Collisions, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
