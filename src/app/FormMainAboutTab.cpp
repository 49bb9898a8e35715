// The "О программе" tab: the icon, the name and version, and the author's labels.
#include "app/FormMainAboutTab.h"

#include <QBoxLayout>

#include "AppArt.h"
#include "FormMainParts.h"
#include "app/DesktopServices.h"
#include "app/Version.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

constexpr char kAuthorName[] = "Команда ZetGallery";
constexpr char kAuthorPage[] = "www.example.org/zetgallery";
constexpr char kAuthorMail[] = "zetgallery@example.org";

void SetLook(QLabel* label, const char* family, int pixelSize, QColor color) {
  QFont font = label->font();
  font.setFamily(QString::fromLatin1(family));
  font.setPixelSize(pixelSize);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
}

}  // namespace

QWidget* TAboutTab::BuildAboutTab(TDesktop& desktop) {
  TabSheetAbout = Named<QWidget>("TabSheetAbout");
  QWidget* tab = TabSheetAbout;

  ImageProgIcon = Named<QLabel>("ImageProgIcon");
  ImageProgIcon->setPixmap(MakeProgramIcon().pixmap(32, 32));
  ImageProgIcon->setFixedSize(32, 32);
  LabelProgName = NamedLabel("LabelProgName", "ZetGallery");
  SetLook(LabelProgName, "Times New Roman", 21, QColor(255, 0, 0));
  LabelProgVer = NamedLabel("LabelProgVer", "Версия " ZETGALLERY_VERSION);
  LabelAuthor = Named<TZetLabel>("LabelAuthor", Text("Написал сию программу:"));
  LabelAuthorName = Named<TZetLabel>("LabelAuthorName", Text(kAuthorName));
  SetLook(LabelAuthorName, "MS Sans Serif", 15, QColor(0, 128, 0));
  LabelAuthorPage = Named<TZetLabel>("LabelAuthorPage", Text("Домашняя страничка автора:"));
  UrlLabelAuthorPage = Named<TZetUrlLabel>("UrlLabelAuthorPage", Text(kAuthorPage));
  SetLook(UrlLabelAuthorPage, "MS Sans Serif", 13, QColor(0, 0, 255));
  LabelAuthorAddr = Named<TZetLabel>("LabelAuthorAddr", Text("E-Mail автора:"));
  MailLabelAuthorAddr = Named<TZetMailLabel>("MailLabelAuthorAddr", Text(kAuthorMail));
  SetLook(MailLabelAuthorAddr, "MS Sans Serif", 13, QColor(0, 0, 255));
  auto openThroughDesktop = [&desktop](const QString& target) {
    desktop.OpenWithDefaultApplication(target);
  };
  UrlLabelAuthorPage->SetOpener(openThroughDesktop);
  MailLabelAuthorAddr->SetOpener(openThroughDesktop);

  auto* page = new QVBoxLayout(tab);
  page->setContentsMargins(6, 24, 6, 6);
  page->setSpacing(4);
  page->addWidget(ImageProgIcon, 0, Qt::AlignHCenter);
  page->addSpacing(4);
  for (QLabel* label : {LabelProgName, LabelProgVer}) page->addWidget(label, 0, Qt::AlignHCenter);
  page->addSpacing(24);
  for (QLabel* label : std::initializer_list<QLabel*>{LabelAuthor, LabelAuthorName}) {
    page->addWidget(label, 0, Qt::AlignHCenter);
  }
  page->addSpacing(16);
  for (QLabel* label : std::initializer_list<QLabel*>{LabelAuthorPage, UrlLabelAuthorPage})
    page->addWidget(label, 0, Qt::AlignHCenter);
  page->addSpacing(16);
  for (QLabel* label : std::initializer_list<QLabel*>{LabelAuthorAddr, MailLabelAuthorAddr})
    page->addWidget(label, 0, Qt::AlignHCenter);
  page->addStretch(1);
  return tab;
}

}  // namespace zetgallery
