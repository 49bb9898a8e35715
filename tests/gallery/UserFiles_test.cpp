// The arrangement table: folders where the user's own files stand at the paths a build writes or
// clears. Each case is built once through BuildGallery and once through the zetgallery program;
// afterwards every one of the user's files is where it was, unchanged, or in the trash, unchanged
// and named in a message; never gone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "FolderSnapshot.h"
#include "GalleryFixture.h"
#include "ProgramRunner.h"
#include "gallery/BuildDriver.h"
#include "gallery/BuildMessages.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

struct TArrangementCase {
  const char* label;
  // Sets the gallery up and plants the user's files; returns their paths under the root.
  std::function<std::vector<std::string>(TGalleryFixture&)> arrange;
  std::vector<std::string> trashed;  // the user's files that must go to the trash, by path
  int errors = 0;                    // messages of outputs not written (a page, no trash)
  int thumbnailsNotMade = 0;         // thumbnails not written (listed by the program, not shown)
};

class UserFiles : public ::testing::TestWithParam<TArrangementCase> {};

std::string Plant(TGalleryFixture& g, const std::string& path, const std::string& content) {
  fs::create_directories(fs::path(g.root + "/" + path).parent_path());
  WriteWholeFile(g.root + "/" + path, content);
  return path;
}

// Every planted file is where it was with its content, or is in the trash with its content, and
// the trash holds exactly the files `trashed` names.
void ExpectEveryUserFileKept(const TGalleryFixture& g, const std::vector<std::string>& planted,
                             const std::map<std::string, std::string>& before,
                             const std::vector<std::string>& trashed) {
  const auto after = FolderContents(g.root);
  const auto inTrash = g.Trashed();
  std::multiset<std::string> trashedContent;
  for (const auto& [name, content] : inTrash) trashedContent.insert(content);
  for (const std::string& path : planted) {
    const bool wasTrashed = std::count(trashed.begin(), trashed.end(), path) != 0;
    const auto now = after.find(path);
    if (wasTrashed) {
      EXPECT_EQ(trashedContent.count(before.at(path)), 1u) << path << " is not in the trash";
    } else {
      ASSERT_NE(now, after.end()) << path << " is gone";
      EXPECT_EQ(now->second, before.at(path)) << path << " changed";
    }
  }
  EXPECT_EQ(inTrash.size(), trashed.size());
  EXPECT_EQ(PartFilesUnder(g.root), std::vector<std::string>{});
}

TEST_P(UserFiles, ThroughBuildGallery) {
  const TArrangementCase& c = GetParam();
  TGalleryFixture gallery;
  const std::vector<std::string> planted = c.arrange(gallery);
  const auto before = FolderContents(gallery.root);
  TRecordingUserInterface ui;
  ui.answer = true;

  const TBuildResult result = BuildGallery(gallery.Inputs(), ui);

  ExpectEveryUserFileKept(gallery, planted, before, c.trashed);
  ASSERT_EQ(result.trashed.size(), c.trashed.size());
  for (size_t i = 0; i < c.trashed.size(); ++i)
    EXPECT_NE(
        std::find(result.trashed.begin(), result.trashed.end(), gallery.root + "/" + c.trashed[i]),
        result.trashed.end())
        << c.trashed[i];
  EXPECT_EQ(ui.errors.size(), static_cast<size_t>(c.errors)) << testing::PrintToString(ui.errors);
  EXPECT_EQ(result.thumbnailsFailed, c.thumbnailsNotMade);
  EXPECT_EQ(result.outcome, TBuildOutcome::Finished);
}

TEST_P(UserFiles, ThroughTheProgram) {
  const TArrangementCase& c = GetParam();
  TGalleryFixture gallery;
  const std::vector<std::string> planted = c.arrange(gallery);
  TTempFolder settingsFolder;
  const std::string registry = settingsFolder / "registry.db";
  SavePresetInto(registry, "case", gallery.settings);
  const auto before = FolderContents(gallery.root);

  const TCommandRun run =
      RunZetGallery(settingsFolder.Path(), registry, {"--build", "--yes", "--preset", "case"});

  ExpectEveryUserFileKept(gallery, planted, before, c.trashed);
  for (const std::string& path : c.trashed)
    EXPECT_NE(run.err.find(MovedToTrashMessage(gallery.root + "/" + path)), std::string::npos)
        << run.err;
  // A thumbnail not made is listed, but it is no error of the build's.
  EXPECT_EQ(run.status, c.errors == 0 ? 0 : 1) << run.err;
}

const std::vector<TArrangementCase> kArrangements = {
    // No settings changed: the result folder is the pictures' parent, clearing is on for both
    // folders, and the user keeps pages and a folder of the same name there.
    {"FirstBuildBesideTheUsersPages",
     [](TGalleryFixture& g) {
       return std::vector<std::string>{
           Plant(g, "bookmarks.html", "bookmarks"), Plant(g, "wedding.htm", "wedding"),
           Plant(g, "index.htm", "my own index"),   Plant(g, "thumbs/notes.txt", "notes"),
           Plant(g, "thumbs/_a.jpg", "my picture"), Plant(g, "keep.txt", "not a page")};
     },
     {"bookmarks.html", "wedding.htm", "index.htm", "thumbs/notes.txt", "thumbs/_a.jpg"}},
    // Thumbnails beside the pictures, no prefix, the mask takes only PNG: the thumbnail of
    // sea.png is named sea.jpg, which is the user's photo.
    {"ThumbnailNamedLikeAPhotoOutsideTheMask",
     [](TGalleryFixture& g) {
       g.AddPicture("sea.png");
       g.settings.ImagesMask = "*.png";
       g.settings.ThumbsFolder = "pics";
       g.settings.ThumbPrefixSuffix = "";
       g.settings.ClearThumbsFolder = false;
       g.settings.ClearResultFolder = false;
       return std::vector<std::string>{Plant(g, "pics/sea.jpg", "a 4000x3000 photo")};
     },
     {"pics/sea.jpg"}},
    {"PagesAndButtonsOverTheUsersFiles",
     [](TGalleryFixture& g) {
       g.settings.ImageType = 1;
       g.settings.ClearResultFolder = false;
       g.settings.ClearThumbsFolder = false;
       return std::vector<std::string>{Plant(g, "sea.htm", "my sea page"),
                                       Plant(g, "buttons/first.gif", "my button"),
                                       Plant(g, "thumbs/_b.jpg", "my thumbnail")};
     },
     {"sea.htm", "buttons/first.gif", "thumbs/_b.jpg"}},
    // Files the user protected are neither replaced nor cleared: each output in their place is
    // reported as not written.
    {"ReadOnlyFilesInTheWay",
     [](TGalleryFixture& g) {
       const std::vector<std::string> planted = {Plant(g, "thumbs/_a.jpg", "protected"),
                                                 Plant(g, "old.htm", "protected page")};
       for (const std::string& path : planted)
         fs::permissions(g.root + "/" + path, fs::perms::owner_read, fs::perm_options::replace);
       return planted;
     },
     {},
     0,
     1},
    // No trash can take a file: it stays and the output in its place is skipped with a message.
    {"NoTrash",
     [](TGalleryFixture& g) {
       WriteWholeFile(g.dataHome / "file", "");
       setenv("XDG_DATA_HOME", (g.dataHome / "file/data").c_str(), 1);
       g.settings.ImageType = 1;
       return std::vector<std::string>{Plant(g, "sea.htm", "my sea page"),
                                       Plant(g, "wedding.htm", "wedding")};
     },
     {},
     2},
};

void PrintTo(const TArrangementCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.trashed, c.errors, c.thumbnailsNotMade);
}

INSTANTIATE_TEST_SUITE_P(Table, UserFiles, ::testing::ValuesIn(kArrangements),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(TemporaryFiles, StaleOnesGoAndPlantedLinksAreNeverFollowed) {
  TGalleryFixture gallery;
  gallery.settings.ImageType = 1;
  const std::string victim = gallery.root + "/victim.txt";
  WriteWholeFile(victim, "precious");
  fs::create_directories(gallery.root + "/thumbs");
  // What a killed build of an older version left, and links planted at every name an older
  // version would have used in this process.
  WriteWholeFile(gallery.root + "/.zg-4242-0.part", "left over");
  WriteWholeFile(gallery.root + "/thumbs/.zg-4242-1.part", "left over");
  for (int n = 0; n < 200; ++n)
    fs::create_symlink(victim, gallery.root + "/thumbs/.zg-" + std::to_string(getpid()) + "-" +
                                   std::to_string(n) + ".part");
  TRecordingUserInterface ui;
  ui.answer = true;

  BuildGallery(gallery.Inputs(), ui);

  EXPECT_EQ(ReadWholeFile(victim), "precious");
  EXPECT_EQ(PartFilesUnder(gallery.root), std::vector<std::string>{});
  EXPECT_TRUE(gallery.Trashed().empty()) << "temporary files are the program's own";
}

}  // namespace

}  // namespace zetgallery
