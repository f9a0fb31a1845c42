#include "Form1.h"

#include "AppTexts.h"
#include "ChromeAssets.h"
#include "CommandLibrary.h"
#include "DesignBuilder.h"
#include "Fonts.h"
#include "TopicPages.h"
#include "WindowChrome.h"
#include "desktop/Desktop.h"
#include "desktop/SkinLayer.h"
#include "update/UpdateTexts.h"
#include "update/VersionCheck.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include <utility>

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
    , m_update(environment.update)
    , m_fetch(environment.update.timeoutMs)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(AppTexts::kCaption));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(Fonts::defaultFont());

    // The design's icon, which start-up takes away again.
    QIcon icon;
    for (const char *size : ChromeAssets::kWindowIcon)
        icon.addFile(QString::fromLatin1(size));
    setWindowIcon(icon);

    DesignBuilder design(this);
    design.build(Design::windowControls());
    design.build(Design::pageControls());
    design.applyTabOrder();
    // The native window, which the chrome watches for exposure.
    create();

    m_library = new CommandLibrary(CommandLibrary::Controls::of(design), m_desktop, m_appDir, this);
    m_pages = new TopicPages(TopicPages::Controls::of(this, design), m_desktop, m_appDir, this);
    m_chrome = new WindowChrome(WindowChrome::Controls::of(this, design), this);
    connect(m_chrome, &WindowChrome::closed, this, [this] { endProgram(EXIT_SUCCESS); });
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
    return gx();
}

void Form1::endProgram(int status)
{
    if (std::exchange(m_ended, true))
        return;
    m_desktop.end(status);
}

void Form1::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

// The window stays drawn and usable while this waits for the server.
std::optional<QString> Form1::GetBody(const QUrl &url)
{
    return m_fetch.get(url);
}

bool Form1::gx()
{
    const std::optional<QString> versionFile = GetBody(m_update.versionUrl);
    // Closed while it waited: the check ends with the program.
    if (m_ended)
        return false;
    const QString title = QString::fromUtf8(AppTexts::kBrandTitle);
    const VersionCheck::Verdict verdict = VersionCheck::judge(versionFile);
    switch (verdict.outcome) {
    case VersionCheck::Outcome::CheckFailed:
        m_desktop.messageBox(QString::fromUtf8(UpdateTexts::kCheckFailed), Desktop::Style::Exclamation, title);
        // Closed from the desktop while the box was open.
        return !m_ended;
    case VersionCheck::Outcome::UpToDate:
        return true;
    case VersionCheck::Outcome::NewVersion:
        m_desktop.messageBox(VersionCheck::announcement(verdict.version), Desktop::Style::Information, title);
        if (m_ended)
            return false;
        m_desktop.openUrl(m_update.forumUrl);
        endProgram(EXIT_SUCCESS);
        return false;
    }
    return true;
}
