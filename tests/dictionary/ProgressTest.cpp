#include "platform/Progress.h"
#include "platform/RecordingUi.h"

#include <gtest/gtest.h>

TEST(Progress, AdvancePastTheMaximumDoublesIt) {
    ScopedRecordingUi ui;
    {
        TfmProgress progress;
        progress.Start("Чтение", 100);
        progress.Advance(150);
        EXPECT_EQ(progress.Position(), 150);
        EXPECT_EQ(progress.Maximum(), 200);
        progress.Advance(10);
        EXPECT_EQ(progress.Maximum(), 200);
        // A step larger than the maximum still keeps the bar inside its range.
        progress.Advance(1000);
        EXPECT_EQ(progress.Position(), 1160);
        EXPECT_EQ(progress.Maximum(), 1600);
        progress.Start("x", 0);
        progress.Advance(3);
        EXPECT_EQ(progress.Maximum(), 4);
        EXPECT_EQ(ui->ProgressHidden, 0);
    }
    EXPECT_EQ(ui->ProgressHidden, 1);
    ASSERT_GE(ui->Progress.size(), 3u);
    EXPECT_EQ(ui->Progress[0].text, "Чтение");
    EXPECT_EQ(ui->Progress[0].position, 0);
    EXPECT_EQ(ui->Progress[1].position, 150);
    EXPECT_EQ(ui->Progress[1].maximum, 200);
    // Every step lets the window repaint.
    EXPECT_EQ(ui->ProcessMessagesCalls, 4);
}

TEST(Progress, NeverShownNeverHidden) {
    ScopedRecordingUi ui;
    { TfmProgress progress; }
    EXPECT_EQ(ui->ProgressHidden, 0);
}
