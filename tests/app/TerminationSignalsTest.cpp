#include "app/TerminationSignals.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(TerminationSignalsTest, TermAndHupArriveInTheEventLoopAndOldHandlersComeBack) {
    // Whatever was there before comes back afterwards.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before[2]{};
    ASSERT_EQ(::sigaction(SIGTERM, &ignore, &before[0]), 0);
    ASSERT_EQ(::sigaction(SIGHUP, &ignore, &before[1]), 0);
    {
        CTerminationSignals watcher;
        ASSERT_TRUE(watcher.IsInstalled());
        QSignalSpy spy(&watcher, &CTerminationSignals::Received);
        ASSERT_EQ(::raise(SIGTERM), 0);
        ASSERT_EQ(::raise(SIGHUP), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return spy.count() == 2; }, 2000));
        EXPECT_EQ(spy[0][0].toInt(), SIGTERM);
        EXPECT_EQ(spy[1][0].toInt(), SIGHUP);

        // Only one instance owns the signals.
        CTerminationSignals second;
        EXPECT_FALSE(second.IsInstalled());
    }
    for (const int nSignal : {SIGTERM, SIGHUP}) {
        struct sigaction now {};
        ASSERT_EQ(::sigaction(nSignal, nullptr, &now), 0);
        EXPECT_EQ(now.sa_handler, SIG_IGN) << nSignal;
    }
    ::sigaction(SIGTERM, &before[0], nullptr);
    ::sigaction(SIGHUP, &before[1], nullptr);
}

} // namespace
