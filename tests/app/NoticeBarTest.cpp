#include "app/NoticeBar.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

CFileIdentity Known() {
    CFileIdentity known;
    known.bExists = true;
    known.nDevice = 8;
    known.nInode = 100;
    known.nSize = 2000;
    known.nMtimeNs = 10;
    known.nCtimeNs = 10;
    return known;
}

struct CChangeCase {
    const char* pszName;
    void (*fnChange)(CFileIdentity&);
    const char8_t* pszText;
};

TEST(DescribeChangeOnDisk, SaysWhatBecameOfTheFile) {
    const CChangeCase kCases[] = {
        {"grown", [](CFileIdentity& f) { f.nSize = 3234; }, u8"1,234 バイト増えました"},
        {"shrunk", [](CFileIdentity& f) { f.nSize = 1; }, u8"1,999 バイト減りました"},
        {"same size", [](CFileIdentity& f) { f.nCtimeNs = 11; }, u8"内容が書き換えられました"},
        {"renamed over", [](CFileIdentity& f) { f.nInode = 7; },
         u8"別のファイルに置き換えられました"},
        {"gone", [](CFileIdentity& f) { f = CFileIdentity{}; }, u8"削除されたか名前が変わりました"},
    };
    for (const CChangeCase& c : kCases) {
        CFileIdentity now = Known();
        c.fnChange(now);
        EXPECT_EQ(DescribeChangeOnDisk(Known(), now).toStdString(),
                  reinterpret_cast<const char*>(c.pszText))
            << c.pszName;
    }
    CFileIdentity made = Known();
    EXPECT_EQ(DescribeChangeOnDisk(CFileIdentity{}, made), QStringLiteral("新しく作られました"));
}

// Shown, updated, clicked: the keyboard stays in the field being typed in.
TEST(NoticeBar, NeverTakesTheKeyboard) {
    QWidget window;
    auto* pLayout = new QVBoxLayout(&window);
    auto* pBar = new CNoticeBar(&window);
    auto* pEdit = new QLineEdit(&window);
    pLayout->addWidget(pBar);
    pLayout->addWidget(pEdit);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    pEdit->setFocus();
    ASSERT_TRUE(pEdit->hasFocus());
    EXPECT_TRUE(pBar->Text().isEmpty());

    int nReloads = 0;
    int nIgnores = 0;
    QObject::connect(pBar, &CNoticeBar::ReloadClicked, [&] { ++nReloads; });
    QObject::connect(pBar, &CNoticeBar::IgnoreClicked, [&] { ++nIgnores; });
    pBar->Announce(QStringLiteral("one"), true);
    pBar->Announce(QStringLiteral("two"), false);
    EXPECT_EQ(pBar->Text(), QStringLiteral("two"));
    EXPECT_FALSE(pBar->ReloadButton()->isVisible());
    pBar->Announce(QStringLiteral("three"), true);
    EXPECT_TRUE(pBar->ReloadButton()->isVisible());
    QTest::mouseClick(pBar->ReloadButton(), Qt::LeftButton);
    QTest::mouseClick(pBar->IgnoreButton(), Qt::LeftButton);
    EXPECT_EQ(nReloads, 1);
    EXPECT_EQ(nIgnores, 1);
    EXPECT_TRUE(pEdit->hasFocus());
    QTest::keyClicks(pEdit, QStringLiteral("x y"));
    EXPECT_EQ(pEdit->text(), QStringLiteral("x y"));
    pBar->Dismiss();
    EXPECT_TRUE(pBar->Text().isEmpty());
    EXPECT_TRUE(pEdit->hasFocus());
}

} // namespace
