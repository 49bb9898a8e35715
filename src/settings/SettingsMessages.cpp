#include "settings/SettingsMessages.h"

namespace zetgallery {

std::string RegistryErrorText(const char* format, const std::string& valueName) {
  std::string text(format);
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, valueName);
  return text;
}

std::string PresetSavedMessage(const std::string& presetName) {
  return "Настройка \"" + presetName + "\" сохранена.";
}

std::string PresetDeletedMessage(const std::string& presetName) {
  return "Настройка \"" + presetName + "\" удалена.";
}

std::string SettingsFileUnusableMessage(const std::string& path, const std::string& reason) {
  return "Не удалось открыть файл настроек \"" + path + "\": " + reason +
         ".\r\nФайл оставлен без изменений. Программа работает с настройками по умолчанию, "
         "сохранить настройки нельзя.";
}

std::string SettingsFileUnreadableMessage(const std::string& path, const std::string& reason) {
  return "Не удалось прочитать файл настроек \"" + path + "\": " + reason +
         ".\r\nФайл оставлен без изменений.";
}

std::string PresetNotFoundMessage(const std::string& presetName) {
  return "Настройка \"" + presetName + "\" не найдена.";
}

std::string PresetWithoutValuesMessage(const std::string& presetName) {
  return "Настройка \"" + presetName + "\" пуста: в ней нет ни одного сохранённого значения.";
}

std::string PresetNameWithBackslashMessage(const std::string& presetName) {
  return "Настройка \"" + presetName +
         "\" не сохранена: в имени настройки не может быть знака \"\\\".";
}

std::string PresetNameWithBackslashError(const std::string& presetName) {
  return "Настройка \"" + presetName +
         "\" не загружена: в имени настройки не может быть знака \"\\\".";
}

std::string TextRefusalReason(TTextRefusal refusal) {
  switch (refusal) {
    case TTextRefusal::NotUtf8:
      return "текст не в кодировке UTF-8";
    case TTextRefusal::TooLong:
      return "текст длиннее " + std::to_string(kEditTextMaxLength) + " знаков";
    case TTextRefusal::NotAnHtmlFolderName:
      return "имя папки может состоять только из латинских букв, цифр, \"-\" и \"_\"";
    case TTextRefusal::NotAPlainFileName:
      return "имя файла не может быть пустым, \".\" или \"..\" и не может содержать \"/\"";
    case TTextRefusal::None:
      break;
  }
  return std::string();
}

namespace {

// One line a refused value: "ThumbsFolder: <why>.", the lines joined by CR LF.
std::string RefusedValueLines(const TRefusedValues& refused) {
  std::string lines;
  for (const auto& [name, refusal] : refused)
    lines += "\r\n" + name + ": " + TextRefusalReason(refusal) + ".";
  return lines;
}

}  // namespace

std::string RefusedValuesMessage(const std::string& presetName, const TRefusedValues& refused) {
  return "Настройка \"" + presetName +
         "\": недопустимые значения заменены значениями по умолчанию:" + RefusedValueLines(refused);
}

std::string RefusedValuesError(const std::string& presetName, const TRefusedValues& refused) {
  return "Настройка \"" + presetName +
         "\" не загружена: в ней недопустимые значения:" + RefusedValueLines(refused);
}

}  // namespace zetgallery
