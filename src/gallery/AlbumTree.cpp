// AlbumTree: the walk over the albums, what each album's build is given, and the sum of the
// results.
#include "AlbumTree.h"

#include <filesystem>
#include <set>

#include "ImageNames.h"
#include "catalogue/AlbumFolders.h"
#include "gallery/IndexWriter.h"
#include "util/ZetFileUtils.h"
#include "util/ZetPlatform.h"

namespace zetgallery {

namespace {

// A sub-album's build: its folders are created without a question (the user agreed to the
// gallery's own), its progress names the album's path, and the build's start and end are the
// whole gallery's, not the album's.
class TSubAlbumUserInterface : public TUserInterface {
 public:
  explicit TSubAlbumUserInterface(TUserInterface& inner) : inner_(inner) {}

  bool AskConfirmation(const std::string&) override { return true; }
  void ShowError(const std::string& text) override { inner_.ShowError(text); }
  void ShowPlainMessage(const std::string& text) override { inner_.ShowPlainMessage(text); }
  void ShowStandardError(const std::string& text) override { inner_.ShowStandardError(text); }
  void ProcessMessages() override { inner_.ProcessMessages(); }
  void ReportProgress(int done, int total, const std::string& name) override {
    inner_.ReportProgress(done, total, album + name);
  }
  void FileMovedToTrash(const std::string& path) override { inner_.FileMovedToTrash(path); }
  bool StopRequested() const override { return inner_.StopRequested(); }

  std::string album;  // the album's path and "/"

 private:
  TUserInterface& inner_;
};

std::string Joined(const std::string& folder, const std::string& relativePath) {
  return relativePath.empty() ? folder : EnsureTrailingBackslash(folder) + relativePath;
}

std::string Lexical(const std::string& path) {
  std::string text = std::filesystem::path(path).lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// Where the folder `topFolder` of the top album lies for the album at `relativePath`: at the
// same place below the album's result folder when it lies in the top result folder, else in the
// matching folder below it.
std::string MappedFolder(const TBuildPlan& top, const std::string& topFolder,
                         const std::string& relativePath) {
  namespace fs = std::filesystem;
  const std::string result = Joined(top.ResultFolder, relativePath);
  const fs::path inResult =
      fs::path(Lexical(topFolder)).lexically_relative(fs::path(Lexical(top.ResultFolder)));
  if (inResult.empty() || *inResult.begin() == "..") return Joined(topFolder, relativePath);
  return inResult == "." ? result : Lexical((fs::path(result) / inResult).string());
}

// The folders of the album at `relativePath` that its build writes into.
std::vector<std::string> OutputFoldersOf(const TBuildPlan& top, const std::string& relativePath) {
  std::vector<std::string> folders = {Joined(top.ResultFolder, relativePath),
                                      MappedFolder(top, top.ThumbsFolderPath, relativePath),
                                      MappedFolder(top, top.ButtonsFolderPath, relativePath)};
  if (top.MakeDisplayCopies)
    folders.push_back(MappedFolder(top, top.DisplayFolderPath, relativePath));
  return folders;
}

// Keeps every output folder of the gallery out of the albums, whatever name reaches it.
class TOutputFolders {
 public:
  explicit TOutputFolders(const TBuildPlan& top) : top_(top) { Add(""); }

  // True when the folder at `relativePath` must be no album: it is an output folder, or its
  // album's result folder would be one. Otherwise its own outputs are remembered.
  bool Excluded(const std::string& relativePath, const TFolderIdentity& identity) {
    if (identities_.count(identity) > 0) return true;
    const std::string result = Joined(top_.ResultFolder, relativePath);
    TFolderIdentity resultIdentity;
    if (paths_.count(Lexical(result)) > 0 ||
        (ReadFolderIdentity(result, resultIdentity) && resultIdentity != identity &&
         identities_.count(resultIdentity) > 0))
      return true;
    Add(relativePath, &identity);
    return false;
  }

 private:
  void Add(const std::string& relativePath, const TFolderIdentity* own = nullptr) {
    for (const std::string& folder : OutputFoldersOf(top_, relativePath)) {
      paths_.insert(Lexical(folder));
      TFolderIdentity identity;
      // An album whose pages lie beside its pictures writes into its own folder.
      if (ReadFolderIdentity(folder, identity) && (own == nullptr || identity != *own))
        identities_.insert(identity);
    }
  }

  const TBuildPlan& top_;
  std::set<TFolderIdentity> identities_;
  std::set<std::string> paths_;
};

struct TAlbumOutcome {
  bool built = false;     // its index page is in place
  std::string coverSrc;   // its cover, from its own index page; "" for none
  std::string indexFile;  // its index page's name
};

class TTreeRun {
 public:
  TTreeRun(const TBuildInputs& inputs, TUserInterface& ui, const TBuildOptions& options,
           const TAlbumBuilder& buildOne)
      : inputs_(inputs),
        top_(CollectBuildParameters(inputs)),
        ui_(ui),
        subUi_(ui),
        options_(options),
        buildOne_(buildOne) {}

  TBuildResult Run() {
    const TAlbumFolder tree = FindAlbums(top_, inputs_.Settings.ImagesMask);
    TBuildInputs topInputs = inputs_;
    topInputs.SubAlbums = BuildAlbumsOf(tree, 0);
    if (stopped_) {
      total_.outcome = TBuildOutcome::Finished;
      total_.stoppedByUser = true;
      return total_;
    }
    const TBuildResult top = buildOne_(topInputs, ui_, options_);
    Add(top, "");
    total_.outcome = top.outcome;
    total_.stopReason = top.stopReason;
    total_.stoppedByUser = top.stoppedByUser;
    return total_;
  }

 private:
  // Builds the albums inside `album` (at `depth`), each after its own; their links.
  std::vector<TAlbumLink> BuildAlbumsOf(const TAlbumFolder& album, int depth) {
    std::vector<TAlbumLink> links;
    for (const TAlbumFolder& inner : album.albums) {
      if (stopped_) break;
      const TAlbumOutcome outcome = BuildAlbum(inner, depth + 1);
      if (!outcome.built) continue;
      links.push_back({inner.name, inner.name + "/" + outcome.indexFile,
                       outcome.coverSrc.empty() ? "" : inner.name + "/" + outcome.coverSrc,
                       inner.totalPictures});
    }
    return links;
  }

  TAlbumOutcome BuildAlbum(const TAlbumFolder& album, int depth) {
    TBuildInputs inputs = inputs_;
    inputs.SubAlbums = BuildAlbumsOf(album, depth);
    if (stopped_) return {};
    const std::string& path = album.relativePath;
    inputs.Settings.ImagesFolder = album.folderPath;
    inputs.Images = album.pictures;
    inputs.ResultFolderText = Joined(top_.ResultFolder, path);
    inputs.ThumbsFolderPrefixText =
        EnsureTrailingBackslash(MappedFolder(top_, inputs_.ThumbsFolderPrefixText, path));
    inputs.ButtonsFolderPrefixText =
        EnsureTrailingBackslash(MappedFolder(top_, inputs_.ButtonsFolderPrefixText, path));
    // Pages beside their pictures stay so; otherwise the pictures are reached from the
    // album's folder as the top album reaches its own, one level up for each level down.
    if (!top_.ImagesUrlPrefix.empty()) {
      std::string up;
      for (int i = 0; i < depth; ++i) up += "../";
      inputs.ImagesUrlPrefix = up + top_.ImagesUrlPrefix + path + "/";
    }
    inputs.ParentIndexHref = "../" + top_.IndexFile;

    subUi_.album = path + "/";
    const TBuildResult result = buildOne_(inputs, subUi_, options_);
    Add(result, path + "/");
    ++total_.albums;
    total_.albumPictures += static_cast<int>(album.pictures.size());
    if (ui_.StopRequested()) stopped_ = true;
    const TBuildPlan plan = CollectBuildParameters(inputs);
    TAlbumOutcome outcome;
    TFileStatus status;
    outcome.built = result.outcome == TBuildOutcome::Finished &&
                    ReadFileStatus(IndexPagePath(plan), status) && status.IsRegular();
    outcome.indexFile = plan.IndexFile;
    outcome.coverSrc = CoverOf(plan, inputs.SubAlbums);
    return outcome;
  }

  // The first picture's thumbnail when the album's index shows thumbnails and it is in place,
  // else the cover of its first album.
  static std::string CoverOf(const TBuildPlan& plan, const std::vector<TAlbumLink>& albums) {
    const bool thumbnails = plan.CreateThumbs && (plan.IndexType == TIndexKind::Thumbnails ||
                                                  plan.IndexType == TIndexKind::Grid);
    if (thumbnails && !plan.Images.empty()) {
      const TImageNames names = PrepareImageNames(plan, 0);
      TFileStatus status;
      if (ReadFileStatus(EnsureTrailingBackslash(plan.ThumbsFolderPath) + names.ThumbFileName,
                         status))
        return plan.ThumbsUrlPrefix + names.ThumbFileName;
    }
    // An album of albums alone shows its first album's cover.
    if (!plan.Images.empty() || albums.empty()) return std::string();
    return albums.front().coverSrc;
  }

  void Add(const TBuildResult& result, const std::string& prefix) {
    total_.errorsShown += result.errorsShown;
    total_.thumbnailsFailed += result.thumbnailsFailed;
    for (TThumbnailFailure failure : result.thumbnailFailures) {
      failure.picture = prefix + failure.picture;
      total_.thumbnailFailures.push_back(std::move(failure));
    }
    total_.trashed.insert(total_.trashed.end(), result.trashed.begin(), result.trashed.end());
    total_.picturesWritten += result.picturesWritten;
    total_.pagesWritten += result.pagesWritten;
    total_.thumbnailsWritten += result.thumbnailsWritten;
  }

  const TBuildInputs& inputs_;
  const TBuildPlan top_;
  TUserInterface& ui_;
  TSubAlbumUserInterface subUi_;
  const TBuildOptions& options_;
  const TAlbumBuilder& buildOne_;
  TBuildResult total_;
  bool stopped_ = false;
};

}  // namespace

TAlbumFolder FindAlbums(const TBuildPlan& top, const std::string& maskText) {
  TOutputFolders outputs(top);
  TAlbumWalk walk;
  walk.maskText = maskText;
  walk.excluded = [&outputs](const std::string& relativePath, const TFolderIdentity& identity) {
    return outputs.Excluded(relativePath, identity);
  };
  return FindAlbumFolders(top.ImagesFolder, walk);
}

TBuildResult BuildAlbumTree(const TBuildInputs& inputs, TUserInterface& ui,
                            const TBuildOptions& options, const TAlbumBuilder& buildOne) {
  return TTreeRun(inputs, ui, options, buildOne).Run();
}

}  // namespace zetgallery
