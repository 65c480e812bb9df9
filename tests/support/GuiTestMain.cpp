#include <QApplication>
#include <gtest/gtest.h>

// Widget tests share one QApplication. It is created only when tests are
// actually run, so that listing the tests (CTest's discovery) needs no
// display platform at all.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
