// The files that make the program a desktop program pass the tools the desktops and Debian
// check them with, and all name the same version.
#include <gtest/gtest.h>

#include <regex>

#include "support/CaseNames.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace {

const std::string kData = ZETGALLERY_DATA_DIR;
const std::string kDesktopEntry = kData + "/org.example.ZetGallery.desktop";
const std::string kMetainfo = kData + "/org.example.ZetGallery.metainfo.xml";

struct TCheckCase {
  const char* what;
  std::string command;  // must end with status 0
  bool silent;          // and print nothing: hints and warnings come with status 0
};

void PrintTo(const TCheckCase& c, std::ostream* os) { PrintCase(os, c.what, c.command, c.silent); }

class DesktopFileCheck : public ::testing::TestWithParam<TCheckCase> {};

TEST_P(DesktopFileCheck, Passes) {
  TTempFolder scratch;
  const TCommandRun run = RunCommand(GetParam().command, scratch.Path());
  EXPECT_EQ(run.status, 0) << GetParam().what << ":\n" << run.out << run.err;
  if (GetParam().silent) {
    EXPECT_EQ(run.out + run.err, "") << GetParam().what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tools, DesktopFileCheck,
    ::testing::Values(
        TCheckCase{"desktop entry", "desktop-file-validate " + ShellQuoted(kDesktopEntry), true},
        // Fails on warnings and errors; says so in its status.
        TCheckCase{"AppStream metainfo",
                   "appstreamcli validate --no-net --no-color " + ShellQuoted(kMetainfo), false},
        TCheckCase{"manual page",
                   "groff -man -ww -z -Tutf8 " + ShellQuoted(kData + "/zetgallery.1"), true}),
    CaseNamesBy(&TCheckCase::what));

// The version the program prints, found in each file that states one.
TEST(DesktopFiles, NameTheProgramsVersion) {
  TTempFolder scratch;
  const TCommandRun version =
      RunCommand(ShellQuoted(ZETGALLERY_EXECUTABLE) + " --version", scratch.Path());
  ASSERT_EQ(version.status, 0) << version.err;
  std::smatch found;
  ASSERT_TRUE(std::regex_search(version.out, found, std::regex(R"(ZetGallery (\S+))")))
      << version.out;
  const std::string number = found[1];
  EXPECT_EQ(number, ZETGALLERY_PROJECT_VERSION) << "the build's project version";
  const std::string manual = ReadWholeFile(kData + "/zetgallery.1");
  EXPECT_NE(manual.find("\"ZetGallery " + number + "\""), std::string::npos)
      << "the manual page's .TH line";
  const std::string metainfo = ReadWholeFile(kMetainfo);
  EXPECT_NE(metainfo.find("<release version=\"" + number + "\""), std::string::npos)
      << "the metainfo's newest release";
  const std::string changelog = ReadWholeFile(kData + "/changelog");
  EXPECT_EQ(changelog.rfind("zetgallery (" + number + "-", 0), 0u)
      << "the Debian changelog's newest entry, with its Debian revision";
}

}  // namespace

}  // namespace zetgallery
