#include "CommandLibrary.h"

#include "ChromeAssets.h"
#include "ControlArrays.h"
#include "DesignBuilder.h"
#include "MultiLineBox.h"
#include "NameListModel.h"
#include "PlaceholderFiller.h"
#include "desktop/Desktop.h"
#include "library/LibraryLoad.h"
#include "library/LibraryTexts.h"
#include "library/SearchTerm.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QTimer>

#include <chrono>
#include <utility>

namespace {
// How long the copy notice stays, in milliseconds.
constexpr int kCopyNoticeMs = 400;
// How long one slice of reading the library may hold the window: half a
// frame at 60 Hz, so that it keeps painting and answering.
constexpr std::chrono::milliseconds kPrepareSlice{8};
} // namespace

CommandLibrary::Controls CommandLibrary::Controls::of(const DesignBuilder &design)
{
    return {design.control<QListView>("List1"),
            {design.control<QRadioButton>("Option1", 0), design.control<QRadioButton>("Option1", 1)},
            design.control<QLineEdit>("Text1"),
            design.control<MultiLineBox>("Text2"),
            design.control<QPushButton>("Command1"),
            design.control<QWidget>("um", ControlArrays::kCopyNotice)};
}

CommandLibrary::CommandLibrary(const Controls &controls, Desktop &desktop, const QString &appDir, LibraryLoad *load,
                               QObject *parent)
    : QObject(parent)
    , m_desktop(desktop)
    , m_appDir(appDir)
    , m_load(load)
    , c(controls)
    , Timer2(new QTimer(this))
    , m_preparing(new QTimer(this))
    , m_names(new NameListModel(conn, this))
{
    c.List1->setModel(m_names);
    c.List1->setUniformItemSizes(true);
    c.List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.List1->setSelectionMode(QAbstractItemView::SingleSelection);
    c.List1->viewport()->setCursor(QCursor(QPixmap(QString::fromLatin1(ChromeAssets::kListCursor)),
                                         ChromeAssets::kListCursorHotSpot.x(), ChromeAssets::kListCursorHotSpot.y()));

    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(kCopyNoticeMs);

    connect(c.Text1, &QLineEdit::textChanged, this, &CommandLibrary::Text1_Change);
    // A name is chosen when the user selects it, by the mouse or the keys,
    // and again by every click on it; the list taking the focus only marks
    // its first row as current. A press on the list forgets whether the
    // press before it chose a name.
    connect(c.List1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this](const QItemSelection &selected) {
        if (selected.isEmpty())
            return;
        m_listPressChose = true;
        List1_Click();
    });
    connect(c.List1, &QListView::clicked, this, [this] {
        if (!std::exchange(m_listPressChose, false))
            List1_Click();
    });
    connect(c.Command1, &QPushButton::clicked, this, &CommandLibrary::Command1_Click);
    connect(Timer2, &QTimer::timeout, this, &CommandLibrary::Timer2_Timer);
    connect(m_preparing, &QTimer::timeout, this, &CommandLibrary::prepareSlice);

    c.List1->viewport()->installEventFilter(this);
    c.List1->installEventFilter(this);
    c.Text1->installEventFilter(this);

    // Beyond the design: the placeholders of the shown command, filled in the box.
    new PlaceholderFiller(c.Text2);
}

bool CommandLibrary::data()
{
    LibraryLoad::Loaded loaded = m_load ? m_load->take() : LibraryLoad(m_appDir).take();
    if (!loaded.opened) {
        reportOpenFailure(loaded.opened.error());
        return false;
    }
    conn = std::move(loaded.library);
    m_namesReadAtStart = std::move(loaded.named);
    return true;
}

// The reason as the database layer gives it, then the program's own box.
void CommandLibrary::reportOpenFailure(const QString &reason)
{
    m_desktop.messageBox(reason, Desktop::Style::Plain, QString());
    m_desktop.messageBox(QString::fromUtf8(LibraryTexts::kOpenFailed) + QString::fromUtf8(LibraryTexts::kAdminQq),
                         Desktop::Style::Information, QString::fromUtf8(LibraryTexts::kOpenFailedTitle));
}

void CommandLibrary::read()
{
    if (!m_namesRead) {
        const Result<void> names =
            m_namesReadAtStart ? *std::exchange(m_namesReadAtStart, std::nullopt) : conn.readNames();
        if (!names)
            return reportQueryFailure(names.error());
        m_namesRead = true;
        m_preparing->start();
    }
    fillList(conn.listed());
}

// One slice of reading the command texts and making the pinyin keys; a
// search that waited for the texts runs once they are in.
void CommandLibrary::prepareSlice()
{
    const Result<bool> done = conn.prepare(QDeadlineTimer(kPrepareSlice));
    if (!done || *done)
        m_preparing->stop();
    if (!done) {
        if (std::exchange(m_searchWaiting, false))
            reportQueryFailure(done.error());
        return;
    }
    if (m_searchWaiting && conn.canSearch(CommandIndex::Column::Code))
        Text1_Change();
}

void CommandLibrary::focusList()
{
    c.List1->setFocus();
}

void CommandLibrary::showEntry(const QString &name)
{
    c.Option1[1]->setChecked(true);
    if (c.Text1->text() == name)
        Text1_Change();
    else
        c.Text1->setText(name);
    chooseFirstName();
}

// A search that found nothing leaves the list as it was.
void CommandLibrary::fillList(const std::vector<int> &rows)
{
    if (!rows.empty())
        m_names->setRows(rows);
}

// The list and the details stay as they were.
void CommandLibrary::reportQueryFailure(const QString &text)
{
    m_desktop.messageBox(text, Desktop::Style::Exclamation, QString::fromUtf8(LibraryTexts::kOpenFailedTitle));
}

// An emptied box lists every command again; a search for the empty term
// would find the same rows, so it is not run first. A term of letters that
// no name contains finds the names it spells in pinyin (az, anzhuang). A
// search of the command texts before they are all read reads one more
// slice; when they are still not in, it runs as soon as they are.
void CommandLibrary::Text1_Change()
{
    if (c.Text1->text().isEmpty())
        return read();
    const auto column = c.Option1[1]->isChecked() ? CommandIndex::Column::Name : CommandIndex::Column::Code;
    if (!conn.canSearch(column)) {
        if (const Result<bool> prepared = conn.prepare(QDeadlineTimer(kPrepareSlice)); !prepared)
            return reportQueryFailure(prepared.error());
        m_searchWaiting = !conn.canSearch(column);
        if (m_searchWaiting)
            return m_preparing->start();
    }
    m_searchWaiting = false;
    const Result<std::vector<int>> found = conn.search(column, Search::termOf(c.Text1->text()));
    if (!found)
        return reportQueryFailure(found.error());
    fillList(*found);
}

// The chosen entry's row of the library, not its name read back, finds the
// command: a name stored as bytes that are not UTF-8 is listed with U+FFFD.
void CommandLibrary::List1_Click()
{
    const QModelIndex chosen = c.List1->selectionModel()->selectedIndexes().value(0);
    if (!chosen.isValid())
        return;
    const int row = m_names->libraryRow(chosen);
    const Result<std::optional<QString>> code = conn.codeOf(row);
    if (!code)
        return reportQueryFailure(code.error());
    if (*code)
        showCommand(Search::shownCommand(**code));
    // Written as rich text that shows the name's own characters: a tooltip
    // that looks like markup would otherwise be rendered.
    c.List1->setToolTip(Qt::convertFromPlainText(conn.nameOf(row), Qt::WhiteSpacePre));
}

// Laying out a huge line takes time that grows faster than its length, so a
// very long command is shown only in part, read-only, and copied whole.
void CommandLibrary::showCommand(const QString &command)
{
    const bool cut = command.size() > LibraryTexts::kShownCommandLimit;
    m_cutCommand = cut ? command : QString();
    c.Text2->setReadOnly(cut);
    if (!cut)
        return c.Text2->setText(command);
    qsizetype end = LibraryTexts::kShownCommandLimit;
    if (command.at(end - 1).isHighSurrogate())
        --end;
    c.Text2->setText(command.left(end) + QLatin1Char('\n') + QString::fromUtf8(LibraryTexts::kCommandCut));
}

void CommandLibrary::Command1_Click()
{
    m_desktop.copy(m_cutCommand.isEmpty() ? c.Text2->text() : m_cutCommand);
    Timer2->start();
    c.notice->show();
    c.notice->raise();
    const QWidget *window = c.notice->parentWidget();
    c.notice->move(qRound(window->width() / 2.0 - c.notice->width() / 2.0),
                   qRound(window->height() / 2.0 - c.notice->height() / 2.0));
}

void CommandLibrary::Timer2_Timer()
{
    c.notice->hide();
    Timer2->stop();
}

bool CommandLibrary::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && keyPressed(watched, static_cast<const QKeyEvent *>(event)))
        return true;
    if (event->type() == QEvent::MouseButtonPress && watched == c.List1->viewport())
        m_listPressChose = false;
    return QObject::eventFilter(watched, event);
}

// Keys beyond the window's design, changing nothing it defines: Enter on a
// chosen name copies its command, Down leads from the search box into the
// list and onto its first entry.
bool CommandLibrary::keyPressed(QObject *watched, const QKeyEvent *key)
{
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool down = key->key() == Qt::Key_Down;
    if (watched == c.List1 && enter && c.List1->selectionModel()->hasSelection()) {
        Command1_Click();
        return true;
    }
    if ((watched == c.List1 && down && !c.List1->selectionModel()->hasSelection()) || (watched == c.Text1 && down)) {
        chooseFirstName();
        return true;
    }
    return false;
}

void CommandLibrary::chooseFirstName()
{
    c.List1->setFocus();
    c.List1->setCurrentIndex(c.List1->model()->index(0, 0));
}
