#include "CommandLibrary.h"

#include "ui/chrome/ChromeAssets.h"
#include "ui/ControlArrays.h"
#include "ui/DesignBuilder.h"
#include "ui/widgets/MultiLineBox.h"
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
// frame at 60 Hz, so that it keeps painting and answering. It stops
// preparing a little earlier: the step after the last look at the clock and
// the event around it take their time too.
constexpr std::chrono::milliseconds kPrepareSlice{8};
constexpr std::chrono::milliseconds kSliceMargin{2};
// What a keystroke may prepare for its search itself: half a slice, leaving
// the other half to search before and after.
constexpr std::chrono::milliseconds kKeystrokePrepare = kPrepareSlice / 2;
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
    m_filler = new PlaceholderFiller(c.Text2);
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
        m_prepareAfterPaint = true;
    }
    fillList(conn.listed());
}

// One slice of reading the command texts and making the pinyin keys, first
// what a waiting search needs; that search is tried again after each slice,
// as an event of its own.
void CommandLibrary::prepareSlice()
{
    const Result<bool> done = conn.prepare(QDeadlineTimer(kPrepareSlice - kSliceMargin), m_searchColumn);
    if (!done || *done)
        m_preparing->stop();
    if (!done) {
        if (std::exchange(m_searchWaiting, false))
            reportQueryFailure(done.error());
        return;
    }
    // The waiting search prepares nothing more itself: with the slice
    // before it, that would hold the window for longer than a slice.
    if (m_searchWaiting)
        QMetaObject::invokeMethod(this, [this] { search(std::chrono::milliseconds::zero()); }, Qt::QueuedConnection);
}

void CommandLibrary::focusList()
{
    c.List1->setFocus();
}

void CommandLibrary::focusSearch()
{
    c.Text1->setFocus(Qt::ShortcutFocusReason);
    c.Text1->selectAll();
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
// search that needs what is not yet prepared prepares it for a part of a
// slice; when that is not enough, it runs as soon as it is.
void CommandLibrary::Text1_Change()
{
    search(kKeystrokePrepare);
}

void CommandLibrary::search(std::chrono::milliseconds prepareFor)
{
    m_searchWaiting = false;
    if (c.Text1->text().isEmpty())
        return read();
    m_searchColumn = c.Option1[1]->isChecked() ? CommandIndex::Column::Name : CommandIndex::Column::Code;
    const QString term = Search::termOf(c.Text1->text());
    std::optional<Result<std::vector<int>>> found = conn.searchPrepared(m_searchColumn, term);
    if (!found && prepareFor > std::chrono::milliseconds::zero()) {
        if (const Result<bool> prepared = conn.prepare(QDeadlineTimer(prepareFor), m_searchColumn); !prepared)
            return reportQueryFailure(prepared.error());
        found = conn.searchPrepared(m_searchColumn, term);
    }
    if (!found) {
        m_searchWaiting = true;
        return m_preparing->start();
    }
    if (!*found)
        return reportQueryFailure(found->error());
    fillList(**found);
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
    // that looks like markup would otherwise be rendered. A huge name is
    // cut as in the list.
    c.List1->setToolTip(Qt::convertFromPlainText(conn.shownNameOf(row), Qt::WhiteSpacePre));
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
    c.Text2->setText(Search::headOf(command, LibraryTexts::kShownCommandLimit) + QLatin1Char('\n')
                     + QString::fromUtf8(LibraryTexts::kCommandCut));
}

// A value that would leave its place is left out of the copy, and the user
// told why instead of the notice.
void CommandLibrary::Command1_Click()
{
    const CommandFill::Copy copy = m_cutCommand.isEmpty() ? m_filler->copy() : CommandFill::Copy{m_cutCommand, {}};
    m_desktop.copy(copy.text);
    if (!copy.notice.isEmpty()) {
        m_desktop.messageBox(copy.notice, Desktop::Style::Exclamation, QString());
        return;
    }
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
    // The rest of the library is prepared once the list has first been
    // painted: a slice before it would hold the shown window back.
    if (event->type() == QEvent::Paint && watched == c.List1->viewport() && std::exchange(m_prepareAfterPaint, false))
        m_preparing->start();
    return QObject::eventFilter(watched, event);
}

// Keys beyond the window's design, changing nothing it defines: Enter on a
// chosen name copies its command, Down leads from the search box into the
// list and onto its first entry, F3 from the search box to the first
// placeholder of the shown command.
bool CommandLibrary::keyPressed(QObject *watched, const QKeyEvent *key)
{
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool down = key->key() == Qt::Key_Down;
    if (watched == c.Text1 && key->key() == Qt::Key_F3 && key->modifiers() == Qt::NoModifier) {
        if (m_filler->chooseFirstPlace())
            c.Text2->setFocus(Qt::OtherFocusReason);
        return true;
    }
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
