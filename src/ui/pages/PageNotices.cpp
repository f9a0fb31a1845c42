#include "PageNotices.h"

#include "ui/widgets/ClickableImage.h"
#include "ui/Design.h"
#include "pages/PageTexts.h"

namespace PageNotices {

namespace {

using namespace PageTexts;

struct Notice {
    int page;
    int left, top, width; // twips, at the foot of the page below its last control
    const char *text;
    const char *entry;
};

// The pages, um(i), that carry a notice.
constexpr int kSourcesPage = 0;
constexpr int kPhpPage = 3;
constexpr int kPhpMyAdminPage = 4;
constexpr int kSubdomainPage = 5;
// One line of the default font.
constexpr int kNoticeHeight = 270;

constexpr Notice kNotices[] = {
    {kSourcesPage, 240, 4980, 7935, kSourcesNotice, kSourcesNoticeEntry},
    {kPhpPage, 360, 4800, 7335, kPhpNotice, kPhpNoticeEntry},
    {kPhpMyAdminPage, 360, 5520, 7335, kPhpMyAdminNotice, kPhpMyAdminNoticeEntry},
    {kSubdomainPage, 360, 7140, 7335, kSubdomainNotice, kSubdomainNoticeEntry},
};

} // namespace

void addTo(QWidget *const (&pages)[ControlArrays::kPageCount], const Asked &asked)
{
    for (const Notice &notice : kNotices) {
        auto *label = new ClickableImage(pages[notice.page]);
        label->setObjectName(QStringLiteral("notice(%1)").arg(notice.page));
        label->setText(QString::fromUtf8(notice.text));
        label->setGeometry(Design::pixels(notice.left), Design::pixels(notice.top), Design::pixels(notice.width),
                           Design::pixels(kNoticeHeight));
        // The page's own text colour, underlined: the skin takes every colour
        // to grey, and a link's blue would come out white on the white page.
        QFont underlined = label->font();
        underlined.setUnderline(true);
        label->setFont(underlined);
        label->setCursor(Qt::PointingHandCursor);
        const QString entry = QString::fromUtf8(notice.entry);
        QObject::connect(label, &ClickableImage::clicked, label, [asked, page = notice.page, entry] { asked(page, entry); });
    }
}

} // namespace PageNotices
