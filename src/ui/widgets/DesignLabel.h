#pragma once

#include <QLabel>

// A label of the window's design. Its text is the design's own, plain blanks
// and CR LF line ends included, which is what accessibility tools read. It is
// drawn and measured as the design's font lays it out: each blank half a
// Chinese character wide, so that a command box covers the run of blanks
// left for it in a step text (the fonts this program finds draw a blank about
// a quarter of a Chinese character wide).
class DesignLabel : public QLabel
{
    Q_OBJECT
public:
    DesignLabel(const QString &text, QWidget *parent);

    // The text as drawn.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int textFlags() const;
    QSize shownSize(int width) const;
};
