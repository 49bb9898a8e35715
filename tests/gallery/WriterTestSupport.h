// WriterTestSupport: what the build-parameter, index and page writer tests share: a sink in place
// of the build's pipeline, the writers called with the plan's own inputs, and typical inputs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gallery/BuildInputFiles.h"
#include "gallery/BuildOutputs.h"
#include "gallery/BuildParameters.h"
#include "gallery/IndexWriter.h"
#include "gallery/PageWriter.h"
#include "support/SnapshotBuilder.h"
#include "util/UserInterface.h"

namespace zetgallery {

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

// The plan's own inputs, and outputs in its folders, opened as a build opens them.
struct TPlanOutputs {
  explicit TPlanOutputs(const TBuildPlan& plan) : inputs(plan), outputs(inputs) {
    // A folder a test leaves out is refused by the writers in their turn.
    static_cast<void>(outputs.OpenResultFolder(plan.ResultFolder));
    static_cast<void>(outputs.OpenFolder(TOutputPlace::Thumbs, plan.ThumbsFolderPath));
    static_cast<void>(outputs.OpenFolder(TOutputPlace::Buttons, plan.ButtonsFolderPath));
  }
  TBuildInputFiles inputs;
  TBuildOutputs outputs;
};

// WriteIndexPage with the plan's own inputs and outputs and a recording sink.
inline bool WriteIndex(
    const TBuildPlan& plan, const std::vector<std::string>& descriptions, TUserInterface& ui,
    std::function<void(const std::string& source, const std::string& target)> onThumbnail = {}) {
  TRecordingSink sink(plan, ui);
  sink.onThumbnail = std::move(onThumbnail);
  TPlanOutputs files(plan);
  return WriteIndexPage(plan, files.outputs, descriptions, ui, sink).ok();
}

// WriteImagePage with the plan's own inputs and outputs.
inline bool WritePage(const TBuildPlan& plan, const std::vector<std::string>& descriptions,
                      size_t i, TUserInterface& ui) {
  TPlanOutputs files(plan);
  return WriteImagePage(plan, files.outputs, descriptions, i, ui).ok();
}

// Inputs as the window holds them after a first start, for pictures in `imagesFolder` whose
// result folder is `resultFolder`.
inline TBuildInputs TypicalInputs(const std::string& imagesFolder, const std::string& resultFolder,
                                  std::vector<std::string> images) {
  TBuildInputs in;
  in.Settings = TSnapshotBuilder().FirstStart(imagesFolder, "/nonexistent/").Build();
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

}  // namespace zetgallery
