#pragma once

#include "desktop/Desktop.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <QUrl>

#include <functional>

// Records everything the window hands to the desktop, in order, and answers
// Yes/No questions as the test says. No call ever blocks.
class FakeDesktop final : public Desktop
{
public:
    struct Box {
        QString text;
        Style style;
        QString title;
    };

    Answer messageBox(const QString &text, Style style, const QString &title) override
    {
        boxes.append({text, style, title});
        log.append(QStringLiteral("box:") + text);
        if (onBox)
            onBox(boxes.last());
        if (style != Style::InformationYesNo)
            return Answer::Ok;
        return answers.isEmpty() ? Answer::No : answers.dequeue();
    }
    void clearClipboard() override
    {
        clipboard.clear();
        log.append(QStringLiteral("clear"));
    }
    void setClipboardText(const QString &text) override
    {
        clipboard = text;
        log.append(QStringLiteral("set:") + text);
    }
    void openUrl(const QUrl &url) override
    {
        openedUrls.append(url);
        log.append(QStringLiteral("open:") + url.toString());
    }
    void quit(int status) override { log.append(QStringLiteral("end:%1").arg(status)); }

    QList<Box> boxes;
    QStringList log;
    QString clipboard;
    QList<QUrl> openedUrls;
    QQueue<Answer> answers;                // answers to Yes/No boxes; No when empty
    std::function<void(const Box &)> onBox; // runs while a box is "open"
};
