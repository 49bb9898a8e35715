// CommandLine: the same core as the window, driven from the console. Questions are answered by
// --yes (otherwise "No"), message boxes and progress go to standard error, the image list of
// --list to standard output.
#include "app/CommandLine.h"

#include <QCoreApplication>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "app/Version.h"
#include "catalogue/ImageScan.h"
#include "gallery/BuildDriver.h"
#include "gallery/BuildMessages.h"
#include "gallery/BuildParameters.h"
#include "gallery/ResultFolders.h"
#include "gallery/Thumbnailer.h"
#include "settings/SettingsStore.h"
#include "util/ZetFileUtils.h"
#include "util/ZetPlatform.h"
#include "util/ZetStrings.h"
#include "util/ZetTerminalText.h"

namespace zetgallery {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

// How long a settings file held by another program is waited for.
constexpr int kSettingsWaitMs = 3000;

std::atomic<bool> g_interrupted{false};

// The signals that ask a build to stop: Ctrl+C, and the stops of `timeout`, systemd and a
// terminal being closed.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<long long> g_firstStopMs{0};

long long MonotonicMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

extern "C" void OnStopSignal(int signal) {
  const long long now = MonotonicMilliseconds();
  if (!g_interrupted.exchange(true)) {
    g_firstStopMs = now;
    return;
  }
  // Ctrl+C pressed again ends the program at once. A signal that arrives twice at once (sent to
  // the process and to its group, as `timeout` sends it) is one request, and a repeated TERM or
  // HUP only asks again for the stop under way.
  if (signal == SIGINT && now - g_firstStopMs > 500) {
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
  }
}

// Stops at a signal are asked for while a build runs, and the default is back afterwards.
void CatchStopSignals(bool catching) {
  for (const int signal : kStopSignals) std::signal(signal, catching ? OnStopSignal : SIG_DFL);
}

// Message box texts carry CR LF line breaks; the console wants LF. Any other control byte comes
// from a name inside the message and is shown escaped.
std::string ForConsole(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t start = 0;;) {
    const size_t lineEnd = text.find("\r\n", start);
    out += EscapeForTerminal(text.substr(start, lineEnd - start));
    if (lineEnd == std::string::npos) break;
    out += '\n';
    start = lineEnd + 2;
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

class TConsoleUserInterface : public TUserInterface {
 public:
  explicit TConsoleUserInterface(bool answerYes) : answerYes_(answerYes) {}

  bool AskConfirmation(const std::string& text) override {
    std::cerr << ForConsole(text) << (answerYes_ ? " Да (--yes)" : " Нет (без --yes)") << '\n';
    return answerYes_;
  }
  void ShowError(const std::string& text) override { std::cerr << ForConsole(text) << '\n'; }
  void ShowPlainMessage(const std::string& text) override { std::cerr << ForConsole(text) << '\n'; }
  void ShowStandardError(const std::string& text) override {
    std::cerr << ForConsole(text) << '\n';
  }
  void ReportProgress(int done, int total, const std::string& name) override {
    std::cerr << '[' << done << '/' << total << "] " << EscapeForTerminal(name) << '\n';
  }
  void FileMovedToTrash(const std::string& path) override {
    std::cerr << ForConsole(MovedToTrashMessage(path)) << '\n';
  }
  bool StopRequested() const override { return g_interrupted; }

 private:
  bool answerYes_;
};

// The options of the command line; those that choose what the program does name their mode.
struct TCommandLineOption {
  const char* name;
  TCommandLineRequest::TMode mode;
};

constexpr TCommandLineOption kOptions[] = {
    {"--build", TCommandLineRequest::TMode::Build},
    {"--list", TCommandLineRequest::TMode::List},
    {"--help", TCommandLineRequest::TMode::Help},
    {"-h", TCommandLineRequest::TMode::Help},
    {"--version", TCommandLineRequest::TMode::Version},
    {"--preset", TCommandLineRequest::TMode::Window},
    {"--yes", TCommandLineRequest::TMode::Window},
    {"--null", TCommandLineRequest::TMode::Window},
};

const TCommandLineOption* FindOption(const std::string& argument) {
  for (const TCommandLineOption& option : kOptions)
    if (argument == option.name) return &option;
  return nullptr;
}

bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// The named preset (or the last-used one) as the window would show it. The user's settings are
// only read. Fails on a settings error: a preset asked for that does not exist or holds no
// values, a value its control would not hold, or a settings file that is not ours or cannot be
// read whole.
TStatusOr<TSettingsSnapshot> ReadPreset(const TCommandLineRequest& request) {
  TConsoleUserInterface ui(false);
  const std::shared_ptr<TRegistryDatabase> database =
      TRegistryDatabase::OpenDefault(kSettingsWaitMs);
  if (const TStatus& why = database->OpenStatus(); !why.ok())
    return TStatus(why.code(), SettingsFileUnreadableMessage(database->Path(), why.message()));
  TSettingsStore store(database, ui);
  std::string name = request.preset;
  if (!request.hasPreset) {
    TStatusOr<std::string> last = store.ReadLastSettings();
    if (!last.ok()) return last.status();
    name = std::move(last).value();
  }
  return store.ReadPresetSnapshotStrictly(name, request.hasPreset);
}

// Loads the preset (ReadPreset) and applies FOLDER. False (message printed) on a settings error.
// Unlike the window, the command line never goes on with the defaults, which could clear and
// overwrite the user's files.
bool LoadSettings(const TCommandLineRequest& request, TSettingsSnapshot& settings) {
  TStatusOr<TSettingsSnapshot> preset = ReadPreset(request);
  if (!preset.ok()) {
    std::cerr << ForConsole(preset.status().message()) << '\n';
    return false;
  }
  settings = std::move(preset).value();
  if (!request.folder.empty()) {
    // A folder named on the command line is taken from where the command runs, so that its
    // parent can serve as the result folder.
    std::error_code ignored;
    settings.ImagesFolder =
        std::filesystem::absolute(StripQuotes(request.folder), ignored).lexically_normal().string();
    // As in the window, a new images folder keeps the chosen result folder entry when it
    // exists and takes the first entry otherwise.
    settings.ResultFolder =
        KeptResultFolderIndex(settings.ResultFolder, ResultFolderEntries(settings.ImagesFolder));
  }
  return true;
}

// Scans the images folder. False (message printed) when the scan met an invalid mask.
bool ScanPictures(const TSettingsSnapshot& settings, std::vector<std::string>& names) {
  TScanResult scan = ScanImages(settings.ImagesFolder, settings.ImagesMask, nullptr);
  names = ImagesInBuildOrder(settings, scan.names);
  if (!scan.status.ok()) {
    std::cerr << ForConsole(scan.status.message()) << '\n';
    return false;
  }
  return true;
}

int RunList(const TCommandLineRequest& request) {
  TSettingsSnapshot settings;
  if (!LoadSettings(request, settings)) return kExitError;
  std::vector<std::string> names;
  const bool scanned = ScanPictures(settings, names);
  // A terminal is shown escaped names; a script gets them as they are.
  const bool terminal = StandardOutputIsTerminal();
  for (const std::string& name : names)
    std::cout << (terminal ? EscapeForTerminal(name) : name) << (request.null ? '\0' : '\n');
  std::cout.flush();
  return scanned ? kExitSuccess : kExitError;
}

// The first of the values the Build button needs that is missing, or empty when all are there.
std::string MissingForBuild(const TBuildInputs& inputs) {
  const TSettingsSnapshot& s = inputs.Settings;
  const std::pair<const std::string*, const char*> required[] = {
      {&s.ImagesFolder, "the images folder is empty"},
      {&inputs.ResultFolderText, "the result folder is not chosen (setting ResultFolder)"},
      {&s.ThumbsFolder, "the thumbnails folder name is empty"},
      {&s.ButtonsFolder, "the buttons folder name is empty"},
      {&s.IndexFile, "the index file name is empty"},
      {&s.HtmlFirstImageFile, "the first page name is empty"},
  };
  for (const auto& [text, problem] : required)
    if (TrimControlAndBlanks(*text).empty()) return problem;
  if (inputs.Images.empty() && !s.SubAlbums)
    return "no picture in the images folder matches the mask";
  return std::string();
}

int RunBuild(const TCommandLineRequest& request, const char* programPath) {
  TBuildInputs inputs;
  if (!LoadSettings(request, inputs.Settings)) return kExitError;
  if (!ScanPictures(inputs.Settings, inputs.Images)) return kExitError;

  // What the window's controls would show for these settings.
  const std::vector<std::string> entries = ResultFolderEntries(inputs.Settings.ImagesFolder);
  inputs.ResultFolderText = ResultFolderAt(entries, inputs.Settings.ResultFolder);
  inputs.ThumbsFolderPrefixText = EnsureTrailingBackslash(inputs.ResultFolderText);
  inputs.ButtonsFolderPrefixText = EnsureTrailingBackslash(inputs.ResultFolderText);
  const auto kind = static_cast<TIndexKind>(inputs.Settings.IndexType);
  inputs.ClearThumbsFolderEnabled = kind == TIndexKind::Thumbnails || kind == TIndexKind::Grid;

  const std::string missing = MissingForBuild(inputs);
  if (!missing.empty()) {
    std::cerr << "zetgallery: cannot build: " << missing << '\n';
    return kExitError;
  }
  if (const TStatus started = StartImageLibrary(programPath); !started.ok()) {
    std::cerr << "zetgallery: " << started.message() << '\n';
    return kExitError;
  }
  CatchStopSignals(true);
  TConsoleUserInterface ui(request.yes);
  const TBuildResult result = BuildGallery(inputs, ui);
  CatchStopSignals(false);
  EndImageLibrary();
  for (const TThumbnailFailure& failure : result.thumbnailFailures)
    std::cerr << ForConsole(failure.displayCopy
                                ? DisplayCopyFailedMessage(failure.picture, failure.status)
                                : ThumbnailFailedMessage(failure.picture, failure.status))
              << '\n';
  if (result.thumbnailsFailed > 0)
    std::cerr << "zetgallery: " << result.thumbnailsFailed << " thumbnail(s) could not be made\n";
  // A zip asked for and not made leaves the gallery without one of its files.
  if (!result.archiveFailure.ok()) {
    std::cerr << ForConsole(result.archiveFailure.message()) << '\n';
    if (!result.stoppedByUser) return kExitError;
  }
  if (result.stoppedByUser) {
    std::cerr << "zetgallery: stopped\n";
    return kExitError;
  }
  return result.outcome == TBuildOutcome::Finished && result.errorsShown == 0 ? kExitSuccess
                                                                              : kExitError;
}

}  // namespace

std::string CommandLineUsage() {
  return "Usage:\n"
         "  zetgallery [FOLDER]                                  open the window\n"
         "  zetgallery --build [--preset NAME] [--yes] [FOLDER]  build the gallery, no window\n"
         "  zetgallery --list [--null] [--preset NAME] [FOLDER]  print the pictures in order\n"
         "  zetgallery --help                                    this text\n"
         "  zetgallery --version                                 the program's version\n"
         "\n"
         "NAME is a saved preset (default: the last one used); FOLDER replaces its images\n"
         "folder. --yes answers every question Yes; without it a missing folder stops the\n"
         "build. Exit status: 0 done, 1 an error was reported, 2 bad usage.\n"
         "The settings are read from $ZETGALLERY_REGISTRY when it is set.\n"
         "\n"
         "--list prints one name a line; --null ends each name with a zero byte instead, for\n"
         "xargs -0. On a terminal, and always in progress lines and messages, control\n"
         "characters and bytes that are not UTF-8 are shown as a backslash and three octal\n"
         "digits (ESC as \\033, a line break as \\012), and a backslash as \\\\.\n";
}

namespace {

// What is wrong with an option that `request`'s mode does not take, "" when nothing is.
std::string MisplacedOption(const TCommandLineRequest& request, bool haveFolder) {
  using TMode = TCommandLineRequest::TMode;
  switch (request.mode) {
    case TMode::Window:
      if (request.null) return "--null belongs to --list";
      if (request.hasPreset || request.yes) return "--preset and --yes need --build or --list";
      break;
    case TMode::List:
      if (request.yes) return "--yes belongs to --build";
      break;
    case TMode::Build:
      if (request.null) return "--null belongs to --list";
      break;
    case TMode::Help:
    case TMode::Version:
      if (request.hasPreset || request.yes || request.null || haveFolder)
        return "--help and --version take nothing else";
      break;
    default:
      break;
  }
  return std::string();
}

}  // namespace

TCommandLineRequest ParseCommandLine(const std::vector<std::string>& arguments) {
  using TMode = TCommandLineRequest::TMode;
  TCommandLineRequest request;
  const auto bad = [&request](const std::string& why) {
    request.mode = TMode::BadUsage;
    request.usageError = why;
    return request;
  };
  bool haveFolder = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const TCommandLineOption* option = FindOption(argument);
    const TMode chosen = option != nullptr ? option->mode : TMode::Window;
    if (chosen != TMode::Window) {
      if (request.mode != TMode::Window)
        return bad("only one of --build, --list, --help, --version");
      request.mode = chosen;
    } else if (argument == "--preset") {
      if (request.hasPreset) return bad("--preset given twice");
      if (i + 1 >= arguments.size()) return bad("--preset needs a NAME");
      if (!IsStorablePresetName(arguments[i + 1]))
        return bad("a preset NAME cannot contain a backslash");
      request.hasPreset = true;
      request.preset = arguments[++i];
    } else if (argument == "--yes") {
      request.yes = true;
    } else if (argument == "--null") {
      request.null = true;
    } else if (argument == "--") {
      // Everything after "--" is a folder, even when it starts with "-".
      for (++i; i < arguments.size(); ++i) {
        if (haveFolder) return bad("more than one FOLDER");
        request.folder = arguments[i];
        haveFolder = true;
      }
    } else if (IsOption(argument)) {
      return bad("unknown option " + argument);
    } else {
      if (haveFolder) return bad("more than one FOLDER");
      request.folder = argument;
      haveFolder = true;
    }
  }
  const std::string misplaced = MisplacedOption(request, haveFolder);
  return misplaced.empty() ? request : bad(misplaced);
}

bool IsCommandLineRequest(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (FindOption(argv[i]) != nullptr) return true;
  // An unknown long option in first place is a mistake on the command line, not a folder; the
  // window's toolkit has its own single-dash options (-platform ...), which are left to it.
  return argc > 1 && std::string(argv[1]).rfind("--", 0) == 0;
}

int RunCommandLine(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const TCommandLineRequest request = ParseCommandLine(arguments);
  switch (request.mode) {
    case TCommandLineRequest::TMode::Help:
      std::cout << CommandLineUsage();
      return kExitSuccess;
    case TCommandLineRequest::TMode::Version:
      std::cout << "ZetGallery " ZETGALLERY_VERSION "\n";
      return kExitSuccess;
    case TCommandLineRequest::TMode::BadUsage:
    case TCommandLineRequest::TMode::Window:
      std::cerr << "zetgallery: "
                << (request.usageError.empty() ? "bad usage"
                                               : EscapeForTerminal(request.usageError))
                << "\n\n"
                << CommandLineUsage();
      return kExitUsage;
    default:
      break;
  }
  // Text collation, locale and the standard folders come from QtCore; no display is needed.
  QCoreApplication application(argc, argv);
  if (request.mode == TCommandLineRequest::TMode::List) return RunList(request);
  return RunBuild(request, argv[0]);
}

}  // namespace zetgallery
