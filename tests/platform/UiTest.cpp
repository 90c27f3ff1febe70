#include "platform/Clock.h"
#include "platform/GameUi.h"
#include "platform/MainThread.h"
#include "platform/Process.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>
#include <thread>

TEST(Ui, RecordingUiReplacesTheProcessUiAndAnswersFromItsScripts) {
    {
        ScopedRecordingUi ui;
        ui->Answers = {true};
        ui->Files = {std::string("/tmp/a.sav")};
        TheUi().Message("Ошибка"_cp);
        EXPECT_TRUE(TheUi().AskYesNo("?"));
        EXPECT_FALSE(TheUi().AskYesNo("?"));
        EXPECT_EQ(TheUi().ChooseOpenFile({}), std::optional<std::string>("/tmp/a.sav"));
        EXPECT_EQ(TheUi().ChooseSaveFile({}), std::nullopt);
        ASSERT_EQ(ui->Messages.size(), 1u);
        EXPECT_EQ(ui->Messages[0], "Ошибка"_cp);
    }
    EXPECT_EQ(dynamic_cast<RecordingUi*>(&TheUi()), nullptr);
}

TEST(Ui, OnlyWebAndFileLinksAreOpenable) {
    EXPECT_TRUE(IsOpenableLink("https://example.org/a"));
    EXPECT_TRUE(IsOpenableLink("HTTP://example.org"));
    EXPECT_TRUE(IsOpenableLink("file:///usr/share/doc"));
    EXPECT_FALSE(IsOpenableLink("javascript:alert(1)"));
    EXPECT_FALSE(IsOpenableLink("/bin/sh"));
    EXPECT_FALSE(IsOpenableLink("-e"));
    EXPECT_FALSE(IsOpenableLink(""));
}

TEST(Ui, ZenityFiltersFollowTheWindowsPairs) {
    const auto args = ZenityFilterArguments("Файлы записи|*.sav|Все файлы|*.*"_cp);
    ASSERT_EQ(args.size(), 2u);
    EXPECT_EQ(args[0], "--file-filter=Файлы записи | *.sav");
    EXPECT_EQ(args[1], "--file-filter=Все файлы | *");
}

TEST(Process, RunsWithoutAShellAndCollectsOutput) {
    const ProcessResult echoed = RunProcess({"echo", "$HOME;", "a b"});
    EXPECT_EQ(echoed.exitCode, 0);
    EXPECT_EQ(echoed.output, "$HOME; a b\n");
    EXPECT_EQ(RunProcess({"false"}).exitCode, 1);
    EXPECT_EQ(RunProcess({"no-such-program-here"}).exitCode, -1);
}

TEST(Clock, ManualClockDrivesTheTickAndRandomIsSeedable) {
    {
        ManualClock clock(500);
        EXPECT_EQ(TickCount(), 500u);
        clock.Advance(20);
        EXPECT_EQ(TickCount(), 520u);
    }
    RandSeed(7);
    const int a = RandomInt(1000), b = RandomInt(1000);
    RandSeed(7);
    EXPECT_EQ(RandomInt(1000), a);
    EXPECT_EQ(RandomInt(1000), b);
    EXPECT_EQ(RandomInt(0), 0);
    for (int i = 0; i < 100; ++i) {
        const int r = RandomInt(3);
        EXPECT_TRUE(r >= 0 && r < 3);
    }
}

TEST(MainThread, TasksPostedFromAWorkerRunOnTheCallerOfRunPostedTasks) {
    std::thread::id ranOn;
    std::thread worker([&] { PostToMainThread([&] { ranOn = std::this_thread::get_id(); }); });
    worker.join();
    EXPECT_EQ(ranOn, std::thread::id());
    RunPostedTasks();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}
