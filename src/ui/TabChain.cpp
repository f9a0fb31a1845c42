#include "TabChain.h"

#include <QRadioButton>

#include <algorithm>

namespace {

bool takesTab(const QWidget *control)
{
    if (!control || !control->isVisible() || !control->isEnabled())
        return false;
    // An option button stands for its group, inside which the arrow keys
    // move: Tab reaches the selected one.
    if (const auto *option = qobject_cast<const QRadioButton *>(control))
        return option->isChecked();
    return control->focusPolicy() & Qt::TabFocus;
}

} // namespace

void TabChain::add(int tabIndex, QWidget *control)
{
    const auto after = std::upper_bound(m_stops.begin(), m_stops.end(), tabIndex,
                                        [](int index, const Stop &stop) { return index < stop.tabIndex; });
    m_stops.insert(after, {tabIndex, control});
}

qsizetype TabChain::positionOf(const QWidget *from) const
{
    for (const QWidget *widget = from; widget; widget = widget->parentWidget()) {
        const auto found = std::find_if(m_stops.cbegin(), m_stops.cend(),
                                        [widget](const Stop &stop) { return stop.control == widget; });
        if (found != m_stops.cend())
            return found - m_stops.cbegin();
    }
    return -1;
}

QWidget *TabChain::next(const QWidget *from, bool forward,
                        const std::function<bool(const QWidget *)> &reachable) const
{
    const qsizetype count = m_stops.size();
    const qsizetype step = forward ? 1 : count - 1;
    qsizetype at = positionOf(from);
    if (at < 0)
        at = forward ? count - 1 : 0;
    for (qsizetype tried = 0; tried < count; ++tried) {
        at = (at + step) % count;
        const QWidget *stop = m_stops.at(at).control;
        if (takesTab(stop) && reachable(stop))
            return m_stops.at(at).control;
    }
    return nullptr;
}

void TabChain::linkQtChain() const
{
    for (qsizetype i = 1; i < m_stops.size(); ++i)
        QWidget::setTabOrder(m_stops.at(i - 1).control, m_stops.at(i).control);
}
