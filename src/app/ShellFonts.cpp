#include "app/ShellFonts.h"

#include "dialogs/DialogUnits.h"

#include <QFontDatabase>
#include <QStringList>

#include <optional>

namespace {

constexpr qreal kEditorPointSize = 10.5;

// The family the system gives for a name, in whatever language it is
// listed, if it writes Japanese and is of the kind asked for: with character
// cells for the log, proportional for the window.
std::optional<QString> Resolve(const QString& strName, bool bCells) {
    const QString strFamily = JapaneseFamilyNamed(strName);
    if (strFamily.isEmpty()) {
        return std::nullopt; // none, or a stand-in without Japanese
    }
    QFont font(strFamily);
    font.setPointSizeF(kEditorPointSize);
    if (HasCharacterCells(font) != bCells) {
        return std::nullopt; // a stand-in of the other kind
    }
    return strFamily;
}

// The first of the preferred families the system has of the kind asked for;
// failing that, any Japanese family of that kind, or any Japanese family at
// all; failing that, the first name.
QString PickFamily(const QStringList& preferred, bool bCells) {
    for (const QString& strName : preferred) {
        if (const std::optional<QString> strFamily = Resolve(strName, bCells)) {
            return *strFamily;
        }
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& strName : japanese) {
        if (const std::optional<QString> strFamily = Resolve(strName, bCells)) {
            return *strFamily;
        }
    }
    return japanese.isEmpty() ? preferred.first() : japanese.first();
}

} // namespace

QFont DialogFont(qreal dPointSize) {
    static const QString strFamily =
        PickFamily({QStringLiteral("IPAPGothic"), QStringLiteral("MS PGothic"),
                    QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")},
                   false);
    QFont font(strFamily);
    font.setPointSizeF(dPointSize);
    return font;
}

QFont EditorFont() {
    static const QString strFamily =
        PickFamily({QStringLiteral("IPAGothic"), QStringLiteral("MS Gothic"),
                    QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic"),
                    QStringLiteral("TakaoGothic")},
                   true);
    QFont font(strFamily);
    font.setPointSizeF(kEditorPointSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont PrintFont() {
    QFont font = EditorFont();
    font.setPointSizeF(10.0);
    return font;
}
