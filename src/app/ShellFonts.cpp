#include "app/ShellFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The first installed family of the list; failing that, any family that
// can write Japanese; failing that, the given fallback.
QString PickFamily(const QStringList& preferred) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& strFamily : preferred) {
        if (installed.contains(strFamily, Qt::CaseInsensitive)) {
            return strFamily;
        }
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    return japanese.isEmpty() ? preferred.first() : japanese.first();
}

} // namespace

QFont DialogFont(qreal dPointSize) {
    static const QString strFamily =
        PickFamily({QStringLiteral("IPAPGothic"), QStringLiteral("MS PGothic"),
                    QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    QFont font(strFamily);
    font.setPointSizeF(dPointSize);
    return font;
}

QFont EditorFont() {
    static const QString strFamily =
        PickFamily({QStringLiteral("IPAGothic"), QStringLiteral("MS Gothic"),
                    QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAPGothic")});
    QFont font(strFamily);
    font.setPointSizeF(10.5);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont PrintFont() {
    QFont font = EditorFont();
    font.setPointSizeF(10.0);
    return font;
}
