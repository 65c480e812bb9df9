#include "dialogs/SchematicPicture.h"

#include <QImage>
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
    : QFrame(pParent), m_strResource(strResource) {
    // A drawing made on the fly has no resource: nothing to load yet.
    if (!strResource.isEmpty()) {
        m_renderer.load(LoadedResource(strResource));
    }
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

void CSchematicPicture::SetSvg(const QByteArray& svg) {
    m_strResource.clear();
    m_renderer.load(svg);
    update();
}

void CSchematicPicture::paintEvent(QPaintEvent* pEvent) {
    QFrame::paintEvent(pEvent);
    const QRect area = contentsRect();
    QPainter painter(this);
    // On the palette's base, as the other boxes of the dialog: a drawing in
    // black lines is drawn in light ones on a dark base.
    const QColor base = palette().color(QPalette::Base);
    painter.fillRect(area, base);
    if (!m_renderer.isValid() || area.isEmpty()) {
        return;
    }
    QSizeF size = m_renderer.defaultSize();
    size.scale(area.size(), Qt::KeepAspectRatio);
    const qreal dRatio = devicePixelRatioF();
    QImage drawing((size * dRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    drawing.setDevicePixelRatio(dRatio);
    drawing.fill(Qt::transparent);
    {
        QPainter onDrawing(&drawing);
        onDrawing.setRenderHint(QPainter::Antialiasing);
        m_renderer.render(&onDrawing, QRectF(QPointF(0, 0), size));
    }
    if (base.lightnessF() < 0.5) {
        drawing.invertPixels(QImage::InvertRgb);
    }
    const QPointF topLeft(area.x() + (area.width() - size.width()) / 2.0,
                          area.y() + (area.height() - size.height()) / 2.0);
    painter.drawImage(topLeft, drawing);
}
