#include "TopicPages.h"

#include "ui/chrome/ChromeAssets.h"
#include "ui/widgets/ClickableImage.h"
#include "ui/DesignBuilder.h"
#include "ui/widgets/MultiLineBox.h"
#include "PageNotices.h"
#include "desktop/Desktop.h"
#include "pages/PagePlacement.h"
#include "pages/Sources.h"
#include "pages/SourcesTexts.h"
#include "pages/Subdomain.h"
#include "pages/SubdomainTexts.h"
#include "pages/Topics.h"

#include <QDir>
#include <algorithm>
#include <iterator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

using ControlArrays::kCommandBoxCount;
using ControlArrays::kDomainField;
using ControlArrays::kPageCount;
using ControlArrays::kTopicCount;

TopicPages::Controls TopicPages::Controls::of(QWidget *window, const DesignBuilder &design)
{
    Controls controls{};
    controls.window = window;
    for (int i = 0; i < kTopicCount; ++i)
        controls.Command5[i] = design.control<QPushButton>("Command5", i);
    for (int i = 0; i < kPageCount; ++i) {
        controls.um[i] = design.control<QWidget>("um", i);
        controls.al[i] = design.control<ClickableImage>("al", i);
    }
    for (int i = 0; i < kCommandBoxCount; ++i)
        controls.Text4[i] = design.control<QLineEdit>("Text4", i);
    controls.Text3 = design.control<MultiLineBox>("Text3");
    controls.Command3 = design.control<QPushButton>("Command3");
    controls.Command4 = design.control<QPushButton>("Command4");
    controls.Text5 = design.control<QLineEdit>("Text5");
    controls.Text6 = design.control<MultiLineBox>("Text6");
    controls.Command6 = design.control<QPushButton>("Command6");
    controls.Command7 = design.control<QPushButton>("Command7");
    return controls;
}

TopicPages::TopicPages(const Controls &controls, Desktop &desktop, const QString &appDir, QObject *parent)
    : QObject(parent)
    , m_desktop(desktop)
    , m_appDir(appDir)
    , c(controls)
{
    const QPixmap closeImage(QString::fromLatin1(ChromeAssets::kCloseImage));
    for (int i = 0; i < kPageCount; ++i) {
        c.al[i]->setPixmap(closeImage);
        connect(c.al[i], &ClickableImage::clicked, this, [this, i] { al_Click(i); });
    }
    for (int i = 0; i < kTopicCount; ++i)
        connect(c.Command5[i], &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
    PageNotices::addTo(c.um, [this](int page, const QString &entry) {
        al_Click(page);
        emit entryAsked(entry);
    });
    c.Text3->setText(Sources::text());
    connect(c.Command3, &QPushButton::clicked, this, &TopicPages::Command3_Click);
    connect(c.Command4, &QPushButton::clicked, this, &TopicPages::Command4_Click);
    connect(c.Command6, &QPushButton::clicked, this, &TopicPages::Command6_Click);
    connect(c.Command7, &QPushButton::clicked, this, &TopicPages::Command7_Click);
    // Enter in a field of the subdomain page presses the button of its step.
    connect(c.Text4[kDomainField], &QLineEdit::returnPressed, c.Command6, &QPushButton::click);
    connect(c.Text5, &QLineEdit::returnPressed, c.Command7, &QPushButton::click);
    c.window->installEventFilter(this);
}

// Esc, beyond the design, closes the page on top; no page changes otherwise.
bool TopicPages::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == c.window && event->type() == QEvent::KeyPress
        && static_cast<const QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        closeTopPage();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// Children are kept bottom first: the last shown page is the one on top.
QWidget *TopicPages::topPage() const
{
    const QObjectList stack = c.window->children();
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        const auto page = std::find(std::begin(c.um), std::end(c.um), *it);
        if (page != std::end(c.um) && (*page)->isVisible())
            return *page;
    }
    return nullptr;
}

void TopicPages::closeTopPage()
{
    if (QWidget *page = topPage())
        al_Click(int(std::find(std::begin(c.um), std::end(c.um), page) - std::begin(c.um)));
}

bool TopicPages::isUncovered(const QWidget *control) const
{
    const QWidget *page = topPage();
    return !page || page->isAncestorOf(control)
           || std::find(std::begin(c.Command5), std::end(c.Command5), control) != std::end(c.Command5);
}

void TopicPages::closePages()
{
    for (QWidget *page : c.um)
        page->hide();
}

void TopicPages::Command5_Click(int Index)
{
    closePages();
    if (const auto page = Topics::pageOf(Index))
        return showPage(*page);
    if (const QString copied = Topics::copiedTextOf(Index); !copied.isEmpty())
        m_desktop.copy(copied);
    tell(Topics::messageOf(Index));
}

// Widget positions are whole pixels: a page centred on a half pixel is
// rounded half up, 94.5 to 95.
void TopicPages::showPage(int page)
{
    QWidget *panel = c.um[page];
    panel->show();
    panel->raise();
    panel->move(Pages::centredPlace(c.window->size(), panel->size()).toPoint());
}

void TopicPages::al_Click(int Index)
{
    c.um[Index]->hide();
}

void TopicPages::Command3_Click()
{
    m_desktop.copy(c.Text3->text());
    tell(QString::fromUtf8(SourcesTexts::kCopied));
}

void TopicPages::Command4_Click()
{
    if (const Result<void> written = Sources::write(m_appDir, c.Text3->text()); !written) {
        const QString path = QDir(m_appDir).filePath(QString::fromUtf8(SourcesTexts::kFileName));
        m_desktop.messageBox(QString::fromUtf8(SourcesTexts::kWriteFailed) + QLatin1String("\r\n")
                                 + QDir::toNativeSeparators(path) + QLatin1String("\r\n") + written.error(),
                             Desktop::Style::Exclamation, BrandTitle);
        return;
    }
    tell(QString::fromUtf8(SourcesTexts::kWritten));
}

void TopicPages::Command6_Click()
{
    const QString domain = c.Text4[kDomainField]->text();
    switch (Subdomain::check(domain)) {
    case Subdomain::Verdict::Empty:
        return tell(QString::fromUtf8(SubdomainTexts::kEnterDomain));
    case Subdomain::Verdict::Wrong:
        return tell(QString::fromUtf8(SubdomainTexts::kWrongDomain));
    case Subdomain::Verdict::Ok:
        break;
    }
    const auto answer = m_desktop.messageBox(Subdomain::confirmation(domain), Desktop::Style::InformationYesNo, BrandTitle);
    if (answer != Desktop::Answer::Yes)
        return;
    m_desktop.copy(Subdomain::bindCommands(domain));
    tell(QString::fromUtf8(SubdomainTexts::kCommandsCopied));
}

void TopicPages::Command7_Click()
{
    const QString path = c.Text5->text();
    if (path.isEmpty())
        return tell(QString::fromUtf8(SubdomainTexts::kEnterPath));
    if (!Subdomain::isOneConfigWord(path))
        return tell(QString::fromUtf8(SubdomainTexts::kPathNotOneWord));
    // The domain may be empty; it is not checked further here.
    const QString domain = c.Text4[kDomainField]->text();
    if (!Subdomain::isOneConfigWord(domain))
        return tell(QString::fromUtf8(SubdomainTexts::kDomainNotOneWord));
    m_desktop.copy(Subdomain::fillTemplate(c.Text6->text(), domain, path));
    tell(QString::fromUtf8(SubdomainTexts::kConfigCopied));
}

// An information box titled with the brand title.
void TopicPages::tell(const QString &text)
{
    m_desktop.messageBox(text, Desktop::Style::Information, BrandTitle);
}
