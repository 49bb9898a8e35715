// How a build reads its templates: the page template once per build when it is of ordinary size,
// a large one afresh for each page, and the index template a line at a time, so that neither the
// number of pages nor the size of a template makes a build slow or large.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "PageTemplate.h"
#include "ProcessFigures.h"
#include "RecordingUserInterface.h"
#include "TempFolder.h"
#include "WholeFiles.h"
#include "WriterTestSupport.h"
#include "ZetTextLineReader.h"

namespace {

// The lines one pass of `source` delivers.
std::vector<std::string> Pass(TPageTemplate& source) {
  std::vector<std::string> lines;
  if (!source.Begin()) return {"<cannot open>"};
  for (std::string line; source.Next(line);) lines.push_back(line);
  if (!source.Ok()) lines.push_back("<read error>");
  return lines;
}

TEST(PageTemplateTest, EveryPassDeliversTheWholeTemplateWhetherHeldOrNot) {
  TTempFolder folder;
  const std::string small = "<html>\r\n~~~IMAGE~~~\nend";
  std::string large;
  for (int i = 0; large.size() <= TPageTemplate::kHeldBytes; ++i)
    large += "line " + std::to_string(i) + "\r\n";
  for (const std::string& content : {small, large, std::string()}) {
    WriteWholeFile(folder / "t.htm", content);
    std::vector<std::string> expected;
    TTextLineReader reader;
    ASSERT_TRUE(reader.Open(folder / "t.htm"));
    for (std::string line; reader.ReadLine(line);) expected.push_back(line);

    TPageTemplate source(folder / "t.htm");
    for (int pass = 1; pass <= 3; ++pass)
      EXPECT_EQ(Pass(source), expected) << content.size() << " bytes, pass " << pass;
  }
}

TEST(PageTemplateTest, AMissingTemplateIsTriedAgainAtEveryPass) {
  TTempFolder folder;
  TPageTemplate source(folder / "later.htm");
  EXPECT_FALSE(source.Begin());
  WriteWholeFile(folder / "later.htm", "now here");
  EXPECT_EQ(Pass(source), std::vector<std::string>{"now here"});
}

// A build of `pages` picture pages from a page template of `templateBytes` bytes.
struct TPageBuild {
  TPageBuild(int pages, size_t templateBytes) {
    TBuildInputs in = TypicalInputs(folder / "images", folder.Path(), NumberedPictures(pages));
    in.Settings.IndexType = 0;
    in.Settings.ImageType = 1;
    in.Settings.IndexTemplate = folder / "index-template.htm";
    in.Settings.ImageTemplate = folder / "page-template.htm";
    WriteWholeFile(in.Settings.IndexTemplate, "<ol>\r\n~~~INDEX~~~\r\n</ol>\r\n");
    std::string page = "<p>~~~IMAGE~~~</p>\r\n";
    while (page.size() < templateBytes) page += "<!-- filler filler filler filler -->\r\n";
    WriteWholeFile(in.Settings.ImageTemplate, page + "~~~BUTTONS~~~\r\n");
    plan = CollectBuildParameters(in);
  }
  TTempFolder folder;
  TBuildPlan plan;
};

TEST(PageTemplateTest, AnOrdinaryTemplateIsReadOncePerBuildNotOncePerPage) {
  TPageBuild build(40, 100 << 10);
  const long long before = BytesReadByThisProcess();
  if (before < 0) GTEST_SKIP() << "no /proc/self/io";
  TRecordingUserInterface ui;
  ASSERT_TRUE(WriteIndex(build.plan, {}, ui));
  EXPECT_TRUE(ui.errors.empty());
  // Forty pages read afresh would read 4 MB of template.
  EXPECT_LT(BytesReadByThisProcess() - before, 1 << 20);
  EXPECT_NE(ReadWholeFile(build.folder / "pic40.htm").find("pic40.jpg"), std::string::npos);
}

TEST(PageTemplateTest, ALargeTemplateStillGivesEveryPageWhole) {
  TPageBuild build(3, 3 << 20);
  TRecordingUserInterface ui;
  ASSERT_TRUE(WriteIndex(build.plan, {}, ui));
  for (const char* page : {"pic01.htm", "pic02.htm", "pic03.htm"}) {
    const std::string html = ReadWholeFile(build.folder / page);
    EXPECT_GT(html.size(), 3u << 20) << page;
    EXPECT_NE(html.find("</table>"), std::string::npos) << page << " lacks its buttons";
  }
}

TEST(IndexTemplateTest, AHugeTemplateIsNotHeldWhole) {
  // The peak memory is set back to what is in use now, so the figure after the build is what the
  // build itself needed at most.
  if (!ResetPeakMemory()) GTEST_SKIP() << "the peak memory cannot be reset here";
  TTempFolder folder;
  TBuildInputs in = TypicalInputs(folder / "images", folder.Path(), NumberedPictures(2));
  in.Settings.IndexType = 0;
  in.Settings.IndexTemplate = folder / "huge.htm";
  {
    std::ofstream huge(in.Settings.IndexTemplate, std::ios::binary);
    const std::string lines(1 << 20, '\n');  // a megabyte of empty lines, written 16 times
    for (int i = 0; i < 16; ++i) huge << lines;
    huge << "~~~INDEX~~~\n";
  }
  const TBuildPlan plan = CollectBuildParameters(in);
  ResetPeakMemory();
  const long long before = PeakMemoryKb();
  TRecordingUserInterface ui;
  ASSERT_TRUE(WriteIndex(plan, {}, ui));
  const long long peakKb = PeakMemoryKb();
  ASSERT_GT(before, 0);
  // Held whole, 16 million lines would take half a gigabyte.
  EXPECT_LT(peakKb - before, 32 << 10) << "kB above the memory in use before the build";
  EXPECT_NE(ReadWholeFile(folder / "index.htm").find("pic02.jpg"), std::string::npos);
}

}  // namespace
