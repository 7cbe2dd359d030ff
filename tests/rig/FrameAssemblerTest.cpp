#include "FrameAssembler.h"
#include "CommandFrame.h"

#include <gtest/gtest.h>

namespace {

QByteArray frameOf(char fill) {
    return QByteArray(12, fill);
}

TEST(FrameAssembler, JoinsAFrameSplitOverReads) {
    FrameAssembler assembler(kCommandFrameSize);
    const QByteArray frame = frameOf('a');
    EXPECT_TRUE(assembler.Feed(frame.left(5), 0).isEmpty());
    EXPECT_TRUE(assembler.Feed(frame.mid(5, 4), 3).isEmpty());
    EXPECT_EQ(assembler.Feed(frame.mid(9), 9), QList<QByteArray>{frame});
}

TEST(FrameAssembler, DropsAFrameThatLostBytesAtTheNextPause) {
    FrameAssembler assembler(kCommandFrameSize);
    EXPECT_TRUE(assembler.Feed(frameOf('a').left(11), 0).isEmpty());
    EXPECT_EQ(assembler.Feed(frameOf('b'), 200), QList<QByteArray>{frameOf('b')});
}

TEST(FrameAssembler, SplitsFramesThatArriveTogether) {
    FrameAssembler assembler(kCommandFrameSize);
    EXPECT_EQ(assembler.Feed(frameOf('a') + frameOf('b') + frameOf('c').left(3), 0),
              (QList<QByteArray>{frameOf('a'), frameOf('b')}));
    EXPECT_EQ(assembler.Feed(frameOf('c').mid(3), 50), QList<QByteArray>{frameOf('c')});
}

TEST(FrameAssembler, KeepsAFrameWhoseBytesComeJustWithinThePause) {
    FrameAssembler assembler(kCommandFrameSize);
    EXPECT_TRUE(assembler.Feed(frameOf('a').left(6), 1000).isEmpty());
    EXPECT_EQ(assembler.Feed(frameOf('a').mid(6), 1000 + FrameAssembler::kGapMs),
              QList<QByteArray>{frameOf('a')});
}

} // namespace
