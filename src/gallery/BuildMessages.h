// BuildMessages: every message the build driver shows, spelled exactly as the user sees it.
#pragma once

#include <string>
#include <vector>

#include "gallery/Thumbnailer.h"
#include "util/Status.h"

namespace zetgallery {

// The question asked before a missing output folder is created.
inline std::string FolderMissingQuestion(const std::string& folder) {
  return "Папка " + folder + " не существует. Создать?";
}

inline constexpr const char* kMsgNoResultFolder =
    "Нет папки для HTML-файлов! Галерея не построена.";
inline constexpr const char* kMsgCreateResultFolderFailed =
    "Ошибка создания папки для HTML-файлов!";
inline constexpr const char* kMsgNoThumbsFolder = "Нет папки для миниатюр! Галерея не построена.";
inline constexpr const char* kMsgCreateThumbsFolderFailed = "Ошибка создания папки для миниатюр!";
inline constexpr const char* kMsgNoButtonsFolder =
    "Нет папки с кнопками навигации! Галерея не построена.";
inline constexpr const char* kMsgCreateButtonsFolderFailed =
    "Ошибка создания папки с кнопками навигации!";
// Clearing the thumbnails folder would delete the pictures themselves.
inline constexpr const char* kMsgThumbsFolderIsImagesFolder =
    "Папка для миниатюр совпадает с папкой картинок! Галерея не построена.";

// A button copy or a thumbnail would replace one of the build's own inputs (a picture, a
// template, a button picture, a description file); `path` names the file that was not written.
inline std::string ButtonIsInputMessage(const std::string& path) {
  return "Кнопка навигации " + path + " не скопирована: она совпадает с исходным файлом галереи!";
}
inline std::string ThumbnailIsInputMessage(const std::string& path) {
  return "Миниатюра " + path + " не создана: она совпадает с исходным файлом галереи!";
}

inline std::string DisplayCopyIsInputMessage(const std::string& path) {
  return "Копия для показа " + path + " не создана: она совпадает с исходным файлом галереи!";
}

inline constexpr const char* kMsgNoDisplayFolder =
    "Нет папки для копий для показа! Галерея не построена.";
inline constexpr const char* kMsgCreateDisplayFolderFailed =
    "Ошибка создания папки для копий для показа!";

// Another copy of the program is building a gallery in the same result folder.
inline std::string GalleryBusyMessage(const std::string& folder) {
  return "В папке " + folder +
         " уже строится галерея другой копией программы! Галерея не построена.";
}

// A file the build did not write stood where the build puts one of its own (or was cleared
// away); it went to the trash, where it can be restored from.
inline std::string MovedToTrashMessage(const std::string& path) {
  return "Файл " + path + " перемещён в корзину.";
}

// The window's one message at the end of a build that moved files to the trash.
inline std::string TrashedFilesMessage(const std::vector<std::string>& paths) {
  std::string text =
      "Файлы, которых программа не создавала, перемещены в корзину (их можно "
      "восстановить оттуда):";
  for (const std::string& path : paths) text += "\r\n" + path;
  return text;
}

// A file the build did not write stood in the way, and no trash could take it: it stays, and the
// build's file in its place was not written (or the folder was not cleared of it).
inline std::string NotTrashableMessage(const std::string& path) {
  return "Файл " + path + " оставлен на месте: программа его не создавала, а корзины для него нет.";
}

// A thumbnail whose name (its prefix or suffix) holds a "/" would land outside the thumbnails
// folder.
inline std::string ThumbnailOutsideFolderMessage(const std::string& path) {
  return "Миниатюра " + path +
         " не создана: её имя (приставка или окончание) содержит \"/\" и ведёт за пределы "
         "папки для миниатюр!";
}

// Why a thumbnail could not be made, in a few words, for a step of Thumbnailer.h (TThumbFailure).
inline std::string ThumbnailFailureReason(int code) {
  switch (code) {
    case kThumbCannotRead:
      return "файл картинки не читается";
    case kThumbHeaderFailed:
      return "это не картинка";
    case kThumbLoadFailed:
      return "картинка повреждена";
    case kThumbTooLarge:
      return "картинка слишком большая";
    case kThumbSaveFailed:
      return "файл миниатюры не записывается";
    case kThumbSizeFailed:
      return "нулевой размер миниатюры";
    case kThumbTargetIsSource:
      return "миниатюра заняла бы место исходного файла галереи";
    case kThumbTargetProtected:
      return "на её месте папка или файл, защищённый от записи";
    case kThumbNotTrashable:
      return "на её месте чужой файл, а корзины для него нет";
    default:
      return "ошибка " + std::to_string(code);
  }
}

// The status of a thumbnail not made at `failure`: the kind of failure, the step as its detail,
// and the reason as its message.
inline TStatus ThumbnailFailure(TThumbFailure failure) {
  std::string reason = ThumbnailFailureReason(failure);
  switch (failure) {
    case kThumbHeaderFailed:
    case kThumbTooLarge:
      return TStatus::Unsupported(std::move(reason), failure);
    case kThumbSizeFailed:
      return TStatus::InvalidArgument(std::move(reason), failure);
    case kThumbLoadFailed:
      return TStatus::Corrupt(std::move(reason), failure);
    case kThumbTargetIsSource:
    case kThumbTargetProtected:
    case kThumbNotTrashable:
      return TStatus::Refused(std::move(reason), failure);
    default:
      return TStatus::IoError(std::move(reason), failure);
  }
}

// A display copy's failure keeps the kind and the reason of the step that failed; its detail is
// kDisplayCopyFailed plus the step (TThumbFailure), which tells it from a thumbnail's.
inline constexpr int kDisplayCopyFailed = 100;

inline TStatus DisplayCopyFailure(const TStatus& failure) {
  return TStatus(failure.code(), failure.message(), kDisplayCopyFailed + failure.detail());
}

inline bool IsDisplayCopyFailure(const TStatus& status) {
  return !status.ok() && status.detail() >= kDisplayCopyFailed;
}

// The zip of the pictures (PictureArchive.h) was not made, for `reason`.
inline std::string ArchiveFailedMessage(const std::string& path, const std::string& reason) {
  return "Архив картинок " + path + " не создан: " + reason + ".";
}
inline constexpr const char* kArchiveNameIsIndexReason =
    "его имя совпадает с именем индексного файла";
inline constexpr const char* kArchiveIsInputReason = "он совпадает с исходным файлом галереи";
inline constexpr const char* kArchiveWriteFailedReason = "файл архива не записывается";
inline constexpr const char* kArchiveProtectedReason =
    "на его месте папка или файл, защищённый от записи";
inline constexpr const char* kArchiveNotTrashableReason =
    "на его месте чужой файл, а корзины для него нет";
inline std::string ArchivePictureUnreadableReason(const std::string& picture) {
  return "картинка " + picture + " не читается";
}

// The command line names every picture whose thumbnail was not made (the window stays silent).
inline std::string ThumbnailFailedMessage(const std::string& picture, const TStatus& failure) {
  return "Миниатюра для " + picture + " не создана: " + failure.message() + ".";
}

// The same for a picture whose display copy was not made.
inline std::string DisplayCopyFailedMessage(const std::string& picture, const TStatus& failure) {
  return "Копия для показа " + picture + " не создана: " + failure.message() + ".";
}

}  // namespace zetgallery
