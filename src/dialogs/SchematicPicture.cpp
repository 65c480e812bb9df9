#include "dialogs/SchematicPicture.h"

#include <QPainter>

// The resources live in a static library: referencing them here keeps the
// linker from dropping them. (Q_INIT_RESOURCE must not stand in a namespace.)
static const QString& LoadedResource(const QString& strResource) {
    static const bool bInitialised = [] {
        Q_INIT_RESOURCE(vantix);
        return true;
    }();
    (void)bInitialised;
    return strResource;
}

CSchematicPicture::CSchematicPicture(const QString& strResource, QWidget* pParent)
    : QFrame(pParent), m_strResource(strResource), m_renderer(LoadedResource(strResource)) {
    setFocusPolicy(Qt::NoFocus);
}

void CSchematicPicture::SetResource(const QString& strResource) {
    if (strResource == m_strResource) {
        return;
    }
    m_strResource = strResource;
    m_renderer.load(LoadedResource(strResource));
    update();
}

void CSchematicPicture::paintEvent(QPaintEvent* pEvent) {
    QFrame::paintEvent(pEvent);
    const QRect area = contentsRect();
    QPainter painter(this);
    painter.fillRect(area, Qt::white);
    if (!m_renderer.isValid() || area.isEmpty()) {
        return;
    }
    QSizeF size = m_renderer.defaultSize();
    size.scale(area.size(), Qt::KeepAspectRatio);
    const QRectF target(area.x() + (area.width() - size.width()) / 2.0,
                        area.y() + (area.height() - size.height()) / 2.0, size.width(),
                        size.height());
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&painter, target);
}
