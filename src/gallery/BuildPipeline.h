// BuildPipeline: what happens to each picture after the index writer is done with it. Thumbnails
// are made on worker threads while the pages are written in order; page writing runs at most a
// fixed number of thumbnails ahead (so a stop leaves few to finish, and queued work holds little
// memory), and progress is reported once per picture in gallery order, as each picture is
// complete: its entry and page written and its thumbnail finished, made or not.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "gallery/BuildOutputs.h"
#include "gallery/BuildParameters.h"
#include "gallery/IndexWriter.h"
#include "gallery/ThumbnailQueue.h"
#include "util/UserInterface.h"

namespace zetgallery {

// A thumbnail (or display copy) that could not be made: the picture and why (Thumbnailer.h).
struct TThumbnailFailure {
  std::string picture;
  TStatus status;            // the failed step as its detail (TThumbFailure)
  bool displayCopy = false;  // the picture's display copy failed, not its thumbnail
};

class TBuildPipeline : public TPictureSink {
 public:
  // Thumbnails go to `queue`; page writing waits while `aheadLimit` (at least 1) thumbnails are
  // unfinished. `ui` gets the progress, the refused thumbnails' messages, the files `outputs`
  // moved to the trash (or could not), and ProcessMessages while the pipeline waits. All
  // references must outlive the pipeline.
  TBuildPipeline(const TBuildPlan& plan, TBuildOutputs& outputs, TThumbnailQueue& queue,
                 int aheadLimit, TUserInterface& ui);

  // Holds the thumbnail's job until the picture is written, or refuses it with a message when
  // `targetPath` is one of the inputs. In the grid index the job also makes the thumbnail of
  // twice the size (DoubleThumbnailFileName), unless that name is one of the inputs (then with a
  // message).
  void MakeThumbnail(size_t i, const std::string& sourcePath,
                     const std::string& targetPath) override;
  // Queues the picture's job: its thumbnail and, with display copies, its display copy (refused
  // with a message when its name is one of the inputs). Reports the pictures now complete, then
  // waits (keeping the user interface alive) until
  // fewer than `aheadLimit` thumbnails are unfinished or the user asks to stop.
  void PictureWritten(size_t i, size_t count) override;
  // Waits for every thumbnail queued, keeping the user interface alive, and reports the rest.
  void Finish() override;

  // The thumbnails that could not be made, in gallery order.
  const std::vector<TThumbnailFailure>& Failures() const { return failures_; }
  // The pictures reported complete, and how many of them have their thumbnail in place (made
  // now or kept from an earlier build).
  int PicturesDone() const { return picturesDone_; }
  int ThumbnailsDone() const { return thumbnailsDone_; }

 private:
  struct TPicture {
    size_t index = 0;  // in the image list
    size_t count = 0;  // pictures of the index it belongs to
    bool written = false;
    bool thumbnailPending = false;
    bool thumbnailQueued = false;
    TStatus thumbnailResult;
    TThumbnailJob job;  // held from MakeThumbnail until the picture is written
  };

  // Adds the display copy of picture `i` to `job`, unless its name is one of the inputs.
  void AddDisplayCopy(size_t i, TThumbnailJob& job);

  // The picture the writer is working on.
  TPicture& Current();
  void TakeFinishedThumbnails();
  void ReportCompletePictures();
  void ReportOutputs();

  const TBuildPlan& plan_;
  TBuildOutputs& outputs_;
  TThumbnailQueue& queue_;
  const int aheadLimit_;
  TUserInterface& ui_;
  // The pictures begun and not yet reported, in gallery order; the front has the number
  // `frontNumber_` among all pictures of the build (a template may hold several indexes).
  std::deque<TPicture> pictures_;
  size_t frontNumber_ = 0;
  std::vector<TThumbnailFailure> failures_;
  int picturesDone_ = 0;
  int thumbnailsDone_ = 0;
};

}  // namespace zetgallery
