// DesktopServices: everything the window asks of the desktop that a person answers or that leaves
// the program: message boxes, the folder, file and colour dialogs, opening a document or link
// with its default application, and the beep. The window reaches them only through TDesktop, so
// tests answer them from a script and no test waits for a person.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "util/ZetWebUtils.h"

class QWidget;

namespace zetgallery {

class TDesktop {
 public:
  // The answers to "save the changed settings?".
  enum class TSaveAnswer { Save, Discard, Cancel };

  virtual ~TDesktop() = default;

  // Yes/No box titled "Подтверждение" with a question icon; true for Yes.
  virtual bool AskConfirmation(const QString& text) = 0;
  // Box titled "Ошибка" with an error icon and OK.
  virtual void ShowError(const QString& text) = 0;
  // Box titled "ZetGallery", no icon, OK, centred on the screen. It does not wait: the window
  // goes on (a build too) and can be closed while the box is open.
  virtual void ShowPlainMessage(const QString& text) = 0;
  // The end of a build: `text` with "Открыть в браузере" (opens `indexPage`) and "Закрыть".
  // It does not wait either.
  virtual void ShowBuildReport(const QString& text, const QString& indexPage) = 0;
  // Да / Нет / Отмена box titled "Подтверждение" with a question icon.
  virtual TSaveAnswer AskSaveChanges(const QString& text) = 0;
  // An error nobody caught: box titled "ZetGallery" with an error icon and OK.
  virtual void ShowStandardError(const QString& text) = 0;

  // The folder browser; nothing when the user cancels.
  virtual std::optional<QString> ChooseFolder(const QString& prompt,
                                              const QString& startFolder) = 0;
  // The open-file dialog with a Qt filter, opened in `startFolder` (the working folder when
  // empty); nothing when the user cancels.
  virtual std::optional<QString> ChooseFile(const QString& title, const QString& qtFilter,
                                            const QString& startFolder) = 0;
  // Runs the colour dialog `dialogName` starting at `current`, with `customColors` (entries
  // "ColorA=BBGGRR") as its custom colours. Returns the dialog's colour when it closes: the
  // chosen one after OK, `current` after Cancel.
  virtual TColor RunColorDialog(const QString& dialogName, const QStringList& customColors,
                                TColor current) = 0;

  // Opens a file, URL or mailto: link with the desktop's default handler; false on failure.
  virtual bool OpenWithDefaultApplication(const QString& target) = 0;
  virtual void Beep() = 0;
};

// The real desktop: Qt message boxes owned by `owner`, Qt's own file dialogs (which speak the
// program's language, unlike the desktop's), QDesktopServices.
class TQtDesktop : public TDesktop {
 public:
  explicit TQtDesktop(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  bool AskConfirmation(const QString& text) override;
  void ShowError(const QString& text) override;
  void ShowPlainMessage(const QString& text) override;
  void ShowBuildReport(const QString& text, const QString& indexPage) override;
  TSaveAnswer AskSaveChanges(const QString& text) override;
  void ShowStandardError(const QString& text) override;
  std::optional<QString> ChooseFolder(const QString& prompt, const QString& startFolder) override;
  std::optional<QString> ChooseFile(const QString& title, const QString& qtFilter,
                                    const QString& startFolder) override;
  TColor RunColorDialog(const QString& dialogName, const QStringList& customColors,
                        TColor current) override;
  bool OpenWithDefaultApplication(const QString& target) override;
  void Beep() override;

 private:
  QWidget* owner_;
};

// A custom-colour entry "ColorA=BBGGRR" read back as a colour value; black when unreadable.
TColor ColorFromCustomColorEntry(const QString& entry);

}  // namespace zetgallery
