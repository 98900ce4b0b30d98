#include "platform/qt/artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace lexi::qt {
namespace {

QPixmap render(const QString& resource, int size) {
    QSvgRenderer renderer(resource);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(render(QStringLiteral(":/lexitray/lexitray-icon.svg"), size));
    }
    return icon;
}

QPixmap logo(int size) {
    return render(QStringLiteral(":/lexitray/lexitray-logo.svg"), size);
}

} // namespace lexi::qt
