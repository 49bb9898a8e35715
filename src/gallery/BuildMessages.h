// BuildMessages: every message the build driver shows, spelled exactly as the user sees it.
#pragma once

#include <string>

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
