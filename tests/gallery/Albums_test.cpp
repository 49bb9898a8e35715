// A gallery of galleries: which folders become albums, the index lists them and links up, a
// rebuild keeps every thumbnail, and a file of the user's where an album's page goes is trashed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "FolderSnapshot.h"
#include "GalleryFixture.h"
#include "gallery/AlbumList.h"
#include "gallery/AlbumTree.h"
#include "gallery/BuildDriver.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

struct TWalkCase {
  const char* label;
  const char* result;               // the result folder below the temporary folder
  std::vector<std::string> files;   // made below it (and the folders leading to them)
  std::vector<std::string> links;   // "link>target" folder links below it
  std::vector<std::string> albums;  // "path:pictures", parents first
};

void PrintTo(const TWalkCase& c, std::ostream* os) { PrintCase(os, c.label, c.result, c.albums); }

// A chain of `depth` folders "d" below pics, with a picture in the deepest; its albums.
std::string Chain(int depth) {
  std::string path = "pics";
  for (int i = 0; i < depth; ++i) path += "/d";
  return path + "/x.jpg";
}

std::vector<std::string> ChainAlbums(int depth) {
  std::vector<std::string> albums;
  for (std::string path = "d"; static_cast<int>(albums.size()) < depth; path += "/d")
    albums.push_back(path + ":1");
  return albums;
}

const TWalkCase kWalkCases[] = {
    {"nested",
     "",
     {"pics/2024/a/x.jpg", "pics/2024/b/x.jpg", "pics/2024/b/y.jpg"},
     {},
     {"2024:3", "2024/a:1", "2024/b:2"}},
    {"empty and mask-empty folders", "", {"pics/empty/.keep", "pics/t/a.txt"}, {}, {}},
    {"hidden folder", "", {"pics/.cache/a.jpg"}, {}, {}},
    {"link back up", "", {"pics/a/x.jpg"}, {"pics/a/up>pics"}, {"a:1"}},
    {"link to a folder seen", "", {"pics/a/x.jpg"}, {"pics/b>pics/a"}, {"a:1"}},
    {"outputs beside the pictures",
     "pics",
     {"pics/thumbs/_x.jpg", "pics/buttons/b.jpg", "pics/a/x.jpg", "pics/a/thumbs/_x.jpg"},
     {"pics/view>pics/thumbs"},
     {"a:1"}},
    {"result folder inside the pictures", "pics/site", {"pics/site/a/x.jpg"}, {}, {}},
    {"album over the thumbnails folder", "", {"pics/thumbs/x.jpg"}, {}, {}},
    {"depth limit",
     "",
     {Chain(kAlbumDepthLimit), Chain(kAlbumDepthLimit + 1)},
     {},
     ChainAlbums(kAlbumDepthLimit)},
};

void Flatten(const TAlbumFolder& album, std::vector<std::string>& out) {
  for (const TAlbumFolder& inner : album.albums) {
    out.push_back(inner.relativePath + ":" + std::to_string(inner.totalPictures));
    Flatten(inner, out);
  }
}

class AlbumWalkTest : public ::testing::TestWithParam<TWalkCase> {};

TEST_P(AlbumWalkTest, TakesTheFoldersWithPicturesOnceAndNoOutputFolder) {
  const TWalkCase& c = GetParam();
  TTempFolder root;
  root.Write("pics/.keep");
  for (const std::string& file : c.files) root.Write(file);
  for (const std::string& link : c.links)
    fs::create_directory_symlink(root / link.substr(link.find('>') + 1),
                                 root / link.substr(0, link.find('>')));
  TBuildInputs inputs;
  inputs.Settings.ImagesFolder = root / "pics";
  inputs.Settings.ThumbsFolder = "thumbs";
  inputs.Settings.ButtonsFolder = "buttons";
  inputs.ResultFolderText = root / c.result;
  inputs.ThumbsFolderPrefixText = inputs.ButtonsFolderPrefixText = inputs.ResultFolderText + "/";
  std::vector<std::string> albums;
  Flatten(FindAlbums(CollectBuildParameters(inputs), "*.jpg"), albums);
  EXPECT_EQ(albums, c.albums);
}

INSTANTIATE_TEST_SUITE_P(Table, AlbumWalkTest, ::testing::ValuesIn(kWalkCases),
                         CaseNamesBy(&TWalkCase::label));

struct TCountCase {
  int count;
  const char* text;
};

void PrintTo(const TCountCase& c, std::ostream* os) { PrintCase(os, c.count, c.text); }

class PictureCountTest : public ::testing::TestWithParam<TCountCase> {};

TEST_P(PictureCountTest, TakesTheRussianPluralForm) {
  EXPECT_EQ(PictureCountText(GetParam().count), GetParam().text);
}

const TCountCase kCountCases[] = {{1, "1 картинка"},   {4, "4 картинки"},   {5, "5 картинок"},
                                  {11, "11 картинок"}, {14, "14 картинок"}, {21, "21 картинка"},
                                  {22, "22 картинки"}, {0, "0 картинок"},   {112, "112 картинок"}};

INSTANTIATE_TEST_SUITE_P(Table, PictureCountTest, ::testing::ValuesIn(kCountCases),
                         CaseNamesBy(&TCountCase::count));

// pics holds a.jpg and sea.jpg, pics/2024 only the album summer, with c.jpg and e.jpg.
class AlbumsTest : public ::testing::Test {
 protected:
  AlbumsTest() : gallery({"a.jpg", "sea.jpg"}) {
    fs::create_directories(gallery.pics + "/2024/summer");
    for (const char* name : {"2024/summer/c.jpg", "2024/summer/e.jpg"}) gallery.AddPicture(name);
    gallery.settings.SubAlbums = true;
    WriteWholeFile(gallery.tpl + "/index.tpl",
                   "<html>\r\n~~~PARENTLINK~~~\r\n~~~ALBUMS~~~\r\n~~~INDEX~~~\r\n</html>\r\n");
  }

  TBuildResult Build() {
    TRecordingUserInterface ui;
    ui.answer = true;
    const TBuildResult result = BuildGallery(gallery.Inputs(), ui);
    // Only the top album's folders are asked for.
    for (const std::string& question : ui.questions)
      EXPECT_EQ(question.find("2024"), std::string::npos) << question;
    EXPECT_EQ(ui.errors, std::vector<std::string>{});
    return result;
  }

  // Every thumbnail of the gallery by its path: inode and the time the inode changed.
  std::map<std::string, std::pair<ino_t, long long>> Thumbnails() const {
    std::map<std::string, std::pair<ino_t, long long>> thumbnails;
    for (const auto& entry : fs::recursive_directory_iterator(gallery.root)) {
      struct stat s {};
      if (entry.path().parent_path().filename() == "thumbs" && stat(entry.path().c_str(), &s) == 0)
        thumbnails[entry.path()] = {s.st_ino, s.st_ctim.tv_sec * 1000000000LL + s.st_ctim.tv_nsec};
    }
    return thumbnails;
  }

  TGalleryFixture gallery;
};

TEST_F(AlbumsTest, IndexesListTheirAlbumsAndLinkUpToFilesThatExist) {
  const TBuildResult result = Build();
  EXPECT_EQ(result.albums, 2);
  EXPECT_EQ(result.picturesWritten, 4);
  const std::string top = ReadWholeFile(gallery.root + "/index.htm");
  EXPECT_NE(top.find("<figure><a href=\"2024/index.htm\"><img src=\"2024/summer/thumbs/_c.jpg\" "
                     "alt=\"2024\" loading=\"lazy\" decoding=\"async\"></a><figcaption>2024<br>"
                     "2 картинки</figcaption></figure>\r\n"),
            std::string::npos);
  EXPECT_EQ(top.find(kParentLinkMarker), std::string::npos);
  const std::string summer = ReadWholeFile(gallery.root + "/2024/summer/index.htm");
  EXPECT_NE(summer.find("<a href=\"../index.htm\">"), std::string::npos);
  EXPECT_EQ(summer.find("zetgallery-albums"), std::string::npos);
  // An album of albums only gets no thumbnails folder of its own.
  EXPECT_FALSE(fs::exists(gallery.root + "/2024/thumbs"));
  for (const std::string folder : {"", "/2024", "/2024/summer"}) {
    const std::string index = gallery.root + folder + "/index.htm";
    for (const std::string& link : LinkedPaths(ReadWholeFile(index)))
      EXPECT_TRUE(fs::exists(gallery.root + folder + "/" + link)) << index << ": " << link;
  }
}

TEST_F(AlbumsTest, ARebuildKeepsEveryThumbnail) {
  Build();
  const auto first = Thumbnails();
  EXPECT_EQ(first.size(), 4u);
  Build();
  EXPECT_EQ(Thumbnails(), first);
}

TEST_F(AlbumsTest, AFileOfTheUsersWhereAnAlbumsPageGoesIsMovedToTheTrash) {
  ASSERT_TRUE(WriteWholeFile(gallery.root + "/2024/index.htm", "mine"));
  Build();
  EXPECT_EQ(gallery.Trashed().count("index.htm"), 1u);
  EXPECT_NE(ReadWholeFile(gallery.root + "/2024/index.htm"), "mine");
}

}  // namespace

}  // namespace zetgallery
