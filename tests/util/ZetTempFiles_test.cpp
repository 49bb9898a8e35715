#include "ZetTempFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(TemporaryPathBeside, StaysInTheTargetsFolderWithAShortHiddenName) {
  const struct {
    std::string target;
    std::string folder;
  } cases[] = {
      {"/tmp/gallery/index.htm", "/tmp/gallery/"},
      {"/tmp/gallery/" + std::string(250, 'x') + ".htm", "/tmp/gallery/"},
      {"relative/page.htm", "relative/"},
  };
  for (const auto& c : cases) {
    const std::string temporary = TemporaryPathBeside(c.target);
    ASSERT_EQ(temporary.rfind(c.folder, 0), 0u) << temporary;
    const std::string name = temporary.substr(c.folder.size());
    EXPECT_EQ(name.find('/'), std::string::npos) << temporary;
    EXPECT_EQ(name[0], '.') << "hidden, so a scan never lists it: " << name;
    EXPECT_LT(name.size(), 40u) << "short whatever the target's length: " << name;
  }
}

TEST(TemporaryPathBeside, NeverRepeatsAName) {
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i) EXPECT_TRUE(seen.insert(TemporaryPathBeside("/x/a.htm")).second);
}
