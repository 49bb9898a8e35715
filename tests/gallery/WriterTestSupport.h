// WriterTestSupport: what the build-parameter, index and page writer tests share: a temporary
// folder, a user interface that records what the core asked of it, and typical build inputs.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "BuildInputFiles.h"
#include "BuildParameters.h"
#include "IndexWriter.h"
#include "PageWriter.h"
#include "UserInterface.h"

namespace writer_test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zetgallery-writer-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
  }
  ~TTempFolder() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// While it lives, no file of this process may grow past `bytes`: a write beyond that fails as
// on a full disk (the signal that would end the process is ignored meanwhile).
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = SIG_DFL;
};

// Records every request of the core and answers every question Yes; can ask the build to stop
// after a number of pictures.
class TRecordingUi : public TUserInterface {
 public:
  bool AskConfirmation(const std::string& text) override {
    questions.push_back(text);
    return true;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void ShowPlainMessage(const std::string& text) override { messages.push_back(text); }
  void ShowStandardError(const std::string& text) override { errors.push_back(text); }
  void ProcessMessages() override {
    ++processCount;
    if (onProcessMessages) onProcessMessages();
  }
  void ReportProgress(int done, int total, const std::string& name) override {
    progress.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + name);
  }
  bool StopRequested() const override {
    return stopAfter >= 0 && static_cast<int>(progress.size()) >= stopAfter;
  }

  std::vector<std::string> questions;
  std::vector<std::string> errors;
  std::vector<std::string> messages;
  std::vector<std::string> progress;
  int processCount = 0;
  int stopAfter = -1;  // StopRequested once this many pictures were reported
  std::function<void()> onProcessMessages;
};

// Stands in for the build's pipeline: hands every thumbnail asked for to `onThumbnail` and
// reports every picture written to the user interface at once.
class TRecordingSink : public TPictureSink {
 public:
  TRecordingSink(const TBuildPlan& plan, TUserInterface& ui) : plan_(plan), ui_(ui) {}
  void MakeThumbnail(size_t, const std::string& source, const std::string& target) override {
    if (onThumbnail) onThumbnail(source, target);
  }
  void PictureWritten(size_t i, size_t count) override {
    ui_.ReportProgress(static_cast<int>(i + 1), static_cast<int>(count), plan_.Images[i]);
  }
  std::function<void(const std::string& source, const std::string& target)> onThumbnail;

 private:
  const TBuildPlan& plan_;
  TUserInterface& ui_;
};

// WriteIndexPage with the plan's own inputs and a recording sink.
inline bool WriteIndex(
    const TBuildPlan& plan, const std::vector<std::string>& descriptions, TUserInterface& ui,
    std::function<void(const std::string& source, const std::string& target)> onThumbnail = {}) {
  TRecordingSink sink(plan, ui);
  sink.onThumbnail = std::move(onThumbnail);
  return WriteIndexPage(plan, TBuildInputFiles(plan), descriptions, ui, sink);
}

// WriteImagePage with the plan's own inputs.
inline bool WritePage(const TBuildPlan& plan, const std::vector<std::string>& descriptions,
                      size_t i, TUserInterface& ui) {
  return WriteImagePage(plan, TBuildInputFiles(plan), descriptions, i, ui);
}

// Inputs as the window holds them after a first start, for pictures in `imagesFolder` whose
// result folder is `resultFolder`.
inline TBuildInputs TypicalInputs(const std::string& imagesFolder, const std::string& resultFolder,
                                  std::vector<std::string> images) {
  TBuildInputs in;
  TSettingsSnapshot& s = in.Settings;
  s.ImagesFolder = imagesFolder;
  s.ResultFolder = 0;
  s.ClearResultFolder = true;
  s.ThumbsFolder = "thumbs";
  s.ClearThumbsFolder = true;
  s.ButtonsFolder = "buttons";
  s.CopyButtonsFromTemplate = true;
  s.ImagesMask = "*.jpg";
  s.HtmlNames = 0;
  s.HtmlFirstImageFile = "01.htm";
  s.IndexFile = "index.htm";
  s.Descriptions = 2;
  s.IndexTemplate = "/nonexistent/IndexTemplate.htm";
  s.IndexPlace = "~~~INDEX~~~";
  s.IndexType = 3;
  s.TableWidth = 100;
  s.TableBorderWidth = 1;
  s.CellSpacing = 0;
  s.CellPadding = 3;
  s.TableBorderColor = "#000000";
  s.TableBackColor = "#FFFFFF";
  s.ShowTableHeaders = true;
  s.ShowDescriptions = true;
  s.ShowFileSizes = true;
  s.FileSizes = 1;
  s.ThumbXCount = 5;
  s.ThumbXSize = "120";
  s.ThumbYSize = "120";
  s.ThumbBorderWidth = 1;
  s.ThumbBorderColor = "#000000";
  s.DescrAsThumbAlt = true;
  s.CreateThumbs = true;
  s.ThumbsFormat = 1;
  s.ThumbPrefixSuffixType = 0;
  s.ThumbPrefixSuffix = "_";
  s.ImageType = 0;
  s.ImageTemplate = "/nonexistent/ImageTemplate.htm";
  s.ImagePlace = "~~~IMAGE~~~";
  s.DescrPlace = "~~~DESCR~~~";
  s.ButtonsPlace = "~~~BUTTONS~~~";
  s.ButtonImageFirst = "/opt/zetgallery/templates/amber_first.gif";
  s.ButtonImagePrev = "/opt/zetgallery/templates/amber_prev.gif";
  s.ButtonImageNext = "/opt/zetgallery/templates/amber_next.gif";
  s.ButtonImageLast = "/opt/zetgallery/templates/amber_last.gif";
  s.ButtonImageIndex = "/opt/zetgallery/templates/amber_index.gif";
  s.AltFirst = "<<-- First";
  s.AltPrev = "<-- Prev";
  s.AltNext = "Next -->";
  s.AltLast = "Last -->>";
  s.AltIndex = "Index";
  s.ImageClickEqualNext = true;
  in.ResultFolderText = resultFolder;
  in.ThumbsFolderPrefixText = resultFolder + "/";
  in.ButtonsFolderPrefixText = resultFolder + "/";
  in.ClearThumbsFolderEnabled = true;
  in.Images = std::move(images);
  return in;
}

// `count` picture names pic01.jpg, pic02.jpg, ...
inline std::vector<std::string> NumberedPictures(int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i)
    names.push_back((i < 10 ? "pic0" : "pic") + std::to_string(i) + ".jpg");
  return names;
}

}  // namespace writer_test
