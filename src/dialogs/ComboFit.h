#pragma once

#include <QObject>

class QComboBox;

// Keeps a combo box of a template the way a user can read it, whatever its
// items: the closed box grows to the right (never beyond nMaxRight, the edge
// of the room it stands in) until its longest item fits, and the list drops
// no lower than the template's dropped height, scrolling beyond that. Both
// follow the items as the dialog fills or refills the list.
class CComboFit : public QObject {
    Q_OBJECT
public:
    // The combo's geometry is its template rectangle, closed; nListHeight is
    // the template's dropped height less the closed box, in pixels.
    CComboFit(QComboBox& combo, int nMaxRight, int nListHeight);

    // Width of the closed box's text area beside its frame and arrow.
    static int TextAreaWidth(const QComboBox& combo);

private:
    void Measure(int nFirst, int nLast);
    void MeasureAll();
    void Fit();
    void Refit();

    QComboBox& m_combo;
    const int m_nTemplateWidth;
    const int m_nMaxRight;
    const int m_nListHeight;
    int m_nWidest = 0; // widest item text so far, pixels
};
