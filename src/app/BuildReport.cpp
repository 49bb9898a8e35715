// BuildReport: see the header.
#include "BuildReport.h"

#include "gallery/BuildMessages.h"

namespace zetgallery {

namespace {

std::string Count(int n) { return std::to_string(n); }

// The core's messages break their lines with CR LF; a message box shows plain line feeds.
std::string WithLineFeeds(std::string text) {
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
    text.erase(at, 1);
  return text;
}

}  // namespace

std::string BuildReportText(const TBuildResult& result, int pictures) {
  std::string text =
      result.stoppedByUser ? "Построение остановлено, галерея цела." : "Галерея построена.";
  // The sub-albums' pictures add to those of the window's list.
  pictures += result.albumPictures;
  if (result.albums > 0) text += "\nВложенных альбомов: " + Count(result.albums) + ".";
  text += "\nКартинок: " + Count(result.picturesWritten);
  if (result.picturesWritten != pictures) text += " из " + Count(pictures);
  text += ", страниц: " + Count(result.pagesWritten) +
          ", миниатюр: " + Count(result.thumbnailsWritten) + ".";
  if (result.errorsShown > 0)
    text += "\nОшибок по ходу построения: " + Count(result.errorsShown) + ".";
  if (result.thumbnailsFailed > 0) {
    text += "\n\nНе созданы миниатюры (" + Count(result.thumbnailsFailed) + "):";
    for (const TThumbnailFailure& failure : result.thumbnailFailures)
      if (!failure.displayCopy)
        text += "\n" + ThumbnailFailedMessage(failure.picture, failure.status);
  }
  const auto copies = static_cast<int>(result.thumbnailFailures.size()) - result.thumbnailsFailed;
  if (copies > 0) {
    text += "\n\nНе созданы копии для показа (" + Count(copies) + "):";
    for (const TThumbnailFailure& failure : result.thumbnailFailures)
      if (failure.displayCopy)
        text += "\n" + DisplayCopyFailedMessage(failure.picture, failure.status);
  }
  if (!result.archiveFailure.ok()) text += "\n\n" + result.archiveFailure.message();
  if (!result.trashed.empty()) text += "\n\n" + WithLineFeeds(TrashedFilesMessage(result.trashed));
  return text;
}

}  // namespace zetgallery
