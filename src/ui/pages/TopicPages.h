#pragma once

#include "ui/ControlArrays.h"

#include <QObject>
#include <QString>

class Desktop;
class MultiLineBox;
class ClickableImage;
class DesignBuilder;
class QLineEdit;
class QPushButton;
class QWidget;

// The topic bar and what it opens: the tutorial pages (um) with their close
// images (al), the recommended sources with their copy and write buttons,
// and the subdomain tool. Esc closes the page on top.
class TopicPages : public QObject
{
    Q_OBJECT
public:
    struct Controls {
        QWidget *window; // the pages are centred on it and stacked in it
        QPushButton *Command5[ControlArrays::kTopicCount];
        QWidget *um[ControlArrays::kPageCount];
        ClickableImage *al[ControlArrays::kPageCount];
        MultiLineBox *Text3;
        QPushButton *Command3;
        QPushButton *Command4;
        QLineEdit *Text4[ControlArrays::kCommandBoxCount];
        QLineEdit *Text5;
        MultiLineBox *Text6;
        QPushButton *Command6;
        QPushButton *Command7;

        static Controls of(QWidget *window, const DesignBuilder &design);
    };

    TopicPages(const Controls &controls, Desktop &desktop, const QString &appDir, QObject *parent);

    // The title of the pages' message boxes, set at start-up.
    void setBrandTitle(const QString &title) { BrandTitle = title; }

    // Whether the control is in sight of the keyboard: with a page open, the
    // page's own controls and the topic buttons are; what the page covers is not.
    bool isUncovered(const QWidget *control) const;
    void closePages();
signals:
    // A page's notice asks for the library entry of this name; the page
    // has closed.
    void entryAsked(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Command5_Click(int Index);
    void al_Click(int Index);
    void Command3_Click();
    void Command4_Click();
    void Command6_Click();
    void Command7_Click();
    void showPage(int page);
    QWidget *topPage() const;
    void closeTopPage();
    void tell(const QString &text);

    Desktop &m_desktop;
    const QString m_appDir;
    QString BrandTitle;
    Controls c; // the controls of the part, by their design names
};
