#include "ListWidth.h"

#include "ui/Design.h"
#include "ui/DesignBuilder.h"

#include <QListView>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyle>

#include <algorithm>

namespace {
const char kListName[] = "List1";
}

ListWidth::ListWidth()
{
    const auto controls = Design::windowControls();
    const auto list = std::find_if(controls.begin(), controls.end(),
                                   [](const Design::Control &control) { return qstrcmp(control.name, kListName) == 0; });
    if (list == controls.end())
        qFatal("The window's design holds no %s", kListName);
    DesignBuilder builder(&m_window);
    builder.build({list, 1});
    m_list = builder.control<QListView>(kListName);
    m_list->setModel(new QStringListModel(m_list));
}

int ListWidth::room() const
{
    const int scrollBar = m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list->verticalScrollBar());
    return m_list->width() - 2 * m_list->frameWidth() - scrollBar;
}

int ListWidth::widthOf(const QString &name) const
{
    auto *model = static_cast<QStringListModel *>(m_list->model());
    model->setStringList({name});
    return m_list->sizeHintForIndex(model->index(0)).width();
}

std::optional<QString> ListWidth::problemOf(const QString &name) const
{
    const int width = widthOf(name);
    if (width <= room())
        return std::nullopt;
    return QStringLiteral("在列表里显示不全:宽%1像素,列表只有%2像素").arg(width).arg(room());
}
