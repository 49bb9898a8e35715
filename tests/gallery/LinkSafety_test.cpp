// Tests that every link a build writes stays a relative path inside the gallery, whatever the
// names of the pictures and of the folders the links pass through.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "TestPictures.h"
#include "gallery/BuildDriver.h"
#include "gallery/ResultFolders.h"
#include "support/CaseNames.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"
#include "util/ZetFileUtils.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

// Every href and src value of every page in `folder`, with the page it came from.
std::vector<std::pair<std::string, std::string>> LinksOfPages(const std::string& folder) {
  std::vector<std::pair<std::string, std::string>> links;
  const std::regex attribute("(href|src)=\"([^\"]*)\"");
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".htm") continue;
    const std::string html = ReadWholeFile(entry.path().string());
    for (std::sregex_iterator it(html.begin(), html.end(), attribute), end; it != end; ++it)
      links.emplace_back(entry.path().filename().string(), (*it)[2].str());
  }
  return links;
}

struct TLinkCase {
  const char* label;
  int indexType;  // 0 numbered list, 3 thumbnails
  int imageType;  // 0 links to the picture files, 1 picture pages
};

void PrintTo(const TLinkCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.indexType, c.imageType);
}

class LinkSafety : public ::testing::TestWithParam<TLinkCase> {};

TEST_P(LinkSafety, NoNameTurnsALinkIntoAnotherSchemeOrHost) {
  TTempFolder folder;
  // The folder names reach the links as URL prefixes.
  const std::string pics = folder / "c:pics";
  fs::create_directories(pics);
  const std::vector<std::string> images = {"\\\\host\\share.jpg", "javascript:alert(1);x.jpg",
                                           "sea.jpg"};
  for (const std::string& name : images) ASSERT_TRUE(WriteWholeFile(pics + "/" + name, "x"));
  ASSERT_TRUE(WriteWholeFile(folder / "index.tpl", "<html>\r\n~~~INDEX~~~\r\n</html>\r\n"));
  ASSERT_TRUE(WriteWholeFile(folder / "page.tpl", "~~~IMAGE~~~\r\n~~~BUTTONS~~~\r\n"));
  ASSERT_TRUE(WriteWholeFile(folder / "btn.gif", "button"));

  TBuildInputs inputs;
  inputs.Images = images;
  TSettingsSnapshot& s = inputs.Settings;
  s.ImagesFolder = pics;
  s.ResultFolder = 0;  // the parent: pictures are reached through the prefix "c:pics/"
  s.ThumbsFolder = "th:umbs";
  s.ButtonsFolder = "b\\uttons";
  s.HtmlFirstImageFile = "01.htm";
  s.IndexFile = "index.htm";
  s.IndexTemplate = folder / "index.tpl";
  s.IndexPlace = "~~~INDEX~~~";
  s.IndexType = GetParam().indexType;
  s.ThumbXCount = 2;
  s.ThumbXSize = "120";
  s.ThumbYSize = "120";
  s.CreateThumbs = true;
  s.ThumbsFormat = 1;
  s.ThumbPrefixSuffix = "_";
  s.ImageType = GetParam().imageType;
  s.ImageTemplate = folder / "page.tpl";
  s.ImagePlace = "~~~IMAGE~~~";
  s.DescrPlace = "~~~DESCR~~~";
  s.ButtonsPlace = "~~~BUTTONS~~~";
  s.ButtonImageFirst = s.ButtonImagePrev = s.ButtonImageNext = s.ButtonImageLast =
      s.ButtonImageIndex = folder / "btn.gif";
  s.ImageClickEqualNext = true;
  inputs.ResultFolderText = ResultFolderAt(ResultFolderEntries(pics), 0);
  inputs.ThumbsFolderPrefixText = EnsureTrailingBackslash(inputs.ResultFolderText);
  inputs.ButtonsFolderPrefixText = EnsureTrailingBackslash(inputs.ResultFolderText);
  inputs.ClearThumbsFolderEnabled = s.IndexType == 3;

  TRecordingUserInterface ui;
  ui.answer = true;
  TBuildOptions options;
  options.thumbnailThreads = 1;
  options.thumbnailMaker = [](const TThumbnailJob&) { return TStatus::Ok(); };
  ASSERT_EQ(BuildGallery(inputs, ui, options).outcome, TBuildOutcome::Finished);
  EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();

  const auto links = LinksOfPages(folder.Path());
  // The index links to each picture or page; pages link to pictures, pages and buttons.
  EXPECT_GE(links.size(), GetParam().imageType == 1 ? 3u + 3u * 6u : 3u) << GetParam().label;
  for (const auto& [page, link] : links) {
    EXPECT_EQ(link.find(':'), std::string::npos) << page << ": " << link;
    EXPECT_EQ(link.find('\\'), std::string::npos) << page << ": " << link;
    EXPECT_FALSE(link.empty() || link[0] == '/') << page << ": " << link;
  }
  const std::string index = ReadWholeFile(folder / "index.htm");
  const std::string target = GetParam().imageType == 1 ? "javascript%3Aalert(1);x.htm"
                                                       : "c%3Apics/javascript%3Aalert(1);x.jpg";
  EXPECT_NE(index.find("href=\"" + target + "\""), std::string::npos) << index;
  const std::string host =
      GetParam().imageType == 1 ? "%5C%5Chost%5Cshare.htm" : "c%3Apics/%5C%5Chost%5Cshare.jpg";
  EXPECT_NE(index.find("href=\"" + host + "\""), std::string::npos) << index;
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkSafety,
                         ::testing::Values(TLinkCase{"list, picture files", 0, 0},
                                           TLinkCase{"thumbnails, picture files", 3, 0},
                                           TLinkCase{"list, picture pages", 0, 1},
                                           TLinkCase{"thumbnails, picture pages", 3, 1}),
                         CaseNamesBy(&TLinkCase::label));

}  // namespace

}  // namespace zetgallery
