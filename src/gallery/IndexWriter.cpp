// IndexWriter: the index page and the loop over the pictures of a build.
#include "gallery/IndexWriter.h"

#include <filesystem>
#include <system_error>

#include "ArchiveLink.h"
#include "GridIndex.h"
#include "ImageNames.h"
#include "PageTemplate.h"
#include "PageWriter.h"
#include "WriterMessages.h"
#include "gallery/AlbumList.h"
#include "gallery/BuildMessages.h"
#include "util/ZetFileUtils.h"
#include "util/ZetHtmlEscape.h"
#include "util/ZetTextFile.h"

namespace zetgallery {

namespace {

const std::string& DescriptionOf(const std::vector<std::string>& descriptions, size_t i) {
  static const std::string kEmpty;
  return i < descriptions.size() ? descriptions[i] : kEmpty;
}

std::string TableAttributes(const TBuildPlan& p) {
  return " border=\"" + std::to_string(p.TableBorderWidth) + "\"" + " cellpadding=\"" +
         std::to_string(p.CellPadding) + "\"" + " cellspacing=\"" + std::to_string(p.CellSpacing) +
         "\"" + " bordercolor=\"" + EscapeHtmlAttribute(p.TableBorderColor) + "\"" + " bgcolor=\"" +
         EscapeHtmlAttribute(p.TableBackColor) + "\"" + ">\r\n";
}

std::string IndexOpening(const TBuildPlan& p) {
  switch (p.IndexType) {
    case TIndexKind::NumberedList:
      return "<ol>\r\n";
    case TIndexKind::BulletedList:
      return "<ul>\r\n";
    case TIndexKind::TableList: {
      std::string html = "<br>\r\n<table align=\"center\" width=\"" + std::to_string(p.TableWidth) +
                         "%\"" + TableAttributes(p);
      if (p.ShowTableHeaders) {
        html += "<tr>\r\n";
        html += "<th width=\"" + std::to_string(p.LinkColumnWidth) + "%\">Ссылка</th>";
        if (p.DescrColumnWidth > 0)
          html += "<th width=\"" + std::to_string(p.DescrColumnWidth) + "%\">Описание</th>";
        // Only the size header ends its line; the others share the line of the row's end.
        if (p.SizeColumnWidth > 0)
          html += "<th width=\"" + std::to_string(p.SizeColumnWidth) + "%\">Размер</th>\r\n";
        html += "</tr>\r\n";
      }
      return html;
    }
    case TIndexKind::Thumbnails:
      return "<br>\r\n<table align=\"center\"" + TableAttributes(p);
    case TIndexKind::Grid:
      return GridOpening(p);
    case TIndexKind::None:
      break;
  }
  return std::string();
}

std::string IndexClosing(const TBuildPlan& p) {
  switch (p.IndexType) {
    case TIndexKind::NumberedList:
      return "</ol>\r\n";
    case TIndexKind::BulletedList:
      return "</ul>\r\n";
    case TIndexKind::TableList:
    case TIndexKind::Thumbnails:
      return "</table>\r\n<br>\r\n";
    case TIndexKind::Grid:
      return GridClosing();
    case TIndexKind::None:
      break;
  }
  return std::string();
}

std::string LinkHref(const TBuildPlan& p, const TImageNames& names) {
  // Pages lie beside the index page; picture files are reached through the images folder.
  const std::string& prefix = p.ImageType == TPictureMode::File ? p.ImagesUrlPrefix : std::string();
  return UrlEncodeFileName(prefix + names.ImageLink);
}

std::string ListEntry(const TBuildPlan& p, const TImageNames& names) {
  return "<li><a href=\"" + LinkHref(p, names) + "\">" + EscapeHtmlText(names.ImageLink) +
         "</a></li>\r\n";
}

std::string TableRow(const TBuildPlan& p, const TImageNames& names,
                     const std::vector<std::string>& descriptions, size_t i) {
  // Column widths stand on the header cells, or on the first row when there is no header.
  const bool widths = i == 0 && !p.ShowTableHeaders;
  auto cellStart = [widths](int width) {
    return widths ? "<td width=\"" + std::to_string(width) + "%\">" : std::string("<td>");
  };
  std::string html = "<tr>\r\n";
  html += cellStart(p.LinkColumnWidth) + "<a href=\"" + LinkHref(p, names) + "\">" +
          EscapeHtmlText(names.ImageLink) + "</a>" + "</td>\r\n";
  if (p.ShowDescriptions) {
    const std::string& description = DescriptionOf(descriptions, i);
    // "&nbsp" has no semicolon as the gallery's pages always had it; browsers read it alike.
    html +=
        cellStart(p.DescrColumnWidth) + (description.empty() ? "&nbsp" : description) + "</td>\r\n";
  }
  if (p.ShowFileSizes) {
    const int64_t size = GetImageFileSize(EnsureTrailingBackslash(p.ImagesFolder) + p.Images[i]);
    html += cellStart(p.SizeColumnWidth) + FileSizeText(size, p.FileSizes, p.DecimalSeparator) +
            "</td>\r\n";
  }
  html += "</tr>\r\n";
  return html;
}

struct TIndexRun {
  const TBuildPlan& plan;
  TBuildOutputs& outputs;
  const std::vector<std::string>& descriptions;
  TUserInterface& ui;
  TPictureSink& sink;
  TOutputFile& out;
  TPageTemplate pageTemplate;
  std::vector<bool> pageWritten;  // by picture: its page was written in this build
  size_t picturesDone = 0;        // pictures done in the index being written
  bool wholeIndexDone = false;    // some index went through every picture
  TStatus pages = TStatus::Ok();  // the first page that failed
  bool stopped = false;
};

void WriteThumbnailCell(TIndexRun& run, const TImageNames& names, size_t i) {
  const TBuildPlan& p = run.plan;
  const auto perRow = static_cast<size_t>(p.ThumbXCount);
  if (i % perRow == 0)
    run.out.Write("<tr height=\"" +
                  std::to_string(2 * p.ThumbBorderWidth + p.ThumbYSize + 2 * p.CellPadding) +
                  "\">\r\n");
  run.out.Write(R"(<td align="center" width=")" +
                std::to_string(2 * p.ThumbBorderWidth + p.ThumbXSize + 2 * p.CellPadding) + "\">");
  if (p.CreateThumbs)
    run.sink.MakeThumbnail(i, EnsureTrailingBackslash(p.ImagesFolder) + p.Images[i],
                           EnsureTrailingBackslash(p.ThumbsFolderPath) + names.ThumbFileName);
  run.out.Write("<a href=\"" + LinkHref(p, names) + "\">" + "<img src=\"" +
                UrlEncodeFileName(p.ThumbsUrlPrefix + names.ThumbFileName) + "\"" + " border=\"" +
                std::to_string(p.ThumbBorderWidth) + "\"" + ThumbAltText(p, run.descriptions, i) +
                ">" + "</a>" + "</td>\r\n");
  if ((i + 1) % perRow == 0) {
    run.out.Write("</tr>\r\n");
  } else if (i + 1 == p.Images.size()) {
    std::string fillers;
    // "&nbsp" has no semicolon as the gallery's pages always had it; browsers read it alike.
    for (size_t k = 0; k < perRow - (i + 1) % perRow; ++k) fillers += "<td>&nbsp</td>";
    run.out.Write(fillers + "</tr>\r\n");
  }
}

void WriteGridCell(TIndexRun& run, const TImageNames& names, size_t i) {
  const TBuildPlan& p = run.plan;
  const std::string picturePath = EnsureTrailingBackslash(p.ImagesFolder) + p.Images[i];
  if (p.CreateThumbs)
    run.sink.MakeThumbnail(i, picturePath,
                           EnsureTrailingBackslash(p.ThumbsFolderPath) + names.ThumbFileName);
  int width = 0, height = 0;
  GridThumbnailSize(p, picturePath, width, height);
  run.out.Write(GridFigure(p, names, i, LinkHref(p, names), DescriptionOf(run.descriptions, i),
                           width, height));
}

void WriteEntry(TIndexRun& run, const TImageNames& names, size_t i) {
  switch (run.plan.IndexType) {
    case TIndexKind::NumberedList:
    case TIndexKind::BulletedList:
      run.out.Write(ListEntry(run.plan, names));
      break;
    case TIndexKind::TableList:
      run.out.Write(TableRow(run.plan, names, run.descriptions, i));
      break;
    case TIndexKind::Thumbnails:
      WriteThumbnailCell(run, names, i);
      break;
    case TIndexKind::Grid:
      WriteGridCell(run, names, i);
      break;
    case TIndexKind::None:
      break;
  }
}

// One complete index in place of a marker line. False on a write error (the index file's status
// tells it).
bool WriteIndex(TIndexRun& run) {
  const TBuildPlan& p = run.plan;
  run.out.Write(IndexOpening(p));
  const size_t count = p.Images.size();
  run.picturesDone = 0;
  for (size_t i = 0; i < count && run.out.status().ok(); ++i) {
    run.ui.ProcessMessages();
    WriteEntry(run, PrepareImageNames(p, i), i);
    if (!run.out.status().ok()) return false;
    TStatus page = WriteImagePage(p, run.outputs, run.descriptions, i, run.ui, run.pageTemplate);
    run.pageWritten[i] = page.ok();
    if (run.pages.ok()) run.pages = std::move(page);
    run.ui.ProcessMessages();
    run.sink.PictureWritten(i, count);
    run.picturesDone = i + 1;
    if (run.ui.StopRequested()) {
      run.stopped = true;
      // A thumbnail row left half full is closed, so the table stays well formed.
      const bool rowOpen = (i + 1) % static_cast<size_t>(p.ThumbXCount) != 0 && i + 1 < count;
      if (p.IndexType == TIndexKind::Thumbnails && rowOpen) run.out.Write("</tr>\r\n");
      break;
    }
  }
  if (run.picturesDone == count) run.wholeIndexDone = true;
  if (!run.out.status().ok()) return false;
  run.out.Write(IndexClosing(p));
  return run.out.status().ok();
}

// After a stop before the first complete index: the pages written are rewritten as the pages of
// a gallery of the pictures done, so that no Next or Last button names a page never written.
void RewritePagesOfAStoppedBuild(TIndexRun& run) {
  if (!run.stopped || run.wholeIndexDone || run.picturesDone == 0) return;
  if (run.plan.ImageType != TPictureMode::Page) return;
  const TBuildPlan done = PlanForFirstPictures(run.plan, run.picturesDone);
  for (size_t i = 0; i < run.picturesDone; ++i) {
    if (!run.pageWritten[i]) continue;
    TStatus page = WriteImagePage(done, run.outputs, run.descriptions, i, run.ui, run.pageTemplate);
    if (run.pages.ok()) run.pages = std::move(page);
  }
}

}  // namespace

std::string IndexPagePath(const TBuildPlan& plan) {
  return EnsureTrailingBackslash(plan.ResultFolder) + plan.IndexFile;
}

std::string ThumbAltText(const TBuildPlan& plan, const std::vector<std::string>& descriptions,
                         size_t i) {
  const std::string& description = DescriptionOf(descriptions, i);
  if (!plan.DescrAsThumbAlt || description.empty()) return std::string();
  return " alt=\"" + EscapeHtmlAttribute(description) + "\"";
}

int64_t GetImageFileSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error) return static_cast<int64_t>(size);
  // Only a plain file has a size: a folder, a pipe or a device of that name counts as empty.
  return std::filesystem::exists(path, error) ? 0 : -1;
}

std::string FileSizeText(int64_t size, TFileSizeUnit unit, const std::string& decimalSeparator) {
  // Whole-number arithmetic rounds the halves exactly (1.5 k is 2k, 1.25 M is 1.3M) where
  // binary floating point would sometimes round them down.
  if (unit == TFileSizeUnit::Kilobytes) {
    if (size < 0) return "0k";
    return std::to_string((size + 512) / 1024) + "k";
  }
  if (unit == TFileSizeUnit::Megabytes) {
    if (size < 0) return "0" + decimalSeparator + "0M";
    const int64_t tenths = (size * 10 + 524288) / 1048576;
    return std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10) + "M";
  }
  return std::to_string(size);
}

TStatus WriteIndexPage(const TBuildPlan& plan, TBuildOutputs& outputs,
                       const std::vector<std::string>& descriptions, TUserInterface& ui,
                       TPictureSink& sink, bool* indexPlaced, TArchiveWriter* archive) {
  if (indexPlaced != nullptr) *indexPlaced = false;
  const auto shown = [&ui](TStatus failure) {
    ui.ShowError(failure.message());
    return failure;
  };
  const std::string indexPath = IndexPagePath(plan);
  TOutputFile writer;
  const TOutputRefusal refusal =
      RefusalOf(outputs.Begin(TOutputPlace::Result, plan.IndexFile, writer));
  if (refusal == TOutputRefusal::IsInput)
    return shown(TStatus::Refused(IndexIsInputMessage(indexPath)));
  if (refusal != TOutputRefusal::None) return shown(TStatus::IoError(kMsgIndexFileOpen));
  // The template is read a line at a time while the index is written, so a template of any size
  // takes no more memory than its longest line.
  TTextLineReader templateReader;
  if (!templateReader.Open(plan.IndexTemplate).ok()) {
    outputs.Discard(writer);
    return shown(TStatus::IoError(kMsgIndexTemplateOpen));
  }

  TIndexRun run{plan,
                outputs,
                descriptions,
                ui,
                sink,
                writer,
                TPageTemplate(PageTemplatePath(plan)),
                std::vector<bool>(plan.Images.size(), false)};
  bool writeOk = true;
  for (std::string line; templateReader.ReadLine(line);) {
    const bool isMarker =
        !plan.IndexPlace.empty() && line.find(plan.IndexPlace) != std::string::npos;
    if (line.find(kAlbumsMarker) != std::string::npos) {
      if (!plan.SubAlbums.empty()) writer.Write(AlbumListHtml(plan));
    } else if (line.find(kParentLinkMarker) != std::string::npos) {
      if (!plan.ParentIndexHref.empty()) writer.Write(ParentLinkHtml(plan));
    } else if (!isMarker && line.find(kArchiveLinkMarker) != std::string::npos) {
      // A zip that is not in place is not linked: its line goes.
      const TArchiveOutcome* zip = archive != nullptr ? archive->Wait(ui) : nullptr;
      if (zip != nullptr && zip->placed)
        writer.WriteLine(ArchiveLinkLine(line, plan.ArchiveName, zip->size));
    } else if (!isMarker) {
      writer.WriteLine(line);
    } else if (!run.stopped && !plan.Images.empty()) {
      // An album of albums alone has no index of pictures.
      // After a stop the remaining markers are dropped, but the page around them is finished.
      if (!WriteIndex(run)) {
        writeOk = false;
        break;
      }
    }
    if (!writer.status().ok()) {
      writeOk = false;
      break;
    }
  }
  if (!templateReader.status().ok()) writeOk = false;
  if (templateReader.AnyLineCut()) ui.ShowError(LongLineCutMessage(plan.IndexTemplate));
  RewritePagesOfAStoppedBuild(run);
  // The index goes last, when every page and thumbnail it names is in place: a build stopped
  // before this point leaves the older gallery whole.
  sink.Finish();
  if (archive != nullptr) archive->Wait(ui);
  if (!writeOk) writer.Fail(TStatus::IoError(kMsgIndexWrite));
  switch (RefusalOf(outputs.Commit(writer))) {
    case TOutputRefusal::None:
      if (indexPlaced != nullptr) *indexPlaced = true;
      return run.pages;
    case TOutputRefusal::IsInput:
      return shown(TStatus::Refused(IndexIsInputMessage(indexPath)));
    case TOutputRefusal::NotTrashable:
      // The outputs name the file that stayed.
      return TStatus::Refused(NotTrashableMessage(indexPath));
    default:
      return shown(TStatus::IoError(kMsgIndexWrite));
  }
}

}  // namespace zetgallery
