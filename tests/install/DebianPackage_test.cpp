// The Debian package that `make package` builds: it holds the installed files, and its Depends
// names the package of every library the executable is linked with, so apt-get brings them in.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace zetgallery {

namespace {

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

// The package names of a Depends field, versions and alternatives' bars left out.
std::set<std::string> DependedPackages(const std::string& depends) {
  std::set<std::string> names;
  static const std::regex name(R"((^|[,|]) *([a-z0-9][a-z0-9+.-]+))");
  for (auto it = std::sregex_iterator(depends.begin(), depends.end(), name);
       it != std::sregex_iterator(); ++it)
    names.insert((*it)[2]);
  return names;
}

class DebianPackage : public ::testing::Test {
 protected:
  void SetUp() override {
    const TCommandRun pack =
        RunCommand(ShellQuoted(CPACK_COMMAND) + " -G DEB --config " +
                       ShellQuoted(std::string(ZETGALLERY_BUILD_DIR) + "/CPackConfig.cmake") +
                       " -B " + ShellQuoted(folder / "out"),
                   folder.Path());
    ASSERT_EQ(pack.status, 0) << pack.out << pack.err;
    const TCommandRun found =
        RunCommand("ls " + ShellQuoted(folder / "out") + "/*.deb", folder.Path());
    ASSERT_EQ(found.status, 0) << found.err;
    ASSERT_EQ(LinesOf(found.out).size(), 1u) << found.out;
    deb = LinesOf(found.out)[0];
  }

  TCommandRun Run(const std::string& command) { return RunCommand(command, folder.Path()); }

  TTempFolder folder;
  std::string deb;
};

TEST_F(DebianPackage, DependsOnThePackageOfEveryLinkedLibrary) {
  const TCommandRun depends = Run("dpkg-deb --field " + ShellQuoted(deb) + " Depends");
  ASSERT_EQ(depends.status, 0) << depends.err;
  const std::set<std::string> packages = DependedPackages(depends.out);
  EXPECT_TRUE(packages.contains("qt6-qpa-plugins")) << depends.out;
  ASSERT_EQ(Run("dpkg-deb -x " + ShellQuoted(deb) + " " + ShellQuoted(folder / "tree")).status, 0);
  const TCommandRun needed = Run("readelf -d " + ShellQuoted(folder / "tree/usr/bin/zetgallery") +
                                 " | sed -n 's/.*(NEEDED).*\\[\\(.*\\)\\]/\\1/p'");
  ASSERT_EQ(needed.status, 0) << needed.err;
  const std::vector<std::string> libraries = LinesOf(needed.out);
  EXPECT_GE(libraries.size(), 5u) << needed.out;
  for (const std::string& library : libraries) {
    // The package that holds the library for this machine's architecture, the one the build
    // linked with.
    const TCommandRun owner =
        Run("dpkg-query --search \"*/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/\"" +
            ShellQuoted(library) + " | sed -n '1s/[:,].*//p'");
    ASSERT_FALSE(owner.out.empty()) << library << ": " << owner.err;
    const std::string package = LinesOf(owner.out)[0];
    EXPECT_TRUE(packages.contains(package))
        << library << " comes from " << package << ", not in Depends: " << depends.out;
  }
}

TEST_F(DebianPackage, HoldsTheInstalledFilesUnderUsr) {
  const TCommandRun contents = Run("dpkg-deb --contents " + ShellQuoted(deb));
  ASSERT_EQ(contents.status, 0) << contents.err;
  for (const char* path :
       {"./usr/bin/zetgallery", "./usr/share/zetgallery/templates/IndexTemplate.htm",
        "./usr/share/zetgallery/templates/GridTemplate.htm",
        "./usr/share/zetgallery/templates/amber_index.gif",
        "./usr/share/applications/org.example.ZetGallery.desktop",
        "./usr/share/metainfo/org.example.ZetGallery.metainfo.xml",
        "./usr/share/icons/hicolor/scalable/apps/org.example.ZetGallery.svg",
        "./usr/share/man/man1/zetgallery.1.gz", "./usr/share/doc/zetgallery/copyright",
        "./usr/share/doc/zetgallery/changelog.Debian.gz"}) {
    EXPECT_NE(contents.out.find(std::string(path) + "\n"), std::string::npos) << path;
  }
  const TCommandRun control = Run("dpkg-deb --field " + ShellQuoted(deb) + " Package Section");
  EXPECT_EQ(control.out, "Package: zetgallery\nSection: graphics\n");
}

}  // namespace

}  // namespace zetgallery
