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

    // Shows another drawing (a calculator that draws one per circuit form).
    void SetResource(const QString& strResource);
    const QString& Resource() const { return m_strResource; }
    // Shows a drawing made on the fly (a designer that draws the circuit it
    // designed); Resource() is then empty.
    void SetSvg(const QByteArray& svg);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QString m_strResource;
    QSvgRenderer m_renderer;
};
