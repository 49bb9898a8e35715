// PictureArchive: the zip of the pictures, written with libarchive into the build's output file.
#include "gallery/PictureArchive.h"

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>

#include <QCryptographicHash>
#include <chrono>
#include <memory>
#include <system_error>
#include <vector>

#include "gallery/BuildMessages.h"
#include "settings/SettingValueRules.h"
#include "settings/SettingsMessages.h"
#include "util/ZetFileUtils.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

namespace {

// How long a wait for the zip goes before the user interface breathes.
constexpr std::chrono::milliseconds kBreath(50);
// Pictures are copied into the zip in pieces of this size.
constexpr size_t kCopyBuffer = size_t{1} << 20;
// Past this the zip's offsets and sizes no longer fit the classic records. Set well below 4 GiB,
// since the local and central headers add to the pictures' bytes.
constexpr uint64_t kZip64Threshold = (uint64_t{4} << 30) - (uint64_t{64} << 20);

std::string TimeText(const TFileTime& time) {
  return std::to_string(time.seconds) + "." + std::to_string(time.nanoseconds);
}

struct TArchiveDeleter {
  void operator()(archive* handle) const { archive_write_free(handle); }
};
struct TEntryDeleter {
  void operator()(archive_entry* entry) const { archive_entry_free(entry); }
};
using TArchiveHandle = std::unique_ptr<archive, TArchiveDeleter>;

TArchiveOutcome Failed(const std::string& path, const std::string& reason) {
  TArchiveOutcome outcome;
  outcome.failure = TStatus::IoError(ArchiveFailedMessage(path, reason));
  return outcome;
}

// Copies the picture at `path` into the zip as member `name`. False when the picture cannot be
// read whole; `writeFailed` tells a failure of the zip itself.
bool AddPicture(archive* zip, const std::string& path, const std::string& name,
                std::vector<char>& buffer, bool& writeFailed) {
  TReadOnlyFile picture(path);
  TFileStatus status;
  if (!picture.IsOpen() || !picture.ReadStatus(status) || !status.IsRegular()) return false;
  std::unique_ptr<archive_entry, TEntryDeleter> entry(archive_entry_new());
  archive_entry_set_pathname_utf8(entry.get(), name.c_str());
  archive_entry_set_filetype(entry.get(), AE_IFREG);
  archive_entry_set_perm(entry.get(), 0644);
  archive_entry_set_size(entry.get(), static_cast<la_int64_t>(status.size));
  archive_entry_set_mtime(entry.get(), status.modified.seconds,
                          static_cast<long>(status.modified.nanoseconds));
  if (archive_write_header(zip, entry.get()) != ARCHIVE_OK) {
    writeFailed = true;
    return false;
  }
  // Exactly the size the member was announced with: a picture cut short meanwhile is a failure.
  for (uint64_t offset = 0; offset < status.size;) {
    const int64_t got = picture.ReadAt(buffer.data(), buffer.size(), offset);
    if (got <= 0) return false;
    const auto piece = static_cast<size_t>(std::min<uint64_t>(uint64_t(got), status.size - offset));
    if (archive_write_data(zip, buffer.data(), piece) != static_cast<la_ssize_t>(piece)) {
      writeFailed = true;
      return false;
    }
    offset += piece;
  }
  return true;
}

// Where Begin or Commit refused the file, in words.
std::string RefusalReason(TOutputRefusal refusal) {
  switch (refusal) {
    case TOutputRefusal::IsInput:
      return kArchiveIsInputReason;
    case TOutputRefusal::NotReplaceable:
      return kArchiveProtectedReason;
    case TOutputRefusal::NotTrashable:
      return kArchiveNotTrashableReason;
    default:
      return kArchiveWriteFailedReason;
  }
}

}  // namespace

TStatusOr<TArchiveInputs> ArchiveInputs(const TBuildPlan& plan) {
  const std::string folder = EnsureTrailingBackslash(plan.ImagesFolder);
  QCryptographicHash digest(QCryptographicHash::Sha256);
  const auto add = [&digest](const std::string& line) {
    digest.addData(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
  };
  add("1\t" + folder + "\n");
  TArchiveInputs inputs;
  for (const std::string& name : plan.Images) {
    TFileStatus status;
    if (!ReadFileStatus(folder + name, status) || !status.IsRegular())
      return TStatus::IoError(
          ArchiveFailedMessage(EnsureTrailingBackslash(plan.ResultFolder) + plan.ArchiveName,
                               ArchivePictureUnreadableReason(folder + name)));
    inputs.bytes += status.size;
    add(name + "\t" + std::to_string(status.device) + "\t" + std::to_string(status.inode) + "\t" +
        std::to_string(status.size) + "\t" + TimeText(status.modified) + "\t" +
        TimeText(status.changed) + "\n");
  }
  inputs.shape = kArchiveShapePrefix + digest.result().toHex().toStdString();
  return inputs;
}

std::string ArchiveWriteOptions(uint64_t picturesBytes) {
  std::string options = "zip:compression=store,zip:hdrcharset=UTF-8";
  if (picturesBytes >= kZip64Threshold) options += ",zip:zip64";
  return options;
}

TArchiveOutcome MakePictureArchive(const TBuildPlan& plan, TBuildOutputs& outputs,
                                   const std::atomic<bool>& stop) {
  const std::string& name = plan.ArchiveName;
  const std::string path = EnsureTrailingBackslash(plan.ResultFolder) + name;
  if (!IsPlainFileName(name))
    return Failed(path, TextRefusalReason(TTextRefusal::NotAPlainFileName));
  if (name == plan.IndexFile) return Failed(path, kArchiveNameIsIndexReason);
  TStatusOr<TArchiveInputs> inputs = ArchiveInputs(plan);
  if (!inputs.ok()) {
    TArchiveOutcome outcome;
    outcome.failure = inputs.status();
    return outcome;
  }
  TArchiveOutcome outcome;
  const TOpenFolder& folder = outputs.Folder(TOutputPlace::Result);
  const auto placedSize = [&folder, &name, &outcome] {
    TFileStatus status;
    outcome.placed = true;
    outcome.size = folder.ReadEntryStatus(name, status) ? status.size : 0;
    return outcome;
  };
  // An unchanged album keeps its zip without a picture being read.
  if (outputs.KeepIfUpToDate(TOutputPlace::Result, name, TSourceIdentity(), inputs->shape)) {
    outcome.kept = true;
    return placedSize();
  }

  TOutputFile file;
  if (const TOutputRefusal refusal = RefusalOf(outputs.Begin(TOutputPlace::Result, name, file));
      refusal != TOutputRefusal::None)
    return Failed(path, RefusalReason(refusal));
  TArchiveHandle zip(archive_write_new());
  bool writeFailed = zip == nullptr || archive_write_set_format_zip(zip.get()) != ARCHIVE_OK ||
                     archive_write_set_options(
                         zip.get(), ArchiveWriteOptions(inputs->bytes).c_str()) != ARCHIVE_OK ||
                     archive_write_set_bytes_in_last_block(zip.get(), 1) != ARCHIVE_OK ||
                     archive_write_open_fd(zip.get(), file.Descriptor()) != ARCHIVE_OK;
  // The zip is given up without its last records written, then the file is dropped: the
  // descriptor must not be written to once closed.
  const auto abandon = [&zip, &outputs, &file] {
    if (zip != nullptr) archive_write_fail(zip.get());
    zip.reset();
    outputs.Discard(file);
  };
  std::vector<char> buffer(kCopyBuffer);
  const std::string imagesFolder = EnsureTrailingBackslash(plan.ImagesFolder);
  for (const std::string& picture : plan.Images) {
    if (writeFailed) break;
    if (stop) {
      abandon();
      outcome.stopped = true;
      return outcome;
    }
    if (!AddPicture(zip.get(), imagesFolder + picture, picture, buffer, writeFailed) &&
        !writeFailed) {
      abandon();
      return Failed(path, ArchivePictureUnreadableReason(imagesFolder + picture));
    }
  }
  if (writeFailed || archive_write_close(zip.get()) != ARCHIVE_OK) {
    abandon();
    return Failed(path, kArchiveWriteFailedReason);
  }
  zip.reset();
  TLedgerEntry origin;
  origin.hasSource = true;
  origin.shape = inputs->shape;
  if (const TOutputRefusal refusal = RefusalOf(outputs.Commit(file, &origin));
      refusal != TOutputRefusal::None)
    return Failed(path, RefusalReason(refusal));
  return placedSize();
}

TArchiveWriter::TArchiveWriter(const TBuildPlan& plan, TBuildOutputs& outputs) {
  // An album of albums alone has no pictures to download: no zip, and no link to an empty one.
  if (!plan.MakeArchive || plan.Images.empty()) return;
  const auto make = [&plan, &outputs, this] { return MakePictureArchive(plan, outputs, stop_); };
  try {
    running_ = std::async(std::launch::async, make);
  } catch (const std::system_error&) {
    // No thread to be had: the zip is made when it is waited for.
    running_ = std::async(std::launch::deferred, make);
  }
}

TArchiveWriter::~TArchiveWriter() {
  stop_ = true;
  if (running_.valid()) running_.wait();
}

const TArchiveOutcome* TArchiveWriter::Wait(TUserInterface& ui) {
  if (outcome_) return &*outcome_;
  if (!running_.valid()) return nullptr;
  while (running_.wait_for(kBreath) == std::future_status::timeout) {
    ui.ProcessMessages();
    if (ui.StopRequested()) stop_ = true;
  }
  outcome_ = running_.get();
  return &*outcome_;
}

}  // namespace zetgallery
