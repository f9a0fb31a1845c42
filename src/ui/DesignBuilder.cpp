#include "DesignBuilder.h"

#include "ui/widgets/ClickableImage.h"
#include "ui/widgets/CommandButton.h"
#include "ui/widgets/DesignLabel.h"
#include "Fonts.h"
#include "ui/widgets/MultiLineBox.h"
#include "ui/widgets/PictureBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>

using Design::Kind;

DesignBuilder::DesignBuilder(QWidget *window)
    : m_window(window)
{
}

void DesignBuilder::build(std::span<const Design::Control> controls)
{
    for (const Design::Control &control : controls) {
        QWidget *container = control.container ? m_controls.value(QString::fromUtf8(control.container)) : m_window;
        if (!container)
            qFatal("The design places %s in %s, which comes later or not at all", control.name, control.container);
        const QFont font = Fonts::designFont(control.font);
        QWidget *widget = create(control, font, container);
        widget->setObjectName(QString::fromUtf8(control.name));
        // Each control holds its font itself: under a style sheet a control
        // takes the application's font (the desktop's) rather than its
        // container's.
        widget->setFont(font);
        widget->setGeometry(Design::pixels(control.left), Design::pixels(control.top),
                            Design::pixels(control.width), Design::pixels(control.height));
        if (control.look & Design::SizedToText)
            widget->adjustSize();
        if (control.look & Design::Hidden)
            widget->hide();
        if (control.accessibleName)
            widget->setAccessibleName(QString::fromUtf8(control.accessibleName));
        if (control.tabIndex != Design::kNoTabStop)
            m_tabChain.add(control.tabIndex, widget);
        m_controls.insert(widget->objectName(), widget);
    }
}

QWidget *DesignBuilder::create(const Design::Control &control, const QFont &font, QWidget *container)
{
    const QString text = control.text ? QString::fromUtf8(control.text) : QString();
    switch (control.kind) {
    case Kind::PictureBox: {
        const auto look = (control.look & Design::WindowColours) ? PictureBox::Look::WindowColours
                          : (control.look & Design::NoBorder)    ? PictureBox::Look::NoBorder
                                                                 : PictureBox::Look::Default;
        auto *box = new PictureBox(look, container);
        box->setFocusPolicy(Qt::NoFocus);
        return box;
    }
    case Kind::Label: {
        auto *label = new DesignLabel(text, container);
        // Labels are drawn on their container: they take no mouse events and
        // no focus, show the container's background and stand below every
        // other control of the container.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->lower();
        label->setWordWrap(control.look & Design::Wraps);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case Kind::Image: {
        auto *image = new ClickableImage(container);
        image->setScaledContents(false);
        return image;
    }
    // A text box's text is laid out once, in its own font, not first in its
    // container's.
    case Kind::TextBox: {
        auto *edit = new QLineEdit(container);
        edit->setFont(font);
        edit->setText(text);
        edit->setCursorPosition(0);
        return edit;
    }
    case Kind::MultiLineTextBox: {
        auto *box = new MultiLineBox(container);
        box->setText(text);
        return box;
    }
    case Kind::CommandButton:
        return new CommandButton(text, container);
    case Kind::OptionButton: {
        auto *option = new QRadioButton(text, container);
        option->setChecked(control.look & Design::Selected);
        return option;
    }
    case Kind::ListBox:
        return new QListView(container);
    }
    qFatal("The design holds a control of no known kind: %s", control.name);
}

void DesignBuilder::applyTabOrder()
{
    m_tabChain.linkQtChain();
}
