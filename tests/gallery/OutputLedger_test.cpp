// Tests of the ledger's text: every entry comes back as it was written, whatever bytes its path
// holds; records appended later win; a record cut short by a kill is left out; a file that is not
// a ledger gives none.
#include "gallery/OutputLedger.h"

#include <gtest/gtest.h>

namespace zetgallery {

namespace {

TLedgerEntry Thumbnail(uint64_t size, const std::string& shape) {
  TLedgerEntry entry;
  entry.size = size;
  entry.modified = {1700000000, 999999999};
  entry.hasSource = true;
  entry.source = {66306, 1234567, 4000000, {1600000000, 1}, {1600000001, 2}};
  entry.shape = shape;
  return entry;
}

TEST(OutputLedgerText, GivesBackEveryEntryWhateverItsPathHolds) {
  TOutputLedger ledger;
  const std::string paths[] = {"index.htm", "thumbs/_sea.jpg", "tab\there.htm", "line\nend.htm",
                               "cr\rend",   "100%.htm",        "%09.htm",       "пляж.htm"};
  for (const std::string& path : paths) {
    TLedgerEntry page;
    page.size = path.size();
    page.modified = {1, 2};
    ledger.Set(path, path.starts_with("thumbs") ? Thumbnail(7, "jpeg 120x120 q90\t%") : page);
  }
  TOutputLedger read;
  ASSERT_TRUE(read.Parse(ledger.Text()).ok());
  EXPECT_EQ(read.Entries(), ledger.Entries());
}

TEST(OutputLedgerText, TakesAppendedRecordsInOrderAndLeavesOutOneCutShort) {
  TOutputLedger ledger;
  ledger.Set("a.htm", Thumbnail(1, "gif"));
  std::string text = ledger.Text();
  text += TOutputLedger::WrittenRecord("a.htm", Thumbnail(2, "bmp"));
  text += TOutputLedger::WrittenRecord("b.htm", Thumbnail(3, "bmp"));
  text += TOutputLedger::RemovedRecord("b.htm");
  text += TOutputLedger::WrittenRecord("c.htm", Thumbnail(4, "bmp"));
  text.pop_back();  // the kill came before its line end
  TOutputLedger read;
  ASSERT_TRUE(read.Parse(text).ok());
  ASSERT_EQ(read.Entries().size(), 1u);
  EXPECT_EQ(*read.Find("a.htm"), Thumbnail(2, "bmp"));
}

TEST(OutputLedgerText, RefusesWhatIsNotALedgerAndSkipsBrokenRecords) {
  TOutputLedger ledger;
  for (const char* text :
       {"", "my notes\n", "ZetGallery output ledger 2\n", "ZetGallery output ledger 1"})
    EXPECT_EQ(ledger.Parse(text), TStatus::Corrupt(kLedgerFileName)) << text;
  ASSERT_TRUE(ledger
                  .Parse("ZetGallery output ledger 1\n"
                         "W\tok.htm\t5\t1.2\n"
                         "W\tbad-size.htm\tfive\t1.2\n"
                         "W\tbad-time.htm\t5\t1.2000000000\n"
                         "W\tbad-escape%zz.htm\t5\t1.2\n"
                         "X\tunknown.htm\n"
                         "W\t\t5\t1.2\n")
                  .ok());
  ASSERT_EQ(ledger.Entries().size(), 1u);
  EXPECT_NE(ledger.Find("ok.htm"), nullptr);
}

}  // namespace

}  // namespace zetgallery
