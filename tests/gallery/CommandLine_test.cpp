// Tests of the command line: the argument parser, and the built program run as a user would run
// it, with its settings in a temporary database (ZETGALLERY_REGISTRY).
#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <variant>

#include "ProgramRunner.h"
#include "TestPictures.h"
#include "settings/ZetRegistry.h"
#include "support/CaseNames.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

using TMode = TCommandLineRequest::TMode;

// --- Parsing --------------------------------------------------------------------------------

struct TParseCase {
  std::vector<std::string> arguments;
  TMode mode;
  std::string preset;  // "-" for no --preset
  bool yes;
  std::string folder;
};

void PrintTo(const TParseCase& c, std::ostream* os) {
  PrintCase(os, c.arguments, c.mode, c.preset, c.yes, c.folder);
}

class ParseCommandLineTest : public ::testing::TestWithParam<TParseCase> {};

TEST_P(ParseCommandLineTest, ReadsTheRequest) {
  const TParseCase& c = GetParam();
  const TCommandLineRequest request = ParseCommandLine(c.arguments);
  EXPECT_EQ(request.mode, c.mode) << request.usageError;
  if (c.mode == TMode::BadUsage) {
    EXPECT_FALSE(request.usageError.empty());
    return;
  }
  EXPECT_EQ(request.hasPreset, c.preset != "-");
  if (request.hasPreset) {
    EXPECT_EQ(request.preset, c.preset);
  }
  EXPECT_EQ(request.yes, c.yes);
  EXPECT_EQ(request.folder, c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Valid, ParseCommandLineTest,
    ::testing::Values(
        TParseCase{{"--build"}, TMode::Build, "-", false, ""},
        TParseCase{{"--build", "--yes", "/p/trip"}, TMode::Build, "-", true, "/p/trip"},
        TParseCase{
            {"/p/trip", "--build", "--preset", "Море"}, TMode::Build, "Море", false, "/p/trip"},
        TParseCase{{"--build", "--preset", ""}, TMode::Build, "", false, ""},
        TParseCase{{"--list", "--preset", "--yes"}, TMode::List, "--yes", false, ""},
        TParseCase{{"--list", "--", "-odd folder"}, TMode::List, "-", false, "-odd folder"},
        TParseCase{{"--help"}, TMode::Help, "-", false, ""},
        TParseCase{{"-h"}, TMode::Help, "-", false, ""},
        TParseCase{{"--version"}, TMode::Version, "-", false, ""},
        TParseCase{{"/p/trip"}, TMode::Window, "-", false, "/p/trip"},
        TParseCase{{}, TMode::Window, "-", false, ""}),
    CaseNamesBy(&TParseCase::arguments));

INSTANTIATE_TEST_SUITE_P(
    Invalid, ParseCommandLineTest,
    ::testing::Values(
        TParseCase{{"--bogus"}, TMode::BadUsage, "-", false, ""},
        TParseCase{{"--build", "-x"}, TMode::BadUsage, "-", false, ""},
        TParseCase{{"--build", "a", "b"}, TMode::BadUsage, "-", false, ""},
        TParseCase{{"--build", "--list"}, TMode::BadUsage, "-", false, ""},
        TParseCase{{"--build", "--preset"}, TMode::BadUsage, "-", false, ""},
        TParseCase{{"--build", "--preset", "a", "--preset", "b"}, TMode::BadUsage, "-", false, ""},
        TParseCase{{"--list", "--yes"}, TMode::BadUsage, "-", false, ""},
        TParseCase{{"--version", "x"}, TMode::BadUsage, "-", false, ""},
        TParseCase{{"--yes", "/p"}, TMode::BadUsage, "-", false, ""},
        TParseCase{{"--list", "--preset", "a\\b"}, TMode::BadUsage, "-", false, ""}),
    CaseNamesBy(&TParseCase::arguments));

struct TRequestCase {
  std::vector<std::string> arguments;
  bool commandLine;
};

void PrintTo(const TRequestCase& c, std::ostream* os) { PrintCase(os, c.arguments, c.commandLine); }

class IsCommandLineRequestTest : public ::testing::TestWithParam<TRequestCase> {};

TEST_P(IsCommandLineRequestTest, TellsTheConsoleFromTheWindow) {
  std::vector<std::string> texts = {"zetgallery"};
  texts.insert(texts.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  EXPECT_EQ(IsCommandLineRequest(static_cast<int>(argv.size()), argv.data()),
            GetParam().commandLine);
}

INSTANTIATE_TEST_SUITE_P(Cases, IsCommandLineRequestTest,
                         ::testing::Values(TRequestCase{{}, false}, TRequestCase{{"/p"}, false},
                                           TRequestCase{{"-platform", "offscreen"}, false},
                                           TRequestCase{{"--build"}, true},
                                           TRequestCase{{"/p", "--list"}, true},
                                           TRequestCase{{"--version"}, true},
                                           TRequestCase{{"--nonsense"}, true}),
                         CaseNamesBy(&TRequestCase::arguments));

// --- The program itself ---------------------------------------------------------------------

// A value stored in a preset: a number (REG_DWORD) or a text (REG_SZ).
using TStored = std::variant<int, std::string>;

class CommandLineProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    registry = folder / "registry.db";
    trip = folder / "photos/trip";
    fs::create_directories(trip);
  }

  TCommandRun Run(const std::vector<std::string>& arguments) {
    return RunZetGallery(folder.Path(), registry, arguments);
  }

  // Stores values in preset `name` ("" for the untitled preset, which lives in the settings
  // key itself) and, when `makeLast`, marks it as the last-used preset.
  void StorePreset(const std::string& name, const std::map<std::string, TStored>& values,
                   bool makeLast = false) {
    TZetRegistry store(TRegistryDatabase::Open(registry));
    const std::string settingsKey = "\\Software\\Vorlan\\ZetGallery";
    if (makeLast) {
      ASSERT_TRUE(store.OpenKey(settingsKey, true));
      EXPECT_TRUE(store.WriteString("LastSettings", name).ok());
      store.CloseKey();
    }
    ASSERT_TRUE(
        store.OpenKey(name.empty() ? settingsKey : settingsKey + "\\NamedSettings\\" + name, true));
    for (const auto& [valueName, value] : values) {
      if (std::holds_alternative<int>(value))
        EXPECT_TRUE(store.WriteInteger(valueName, std::get<int>(value)).ok());
      else
        EXPECT_TRUE(store.WriteString(valueName, std::get<std::string>(value)).ok());
    }
    store.CloseKey();
  }

  void MakePictures() {
    ASSERT_TRUE(MakeTestPicture(trip + "/b.jpg", 400, 300));
    ASSERT_TRUE(MakeTestPicture(trip + "/A.jpg", 300, 400));
    ASSERT_TRUE(MakeTestPicture(trip + "/c.JPG", 200, 200));
    WriteWholeFile(trip + "/notes.txt", "not a picture");
    WriteWholeFile(trip + "/.hidden.jpg", "hidden");
    fs::create_directories(trip + "/folder.jpg");
  }

  TTempFolder folder;
  std::string registry;
  std::string trip;
};

TEST_F(CommandLineProgram, VersionAndHelp) {
  TCommandRun version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "ZetGallery 1.0\n");
  TCommandRun help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("zetgallery --build [--preset NAME] [--yes] [FOLDER]"),
            std::string::npos);
}

struct TUsageCase {
  std::vector<std::string> arguments;
  const char* complaint;
};

void PrintTo(const TUsageCase& c, std::ostream* os) { PrintCase(os, c.arguments, c.complaint); }

class CommandLineUsage : public CommandLineProgram,
                         public ::testing::WithParamInterface<TUsageCase> {};

TEST_P(CommandLineUsage, BadUsageExitsWithTwoAndTouchesNothing) {
  const TCommandRun run = Run(GetParam().arguments);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find(GetParam().complaint), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("Usage:"), std::string::npos);
  EXPECT_FALSE(fs::exists(registry)) << "bad usage must not open the settings";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineUsage,
    ::testing::Values(TUsageCase{{"--bogus"}, "unknown option --bogus"},
                      TUsageCase{{"--build", "a", "b"}, "more than one FOLDER"},
                      TUsageCase{{"--build", "--preset"}, "--preset needs a NAME"},
                      TUsageCase{{"--list", "--yes"}, "--yes belongs to --build"},
                      TUsageCase{{"--build", "--preset", "trips\\2023"},
                                 "a preset NAME cannot contain a backslash"}),
    CaseNamesBy(&TUsageCase::arguments));

TEST_F(CommandLineProgram, ListPrintsThePicturesInGalleryOrder) {
  MakePictures();
  const TCommandRun run = Run({"--list", "photos/trip"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "A.jpg\nb.jpg\nc.JPG\n");
}

TEST_F(CommandLineProgram, ListUsesTheNamedPresetsMask) {
  MakePictures();
  StorePreset("text", {{"ImagesMask", std::string("*.txt")}});
  const TCommandRun run = Run({"--list", "--preset", "text", trip});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "notes.txt\n");
}

TEST_F(CommandLineProgram, ListWithAnInvalidMaskPrintsItsMessage) {
  MakePictures();
  StorePreset("broken", {{"ImagesMask", std::string("[a-")}}, true);
  const TCommandRun run = Run({"--list", trip});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("is an invalid mask at"), std::string::npos) << run.err;
}

TEST_F(CommandLineProgram, ASettingOfTheWrongKindStopsBeforeAnythingIsBuilt) {
  MakePictures();
  StorePreset("", {{"IndexType", std::string("3")}}, true);
  const TCommandRun run = Run({"--build", "--yes", trip});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Invalid data type for 'IndexType'"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(folder / "photos/index.htm"));
  EXPECT_FALSE(fs::exists(folder / "photos/thumbs"));
}

TEST_F(CommandLineProgram, WithoutYesAMissingFolderIsRefused) {
  MakePictures();
  const TCommandRun run = Run({"--build", trip});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Папка " + folder / "photos/thumbs" + " не существует. Создать?"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("Нет папки для миниатюр! Галерея не построена."), std::string::npos);
  EXPECT_FALSE(fs::exists(folder / "photos/thumbs"));
  EXPECT_FALSE(fs::exists(folder / "photos/index.htm"));
}

TEST_F(CommandLineProgram, BuildWithYesMakesACompleteGalleryFromTheDefaults) {
  MakePictures();
  // A relative folder is taken from the current folder.
  const TCommandRun run = Run({"--build", "--yes", "photos/trip"});
  EXPECT_EQ(run.status, 0) << run.err;
  // Result folder: the parent of the pictures (entry 0); thumbnails in JPEG, prefix "_".
  const std::string index = ReadWholeFile(folder / "photos/index.htm");
  EXPECT_NE(index.find("<a href=\"trip/A.jpg\"><img src=\"thumbs/_A.jpg\" border=\"1\"></a>"),
            std::string::npos);
  for (const char* thumb : {"_A.jpg", "_b.jpg", "_c.jpg"})
    EXPECT_TRUE(fs::exists(folder / (std::string("photos/thumbs/") + thumb))) << thumb;
  for (const char* progress : {"/3] A.jpg\n", "/3] b.jpg\n", "/3] c.JPG\n"})
    EXPECT_NE(run.err.find(progress), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("[3/3] "), std::string::npos);
}

TEST_F(CommandLineProgram, BuildOfANamedPresetWritesPagesAndButtons) {
  MakePictures();
  StorePreset("pages", {{"ImageType", 1}, {"ResultFolder", 1}, {"IndexType", 0}});
  const TCommandRun run = Run({"--build", "--yes", "--preset", "pages", trip});
  EXPECT_EQ(run.status, 0) << run.err;
  // Result folder entry 1: the pictures' own folder.
  for (const char* page : {"index.htm", "A.htm", "b.htm", "c.htm"})
    EXPECT_TRUE(fs::exists(trip + "/" + page)) << page;
  for (const char* button :
       {"amber_first.gif", "amber_prev.gif", "amber_index.gif", "amber_next.gif", "amber_last.gif"})
    EXPECT_TRUE(fs::exists(trip + "/buttons/" + button)) << button;
  EXPECT_NE(ReadWholeFile(trip + "/index.htm").find("<li><a href=\"A.htm\">A.htm</a></li>"),
            std::string::npos);
}

TEST_F(CommandLineProgram, AnErrorDuringTheBuildGivesStatusOne) {
  MakePictures();
  StorePreset("", {{"IndexTemplate", folder / "missing.htm"}}, true);
  const TCommandRun run = Run({"--build", "--yes", trip});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Не могу открыть шаблон индексного файла на чтение!\n"), std::string::npos)
      << run.err;
}

TEST_F(CommandLineProgram, AFolderWithoutPicturesCannotBeBuilt) {
  const TCommandRun run = Run({"--build", "--yes", trip});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot build"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(folder / "photos/index.htm"));
}

// --- Names that would drive the terminal ------------------------------------------------------

TEST(ParseCommandLine, NullBelongsToTheList) {
  EXPECT_TRUE(ParseCommandLine({"--list", "--null"}).null);
  EXPECT_TRUE(ParseCommandLine({"--null", "--list", "/p"}).null);
  EXPECT_FALSE(ParseCommandLine({"--list"}).null);
  EXPECT_EQ(ParseCommandLine({"--null"}).mode, TMode::BadUsage);
  EXPECT_EQ(ParseCommandLine({"--build", "--null"}).mode, TMode::BadUsage);
}

TEST_F(CommandLineProgram, ListWithNullEndsEachNameWithANulByte) {
  MakePictures();
  WriteWholeFile(trip + "/two\nlines.jpg", "x");
  const TCommandRun run = Run({"--list", "--null", trip});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "A.jpg\0b.jpg\0c.JPG\0two\nlines.jpg\0"s);
  // Without --null and without a terminal, a script gets the names as they are.
  EXPECT_EQ(Run({"--list", trip}).out, "A.jpg\nb.jpg\nc.JPG\ntwo\nlines.jpg\n");
}

TEST_F(CommandLineProgram, ListTakesCyrillicSets) {
  for (const char* name : {"арбуз.jpg", "яблоко.jpg", "Дыня.jpg", "ёж.jpg", "x.jpg", "я.gif"})
    WriteWholeFile(trip + "/" + name, "x");
  StorePreset("", {{"ImagesMask", std::string("[а-я]*.jpg")}}, true);
  const TCommandRun run = Run({"--list", trip});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "арбуз.jpg\nяблоко.jpg\n");
}

// Runs the program with a terminal as its standard output and error; what the terminal received.
std::string RunOnTerminal(const std::string& workFolder, const std::string& registry,
                          const std::vector<std::string>& arguments) {
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child < 0) return "forkpty failed";
  if (child == 0) {
    setenv("ZETGALLERY_REGISTRY", registry.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (chdir(workFolder.c_str()) != 0) _exit(127);
    std::vector<char*> argv = {const_cast<char*>(ZETGALLERY_EXECUTABLE)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(ZETGALLERY_EXECUTABLE, argv.data());
    _exit(127);
  }
  std::string received;
  char buffer[4096];
  for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;)
    received.append(buffer, got);
  close(terminal);
  int status = 0;
  waitpid(child, &status, 0);
  // The terminal turns each line feed into CR LF.
  std::string text;
  for (char c : received)
    if (c != '\r') text += c;
  return text;
}

TEST_F(CommandLineProgram, ListOnATerminalShowsControlBytesEscaped) {
  WriteWholeFile(trip + "/evil\x1B]0;pwned\x07.jpg", "x");
  WriteWholeFile(trip + "/two\nlines.jpg", "x");
  const std::string shown = RunOnTerminal(folder.Path(), registry, {"--list", trip});
  EXPECT_EQ(shown, "evil\\033]0;pwned\\007.jpg\ntwo\\012lines.jpg\n");
  const std::string nulls = RunOnTerminal(folder.Path(), registry, {"--list", "--null", trip});
  EXPECT_EQ(nulls, "evil\\033]0;pwned\\007.jpg\0two\\012lines.jpg\0"s);
}

TEST_F(CommandLineProgram, ProgressAndMessagesShowControlBytesEscaped) {
  // The result folder (the pictures' parent) and so the thumbnails folder carry a screen-clearing
  // sequence, which the question names; a picture's name carries a title sequence.
  const std::string parent = folder / "ph\x1B[2Jotos";
  const std::string pictures = parent + "/trip";
  fs::create_directories(pictures);
  ASSERT_TRUE(MakeTestPicture(pictures + "/evil\x1B]0;pwned\x07.jpg", 40, 30));
  TCommandRun refused = Run({"--build", pictures});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err.find('\x1B'), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("Папка " + folder / "ph\\033[2Jotos/thumbs не существует. Создать?"),
            std::string::npos)
      << refused.err;
  const TCommandRun built = Run({"--build", "--yes", pictures});
  EXPECT_EQ(built.status, 0) << built.err;
  EXPECT_EQ(built.err.find('\x1B'), std::string::npos) << built.err;
  EXPECT_NE(built.err.find("[1/1] evil\\033]0;pwned\\007.jpg\n"), std::string::npos) << built.err;
}

}  // namespace

}  // namespace zetgallery
