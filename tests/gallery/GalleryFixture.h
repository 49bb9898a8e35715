// GalleryFixture: a gallery folder for the build tests. <root>/pics holds the pictures (small
// real JPEGs), <root>/tpl the templates and the five button pictures; the settings ask for a
// thumbnail index of the pictures as files, JPEG thumbnails with the prefix "_", clearing on,
// descriptions from descript.ion, and the result folder <root> (entry 0 of its list). Files the
// build moves to the trash go to a trash of the fixture's own (XDG_DATA_HOME, also for the
// program run from the test).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "TestPictures.h"
#include "gallery/BuildParameters.h"
#include "support/TempFolder.h"

namespace zetgallery {

class TGalleryFixture {
 public:
  explicit TGalleryFixture(const std::vector<std::string>& pictures = {"a.jpg", "b.jpg",
                                                                       "sea.jpg"});

  // Adds a 64x48 JPEG named `name` to the pictures' folder.
  void AddPicture(const std::string& name);

  // What the window (and the command line) hands over for `settings`: the pictures found by the
  // scan, and the folder texts of the chosen result folder entry.
  TBuildInputs Inputs() const;

  // What the trash holds: each file's name there and a checksum of its content.
  std::map<std::string, std::string> Trashed() const;

  TTempFolder dataHome;  // before `folder`, whose files may go to the trash while it is removed
  TTempFolder folder;
  const std::string root;
  const std::string pics;
  const std::string tpl;
  TSettingsSnapshot settings;
};

// The templates the fixture writes.
inline constexpr char kFixtureIndexTemplate[] = "<html>\r\n~~~INDEX~~~\r\n</html>\r\n";
inline constexpr char kFixturePageTemplate[] =
    "<html>\r\n~~~IMAGE~~~\r\n~~~DESCR~~~\r\n~~~BUTTONS~~~\r\n</html>\r\n";

}  // namespace zetgallery
