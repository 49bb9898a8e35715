// Which folders become albums: the walk below the images folder, with the gallery's own output
// folders kept out.
#include "gallery/AlbumTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "support/CaseNames.h"
#include "support/TempFolder.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

struct TWalkCase {
  const char* label;
  const char* result;  // the result folder below the temporary folder ("" the folder itself)
  std::function<void(const TTempFolder&)> make;  // the folders and files below it
  std::vector<std::string> albums;               // "path:pictures", parents first
};

void PrintTo(const TWalkCase& c, std::ostream* os) { PrintCase(os, c.label, c.result, c.albums); }

// A chain of `depth` folders "d" below pics with a picture in the deepest.
void Chain(const TTempFolder& root, int depth) {
  std::string path = "pics";
  for (int i = 0; i < depth; ++i) path += "/d";
  root.Write(path + "/x.jpg");
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
     [](const TTempFolder& r) {
       r.Write("pics/2024/summer/a.jpg"), r.Write("pics/2024/winter/b.jpg");
       r.Write("pics/2024/winter/c.jpg"), r.Write("pics/Zoo/d.jpg");
     },
     {"2024:3", "2024/summer:1", "2024/winter:2", "Zoo:1"}},
    {"empty and mask-empty folders",
     "",
     [](const TTempFolder& r) {
       fs::create_directories(r / "pics/empty"), r.Write("pics/t/a.txt");
     },
     {}},
    {"hidden folder", "", [](const TTempFolder& r) { r.Write("pics/.cache/a.jpg"); }, {}},
    {"link back up",
     "",
     [](const TTempFolder& r) {
       r.Write("pics/a/x.jpg"), fs::create_directory_symlink(r / "pics", r / "pics/a/up");
     },
     {"a:1"}},
    {"link to a folder seen",
     "",
     [](const TTempFolder& r) {
       r.Write("pics/a/x.jpg"), fs::create_directory_symlink(r / "pics/a", r / "pics/b");
     },
     {"a:1"}},
    {"outputs beside the pictures",
     "pics",
     [](const TTempFolder& r) {
       r.Write("pics/thumbs/_x.jpg"), r.Write("pics/buttons/b.jpg"), r.Write("pics/a/x.jpg");
       r.Write("pics/a/thumbs/_x.jpg");
       fs::create_directory_symlink(r / "pics/thumbs", r / "pics/view");
     },
     {"a:1"}},
    {"result folder inside the pictures",
     "pics/site",
     [](const TTempFolder& r) { r.Write("pics/site/x.jpg"), r.Write("pics/site/a/x.jpg"); },
     {}},
    {"album over the thumbnails folder",
     "",
     [](const TTempFolder& r) { r.Write("pics/thumbs/x.jpg"); },
     {}},
    {"depth limit", "",
     [](const TTempFolder& r) { Chain(r, kAlbumDepthLimit), Chain(r, kAlbumDepthLimit + 1); },
     ChainAlbums(kAlbumDepthLimit)},
};

class AlbumWalkTest : public ::testing::TestWithParam<TWalkCase> {};

void Flatten(const TAlbumFolder& album, std::vector<std::string>& out) {
  for (const TAlbumFolder& inner : album.albums) {
    out.push_back(inner.relativePath + ":" + std::to_string(inner.totalPictures));
    Flatten(inner, out);
  }
}

TEST_P(AlbumWalkTest, TakesTheFoldersWithPicturesOnceAndNoOutputFolder) {
  const TWalkCase& c = GetParam();
  TTempFolder root;
  fs::create_directories(root / "pics");
  c.make(root);
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

}  // namespace

}  // namespace zetgallery
