// IndexWriter: the index page and the loop over the pictures of a build.
#include "IndexWriter.h"

#include <sys/stat.h>

#include "PageWriter.h"
#include "WriterMessages.h"
#include "ZetFileUtils.h"
#include "ZetHtmlEscape.h"
#include "ZetTextFile.h"

namespace {

const std::string& DescriptionOf(const std::vector<std::string>& descriptions, size_t i) {
  static const std::string kEmpty;
  return i < descriptions.size() ? descriptions[i] : kEmpty;
}

std::string TableAttributes(const TBuildParameters& p) {
  return " border=\"" + std::to_string(p.TableBorderWidth) + "\"" + " cellpadding=\"" +
         std::to_string(p.CellPadding) + "\"" + " cellspacing=\"" + std::to_string(p.CellSpacing) +
         "\"" + " bordercolor=\"" + EscapeHtmlAttribute(p.TableBorderColor) + "\"" + " bgcolor=\"" +
         EscapeHtmlAttribute(p.TableBackColor) + "\"" + ">\r\n";
}

std::string IndexOpening(const TBuildParameters& p) {
  switch (p.IndexType) {
    case 0:
      return "<ol>\r\n";
    case 1:
      return "<ul>\r\n";
    case 2: {
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
    case 3:
      return "<br>\r\n<table align=\"center\"" + TableAttributes(p);
    default:
      return std::string();
  }
}

std::string IndexClosing(const TBuildParameters& p) {
  switch (p.IndexType) {
    case 0:
      return "</ol>\r\n";
    case 1:
      return "</ul>\r\n";
    case 2:
    case 3:
      return "</table>\r\n<br>\r\n";
    default:
      return std::string();
  }
}

std::string LinkHref(const TBuildParameters& p) {
  // Pages lie beside the index page; picture files are reached through the images folder.
  const std::string& prefix = p.ImageType == 0 ? p.ImagesUrlPrefix : std::string();
  return UrlEncodeFileName(prefix + p.ImageLink);
}

std::string ListEntry(const TBuildParameters& p) {
  return "<li><a href=\"" + LinkHref(p) + "\">" + EscapeHtmlText(p.ImageLink) + "</a></li>\r\n";
}

std::string TableRow(const TBuildParameters& p, const std::vector<std::string>& descriptions,
                     size_t i) {
  // Column widths stand on the header cells, or on the first row when there is no header.
  const bool widths = i == 0 && !p.ShowTableHeaders;
  auto cellStart = [widths](int width) {
    return widths ? "<td width=\"" + std::to_string(width) + "%\">" : std::string("<td>");
  };
  std::string html = "<tr>\r\n";
  html += cellStart(p.LinkColumnWidth) + "<a href=\"" + LinkHref(p) + "\">" +
          EscapeHtmlText(p.ImageLink) + "</a>" + "</td>\r\n";
  if (p.ShowDescriptions) {
    const std::string& description = DescriptionOf(descriptions, i);
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

// Writes pieces of the index and pushes each to disk, so the file follows the build's progress.
class TIndexOutput {
 public:
  explicit TIndexOutput(TTextWriter& writer) : writer_(writer) {}
  void Write(const std::string& text) {
    writer_.Write(text);
    writer_.Flush();
  }
  void WriteLine(const std::string& text) {
    writer_.WriteLine(text);
    writer_.Flush();
  }
  bool Ok() const { return writer_.Ok(); }

 private:
  TTextWriter& writer_;
};

struct TIndexRun {
  TBuildParameters& params;
  const std::vector<std::string>& descriptions;
  TUserInterface& ui;
  const TThumbnailMaker& makeThumbnail;
  TIndexOutput& out;
  bool pagesOk = true;
  bool stopped = false;
};

void WriteThumbnailCell(TIndexRun& run, size_t i) {
  TBuildParameters& p = run.params;
  const size_t perRow = static_cast<size_t>(p.ThumbXCount);
  if (i % perRow == 0)
    run.out.Write("<tr height=\"" +
                  std::to_string(2 * p.ThumbBorderWidth + p.ThumbYSize + 2 * p.CellPadding) +
                  "\">\r\n");
  run.out.Write("<td align=\"center\" width=\"" +
                std::to_string(2 * p.ThumbBorderWidth + p.ThumbXSize + 2 * p.CellPadding) + "\">");
  if (p.CreateThumbs && run.makeThumbnail)
    run.makeThumbnail(EnsureTrailingBackslash(p.ImagesFolder) + p.Images[i],
                      EnsureTrailingBackslash(p.ThumbsFolderPath) + p.ThumbFileName);
  run.out.Write("<a href=\"" + LinkHref(p) + "\">" + "<img src=\"" +
                UrlEncodeFileName(p.ThumbsUrlPrefix + p.ThumbFileName) + "\"" + " border=\"" +
                std::to_string(p.ThumbBorderWidth) + "\"" + ThumbAltText(p, run.descriptions, i) +
                ">" + "</a>" + "</td>\r\n");
  if ((i + 1) % perRow == 0) {
    run.out.Write("</tr>\r\n");
  } else if (i + 1 == p.Images.size()) {
    std::string fillers;
    for (size_t k = 0; k < perRow - (i + 1) % perRow; ++k) fillers += "<td>&nbsp</td>";
    run.out.Write(fillers + "</tr>\r\n");
  }
}

// One complete index in place of a marker line. Returns false on a write error.
bool WriteIndex(TIndexRun& run) {
  TBuildParameters& p = run.params;
  run.out.Write(IndexOpening(p));
  const size_t count = p.Images.size();
  for (size_t i = 0; i < count && run.out.Ok(); ++i) {
    run.ui.ProcessMessages();
    PrepareImageNames(p, i);
    switch (p.IndexType) {
      case 0:
      case 1:
        run.out.Write(ListEntry(p));
        break;
      case 2:
        run.out.Write(TableRow(p, run.descriptions, i));
        break;
      case 3:
        WriteThumbnailCell(run, i);
        break;
      default:
        break;
    }
    if (!run.out.Ok()) return false;
    if (!WriteImagePage(p, run.descriptions, i, run.ui)) run.pagesOk = false;
    run.ui.ProcessMessages();
    run.ui.ReportProgress(static_cast<int>(i + 1), static_cast<int>(count), p.Images[i]);
    if (run.ui.StopRequested()) {
      run.stopped = true;
      // A thumbnail row left half full is closed, so the table stays well formed.
      const bool rowOpen = (i + 1) % static_cast<size_t>(p.ThumbXCount) != 0 && i + 1 < count;
      if (p.IndexType == 3 && rowOpen) run.out.Write("</tr>\r\n");
      break;
    }
  }
  if (!run.out.Ok()) return false;
  run.out.Write(IndexClosing(p));
  return run.out.Ok();
}

}  // namespace

std::string ThumbAltText(const TBuildParameters& params,
                         const std::vector<std::string>& descriptions, size_t i) {
  const std::string& description = DescriptionOf(descriptions, i);
  if (!params.DescrAsThumbAlt || description.empty()) return std::string();
  return " alt=\"" + EscapeHtmlAttribute(description) + "\"";
}

int64_t GetImageFileSize(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return -1;
  return S_ISDIR(info.st_mode) ? 0 : static_cast<int64_t>(info.st_size);
}

std::string FileSizeText(int64_t size, int unit, const std::string& decimalSeparator) {
  // Whole-number arithmetic rounds the halves exactly (1.5 k is 2k, 1.25 M is 1.3M) where
  // binary floating point would sometimes round them down.
  if (unit == 1) {
    if (size < 0) return "0k";
    return std::to_string((size + 512) / 1024) + "k";
  }
  if (unit == 2) {
    if (size < 0) return "0" + decimalSeparator + "0M";
    const int64_t tenths = (size * 10 + 524288) / 1048576;
    return std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10) + "M";
  }
  return std::to_string(size);
}

bool WriteIndexPage(TBuildParameters& params, const std::vector<std::string>& descriptions,
                    TUserInterface& ui, const TThumbnailMaker& makeThumbnail) {
  TTextWriter writer;
  if (!writer.Open(EnsureTrailingBackslash(params.ResultFolder) + params.IndexFile)) {
    ui.ShowError(kMsgIndexFileOpen);
    return false;
  }
  std::vector<std::string> lines;
  if (!ReadTextFileLines(params.IndexTemplate, lines)) {
    writer.Close();
    ui.ShowError(kMsgIndexTemplateOpen);
    return false;
  }

  TIndexOutput out(writer);
  TIndexRun run{params, descriptions, ui, makeThumbnail, out};
  bool writeOk = true;
  for (const std::string& line : lines) {
    const bool isMarker =
        !params.IndexPlace.empty() && line.find(params.IndexPlace) != std::string::npos;
    if (!isMarker) {
      out.WriteLine(line);
    } else if (!run.stopped) {
      // After a stop the remaining markers are dropped, but the page around them is finished.
      if (!WriteIndex(run)) {
        writeOk = false;
        break;
      }
    }
    if (!out.Ok()) {
      writeOk = false;
      break;
    }
  }
  if (!writer.Close()) writeOk = false;
  if (!writeOk) ui.ShowError(kMsgIndexWrite);
  return writeOk && run.pagesOk;
}
