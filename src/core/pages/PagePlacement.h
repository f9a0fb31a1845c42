#pragma once

#include <QPointF>
#include <QSize>

namespace Pages {

// Where a page lands when its topic opens it: centred on the client area,
// each half taken in single precision before the subtraction, so a page of
// odd height lands on a half pixel.
inline QPointF centredPlace(QSize client, QSize page)
{
    const float left = float(client.width()) / 2 - float(page.width()) / 2;
    const float top = float(client.height()) / 2 - float(page.height()) / 2;
    return {left, top};
}

} // namespace Pages
