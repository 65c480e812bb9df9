#pragma once

#include <QFrame>
#include <QSvgRenderer>

// A picture control showing an SVG drawing (a schematic) scaled into its
// frame with the drawing's proportions kept.
class CSchematicPicture : public QFrame {
    Q_OBJECT
public:
    explicit CSchematicPicture(const QString& strResource, QWidget* pParent = nullptr);

    bool IsLoaded() const { return m_renderer.isValid(); }

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QSvgRenderer m_renderer;
};
