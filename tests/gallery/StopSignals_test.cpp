// The table of stops by signal: a rebuild of a gallery (clearing on, every page and thumbnail to
// be made again) is stopped by a signal at several moments. Whatever the moment, the folder then
// holds a whole gallery, the previous one or the new one: an index whose every link exists, and
// pages whose every link exists. A stop the program handles leaves no temporary file; after a kill
// that it cannot handle, the next build removes them and takes at most the files then in flight
// for someone else's.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "FolderSnapshot.h"
#include "GalleryFixture.h"
#include "ProgramRunner.h"
#include "support/CaseNames.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

constexpr int kPictures = 120;

struct TSignalCase {
  const char* name;  // as `timeout -s` takes it
  bool handled;      // the program finishes its stop itself
};

void PrintTo(const TSignalCase& c, std::ostream* os) { PrintCase(os, c.name, c.handled); }

class StopSignals : public ::testing::TestWithParam<TSignalCase> {};

// Every link of the index, and of every page it links, names a file that exists.
void ExpectWholeGallery(const std::string& root, const std::string& when) {
  ASSERT_TRUE(fs::exists(root + "/index.htm")) << when << ": no index";
  for (const std::string& link : LinkedPaths(ReadWholeFile(root + "/index.htm"))) {
    EXPECT_TRUE(fs::exists(root + "/" + link)) << when << ", index: " << link;
    if (!link.ends_with(".htm")) continue;
    for (const std::string& inner : LinkedPaths(ReadWholeFile(root + "/" + link)))
      EXPECT_TRUE(fs::exists(root + "/" + inner)) << when << ", " << link << ": " << inner;
  }
}

TEST_P(StopSignals, LeaveAWholeGalleryAtAnyMoment) {
  const TSignalCase& c = GetParam();
  std::vector<std::string> names;
  for (int i = 0; i < kPictures; ++i) names.push_back("p" + std::to_string(1000 + i) + ".jpg");
  TGalleryFixture gallery(names);
  gallery.settings.ImageType = 1;
  WriteWholeFile(gallery.root + "/wedding.htm", "the user's own page");
  TTempFolder settingsFolder;
  const std::string registry = settingsFolder / "registry.db";
  const std::vector<std::string> build = {"--build", "--yes", "--preset", "case"};
  SavePresetInto(registry, "case", gallery.settings);
  ASSERT_EQ(RunZetGallery(settingsFolder.Path(), registry, build).status, 0);
  ASSERT_EQ(gallery.Trashed().size(), 1u) << "the user's page went to the trash";

  int variant = 0;
  for (const char* delay : {"0.05", "0.15", "0.3", "0.6"}) {
    // Every page and thumbnail differs from the last build's: another size of thumbnails.
    gallery.settings.ThumbXSize = std::to_string(40 + 4 * ++variant);
    SavePresetInto(registry, "case", gallery.settings);
    const std::string when = std::string(c.name) + " after " + delay + " s";

    RunZetGallery(settingsFolder.Path(), registry, build,
                  std::string("timeout -s ") + c.name + " " + delay);

    ExpectWholeGallery(gallery.root, when);
    if (c.handled) {
      EXPECT_EQ(PartFilesUnder(gallery.root), std::vector<std::string>{}) << when;
    }
    // The next build ends the stopped one's work: no temporary file, and nothing of the
    // gallery's own in the trash but a few files a kill caught between their rename and their
    // record.
    ASSERT_EQ(RunZetGallery(settingsFolder.Path(), registry, build).status, 0) << when;
    ExpectWholeGallery(gallery.root, when + ", rebuilt");
    EXPECT_EQ(PartFilesUnder(gallery.root), std::vector<std::string>{}) << when;
    EXPECT_LE(gallery.Trashed().size(), 1u + (c.handled ? 0u : 4u * variant)) << when;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, StopSignals,
                         ::testing::Values(TSignalCase{"TERM", true}, TSignalCase{"HUP", true},
                                           TSignalCase{"INT", true}, TSignalCase{"KILL", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace zetgallery
