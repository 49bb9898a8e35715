// BuildMessages: every message the build driver shows, spelled exactly as the user sees it.
#pragma once

#include <string>

#include "Thumbnailer.h"

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

// Why a thumbnail could not be made, in a few words, for a result code of CreateThumbnailFile.
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
      return "миниатюра заняла бы место самой картинки";
    default:
      return "ошибка " + std::to_string(code);
  }
}

// The command line names every picture whose thumbnail was not made (the window stays silent).
inline std::string ThumbnailFailedMessage(const std::string& picture, int code) {
  return "Миниатюра для " + picture + " не создана: " + ThumbnailFailureReason(code) + ".";
}
