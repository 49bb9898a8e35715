// BuildDriver: one complete build of the gallery. Lists the build's inputs, checks and creates
// the output folders (asking first), clears them when the settings say so, copies the navigation
// buttons, reads the descriptions and writes the index page, the picture pages and the
// thumbnails. No write or deletion of a build lands on one of its inputs. The window and the
// command line both start builds here; everything the user sees goes through TUserInterface.
#pragma once

#include <string>
#include <vector>

#include "gallery/BuildParameters.h"
#include "gallery/BuildPipeline.h"
#include "gallery/ThumbnailQueue.h"
#include "util/UserInterface.h"

namespace zetgallery {

struct TBuildOptions {
  // Threads making thumbnails; 0 takes ThumbnailThreadCount().
  int thumbnailThreads = 0;
  // Makes one thumbnail; empty means MakeThumbnailOutput. Tests put a stand-in here.
  TThumbnailQueue::TMaker thumbnailMaker;
};

enum class TBuildOutcome {
  Ignored,   // another build was running: nothing was done
  Stopped,   // refused before any page was written (a folder, or an index that is an input):
             // stopReason says why
  Finished,  // the pages were written (errors inside them are counted in errorsShown)
};

struct TBuildResult {
  TBuildOutcome outcome = TBuildOutcome::Ignored;
  TStatus stopReason;        // why the build stopped before its pages (shown already)
  int errorsShown = 0;       // error boxes shown during the build
  int thumbnailsFailed = 0;  // thumbnails that could not be made (never shown by the build)
  // Which thumbnails and display copies failed, and why, in gallery order.
  std::vector<TThumbnailFailure> thumbnailFailures;
  // Why the zip of the pictures was not made (ok when it was, or when none was asked for); the
  // message names the zip and the reason.
  TStatus archiveFailure;
  // Files the build did not write that were in its way, moved to the trash (paths before).
  std::vector<std::string> trashed;
  bool stoppedByUser = false;
  // What the gallery holds: the pictures indexed, the pages written (picture pages and the
  // index) and the thumbnails in place.
  int picturesWritten = 0;
  int pagesWritten = 0;
  int thumbnailsWritten = 0;
  // With sub-albums: the albums built below the top one, and the pictures they were given.
  int albums = 0;
  int albumPictures = 0;
};

// Owns the builds started from one place (the window): one at a time.
class TGalleryBuilder {
 public:
  // True while Build runs.
  bool IsRunning() const { return running_; }

  // Runs one build from `inputs`. A call while this builder runs (from the window's event
  // processing inside a build) returns at once with TBuildOutcome::Ignored. When
  // ui.StopRequested() becomes true, the build ends after the current picture: the thumbnails
  // already queued are finished, and the index and pages name only files that exist. With the
  // sub-albums setting, every album below the images folder is built too (AlbumTree.h).
  // REQUIRES: inputs.Images is not empty, unless inputs.Settings.SubAlbums; StartImageLibrary
  // succeeded when thumbnails are made with the default maker.
  TBuildResult Build(const TBuildInputs& inputs, TUserInterface& ui,
                     const TBuildOptions& options = {});

 private:
  bool running_ = false;
};

// One build with a builder of its own (the command line, tests).
TBuildResult BuildGallery(const TBuildInputs& inputs, TUserInterface& ui,
                          const TBuildOptions& options = {});

}  // namespace zetgallery
