// Lines longer than kMaxTextLineBytes in the files a build reads line by line (a .txt
// description, descript.ion, the index template, the page template): the gallery holds the line's
// beginning, reading goes on with the next line, the user is told once which file it was, and a
// build over a file of hundreds of megabytes without a line end stays small.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "BuildDriver.h"
#include "CaseNames.h"
#include "GalleryFixture.h"
#include "ProcessFigures.h"
#include "RecordingUserInterface.h"
#include "WholeFiles.h"
#include "WriterMessages.h"

namespace {

enum class TLineFile { TextDescription, DescriptIon, IndexTemplate, PageTemplate };

constexpr long long kLimit = kMaxTextLineBytes;
// Sparse, so that it costs no disc; held whole it would be far beyond the bound checked.
constexpr long long kHuge = 256 << 20;

struct TLongLineCase {
  TLineFile file;
  long long length;  // the long line's bytes
  bool lineEnd;      // a line end and a further line follow it
};

std::ostream& operator<<(std::ostream& out, const TLongLineCase& c) {
  const char* files[] = {"txt", "descript_ion", "index_template", "page_template"};
  return out << files[static_cast<int>(c.file)] << " " << c.length
             << (c.lineEnd ? " with line end" : " without line end");
}

// Where the long line stands in each kind of file.
struct TLayout {
  std::string name;    // the file, under the gallery's folder
  std::string before;  // lines before the long one
  std::string head;    // the long line's first bytes; a description starts at its last byte
};

TLayout LayoutOf(TLineFile file) {
  switch (file) {
    case TLineFile::TextDescription:
      return {"pics/a.txt", "", "d"};
    case TLineFile::DescriptIon:
      return {"pics/descript.ion", "", "a.jpg d"};
    case TLineFile::IndexTemplate:
      return {"tpl/index.tpl", "~~~INDEX~~~\r\n", "<!--"};
    case TLineFile::PageTemplate:
      return {"tpl/page.tpl", "~~~IMAGE~~~\r\n[~~~DESCR~~~]\r\n<p>\r\n", "<!--"};
  }
  return {};
}

// The first `bytes` of the long line: its head, then "x". Only the first kLimit + 1 bytes are
// written; a longer line goes on as a hole of zero bytes.
std::string LineStart(const TLayout& layout, long long bytes) {
  return layout.head + std::string(bytes - layout.head.size(), 'x');
}

void WriteLongLineFile(const std::string& path, const TLayout& layout, const TLongLineCase& c) {
  WriteWholeFile(path, layout.before + LineStart(layout, std::min(c.length, kLimit + 1)));
  std::filesystem::resize_file(path, layout.before.size() + c.length);
  std::ofstream(path, std::ios::binary | std::ios::app) << (c.lineEnd ? "\r\nafter\r\n" : "");
}

class LongLineTest : public testing::TestWithParam<TLongLineCase> {};

TEST_P(LongLineTest, IsCutNamedOnceAndReadInBoundedMemory) {
  const TLongLineCase& c = GetParam();
  const TLayout layout = LayoutOf(c.file);
  TGalleryFixture gallery({"a.jpg", "b.jpg"});
  TSettingsSnapshot& s = gallery.settings;
  s.IndexType = 0;
  s.ImageType = 1;
  s.CreateThumbs = false;
  s.Descriptions = c.file == TLineFile::TextDescription ? 1 : 2;
  WriteWholeFile(gallery.tpl + "/page.tpl", LayoutOf(TLineFile::PageTemplate).before);
  const std::string path = gallery.root + "/" + layout.name;
  WriteLongLineFile(path, layout, c);

  const bool peakKnown = ResetPeakMemory();
  const long long before = PeakMemoryKb();
  TRecordingUserInterface ui;
  ui.answer = true;  // the output folders are made
  const TBuildResult result = BuildGallery(gallery.Inputs(), ui);
  if (peakKnown) {
    EXPECT_LT(PeakMemoryKb() - before, 32 << 10) << "kB above the memory in use before the build";
  }

  EXPECT_EQ(result.outcome, TBuildOutcome::Finished);
  const std::vector<std::string> expectedErrors =
      c.length > kLimit ? std::vector<std::string>{LongLineCutMessage(path)}
                        : std::vector<std::string>{};
  EXPECT_EQ(ui.errors, expectedErrors);
  // The line as the gallery holds it, and where it shows.
  const std::string kept = LineStart(layout, std::min(c.length, kLimit));
  const std::string after = c.lineEnd ? "after\r\n" : "";
  const std::string index = ReadWholeFile(gallery.root + "/index.htm");
  const std::string page = ReadWholeFile(gallery.root + "/a.htm");
  ASSERT_FALSE(page.empty());
  switch (c.file) {
    case TLineFile::TextDescription:
    case TLineFile::DescriptIon:
      EXPECT_NE(page.find("[" + kept.substr(layout.head.size() - 1) + "]"), std::string::npos);
      break;
    case TLineFile::IndexTemplate:
      EXPECT_TRUE(index.ends_with("\n" + kept + "\r\n" + after));
      break;
    case TLineFile::PageTemplate:
      EXPECT_TRUE(page.ends_with("\n" + kept + "\r\n" + after));
      EXPECT_TRUE(ReadWholeFile(gallery.root + "/b.htm").ends_with("\n" + kept + "\r\n" + after));
      break;
  }
}

std::vector<TLongLineCase> LongLineCases() {
  std::vector<TLongLineCase> cases;
  for (TLineFile file : {TLineFile::TextDescription, TLineFile::DescriptIon,
                         TLineFile::IndexTemplate, TLineFile::PageTemplate})
    for (long long length : {kLimit - 1, kLimit, kLimit + 1, kHuge})
      for (bool lineEnd : {false, true}) cases.push_back({file, length, lineEnd});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Table, LongLineTest, testing::ValuesIn(LongLineCases()),
                         TPrintedCaseName());

TEST(LongLineMessageTest, NamesTheFileAndTheLimit) {
  EXPECT_EQ(LongLineCutMessage("/p/a.txt"),
            "Слишком длинная строка в файле /p/a.txt: она обрезана до 1048576 байт.");
}

}  // namespace
