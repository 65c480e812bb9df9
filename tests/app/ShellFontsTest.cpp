#include "app/ShellFonts.h"

#include "dialogs/DialogUnits.h"

#include <QFontInfo>
#include <gtest/gtest.h>

// The same families under every desktop language: tests/scripts/
// japanese_desktop.sh runs these again under ja_JP.UTF-8, where the font
// database names the families in Japanese.
namespace {

TEST(ShellFonts, TheLogKeepsCharacterCellsAndTheDialogsAreProportional) {
    const QString strIpa = JapaneseFamilyNamed(QStringLiteral("IPAGothic"));
    if (strIpa.isEmpty() || JapaneseFamilyNamed(QStringLiteral("IPAPGothic")).isEmpty()) {
        GTEST_SKIP() << "the IPA fonts are not installed";
    }
    EXPECT_EQ(QFontInfo(EditorFont()).family(), strIpa);
    EXPECT_EQ(QFontInfo(PrintFont()).family(), strIpa);
    EXPECT_EQ(QFontInfo(DialogFont()).family(), JapaneseFamilyNamed(QStringLiteral("IPAPGothic")));
    EXPECT_TRUE(HasCharacterCells(EditorFont()));
    EXPECT_TRUE(HasCharacterCells(PrintFont()));
    // The check tells the two apart.
    EXPECT_FALSE(HasCharacterCells(DialogFont()));
}

} // namespace
