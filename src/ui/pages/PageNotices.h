#pragma once

#include "ui/ControlArrays.h"

#include <QString>

#include <functional>

class QWidget;

// Beyond the design, on the pages whose commands no longer work on Ubuntu
// 22.04 and 24.04 (the old sources, PHP5, the phpMyAdmin link, the Apache 2.2
// site link): a notice of one line at the foot of the page, in the page's
// text colour and underlined, that names the library entry that works there.
// The design's texts stay as they are.
namespace PageNotices {

// Called with the page a notice lies on and the name of its entry.
using Asked = std::function<void(int page, const QString &entry)>;

// Puts each notice on its page; a click on it calls asked.
void addTo(QWidget *const (&pages)[ControlArrays::kPageCount], const Asked &asked);

} // namespace PageNotices
