// Two running copies of the program on one settings file: each saves its own preset over and
// over while a third reads both. Every save must arrive whole, and no read may see half of one.
// And a save reaches the file whatever else opens it meanwhile.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "SettingsTestSupport.h"
#include "settings/SettingsStore.h"

namespace zetgallery {

namespace {

constexpr int kSaves = 80;

// The values of save number `round` of preset `name`: every text carries both.
TSettingsSnapshot RoundValues(const std::string& name, int round) {
  TSettingsSnapshot values = DesignTimeSettingsSnapshot();
  for (const TSettingRow& row : kSettingsTable) {
    if (row.Control == TControlKind::Edit) values.*row.Text = name + "-" + std::to_string(round);
    if (row.Content == TTextContent::HtmlFolderName) values.*row.Text = "f" + std::to_string(round);
  }
  values.ThumbXSize = std::to_string(round);
  values.ThumbYSize = std::to_string(round);
  values.TableWidth = round % 101;
  values.ResultFolder = 1;
  values.CreateThumbs = round % 2 == 1;
  return values;
}

// The round a loaded preset comes from, or -1 when its values come from different saves.
int RoundOf(const std::string& name, const TSettingsSnapshot& loaded) {
  const std::string prefix = name + "-";
  if (loaded.AltIndex.rfind(prefix, 0) != 0) return -1;
  const int round = std::stoi(loaded.AltIndex.substr(prefix.size()));
  return loaded == RoundValues(name, round) ? round : -1;
}

// Saves preset `name` kSaves times from a process of its own; returns its exit status.
pid_t StartSaver(const std::string& path, const std::string& name) {
  const pid_t child = fork();
  if (child != 0) return child;
  int status = 0;
  {
    TRecordingUserInterface ui;
    TSettingsStore store(TRegistryDatabase::Open(path), ui);
    for (int round = 1; round <= kSaves && status == 0; ++round) {
      if (!store.SaveSettings(name, RoundValues(name, round), nullptr).ok()) status = 1;
    }
  }
  _exit(status);
}

using ConcurrencyTest = SettingsDatabaseTest;

TEST_F(ConcurrencyTest, TwoCopiesSavingAtOnceKeepBothPresetsWhole) {
  const std::string names[2] = {"Trip", "Поездка"};
  pid_t savers[2] = {StartSaver(path_, names[0]), StartSaver(path_, names[1])};
  ASSERT_GT(savers[0], 0);
  ASSERT_GT(savers[1], 0);

  // Meanwhile this process reads both presets as a third copy would.
  int running = 2;
  int exitStatus[2] = {-1, -1};
  int reads = 0;
  while (running > 0) {
    for (int i = 0; i < 2; ++i) {
      if (savers[i] == 0) continue;
      int status = 0;
      if (waitpid(savers[i], &status, WNOHANG) == savers[i]) {
        exitStatus[i] = WIFEXITED(status) ? WEXITSTATUS(status) : 99;
        savers[i] = 0;
        --running;
      }
    }
    for (const std::string& name : names) {
      if (QuerySql("SELECT 1 FROM keys WHERE name = '" + name + "'").empty()) continue;
      const TSettingsSnapshot loaded = store_->ReadPresetSnapshot(name).value();
      EXPECT_NE(RoundOf(name, loaded), -1)
          << "half a save of " << name << ", against its first save:\n"
          << testing::PrintToString(SnapshotDifferences(loaded, RoundValues(name, 0)));
      ++reads;
    }
  }
  EXPECT_EQ(exitStatus[0], 0);
  EXPECT_EQ(exitStatus[1], 0);
  EXPECT_GT(reads, 0);

  for (const std::string& name : names) {
    EXPECT_EQ(RoundOf(name, store_->ReadPresetSnapshot(name).value()), kSaves) << name;
    EXPECT_EQ(QuerySql("SELECT count(*) FROM readable_values WHERE key LIKE '%\\NamedSettings\\" +
                       name + "'"),
              std::vector<std::string>{"61"});
  }
  EXPECT_EQ(store_->RefreshSettingsList(nullptr),
            (std::vector<std::string>{"<без названия>", "Trip", "Поездка"}));
  EXPECT_EQ(QuerySql("PRAGMA integrity_check"), std::vector<std::string>{"ok"});
}

TEST_F(ConcurrencyTest, SavesReachTheFileWhateverElseOpensIt) {
  // A child saves, closes a descriptor of the file of its own (as a file dialog showing the
  // settings folder does), lets another connection read the file, saves again and is killed.
  store_.reset();
  database_.reset();
  int toChild[2], toParent[2];
  ASSERT_EQ(pipe(toChild) | pipe(toParent), 0);
  char step = 0;
  const pid_t child = fork();
  if (child == 0) {
    TSettingsStore store(TRegistryDatabase::Open(path_), ui_);
    if (store.SaveSettings("First", RoundValues("First", 1), nullptr).ok()) {
      close(open(path_.c_str(), O_RDONLY));
      if (write(toParent[1], "1", 1) == 1 && read(toChild[0], &step, 1) == 1 &&
          store.SaveSettings("Second", RoundValues("Second", 2), nullptr).ok() &&
          write(toParent[1], "2", 1) == 1)
        pause();
    }
    _exit(1);
  }
  close(toParent[1]);
  ASSERT_EQ(read(toParent[0], &step, 1), 1);
  ExecuteSql("SELECT count(*) FROM vals");
  ASSERT_EQ(write(toChild[1], "g", 1), 1);
  EXPECT_EQ(read(toParent[0], &step, 1), 1);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  TSettingsStore store(TRegistryDatabase::Open(path_), ui_);
  EXPECT_EQ(RoundOf("First", store.ReadPresetSnapshot("First").value()), 1);
  EXPECT_EQ(RoundOf("Second", store.ReadPresetSnapshot("Second").value()), 2);
}

}  // namespace

}  // namespace zetgallery
