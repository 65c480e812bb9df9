#include "app/ShellIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources live in a static library: nothing would pull them into the
// program unless they are registered by name.
static void RegisterShellResources() {
    static const bool bDone = [] {
        Q_INIT_RESOURCE(vantix);
        return true;
    }();
    (void)bDone;
}

namespace {

// Drawn with QSvgRenderer rather than through the SVG icon plugin, so the
// pictures do not depend on which image plugins are installed.
QPixmap RenderSvg(const QString& strResource, QSize size) {
    RegisterShellResources();
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(strResource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

QIcon ApplicationIcon() {
    static const QIcon icon = [] {
        // Below 32 px the letters cannot be read: the small drawing has the
        // wave alone.
        QIcon sizes;
        for (const int nSize : {16, 24, 32, 48}) {
            const QString strDrawing = nSize < 32 ? QStringLiteral(":/icons/vantix-small.svg")
                                                  : QStringLiteral(":/icons/vantix.svg");
            sizes.addPixmap(RenderSvg(strDrawing, QSize(nSize, nSize)));
        }
        return sizes;
    }();
    return icon;
}

QIcon ToolbarIcon(const QString& strResource) {
    QIcon icon;
    icon.addPixmap(RenderSvg(strResource, QSize(16, 15)));
    return icon;
}
