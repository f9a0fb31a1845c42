#include "Accessibility.h"

#include "ui/widgets/ClickableImage.h"

#include <QAccessibleWidget>

#include <functional>

namespace {

// A control that assistive technology sees as a push button and can press.
class PressableButton final : public QAccessibleWidget
{
public:
    PressableButton(QWidget *widget, std::function<void()> press)
        : QAccessibleWidget(widget, QAccessible::Button)
        , m_press(std::move(press))
    {
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && widget()->isEnabled())
            m_press();
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    std::function<void()> m_press;
};

QAccessibleInterface *interfaceOf(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("Form1"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("PictureBox"))
        return new QAccessibleWidget(widget, QAccessible::Pane);
    if (auto *image = qobject_cast<ClickableImage *>(object); image && className == QLatin1String("ClickableImage"))
        return new PressableButton(widget, [image] { emit image->clicked(); });
    if (auto *standIn = qobject_cast<PaintedButtonStandIn *>(object); standIn && className == QLatin1String("PaintedButtonStandIn"))
        return new PressableButton(widget, [standIn] { emit standIn->pressed(); });
    return nullptr;
}

} // namespace

namespace Accessibility {

void install()
{
    QAccessible::installFactory(interfaceOf); // Qt keeps a factory once
}

} // namespace Accessibility

PaintedButtonStandIn::PaintedButtonStandIn(const QString &name, const QRect &place, QWidget *window)
    : QWidget(window)
{
    setAccessibleName(name);
    setGeometry(place);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}
