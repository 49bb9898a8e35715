#include "SettingsMessages.h"

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
