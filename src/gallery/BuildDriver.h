// BuildDriver: one complete build of the gallery. Checks and creates the output folders (asking
// first), clears them when the settings say so, copies the navigation buttons, reads the
// descriptions and writes the index page, the picture pages and the thumbnails. The window and
// the command line both start builds here; everything the user sees goes through TUserInterface.
#pragma once

#include <string>
#include <vector>

#include "BuildParameters.h"
#include "ThumbnailQueue.h"
#include "UserInterface.h"

struct TBuildOptions {
  // Threads making thumbnails; 0 takes ThumbnailThreadCount().
  int thumbnailThreads = 0;
  // Makes one thumbnail; empty means CreateThumbnailFile. Tests put a stand-in here.
  TThumbnailQueue::TMaker thumbnailMaker;
};

enum class TBuildOutcome {
  Ignored,   // another build was running: nothing was done
  Stopped,   // a folder was refused or could not be made: stopped before any page was written
  Finished,  // the pages were written (errors inside them are counted in errorsShown)
};

struct TBuildResult {
  TBuildOutcome outcome = TBuildOutcome::Ignored;
  int errorsShown = 0;       // error boxes shown during the build
  int thumbnailsFailed = 0;  // thumbnails that could not be made (never shown to the user)
  bool stoppedByUser = false;
};

// Runs one build from `inputs`. A call while a build runs (from the window's event processing
// inside a build) returns at once with TBuildOutcome::Ignored. When ui.StopRequested() becomes
// true, the build ends after the current picture and the thumbnails not yet started are dropped.
// REQUIRES: inputs.Images is not empty; StartImageLibrary succeeded when thumbnails are made
// with the default maker.
TBuildResult BuildGallery(const TBuildInputs& inputs, TUserInterface& ui,
                          const TBuildOptions& options = {});

// True while BuildGallery runs.
bool BuildIsRunning();

// True when `folder` is the folder `inner` itself or one of the folders holding it (symbolic
// links and spellings such as "a/./b" resolved).
bool FolderIsOrHolds(const std::string& folder, const std::string& inner);

// True when `fileName` is an old page that clearing the result folder takes: its extension (from
// the last dot) begins with ".htm" in any letter case (".htm", ".HTML", ".htmx"). A name that only
// holds ".htm" further in front ("trip.html.jpg") is not a page and stays.
bool MatchesHtmlWildcard(const std::string& fileName);
