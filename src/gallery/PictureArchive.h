// PictureArchive: the zip of an album's pictures in the result folder, beside its index. The
// pictures go in stored (not compressed again), in gallery order, under their own names and
// modification times. The zip is written through the build's outputs like any page, and kept
// as it is while the ledger shows it made from the same pictures (ArchiveShape).
#pragma once

#include <atomic>
#include <cstdint>
#include <future>
#include <optional>
#include <string>

#include "gallery/BuildOutputs.h"
#include "gallery/BuildParameters.h"
#include "util/Status.h"
#include "util/UserInterface.h"

namespace zetgallery {

// The ledger shape of every zip of pictures starts with this, so that the sweep finds the
// build's older zips among the files of the result folder.
inline constexpr char kArchiveShapePrefix[] = "zip-of-pictures ";

// What the zip is made from, as the ledger keeps it.
struct TArchiveInputs {
  // kArchiveShapePrefix and a digest of the images folder and, in gallery order, each picture's
  // name and identity (device, inode, size, modification and change times).
  std::string shape;
  uint64_t bytes = 0;  // the pictures' sizes added up
};

// The archive's inputs, from the pictures' status only. IoError (the archive's failure message)
// naming the first picture whose status cannot be read or that is not a plain file.
TStatusOr<TArchiveInputs> ArchiveInputs(const TBuildPlan& plan);

// The writer options of the zip for pictures of `picturesBytes` bytes in all: stored members,
// UTF-8 names, and Zip64 records when the zip may pass 4 GiB.
std::string ArchiveWriteOptions(uint64_t picturesBytes);

// What became of the zip of one build.
struct TArchiveOutcome {
  bool placed = false;   // a zip of these pictures is in place (written now, or kept)
  bool kept = false;     // it was up to date and left as it was
  uint64_t size = 0;     // its size in bytes, when placed
  bool stopped = false;  // the user stopped the build while it was written: nothing was placed
  TStatus failure;       // why it is not in place (the message says it in full), else ok
};

// Writes (or keeps) the zip plan.ArchiveName of plan.Images into the result folder of
// `outputs`. A zip that fails (a picture that cannot be read, a full disk, a name refused) is
// not placed, and an older file of that name stays. `stop` is read between pictures: once true,
// the zip is given up. Asks nothing of the user, so it may run on a thread of its own.
// REQUIRES: plan.MakeArchive; the result folder of `outputs` is open.
TArchiveOutcome MakePictureArchive(const TBuildPlan& plan, TBuildOutputs& outputs,
                                   const std::atomic<bool>& stop);

// The zip of one build, made on a thread of its own while the pages and thumbnails are made,
// since it only reads the pictures and writes one file.
class TArchiveWriter {
 public:
  // Starts the zip when plan.MakeArchive. REQUIRES: `plan` and `outputs` outlive this object.
  TArchiveWriter(const TBuildPlan& plan, TBuildOutputs& outputs);
  // Gives a zip still being written up, and waits for its thread.
  ~TArchiveWriter();
  TArchiveWriter(const TArchiveWriter&) = delete;
  TArchiveWriter& operator=(const TArchiveWriter&) = delete;

  // Waits until the zip is done, with ui.ProcessMessages() meanwhile, giving it up when
  // ui.StopRequested(). nullptr when no zip was asked for. Call from one thread only.
  const TArchiveOutcome* Wait(TUserInterface& ui);

 private:
  std::atomic<bool> stop_{false};
  std::future<TArchiveOutcome> running_;
  std::optional<TArchiveOutcome> outcome_;
};

}  // namespace zetgallery
