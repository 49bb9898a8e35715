// GalleryFixture: the folders, files and settings of a test gallery.
#include "GalleryFixture.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "FolderSnapshot.h"
#include "catalogue/ImageScan.h"
#include "gallery/ResultFolders.h"
#include "support/WholeFiles.h"
#include "util/ZetFileUtils.h"

namespace zetgallery {

TGalleryFixture::TGalleryFixture(const std::vector<std::string>& pictures)
    : root(folder.Path()), pics(root + "/pics"), tpl(root + "/tpl") {
  setenv("XDG_DATA_HOME", dataHome.Path().c_str(), 1);
  std::filesystem::create_directories(pics);
  std::filesystem::create_directories(tpl);
  for (const std::string& name : pictures) AddPicture(name);
  WriteWholeFile(pics + "/descript.ion", "a.jpg Первая\r\nsea.jpg Море\r\n");
  WriteWholeFile(tpl + "/index.tpl", kFixtureIndexTemplate);
  WriteWholeFile(tpl + "/page.tpl", kFixturePageTemplate);
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

std::map<std::string, std::string> TGalleryFixture::Trashed() const {
  const std::string files = dataHome / "Trash/files";
  return std::filesystem::exists(files) ? FolderContents(files)
                                        : std::map<std::string, std::string>{};
}

void TGalleryFixture::AddPicture(const std::string& name) {
  ASSERT_TRUE(MakeTestPicture(pics + "/" + name, 64, 48)) << name;
}

TBuildInputs TGalleryFixture::Inputs() const {
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

}  // namespace zetgallery
