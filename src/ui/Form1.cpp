#include "Form1.h"

#include "DesignBuilder.h"
#include "Fonts.h"
#include "AppTexts.h"
#include "desktop/Desktop.h"
#include "desktop/SkinLayer.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QListView>
#include <QScreen>

#include <utility>

namespace {
// The window's client area, in pixels.
constexpr int kClientWidth = 617;
constexpr int kClientHeight = 542;
}

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

    DesignBuilder builder(this);
    builder.build(Design::windowControls());
    builder.build(Design::pageControls());
    builder.applyTabOrder();

    bindLibrary();
    bindPages();
    bindChrome();
    bindKeys();
}

Form1::~Form1() = default;

bool Form1::Form_Load()
{
    if (!data())
        return false;
    setWindowIcon(QIcon());
    read();
    m_skin.attachEx(QDir(m_appDir).filePath(QString::fromUtf8(AppTexts::kSkinFile)), QString());
    m_skin.adjustHsv(AppTexts::kSkinHue, AppTexts::kSkinSaturation, AppTexts::kSkinValue);
    BrandTitle = QString::fromUtf8(AppTexts::kBrandTitle);
    centreOnScreen();
    show();
    List1->setFocus();
    return !m_update.checkAtStart || gx();
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
