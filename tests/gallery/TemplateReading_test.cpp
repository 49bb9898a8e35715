// How a build reads its templates: the page template once per build when it is of ordinary size,
// a large one afresh for each page, and the index template a line at a time, so that neither the
// number of pages nor the size of a template makes a build slow or large. A line longer than
// kMaxTextLineBytes, in a template or a description, is cut and its file named once.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "GalleryFixture.h"
#include "WriterTestSupport.h"
#include "gallery/BuildDriver.h"
#include "gallery/PageTemplate.h"
#include "support/CaseNames.h"
#include "support/ProcessFigures.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"
#include "util/ZetTextLineReader.h"

namespace zetgallery {

namespace {

// The lines one pass of `source` delivers.
std::vector<std::string> Pass(TPageTemplate& source) {
  std::vector<std::string> lines;
  if (!source.Begin().ok()) return {"<cannot open>"};
  for (std::string line; source.Next(line);) lines.push_back(line);
  if (!source.status().ok()) lines.push_back("<read error>");
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
    ASSERT_TRUE(reader.Open(folder / "t.htm").ok());
    for (std::string line; reader.ReadLine(line);) expected.push_back(line);

    TPageTemplate source(folder / "t.htm");
    for (int pass = 1; pass <= 3; ++pass)
      EXPECT_EQ(Pass(source), expected) << content.size() << " bytes, pass " << pass;
  }
}

TEST(PageTemplateTest, AMissingTemplateIsTriedAgainAtEveryPass) {
  TTempFolder folder;
  TPageTemplate source(folder / "later.htm");
  EXPECT_FALSE(source.Begin().ok());
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
  {
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5";
    if (!reset.flush()) GTEST_SKIP() << "the peak memory cannot be reset here";
  }
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
  std::ofstream reset("/proc/self/clear_refs");
  reset << "5";
  reset.close();
  const long long before = ProcessFigure("/proc/self/status", "VmHWM:");
  TRecordingUserInterface ui;
  ASSERT_TRUE(WriteIndex(plan, {}, ui));
  const long long peakKb = ProcessFigure("/proc/self/status", "VmHWM:");
  ASSERT_GT(before, 0);
  // Held whole, 16 million lines would take half a gigabyte.
  EXPECT_LT(peakKb - before, 32 << 10) << "kB above the memory in use before the build";
  EXPECT_NE(ReadWholeFile(folder / "index.htm").find("pic02.jpg"), std::string::npos);
}

constexpr long long kLimit = kMaxTextLineBytes;

// Each file read by lines, under the gallery's folder: the lines before a long one, and that
// line's first bytes (a description starts at their last byte).
const std::map<std::string, std::pair<std::string, std::string>> kLineFiles = {
    {"pics/a.txt", {"", "d"}},
    {"pics/descript.ion", {"", "a.jpg d"}},
    {"tpl/index.tpl", {"~~~INDEX~~~\r\n", "<!--"}},
    {"tpl/page.tpl", {"~~~IMAGE~~~\r\n<p>\r\n", "<!--"}}};

struct TLongLineCase {
  std::string file;
  long long length;  // the long line's bytes; past kLimit + 1 a hole, so it costs no disc
  bool lineEnd;      // a line end and a further line follow it
};

void PrintTo(const TLongLineCase& c, std::ostream* os) {
  PrintCase(os, c.file, c.length, c.lineEnd);
}

class LongLineTest : public testing::TestWithParam<TLongLineCase> {};

TEST_P(LongLineTest, IsCutNamedOnceAndReadInBoundedMemory) {
  const TLongLineCase& c = GetParam();
  const auto& [before, head] = kLineFiles.at(c.file);
  const auto lineStart = [&](long long bytes) {
    return head + std::string(bytes - head.size(), 'x');
  };
  TGalleryFixture gallery({"a.jpg", "b.jpg"});
  gallery.settings.IndexType = 0;
  gallery.settings.ImageType = 1;
  gallery.settings.Descriptions = c.file == "pics/a.txt" ? 1 : 2;
  WriteWholeFile(gallery.tpl + "/page.tpl", "~~~IMAGE~~~\r\n[~~~DESCR~~~]");
  const std::string path = gallery.root + "/" + c.file;
  WriteWholeFile(path, before + lineStart(std::min(c.length, kLimit + 1)));
  std::filesystem::resize_file(path, before.size() + c.length);
  std::ofstream(path, std::ios::app) << (c.lineEnd ? "\r\nafter\r\n" : "");

  // The peak memory is set back to what is in use now, where the system lets it.
  const bool reset = static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5" << std::flush);
  const long long peakBefore = ProcessFigure("/proc/self/status", "VmHWM:");
  TRecordingUserInterface ui;
  ui.answer = true;
  EXPECT_EQ(BuildGallery(gallery.Inputs(), ui).outcome, TBuildOutcome::Finished);
  const long long peakAbove = ProcessFigure("/proc/self/status", "VmHWM:") - peakBefore;
  EXPECT_LT(reset ? peakAbove : 0, 32 << 10) << "kB above the memory in use before the build";
  const std::string message =
      "Слишком длинная строка в файле " + path + ": она обрезана до 1048576 байт.";
  EXPECT_EQ(ui.errors, std::vector<std::string>(c.length > kLimit ? 1 : 0, message));
  const std::string kept = lineStart(std::min(c.length, kLimit));
  if (c.file.starts_with("pics/")) {
    EXPECT_TRUE(
        ReadWholeFile(gallery.root + "/a.htm").ends_with("[" + kept.substr(head.size() - 1) + "]"));
  } else {
    // The index, or the second page, which read the template again.
    const std::string shown = c.file == "tpl/index.tpl" ? "/index.htm" : "/b.htm";
    EXPECT_TRUE(ReadWholeFile(gallery.root + shown)
                    .ends_with("\n" + kept + "\r\n" + (c.lineEnd ? "after\r\n" : "")));
  }
}

std::vector<TLongLineCase> LongLineCases() {
  std::vector<TLongLineCase> cases;
  for (const auto& [file, layout] : kLineFiles)
    for (long long length : {kLimit - 1, kLimit, kLimit + 1, 256ll << 20})
      for (bool lineEnd : {false, true}) cases.push_back({file, length, lineEnd});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Table, LongLineTest, testing::ValuesIn(LongLineCases()),
                         CaseNamesBy(&TLongLineCase::file, &TLongLineCase::length,
                                     &TLongLineCase::lineEnd));

}  // namespace

}  // namespace zetgallery
