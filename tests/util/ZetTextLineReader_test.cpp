#include "util/ZetTextLineReader.h"

#include <gtest/gtest.h>

#include <random>

#include "support/CaseNames.h"
#include "support/TempFolder.h"

namespace zetgallery {

namespace {

using TLines = std::vector<std::string>;

// Every line `reader` gives until it stops, a line cut at the reader's limit marked with "+".
TLines ReadAll(TTextLineReader& reader) {
  TLines lines;
  for (std::string line; reader.ReadLine(line);)
    lines.push_back(line + (reader.LastLineCut() ? "+" : ""));
  return lines;
}

struct TSplitCase {
  std::string content;
  TLines lines;
};

void PrintTo(const TSplitCase& c, std::ostream* os) { PrintCase(os, c.content, c.lines); }

class LineRulesTest : public testing::TestWithParam<TSplitCase> {};

TEST_P(LineRulesTest, SplitAndReaderFollowTheLineRulesAtEveryBufferSize) {
  const TSplitCase& c = GetParam();
  EXPECT_EQ(SplitTextLines(c.content), c.lines);
  TTempFolder dir;
  const std::string path = dir.Write("t.txt", c.content);
  // Tiny buffers put every line end, CR LF pairs included, across a refill.
  for (size_t bufferSize = 1; bufferSize <= 5; ++bufferSize) {
    TTextLineReader fromFile(bufferSize);
    ASSERT_TRUE(fromFile.Open(path).ok());
    EXPECT_EQ(ReadAll(fromFile), c.lines) << "buffer " << bufferSize;
    EXPECT_TRUE(fromFile.status().ok());
    TTextLineReader fromText(bufferSize);
    fromText.OpenText(c.content);
    EXPECT_EQ(ReadAll(fromText), c.lines) << "buffer " << bufferSize;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, LineRulesTest,
    testing::Values(TSplitCase{"", {}}, TSplitCase{"a", {"a"}},
                    TSplitCase{"a\r\nb\r\n", {"a", "b"}}, TSplitCase{"a\rb\r", {"a", "b"}},
                    TSplitCase{"a\r\nb", {"a", "b"}},
                    // A lone LF ends a line too.
                    TSplitCase{"a\nb\r\nc", {"a", "b", "c"}}, TSplitCase{"\n", {""}},
                    TSplitCase{"a\nb\n", {"a", "b"}}, TSplitCase{"\n\n", {"", ""}},
                    // Only one LF right after a CR belongs to its line end.
                    TSplitCase{"a\r\n\nb", {"a", "", "b"}}, TSplitCase{"a\n\rb", {"a", "", "b"}},
                    TSplitCase{"a\r\r\nb", {"a", "", "b"}}, TSplitCase{"\r\n", {""}},
                    TSplitCase{"\r\r", {"", ""}}, TSplitCase{"\r\n\r\nx", {"", "", "x"}},
                    // Byte 26 ends the text, wherever it is.
                    TSplitCase{"a\r\nb\x1A\r\nc", {"a", "b"}},
                    TSplitCase{"\x1A"
                               "abc",
                               {}},
                    TSplitCase{"a\x1A", {"a"}}, TSplitCase{"a\r\x1A\n", {"a"}},
                    TSplitCase{"a\n\x1A", {"a"}}, TSplitCase{"a\r\x1A", {"a"}},
                    TSplitCase{std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}}),
    CaseNamesBy(&TSplitCase::content));

// The line rules said another way: cut at byte 26, make every CR LF and every lone CR a LF, split
// at LF, and a text that ends with a line end has no empty line after it.
TLines OracleLines(std::string text) {
  text = text.substr(0, text.find('\x1A'));
  std::string unified;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    unified += text[i] == '\r' ? '\n' : text[i];
  }
  TLines lines;
  size_t start = 0;
  for (size_t lf; (lf = unified.find('\n', start)) != std::string::npos; start = lf + 1)
    lines.push_back(unified.substr(start, lf - start));
  if (start < unified.size()) lines.push_back(unified.substr(start));
  return lines;
}

TEST(TextLineReaderTest, AgreesWithTheRulesOnRandomTextsAndLimits) {
  std::mt19937 random(26);
  const std::string alphabet = "ab\r\n\r\n\x1A";
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 14);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    const size_t limit = 1 + random() % 5;
    TLines expected = OracleLines(text);
    for (std::string& line : expected)
      if (line.size() > limit) line = line.substr(0, limit) + "+";
    TTextLineReader reader(1 + random() % 4, limit);
    reader.OpenText(text);
    ASSERT_EQ(ReadAll(reader), expected) << testing::PrintToString(text) << " limit " << limit;
  }
}

TEST(TextLineReaderTest, StreamsAWholeLargeFile) {
  TTempFolder dir;
  std::string text;
  const int count = 300000;
  for (int i = 0; i < count; ++i) text += std::to_string(i) + (i % 3 == 0 ? "\r\n" : "\n");
  TTextLineReader reader;
  ASSERT_TRUE(reader.Open(dir.Write("many.txt", text)).ok());
  int read = 0;
  for (std::string line; reader.ReadLine(line); ++read) ASSERT_EQ(line, std::to_string(read));
  EXPECT_EQ(read, count);
  EXPECT_TRUE(reader.status().ok());
}

TEST(TextLineReaderTest, NothingOpenGivesNoLines) {
  TTempFolder dir;
  TTextLineReader reader;
  std::string line = "left over";
  EXPECT_FALSE(reader.ReadLine(line));
  EXPECT_TRUE(line.empty());
  EXPECT_FALSE(reader.Open(dir / "missing.txt").ok());
  EXPECT_FALSE(reader.Open(dir.Path()).ok());
  EXPECT_FALSE(reader.Open("").ok());
  // Each refusal says why, and names the file.
  EXPECT_EQ(reader.Open(dir / "missing.txt"), TStatus::NotFound(dir / "missing.txt"));
  EXPECT_EQ(reader.Open(dir.Path()), TStatus::Unsupported(dir.Path()));
  EXPECT_FALSE(reader.ReadLine(line));
}

TEST(TextLineReaderTest, OpeningAgainStartsAfresh) {
  TTempFolder dir;
  // The first file stops right after a CR: its pending line end must not eat the next file's LF.
  const std::string first = dir.Write("a.txt", "a\r");
  const std::string second = dir.Write("b.txt", "\nb");
  TTextLineReader reader(1);
  ASSERT_TRUE(reader.Open(first).ok());
  std::string line;
  ASSERT_TRUE(reader.ReadLine(line));
  EXPECT_EQ(line, "a");
  ASSERT_TRUE(reader.Open(second).ok());
  EXPECT_EQ(ReadAll(reader), (TLines{"", "b"}));
}

}  // namespace

}  // namespace zetgallery
