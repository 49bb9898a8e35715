// The program as `cmake --install` lays it out under a temporary DESTDIR: every file in its place,
// and the installed executable, run with no settings, building from the templates and buttons
// installed under share/ (not the ones beside the build tree's executable).
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "TestPictures.h"
#include "settings/ZetRegistry.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"
#include "support/WholeFiles.h"

namespace zetgallery {

namespace fs = std::filesystem;

namespace {

const std::string kSource = ZETGALLERY_SOURCE_DIR;
const std::string kAppId = "org.example.ZetGallery";
const std::vector<std::string> kTemplates = {
    "IndexTemplate.htm", "GridTemplate.htm", "ImageTemplate.htm", "amber_first.gif",
    "amber_prev.gif",    "amber_next.gif",   "amber_last.gif",    "amber_index.gif"};

// A PNG's width and height from its header; {0, 0} when it is no PNG.
std::pair<int, int> PngSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  const auto number = [&bytes](size_t at) {
    int value = 0;
    for (size_t i = at; i < at + 4; ++i) value = value * 256 + static_cast<unsigned char>(bytes[i]);
    return value;
  };
  return {number(16), number(20)};
}

class InstalledProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder.Path().empty());
    const TCommandRun install =
        RunCommand("DESTDIR=" + ShellQuoted(folder / "dest") + " " + ShellQuoted(CMAKE_COMMAND) +
                       " --install " + ShellQuoted(ZETGALLERY_BUILD_DIR) + " --prefix /usr",
                   folder.Path());
    ASSERT_EQ(install.status, 0) << install.out << install.err;
    usr = folder / "dest/usr";
    templates = usr + "/share/zetgallery/templates/";
    registry = folder / "registry.db";
    trip = folder / "photos/trip";
    fs::create_directories(trip);
    ASSERT_TRUE(MakeTestPicture(trip + "/a.jpg", 160, 120));
    ASSERT_TRUE(MakeTestPicture(trip + "/b.jpg", 120, 160));
  }

  // Makes each installed template and button different from every other copy on the machine,
  // so the gallery shows which copy it was built from.
  void MarkInstalledTemplates() {
    for (const std::string& name : kTemplates) {
      const std::string bytes = ReadWholeFile(templates + name);
      ASSERT_FALSE(bytes.empty()) << name;
      ASSERT_TRUE(WriteWholeFile(templates + name, bytes + Marker(name)));
    }
  }
  static std::string Marker(const std::string& name) {
    return "<!-- installed " + name + " -->\r\n";
  }

  // The installed executable, from a folder of its own, with a settings database of its own
  // and no data folder of the machine's to fall back on.
  TCommandRun RunInstalled(const std::string& arguments) {
    return RunCommand(
        "cd " + ShellQuoted(folder.Path()) + " && env HOME=" + ShellQuoted(folder / "home") +
            " XDG_CONFIG_HOME=" + ShellQuoted(folder / "config") + " XDG_DATA_HOME=" +
            ShellQuoted(folder / "none") + " XDG_DATA_DIRS=" + ShellQuoted(folder / "none") +
            " ZETGALLERY_REGISTRY=" + ShellQuoted(registry) + " " +
            ShellQuoted(usr + "/bin/zetgallery") + " " + arguments,
        folder.Path());
  }

  TTempFolder folder;
  std::string usr;
  std::string templates;
  std::string registry;
  std::string trip;
};

struct TInstalledFile {
  std::string path;    // below the prefix
  std::string source;  // below the source tree: the file installed as it is; "" for none
};

TEST_F(InstalledProgram, PutsEveryFileInItsPlace) {
  std::vector<TInstalledFile> files = {
      {"share/applications/" + kAppId + ".desktop", "data/" + kAppId + ".desktop"},
      {"share/metainfo/" + kAppId + ".metainfo.xml", "data/" + kAppId + ".metainfo.xml"},
      {"share/icons/hicolor/scalable/apps/" + kAppId + ".svg",
       "data/icons/hicolor/scalable/apps/" + kAppId + ".svg"},
      {"share/icons/hicolor/48x48/apps/" + kAppId + ".png",
       "data/icons/hicolor/48x48/apps/" + kAppId + ".png"},
      {"share/icons/hicolor/256x256/apps/" + kAppId + ".png",
       "data/icons/hicolor/256x256/apps/" + kAppId + ".png"},
      {"share/man/man1/zetgallery.1.gz", ""},
      {"bin/zetgallery", ""}};
  for (const std::string& name : kTemplates)
    files.push_back({"share/zetgallery/templates/" + name, "templates/" + name});
  for (const TInstalledFile& file : files) {
    const std::string installed = usr + "/" + file.path;
    ASSERT_TRUE(fs::is_regular_file(installed)) << file.path;
    if (!file.source.empty()) {
      EXPECT_TRUE(ReadWholeFile(installed) == ReadWholeFile(kSource + "/" + file.source))
          << file.path << " differs from " << file.source;
    }
  }
  EXPECT_NE(fs::status(usr + "/bin/zetgallery").permissions() & fs::perms::others_exec,
            fs::perms::none);
  for (const int size : {48, 256}) {
    const std::string icon = usr + "/share/icons/hicolor/" + std::to_string(size) + "x" +
                             std::to_string(size) + "/apps/" + kAppId + ".png";
    EXPECT_EQ(PngSize(ReadWholeFile(icon)), std::make_pair(size, size)) << icon;
  }
  const TCommandRun manual =
      RunCommand("gzip -dc " + ShellQuoted(usr + "/share/man/man1/zetgallery.1.gz"), folder.Path());
  EXPECT_EQ(manual.status, 0) << manual.err;
  EXPECT_TRUE(manual.out == ReadWholeFile(kSource + "/data/zetgallery.1"))
      << "the installed manual page is not the compressed source";
}

// The menu entry starts the installed program and shows an installed icon; the metainfo names
// the installed menu entry.
TEST_F(InstalledProgram, MenuEntryNamesInstalledFiles) {
  const std::string entry = ReadWholeFile(usr + "/share/applications/" + kAppId + ".desktop");
  std::smatch exec;
  ASSERT_TRUE(std::regex_search(entry, exec, std::regex(R"(\nExec=(\S+) %f\n)"))) << entry;
  EXPECT_TRUE(fs::is_regular_file(usr + "/bin/" + exec[1].str())) << exec[1];
  std::smatch icon;
  ASSERT_TRUE(std::regex_search(entry, icon, std::regex(R"(\nIcon=(\S+)\n)"))) << entry;
  for (const char* kind : {"scalable/apps/%.svg", "48x48/apps/%.png", "256x256/apps/%.png"}) {
    std::string path = kind;
    path.replace(path.find('%'), 1, icon[1].str());
    EXPECT_TRUE(fs::is_regular_file(usr + "/share/icons/hicolor/" + path)) << path;
  }
  const TCommandRun tree =
      RunCommand("appstreamcli validate-tree --no-net " + ShellQuoted(usr), folder.Path());
  EXPECT_EQ(tree.status, 0) << tree.out << tree.err;
}

TEST_F(InstalledProgram, BuildsFromTheInstalledTemplatesWithNoSettings) {
  MarkInstalledTemplates();
  ASSERT_FALSE(fs::exists(registry));
  const TCommandRun build = RunInstalled("--build --yes photos/trip");
  ASSERT_EQ(build.status, 0) << build.err;
  const std::string index = ReadWholeFile(folder / "photos/index.htm");
  EXPECT_NE(index.find(Marker("IndexTemplate.htm")), std::string::npos) << index;
  EXPECT_TRUE(fs::is_directory(folder / "photos/thumbs")) << build.err;
}

TEST_F(InstalledProgram, PicturePagesTakeTheInstalledTemplateAndButtons) {
  MarkInstalledTemplates();
  {
    TZetRegistry store(TRegistryDatabase::Open(registry));
    ASSERT_TRUE(store.OpenKey("\\Software\\Vorlan\\ZetGallery", true));
    EXPECT_TRUE(store.WriteInteger("ImageType", 1).ok());  // a page for each picture
  }
  const TCommandRun build = RunInstalled("--build --yes photos/trip");
  ASSERT_EQ(build.status, 0) << build.err;
  int pages = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder / "photos")) {
    if (entry.path().extension() != ".htm" || entry.path().filename() == "index.htm") continue;
    ++pages;
    EXPECT_NE(ReadWholeFile(entry.path().string()).find(Marker("ImageTemplate.htm")),
              std::string::npos)
        << entry.path();
  }
  EXPECT_EQ(pages, 2);
  for (const std::string& name : kTemplates) {
    if (name.ends_with(".htm")) continue;
    EXPECT_TRUE(ReadWholeFile(folder / ("photos/buttons/" + name)) ==
                ReadWholeFile(templates + name))
        << name << " is not the installed button";
  }
}

}  // namespace

}  // namespace zetgallery
