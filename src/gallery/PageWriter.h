// PageWriter: the picture pages: picture, description and a table of five navigation buttons put
// into the page template, one page per picture.
#pragma once

#include <string>
#include <vector>

#include "ImageNames.h"
#include "gallery/BuildOutputs.h"
#include "gallery/BuildParameters.h"
#include "util/UserInterface.h"

namespace zetgallery {

class TPageTemplate;

// Writes picture i's page (picture mode Page only) into the result folder of `outputs`, named
// PrepareImageNames(plan, i).PageFile, whole or not at all. A page that would replace the index
// page or one of the build's inputs is not written. Failures are shown with ui.ShowError and the
// build goes on; returns false when an error was shown.
// REQUIRES: i < plan.Images.size(); descriptions[i] belongs to picture i (a missing entry is the
// empty description).
bool WriteImagePage(const TBuildPlan& plan, TBuildOutputs& outputs,
                    const std::vector<std::string>& descriptions, size_t i, TUserInterface& ui);

// The same, with the page template of the whole build, which then need not be read from the disk
// for every page. REQUIRES: pageTemplate reads PageTemplatePath(plan).
bool WriteImagePage(const TBuildPlan& plan, TBuildOutputs& outputs,
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

// Writes NavigationTableHtml into the page being written.
void WriteNavigationTable(const TBuildPlan& plan, const TImageNames& names, size_t i,
                          TOutputFile& page);

}  // namespace zetgallery
