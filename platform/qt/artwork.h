#pragma once

#include <QIcon>
#include <QPixmap>

namespace lexi::qt {

// The program's icon: the tray window's, the notification area's and the
// settings window's.
QIcon programIcon();

// The logo of the tray window, drawn at that size.
QPixmap logo(int size);

} // namespace lexi::qt
