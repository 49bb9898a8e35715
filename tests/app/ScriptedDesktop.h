// ScriptedDesktop: a TDesktop whose answers come from the test and which records every message
// box, dialog, opened target and beep, so window tests never wait for a person.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/DesktopServices.h"

namespace zetgallery {

class TScriptedDesktop : public TDesktop {
 public:
  struct TMessage {
    std::string kind;  // "confirm", "error", "plain", "standard", "save"
    std::string text;
  };

  // Answers, used in order; when a queue is empty the defaults apply (Yes, cancel, success).
  std::deque<bool> confirmations;
  std::deque<std::optional<QString>> folders;
  std::deque<std::optional<QString>> files;
  // The colour the dialog closes with after OK; nothing means the user pressed Cancel.
  std::deque<std::optional<TColor>> colors;
  bool openSucceeds = true;
  // Answers to "save the changes?"; Нет when none is left.
  std::deque<TSaveAnswer> saveAnswers;
  // Whether the user presses "Открыть в браузере" in the end-of-build message.
  bool openFromReport = false;
  // Runs while a plain message is open, as a person would take a while to read it.
  std::function<void()> whilePlainMessageOpen;

  std::vector<TMessage> messages;
  std::vector<std::string> opened;
  std::vector<QStringList> colorDialogCustomColors;
  std::vector<TColor> colorDialogStartColors;
  std::vector<QString> colorDialogNames;
  std::vector<QString> fileDialogFilters;
  std::vector<QString> fileDialogStarts;
  // The index pages the end-of-build messages offered to open.
  std::vector<QString> reportIndexPages;
  int beeps = 0;

  bool AskConfirmation(const QString& text) override {
    messages.push_back({"confirm", text.toStdString()});
    if (confirmations.empty()) return true;
    const bool answer = confirmations.front();
    confirmations.pop_front();
    return answer;
  }
  void ShowError(const QString& text) override {
    messages.push_back({"error", text.toStdString()});
  }
  void ShowPlainMessage(const QString& text) override {
    messages.push_back({"plain", text.toStdString()});
    if (whilePlainMessageOpen) whilePlainMessageOpen();
  }
  // The end-of-build message is a plain message with one button more.
  void ShowBuildReport(const QString& text, const QString& indexPage) override {
    messages.push_back({"plain", text.toStdString()});
    reportIndexPages.push_back(indexPage);
    if (openFromReport) OpenWithDefaultApplication(indexPage);
  }
  TSaveAnswer AskSaveChanges(const QString& text) override {
    messages.push_back({"save", text.toStdString()});
    if (saveAnswers.empty()) return TSaveAnswer::Discard;
    const TSaveAnswer answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
  }
  void ShowStandardError(const QString& text) override {
    messages.push_back({"standard", text.toStdString()});
  }
  std::optional<QString> ChooseFolder(const QString&, const QString&) override {
    return TakeFirst(folders);
  }
  std::optional<QString> ChooseFile(const QString&, const QString& qtFilter,
                                    const QString& startFolder) override {
    fileDialogFilters.push_back(qtFilter);
    fileDialogStarts.push_back(startFolder);
    return TakeFirst(files);
  }
  TColor RunColorDialog(const QString& dialogName, const QStringList& customColors,
                        TColor current) override {
    colorDialogNames.push_back(dialogName);
    colorDialogCustomColors.push_back(customColors);
    colorDialogStartColors.push_back(current);
    std::optional<TColor> answer;
    if (!colors.empty()) {
      answer = colors.front();
      colors.pop_front();
    }
    return answer ? *answer : current;
  }
  bool OpenWithDefaultApplication(const QString& target) override {
    opened.push_back(target.toStdString());
    return openSucceeds;
  }
  void Beep() override { ++beeps; }

  // The first answer of `answers`, taken out; nothing (a cancel) when none is left.
  static std::optional<QString> TakeFirst(std::deque<std::optional<QString>>& answers) {
    if (answers.empty() || !answers.front().has_value()) {
      if (!answers.empty()) answers.pop_front();
      return std::nullopt;
    }
    const QString answer = *answers.front();
    answers.pop_front();
    return answer;
  }

  // Texts of the messages of one kind, in order.
  std::vector<std::string> Texts(const std::string& kind) const {
    std::vector<std::string> texts;
    for (const TMessage& message : messages)
      if (message.kind == kind) texts.push_back(message.text);
    return texts;
  }
};

}  // namespace zetgallery
