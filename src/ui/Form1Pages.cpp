// The topic bar and the tutorial pages, the sources page and the subdomain tool.
#include "Form1.h"

#include "ClickableImage.h"
#include "MultiLineBox.h"
#include "desktop/Desktop.h"
#include "pages/PagePlacement.h"
#include "pages/Sources.h"
#include "pages/SourcesTexts.h"
#include "pages/Subdomain.h"
#include "pages/SubdomainTexts.h"
#include "pages/Topics.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kDomainField = 11;
}

void Form1::bindPages()
{
    for (int i = 0; i < kPageCount; ++i) {
        um[i] = control<QWidget>("um", i);
        auto *image = control<ClickableImage>("al", i);
        al[i] = image;
        connect(image, &ClickableImage::clicked, this, [this, i] { al_Click(i); });
    }
    for (int i = 0; i < kTopicCount; ++i) {
        Command5[i] = control<QPushButton>("Command5", i);
        connect(Command5[i], &QPushButton::clicked, this, [this, i] { Command5_Click(i); });
    }
    for (int i = 0; i < kCommandBoxCount; ++i)
        Text4[i] = control<QLineEdit>("Text4", i);

    Text3 = control<MultiLineBox>(QStringLiteral("Text3"));
    Text3->setText(Sources::text());
    Text5 = control<QLineEdit>(QStringLiteral("Text5"));
    Text6 = control<MultiLineBox>(QStringLiteral("Text6"));
    Command3 = control<QPushButton>(QStringLiteral("Command3"));
    Command4 = control<QPushButton>(QStringLiteral("Command4"));
    Command6 = control<QPushButton>(QStringLiteral("Command6"));
    Command7 = control<QPushButton>(QStringLiteral("Command7"));
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
}

void Form1::Command5_Click(int Index)
{
    for (int i = 0; i < kPageCount; ++i)
        um[i]->hide();
    if (const auto page = Topics::pageOf(Index))
        return showPage(*page);
    if (const QString copied = Topics::copiedTextOf(Index); !copied.isEmpty())
        m_desktop.copy(copied);
    tell(Topics::messageOf(Index));
}

// Widget positions are whole pixels: a page centred on a half pixel is
// rounded half up, 94.5 to 95.
void Form1::showPage(int page)
{
    QWidget *panel = um[page];
    panel->show();
    panel->raise();
    panel->move(Pages::centredPlace(size(), panel->size()).toPoint());
}

void Form1::al_Click(int Index)
{
    um[Index]->hide();
}

void Form1::Command3_Click()
{
    m_desktop.copy(Text3->text());
    tell(QString::fromUtf8(SourcesTexts::kCopied));
}

void Form1::Command4_Click()
{
    const QString path = QDir(m_appDir).filePath(QString::fromUtf8(SourcesTexts::kFileName));
    if (const auto reason = Sources::write(path, Text3->text())) {
        m_desktop.messageBox(QString::fromUtf8(SourcesTexts::kWriteFailed) + QLatin1String("\r\n")
                                 + QDir::toNativeSeparators(path) + QLatin1String("\r\n") + *reason,
                             Desktop::Style::Exclamation, BrandTitle);
        return;
    }
    tell(QString::fromUtf8(SourcesTexts::kWritten));
}

void Form1::Command6_Click()
{
    const QString domain = Text4[kDomainField]->text();
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

void Form1::Command7_Click()
{
    const QString path = Text5->text();
    if (path.isEmpty())
        return tell(QString::fromUtf8(SubdomainTexts::kEnterPath));
    m_desktop.copy(Subdomain::fillTemplate(Text6->text(), Text4[kDomainField]->text(), path));
    tell(QString::fromUtf8(SubdomainTexts::kConfigCopied));
}

// An information box titled with the brand title.
void Form1::tell(const QString &text)
{
    m_desktop.messageBox(text, Desktop::Style::Information, BrandTitle);
}
