#include "dialogs/DialogUnits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <cmath>

namespace {

// Falls back to the proportional IPA face by name: asking fontconfig for a
// Japanese sans-serif picks the monospaced IPAGothic.
constexpr const char* kFallbackFace = "IPAPGothic";

// Font databases may list a Japanese face under its English name.
QString EnglishName(const QString& strFace) {
    return strFace == QStringLiteral("ＭＳ Ｐゴシック") ? QStringLiteral("MS PGothic") : QString();
}

QString ChooseFamily(const QString& strWanted) {
    // Proportional, as the template's face is: a stand-in with character
    // cells (what the system may give for a face it lacks) would not do.
    for (const QString& strName :
         {strWanted, EnglishName(strWanted), QString::fromLatin1(kFallbackFace)}) {
        const QString strFamily = strName.isEmpty() ? QString() : JapaneseFamilyNamed(strName);
        if (!strFamily.isEmpty() && !HasCharacterCells(QFont(strFamily))) {
            return strFamily;
        }
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& strFamily : japanese) {
        if (!HasCharacterCells(QFont(strFamily))) {
            return strFamily;
        }
    }
    return japanese.isEmpty() ? QString() : japanese.front();
}

int MulDivRounded(int nValue, int nNumerator, int nDenominator) {
    const long long nProduct = static_cast<long long>(nValue) * nNumerator;
    const long long nHalf = nDenominator / 2;
    return static_cast<int>(nProduct >= 0 ? (nProduct + nHalf) / nDenominator
                                          : (nProduct - nHalf) / nDenominator);
}

} // namespace

QString JapaneseFamilyNamed(const QString& strName) {
    const QString strFamily = QFontInfo(QFont(strName)).family();
    return QFontDatabase::writingSystems(strFamily).contains(QFontDatabase::Japanese) ? strFamily
                                                                                      : QString();
}

bool HasCharacterCells(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal dCell = metrics.horizontalAdvance(QLatin1Char('0'));
    const auto isCells = [&](const QString& strText, int nCells) {
        return std::abs(metrics.horizontalAdvance(strText) - nCells * dCell) < 0.01;
    };
    // Narrow and wide letters alike take one cell; full-width forms, kana and
    // kanji two, the ideographic space included (reports indent with it).
    return dCell > 0 && isCells(QStringLiteral("iW .|m"), 6) &&
           isCells(QStringLiteral("ｗ０全テ\u3000"), 10) && isCells(QStringLiteral("ﾚﾃﾞｨ"), 4);
}

QFont DialogFont(const char* pszFace, int nPointSize) {
    const QString strWanted = QString::fromUtf8(pszFace ? pszFace : "");
    static QString strChosenFor;
    static QString strChosen;
    if (strChosenFor != strWanted || strChosen.isNull()) {
        strChosen = ChooseFamily(strWanted);
        strChosenFor = strWanted;
    }
    QFont font;
    if (!strChosen.isEmpty()) {
        font.setFamily(strChosen);
    }
    font.setPointSize(nPointSize);
    return font;
}

QSize DialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int nLetters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((nLetters / 26 + 1) / 2, metrics.height());
}

QRect MapDialogRect(const QRect& dialogUnits, const QSize& baseUnits) {
    const int nLeft = MulDivRounded(dialogUnits.x(), baseUnits.width(), 4);
    const int nTop = MulDivRounded(dialogUnits.y(), baseUnits.height(), 8);
    const int nRight = MulDivRounded(dialogUnits.x() + dialogUnits.width(), baseUnits.width(), 4);
    const int nBottom =
        MulDivRounded(dialogUnits.y() + dialogUnits.height(), baseUnits.height(), 8);
    return QRect(nLeft, nTop, nRight - nLeft, nBottom - nTop);
}
