// Tests of the build's outputs: a file is placed whole or not at all, what stands at its name is
// replaced only when it is the build's own or holds the same bytes, goes to the trash when it is
// someone else's, and is refused when it must not be replaced; the ledger that tells the two
// apart survives from build to build.
#include "gallery/BuildOutputs.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "FolderSnapshot.h"
#include "gallery/BuildMessages.h"
#include "support/CaseNames.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

// A result folder with one picture as the build's only input.
class OutputsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_DATA_HOME", data_.Path().c_str(), 1);
    fs::create_directories(folder_ / "pics");
    folder_.Write("pics/sea.jpg", "photo");
    plan_.ImagesFolder = folder_ / "pics";
    plan_.Images = {"sea.jpg"};
  }

  // One build's outputs: `name` written with `text` in the result folder; its refusal.
  TOutputRefusal Place(const std::string& name, const std::string& text) {
    const TBuildInputFiles inputs(plan_);
    TBuildOutputs outputs(inputs);
    EXPECT_EQ(outputs.OpenResultFolder(folder_.Path()), TStatus::Ok());
    TOutputFile file;
    const TStatus begun = outputs.Begin(TOutputPlace::Result, name, file);
    if (!begun.ok()) return Refusal(begun, name);
    file.Write(text);
    return Refusal(outputs.Commit(file), name);
  }

  // The refusal `status` stands for, after checking that it is the status of that refusal for
  // the file `name` of the result folder.
  TOutputRefusal Refusal(const TStatus& status, const std::string& name) const {
    const TOutputRefusal refusal = RefusalOf(status);
    EXPECT_EQ(status, OutputRefused(refusal, folder_ / name));
    return refusal;
  }

  std::map<std::string, std::string> Trash() const {
    return fs::exists(data_ / "Trash/files") ? FolderContents(data_ / "Trash/files")
                                             : std::map<std::string, std::string>{};
  }

  TTempFolder data_;
  TTempFolder folder_;
  TBuildPlan plan_;
};

// What stands at the output's name before it is placed, and what must happen.
struct TPlaceCase {
  const char* label;
  std::function<void(const TTempFolder&)> arrange;  // in the result folder, before the build
  TOutputRefusal refusal;
  bool trashed;  // what stood there went to the trash
};

void PrintTo(const TPlaceCase& c, std::ostream* os) {
  PrintCase(os, c.label, c.refusal, c.trashed);
}

class PlaceTest : public OutputsTest, public ::testing::WithParamInterface<TPlaceCase> {};

TEST_P(PlaceTest, ReplacesOnlyWhatIsTheBuildsOwn) {
  const TPlaceCase& c = GetParam();
  c.arrange(folder_);
  const auto before = FolderContents(folder_.Path());
  EXPECT_EQ(Place("page.htm", "new"), c.refusal);
  if (c.refusal == TOutputRefusal::None) {
    EXPECT_EQ(ReadWholeFile(folder_ / "page.htm"), "new");
    EXPECT_FALSE(fs::is_symlink(folder_ / "page.htm"));
  } else if (before.count("page.htm") != 0) {
    EXPECT_EQ(FolderContents(folder_.Path()).at("page.htm"), before.at("page.htm"));
  }
  EXPECT_EQ(Trash().size(), c.trashed ? 1u : 0u);
  if (c.trashed) {
    EXPECT_EQ(Trash().begin()->second, before.at("page.htm"));
  }
  EXPECT_EQ(PartFilesUnder(folder_.Path()), std::vector<std::string>{});
}

const auto kSomeoneElsesFile = [](const TTempFolder& f) { f.Write("page.htm", "someone's"); };

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceTest,
    ::testing::Values(
        TPlaceCase{"Nothing", [](const TTempFolder&) {}, TOutputRefusal::None, false},
        TPlaceCase{"SomeoneElsesFile", kSomeoneElsesFile, TOutputRefusal::None, true},
        TPlaceCase{"SomeoneElsesFileWithTheSameBytes",
                   [](const TTempFolder& f) { f.Write("page.htm", "new"); }, TOutputRefusal::None,
                   false},
        TPlaceCase{"ALink",
                   [](const TTempFolder& f) {
                     f.Write("other.txt", "kept");
                     fs::create_symlink(f / "other.txt", f / "page.htm");
                   },
                   TOutputRefusal::None, true},
        TPlaceCase{"AFolder", [](const TTempFolder& f) { fs::create_directory(f / "page.htm"); },
                   TOutputRefusal::NotReplaceable, false},
        TPlaceCase{"APipe", [](const TTempFolder& f) { mkfifo((f / "page.htm").c_str(), 0600); },
                   TOutputRefusal::NotReplaceable, false},
        // As root too: the owner's missing write permission protects a file.
        TPlaceCase{"AReadOnlyFile",
                   [](const TTempFolder& f) {
                     f.Write("page.htm", "protected");
                     fs::permissions(f / "page.htm", fs::perms::owner_read,
                                     fs::perm_options::replace);
                   },
                   TOutputRefusal::NotReplaceable, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(OutputsTest, TheBuildsOwnFilesAreReplacedSilentlyUntilSomeoneChangesThem) {
  ASSERT_EQ(Place("page.htm", "first"), TOutputRefusal::None);
  ASSERT_EQ(Place("page.htm", "second"), TOutputRefusal::None);
  EXPECT_TRUE(Trash().empty()) << "the ledger knew the file as the build's own";
  // Edited by hand since: someone else's now.
  WriteWholeFile(folder_ / "page.htm", "edited");
  ASSERT_EQ(Place("page.htm", "third"), TOutputRefusal::None);
  ASSERT_EQ(Trash().size(), 1u);
  EXPECT_EQ(ReadWholeFile(data_ / "Trash/files/page.htm"), "edited");
}

TEST_F(OutputsTest, AFailedWriteLeavesTheOlderFileAndNoTemporaryFile) {
  ASSERT_EQ(Place("index.htm", "old"), TOutputRefusal::None);
  {
    TFileSizeLimit fullDisk(1000);
    EXPECT_EQ(Place("index.htm", std::string(100000, 'x')), TOutputRefusal::WriteFailed);
  }
  {
    // Abandoned: never committed.
    const TBuildInputFiles inputs(plan_);
    TBuildOutputs outputs(inputs);
    ASSERT_EQ(outputs.OpenResultFolder(folder_.Path()), TStatus::Ok());
    TOutputFile file;
    ASSERT_EQ(RefusalOf(outputs.Begin(TOutputPlace::Result, "index.htm", file)),
              TOutputRefusal::None);
    file.Write("half");
  }
  EXPECT_EQ(ReadWholeFile(folder_ / "index.htm"), "old");
  EXPECT_EQ(PartFilesUnder(folder_.Path()), std::vector<std::string>{});
}

TEST_F(OutputsTest, AFileWithTheSameBytesKeepsItsTimeAndAReplacementItsPermissions) {
  ASSERT_EQ(Place("page.htm", "same"), TOutputRefusal::None);
  ASSERT_TRUE(SetFileModificationTime(folder_ / "page.htm", TFileTime{1000000000, 0}));
  fs::permissions(folder_ / "page.htm", fs::perms::owner_read | fs::perms::owner_write,
                  fs::perm_options::replace);
  ASSERT_EQ(Place("page.htm", "same"), TOutputRefusal::None);
  TFileStatus status;
  ASSERT_TRUE(ReadFileStatus(folder_ / "page.htm", status));
  EXPECT_EQ(status.modified, (TFileTime{1000000000, 0}));
  ASSERT_EQ(Place("page.htm", "other"), TOutputRefusal::None);
  EXPECT_EQ(fs::status(folder_ / "page.htm").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(Trash().empty());
}

TEST_F(OutputsTest, ASecondBuildOfTheSameGalleryIsRefused) {
  const TBuildInputFiles inputs(plan_);
  TBuildOutputs first(inputs);
  TBuildOutputs second(inputs);
  EXPECT_EQ(first.OpenResultFolder(folder_.Path()), TStatus::Ok());
  EXPECT_EQ(second.OpenResultFolder(folder_.Path()),
            TStatus::Busy(GalleryBusyMessage(folder_.Path())));
}

TEST(OutputRefused, GivesEachRefusalItsKindAndNamesTheFile) {
  using TCode = TStatus::TCode;
  const std::pair<TOutputRefusal, TCode> cases[] = {
      {TOutputRefusal::IsInput, TCode::kRefused},
      {TOutputRefusal::NotReplaceable, TCode::kRefused},
      {TOutputRefusal::CannotCreate, TCode::kIoError},
      {TOutputRefusal::WriteFailed, TCode::kIoError},
      {TOutputRefusal::NotTrashable, TCode::kRefused},
  };
  for (const auto& [refusal, code] : cases) {
    const TStatus status = OutputRefused(refusal, "/site/page.htm");
    EXPECT_EQ(status.code(), code) << static_cast<int>(refusal);
    EXPECT_EQ(status.message(), "/site/page.htm");
    EXPECT_EQ(RefusalOf(status), refusal);
  }
  EXPECT_EQ(OutputRefused(TOutputRefusal::None, "/site/page.htm"), TStatus::Ok());
  EXPECT_EQ(RefusalOf(TStatus::Ok()), TOutputRefusal::None);
}

}  // namespace

}  // namespace zetgallery
