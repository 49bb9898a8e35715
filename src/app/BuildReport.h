// BuildReport: the window's one message at the end of a build: what the gallery holds, which
// thumbnails and display copies could not be made and why, why the zip was not made, what went
// to the trash. Plain text, no widgets.
#pragma once

#include <string>

#include "gallery/BuildDriver.h"

namespace zetgallery {

// Lines separated by "\n". `pictures` is the number of pictures the build was given.
std::string BuildReportText(const TBuildResult& result, int pictures);

}  // namespace zetgallery
