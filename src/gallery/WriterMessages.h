// WriterMessages: every message the page writers show, spelled exactly as the user sees it.
#pragma once

#include <string>

#include "util/ZetTextLineReader.h"

namespace zetgallery {

// The text of the link from a sub-album's index up to its parent album.
inline constexpr const char* kParentAlbumLinkText = "&uarr; Наверх";

// The index file cannot be created.
inline constexpr const char* kMsgIndexFileOpen =
    "Не могу открыть индексный файл на запись!\r\n\r\n"
    "Возможные причины:\r\n"
    "1. Индексный файл уже открыт программой просмотра\r\n"
    "2. Индексный файл имеет атрибут \"Только для чтения\"\r\n"
    "3. Нет прав на запись в папке индексного файла\r\n";

// The index template cannot be read.
inline constexpr const char* kMsgIndexTemplateOpen =
    "Не могу открыть шаблон индексного файла на чтение!\r\n\r\n"
    "Возможные причины:\r\n"
    "1. Шаблон индексного файла заблокирован другой программой\r\n"
    "2. Нет прав на чтение в папке с шаблоном индексного файла\r\n";

// Writing the index file failed part-way.
inline constexpr const char* kMsgIndexWrite = "Ошибка записи индексного файла!";

// The picture page template cannot be read.
inline constexpr const char* kMsgImageTemplateOpen =
    "Не могу открыть шаблон страницы с картинкой на чтение!\r\n\r\n"
    "Возможные причины:\r\n"
    "1. Шаблон страницы с картинкой заблокирован другой программой\r\n"
    "2. Нет прав на чтение в папке с шаблоном страницы с картинкой\r\n";

// A picture page cannot be created.
inline constexpr const char* kMsgImagePageOpen =
    "Не могу открыть HTML-файл для картинки на запись!\r\n\r\n"
    "Возможные причины:\r\n"
    "1. HTML-файл для картинки уже открыт программой просмотра\r\n"
    "2. HTML-файл для картинки имеет атрибут \"Только для чтения\"\r\n"
    "3. Нет прав на запись в папке HTML-файла для картинки\r\n";

// Writing a picture page failed part-way.
inline constexpr const char* kMsgImagePageWrite = "Ошибка записи HTML-файла с картинкой!";

// A picture page would have the index page's name; it is not written, so the index survives.
// The page's file name follows this text.
inline constexpr const char* kMsgImagePageIsIndex =
    "Страница картинки не записана: её имя совпадает с именем индексного файла: ";

// The index page or a picture page would replace one of the build's own inputs (a picture, a
// template, a button picture, a description file); `path` names the file that was not written.
// The index is checked before anything is done, so the build then stops.
inline std::string IndexIsInputMessage(const std::string& path) {
  return "Индексный файл " + path + " совпадает с исходным файлом галереи! Галерея не построена.";
}
inline std::string PageIsInputMessage(const std::string& path) {
  return "Страница картинки " + path + " не записана: она совпадает с исходным файлом галереи!";
}

// A line of `path` (a template or a description file) was longer than kMaxTextLineBytes; the
// gallery holds its beginning. Shown once per file and build.
inline std::string LongLineCutMessage(const std::string& path) {
  return "Слишком длинная строка в файле " + path + ": она обрезана до " +
         std::to_string(kMaxTextLineBytes) + " байт.";
}

}  // namespace zetgallery
