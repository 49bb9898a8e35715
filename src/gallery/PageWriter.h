// PageWriter: the picture pages: picture, description and a table of five navigation buttons put
// into the page template, one page per picture.
#pragma once

#include <string>
#include <vector>

#include "ImageNames.h"
#include "gallery/BuildOutputs.h"
#include "gallery/BuildParameters.h"
#include "util/Status.h"
#include "util/UserInterface.h"

namespace zetgallery {

class TPageTemplate;

// With plan.PictureFacts on, each of these in any line of the page template becomes what the
// picture's metadata says (PictureFacts.h): the date it was taken, the camera, the exposure
// line; empty text when the picture does not say.
constexpr char kPictureFactMarkerStart[] = "~~~";
constexpr char kDateMarker[] = "~~~DATE~~~";
constexpr char kCameraMarker[] = "~~~CAMERA~~~";
constexpr char kExposureMarker[] = "~~~EXPOSURE~~~";

// Writes picture i's page (picture mode Page only) into the result folder of `outputs`, named
// PrepareImageNames(plan, i).PageFile, whole or not at all. A page that would replace the index
// page or one of the build's inputs is not written. A failure is shown with ui.ShowError (a file
// that no trash could take is named by the outputs instead), and the build goes on; returns the
// failure.
// REQUIRES: i < plan.Images.size(); descriptions[i] belongs to picture i (a missing entry is the
// empty description).
TStatus WriteImagePage(const TBuildPlan& plan, TBuildOutputs& outputs,
                       const std::vector<std::string>& descriptions, size_t i, TUserInterface& ui);

// The same, with the page template of the whole build, which then need not be read from the disk
// for every page. REQUIRES: pageTemplate reads PageTemplatePath(plan).
TStatus WriteImagePage(const TBuildPlan& plan, TBuildOutputs& outputs,
                       const std::vector<std::string>& descriptions, size_t i, TUserInterface& ui,
                       TPageTemplate& pageTemplate);

// The path of the page template: ImageTemplate without its quotes.
std::string PageTemplatePath(const TBuildPlan& plan);

// The picture paragraph of picture i: the picture, linked to the next page when
// ImageClickEqualNext is on and i is not the last picture.
std::string PictureParagraph(const TBuildPlan& plan, const TImageNames& names, size_t i);

// The nine lines of the navigation table of picture i (each ending in CR LF).
std::string NavigationTableHtml(const TBuildPlan& plan, const TImageNames& names, size_t i);

// The marker of the page template whose line becomes a link to the original picture when the
// page shows a display copy, and is dropped otherwise (so a template holding it builds the same
// pages without copies).
inline constexpr char kOriginalLinkPlace[] = "~~~ORIGLINK~~~";

// What a template line holding kOriginalLinkPlace becomes on picture i's page: a centred
// paragraph linking the picture under its file name (ending in CR LF), or nothing.
std::string OriginalLinkHtml(const TBuildPlan& plan, const TImageNames& names, size_t i);

// Markers of the page template beyond the three placeholders, each replacing its whole line: the
// <link> elements of the previous and the next page (for browsers and search engines) and of the
// page's icon (the Index button picture, which the build copies with the buttons). A line whose
// link does not apply (no previous page on the first page, no next one on the last) is dropped.
inline constexpr const char* kPrevLinkPlace = "~~~PREVLINK~~~";
inline constexpr const char* kNextLinkPlace = "~~~NEXTLINK~~~";
inline constexpr const char* kIconLinkPlace = "~~~ICONLINK~~~";

// What a template line holding kPrevLinkPlace, kNextLinkPlace or kIconLinkPlace becomes on picture
// i's page (a line ending in CR LF, or nothing); `marker` is one of them.
std::string HeadLinkHtml(const TBuildPlan& plan, const TImageNames& names, size_t i,
                         const std::string& marker);

// Writes NavigationTableHtml into the page being written.
void WriteNavigationTable(const TBuildPlan& plan, const TImageNames& names, size_t i,
                          TOutputFile& page);

}  // namespace zetgallery
