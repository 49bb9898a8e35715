// ProgramRunner: a shell command line for the program, and a quiet settings store.
#include "ProgramRunner.h"

#include <sys/wait.h>

#include <cstdlib>

#include "SettingsStore.h"
#include "TestPictures.h"

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class TQuietUserInterface : public TUserInterface {
 public:
  bool AskConfirmation(const std::string&) override { return false; }
  void ShowError(const std::string&) override {}
  void ShowPlainMessage(const std::string&) override {}
  void ShowStandardError(const std::string&) override {}
};

}  // namespace

TProgramRun RunZetGallery(const std::string& workFolder, const std::string& registry,
                          const std::vector<std::string>& arguments) {
  const std::string out = workFolder + "/zetgallery-out.txt";
  const std::string err = workFolder + "/zetgallery-err.txt";
  std::string command = "cd " + ShellQuoted(workFolder) +
                        " && ZETGALLERY_REGISTRY=" + ShellQuoted(registry) + " " +
                        ShellQuoted(ZETGALLERY_EXECUTABLE);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err);
  const int raw = std::system(command.c_str());
  TProgramRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadWholeFile(out);
  run.err = ReadWholeFile(err);
  std::remove(out.c_str());
  std::remove(err.c_str());
  return run;
}

void SavePresetInto(const std::string& registry, const std::string& name,
                    const TSettingsSnapshot& settings) {
  TQuietUserInterface ui;
  TSettingsStore store(TRegistryDatabase::Open(registry), ui);
  store.SaveSettings(name, settings, nullptr);
}
