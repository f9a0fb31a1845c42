#include "Form1.h"

#include "AppIdentity.h"
#include "AppTexts.h"
#include "ui/library/CommandLibrary.h"
#include "DesignBuilder.h"
#include "Fonts.h"
#include "ui/pages/TopicPages.h"
#include "ui/chrome/WindowChrome.h"
#include "desktop/Desktop.h"
#include "desktop/SkinLayer.h"
#include "update/UpdateCheck.h"
#include "update/UpdateTexts.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace {
// The window's client area, in pixels.
constexpr int kClientWidth = 617;
constexpr int kClientHeight = 542;
} // namespace

Form1::Form1(const Form1Environment &environment, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_desktop(environment.desktop)
    , m_skin(environment.skin)
    , m_appDir(environment.appDir)
    , m_forumUrl(environment.update.forumUrl)
    , m_checkAtStart(environment.update.checkAtStart)
    , m_update(new UpdateCheck(environment.update, this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(AppTexts::kCaption));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(Fonts::defaultFont());

    // The design's icon, which start-up takes away again.
    setWindowIcon(AppIdentity::designIcon());

    DesignBuilder design(this);
    design.build(Design::windowControls());
    design.build(Design::pageControls());
    design.applyTabOrder();
    m_tabChain = design.tabChain();
    // The native window, which the chrome watches for exposure.
    create();

    m_library = new CommandLibrary(CommandLibrary::Controls::of(design), m_desktop, m_appDir,
                                   environment.libraryLoad, this);
    m_pages = new TopicPages(TopicPages::Controls::of(this, design), m_desktop, m_appDir, this);
    m_chrome = new WindowChrome(WindowChrome::Controls::of(this, design), this);
    connect(m_chrome, &WindowChrome::closed, this, [this] { endProgram(EXIT_SUCCESS); });
    connect(m_pages, &TopicPages::entryAsked, m_library, &CommandLibrary::showEntry);
    connect(m_update, &UpdateCheck::answered, this, &Form1::gx_Answered);
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_F, Qt::CTRL | Qt::Key_L})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &Form1::goToSearch);
}

Form1::~Form1() = default;

bool Form1::Form_Load()
{
    if (!m_library->data()) {
        endProgram(EXIT_FAILURE);
        return false;
    }
    setWindowIcon(QIcon());
    m_library->read();
    m_skin.attachEx(QDir(m_appDir).filePath(QString::fromUtf8(AppTexts::kSkinFile)), QString());
    m_skin.adjustHsv(AppTexts::kSkinHue, AppTexts::kSkinSaturation, AppTexts::kSkinValue);
    BrandTitle = QString::fromUtf8(AppTexts::kBrandTitle);
    m_pages->setBrandTitle(BrandTitle);
    centreOnScreen();
    show();
    m_library->focusList();
    if (m_checkAtStart)
        gx();
    return true;
}

// The visible controls in tab index order: a closed page's controls are
// passed over, an open page's stand where their tab indices put them, and
// what an open page covers is passed over too.
bool Form1::focusNextPrevChild(bool next)
{
    QWidget *to = m_tabChain.next(QApplication::focusWidget(), next,
                                  [this](const QWidget *control) { return m_pages->isUncovered(control); });
    if (!to)
        return QWidget::focusNextPrevChild(next);
    to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// Ctrl+F and Ctrl+L: an open page, which covers the search box, closes.
void Form1::goToSearch()
{
    m_pages->closePages();
    m_library->focusSearch();
}

void Form1::endProgram(int status)
{
    m_update->stop();
    m_desktop.end(status);
}

// A window larger than the screen's free area (a large scale on a small
// screen) keeps its top left there: the title band, which moves the window,
// stays in reach.
void Form1::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    QRect frame(QPoint(), size());
    frame.moveCenter(free.center());
    move(std::max(frame.left(), free.left()), std::max(frame.top(), free.top()));
}

// The window is drawn and usable while the check waits for the server.
void Form1::gx()
{
    m_update->start();
}

void Form1::gx_Answered(const VersionCheck::Verdict &verdict)
{
    // A box the user opened during the wait is answered first: the verdict's
    // own box comes when it has closed, never over it.
    if (QWidget *box = QApplication::activeModalWidget()) {
        connect(box, &QObject::destroyed, this, [this, verdict] {
            if (!m_desktop.endStatus())
                gx_Answered(verdict);
        }, Qt::QueuedConnection);
        return;
    }
    const QString title = QString::fromUtf8(AppTexts::kBrandTitle);
    switch (verdict.outcome) {
    case VersionCheck::Outcome::CheckFailed:
        m_desktop.messageBox(QString::fromUtf8(UpdateTexts::kCheckFailed), Desktop::Style::Exclamation, title);
        return;
    case VersionCheck::Outcome::UpToDate:
        return;
    case VersionCheck::Outcome::NewVersion:
        m_desktop.messageBox(VersionCheck::announcement(verdict.version), Desktop::Style::Information, title);
        // Ended while the box was open: nothing more.
        if (m_desktop.endStatus())
            return;
        m_desktop.openUrl(m_forumUrl);
        endProgram(EXIT_SUCCESS);
        return;
    }
}
