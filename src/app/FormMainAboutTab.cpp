// The "О программе" tab: the icon, the name and version, and the author's labels, each centred
// under the one before.
#include <QBoxLayout>
#include <QColor>
#include <QLabel>

#include "FormMainParts.h"
#include "FormMainTabs.h"
#include "app/Version.h"

namespace zetgallery {

using namespace FormMainParts;

namespace {

// A label, or the space of Gap pixels above the next one. A label with a family of its own
// does not show in the window's font.
struct TAboutRow {
  TPart Label;
  int Gap = 0;
  const char* Family = nullptr;
  int PixelSize = 0;
  QRgb Color = 0;
};

const TAboutRow kRows[] = {
    {Part(TPartKind::Icon, "ImageProgIcon")},
    {{}, 4},
    {Part(TPartKind::Label, "LabelProgName", "ZetGallery"), 0, "Times New Roman", 21,
     qRgb(255, 0, 0)},
    {Part(TPartKind::Label, "LabelProgVer", "Версия " ZETGALLERY_VERSION)},
    {{}, 24},
    {Part(TPartKind::ZetLabel, "LabelAuthor", "Написал сию программу:")},
    {Part(TPartKind::ZetLabel, "LabelAuthorName", "Команда ZetGallery"), 0, "MS Sans Serif", 15,
     qRgb(0, 128, 0)},
    {{}, 16},
    {Part(TPartKind::ZetLabel, "LabelAuthorPage", "Домашняя страничка автора:")},
    {Part(TPartKind::UrlLabel, "UrlLabelAuthorPage", "www.example.org/zetgallery"), 0,
     "MS Sans Serif", 13, qRgb(0, 0, 255)},
    {{}, 16},
    {Part(TPartKind::ZetLabel, "LabelAuthorAddr", "E-Mail автора:")},
    {Part(TPartKind::MailLabel, "MailLabelAuthorAddr", "zetgallery@example.org"), 0,
     "MS Sans Serif", 13, qRgb(0, 0, 255)},
};

// Gives `label` the look of its row; before it joins the page, so that only the family, the size
// and the colour are its own and the rest follows the window.
void SetLook(QWidget& label, const TAboutRow& row) {
  QFont font = label.font();
  font.setFamily(QString::fromLatin1(row.Family));
  font.setPixelSize(row.PixelSize);
  label.setFont(font);
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, QColor(row.Color));
  label.setPalette(palette);
}

}  // namespace

QWidget* BuildAboutTab(TDesktop& desktop) {
  const TPartMaker maker(desktop);
  auto* tab = Named<QWidget>("TabSheetAbout");
  auto* page = new QVBoxLayout(tab);
  page->setContentsMargins(6, 24, 6, 6);
  page->setSpacing(4);
  for (const TAboutRow& row : kRows) {
    if (row.Gap > 0) {
      page->addSpacing(row.Gap);
      continue;
    }
    QWidget* label = maker.Make(row.Label);
    if (row.Family != nullptr) SetLook(*label, row);
    page->addWidget(label, 0, Qt::AlignHCenter);
  }
  page->addStretch(1);
  return tab;
}

}  // namespace zetgallery
