#pragma once

#include <QLabel>

#include <optional>

// An image control: a picture that reports a click of the left button,
// pressed and released over it without a drag in between. The pages' notices
// (PageNotices) are such controls showing a line of text.
class ClickableImage : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableImage(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::optional<QPoint> m_pressedAt; // where a press that may still become a click began
};
