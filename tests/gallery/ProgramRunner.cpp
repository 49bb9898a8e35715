// ProgramRunner: the program run from a shell, and a settings store without a user.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include "settings/SettingsStore.h"
#include "support/RecordingUserInterface.h"
#include "support/RunCommand.h"

namespace zetgallery {

TCommandRun RunZetGallery(const std::string& workFolder, const std::string& registry,
                          const std::vector<std::string>& arguments, const std::string& wrapper) {
  // Offscreen: a request that opens the window must not need a display.
  std::string command = "cd " + ShellQuoted(workFolder) +
                        " && ZETGALLERY_REGISTRY=" + ShellQuoted(registry) +
                        " QT_QPA_PLATFORM=offscreen " + wrapper + (wrapper.empty() ? "" : " ") +
                        ShellQuoted(ZETGALLERY_EXECUTABLE);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  return RunCommand(command, workFolder);
}

void SavePresetInto(const std::string& registry, const std::string& name,
                    const TSettingsSnapshot& settings) {
  TRecordingUserInterface ui;
  TSettingsStore store(TRegistryDatabase::Open(registry), ui);
  EXPECT_TRUE(store.SaveSettings(name, settings, nullptr).ok());
}

}  // namespace zetgallery
