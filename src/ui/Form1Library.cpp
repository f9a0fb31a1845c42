// The command library of the window: opening the database, the list, the
// search, the details and the copy button with its notice.
#include "Form1.h"

#include "MultiLineBox.h"
#include "NameListModel.h"
#include "desktop/Desktop.h"
#include "library/LibraryTexts.h"
#include "library/SearchTerm.h"

#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QTimer>

#include <utility>

namespace {
// How long the copy notice stays, in milliseconds.
constexpr int kCopyNoticeMs = 400;
}

void Form1::bindLibrary()
{
    List1 = control<QListView>(QStringLiteral("List1"));
    Option1[0] = control<QRadioButton>("Option1", 0);
    Option1[1] = control<QRadioButton>("Option1", 1);
    Text1 = control<QLineEdit>(QStringLiteral("Text1"));
    Text2 = control<MultiLineBox>(QStringLiteral("Text2"));
    Command1 = control<QPushButton>(QStringLiteral("Command1"));
    um[kCopyNotice] = control<QWidget>("um", kCopyNotice);

    m_names = new NameListModel(this);
    List1->setModel(m_names);
    List1->setUniformItemSizes(true);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(kCopyNoticeMs);

    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    // A name is chosen when the user selects it, by the mouse or the keys,
    // and again by every click on it; the list taking the focus only marks
    // its first row as current.
    connect(List1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this](const QItemSelection &selected) {
        if (selected.isEmpty())
            return;
        m_listPressChose = true;
        List1_Click();
    });
    List1->viewport()->installEventFilter(this);
    connect(List1, &QListView::clicked, this, [this] {
        if (!std::exchange(m_listPressChose, false))
            List1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
}

bool Form1::data()
{
    const QString path = QDir(m_appDir).filePath(QString::fromUtf8(LibraryTexts::kDatabaseFile));
    const auto failure = conn.open(path, QByteArray(LibraryTexts::kDatabasePassword));
    if (!failure)
        return true;
    m_desktop.messageBox(*failure, Desktop::Style::Plain, QString());
    m_desktop.messageBox(QString::fromUtf8(LibraryTexts::kOpenFailed) + QString::fromUtf8(LibraryTexts::kAdminQq),
                         Desktop::Style::Information, QString::fromUtf8(LibraryTexts::kOpenFailedTitle));
    endProgram(EXIT_FAILURE);
    return false;
}

void Form1::read()
{
    QStringList names;
    if (!conn.allNames(names))
        return reportQueryFailure();
    m_pinyin.setNames(names);
    fillList(names);
}

// A query that found nothing leaves the list as it was.
void Form1::fillList(const QStringList &names)
{
    if (!names.isEmpty())
        m_names->setNames(names);
}

// A search stopped as too complex gets its own short box; the list and the
// details stay as they were.
void Form1::reportQueryFailure()
{
    if (conn.failure() == CommandStore::Failure::TooComplex) {
        m_desktop.messageBox(QString::fromUtf8(LibraryTexts::kSearchTooComplex), Desktop::Style::Exclamation,
                             QString::fromUtf8(LibraryTexts::kOpenFailedTitle));
        return;
    }
    m_desktop.messageBox(QString::fromUtf8(LibraryTexts::kQueryFailed) + QLatin1String("\r\n") + conn.errorText(),
                         Desktop::Style::Exclamation, QString::fromUtf8(LibraryTexts::kOpenFailedTitle));
}

// An emptied box lists every command again; a search for the empty term
// would find the same rows, so it is not run first. A term of letters that
// no name contains looks for the names it spells in pinyin (az, anzhuang).
void Form1::Text1_Change()
{
    if (Text1->text().isEmpty())
        return read();
    const auto column = Option1[1]->isChecked() ? CommandStore::Column::Name : CommandStore::Column::Code;
    const QString term = Search::termOf(Text1->text());
    QStringList names;
    if (!conn.namesContaining(column, term, names))
        return reportQueryFailure();
    if (names.isEmpty() && column == CommandStore::Column::Name)
        names = m_pinyin.namesMatching(term);
    fillList(names);
}

void Form1::List1_Click()
{
    const QString name = List1->selectionModel()->selectedIndexes().value(0).data().toString();
    std::optional<QString> code;
    if (!conn.codeOf(name, code))
        return reportQueryFailure();
    if (code)
        showCommand(Search::shownCommand(*code));
    // Written as rich text that shows the name's own characters: a tooltip
    // that looks like markup would otherwise be rendered.
    List1->setToolTip(Qt::convertFromPlainText(name, Qt::WhiteSpacePre));
}

// Laying out a huge line takes time that grows faster than its length, so a
// very long command is shown only in part, read-only, and copied whole.
void Form1::showCommand(const QString &command)
{
    const bool cut = command.size() > LibraryTexts::kShownCommandLimit;
    m_cutCommand = cut ? command : QString();
    Text2->setReadOnly(cut);
    if (!cut)
        return Text2->setText(command);
    qsizetype end = LibraryTexts::kShownCommandLimit;
    if (command.at(end - 1).isHighSurrogate())
        --end;
    Text2->setText(command.left(end) + QLatin1Char('\n') + QString::fromUtf8(LibraryTexts::kCommandCut));
}

void Form1::Command1_Click()
{
    m_desktop.copy(m_cutCommand.isEmpty() ? Text2->text() : m_cutCommand);
    Timer2->start();
    QWidget *notice = um[kCopyNotice];
    notice->show();
    notice->raise();
    notice->move(qRound(width() / 2.0 - notice->width() / 2.0), qRound(height() / 2.0 - notice->height() / 2.0));
}

void Form1::Timer2_Timer()
{
    um[kCopyNotice]->hide();
    Timer2->stop();
}
