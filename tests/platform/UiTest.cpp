#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/GameUi.h"
#include "platform/MainThread.h"
#include "platform/Process.h"
#include "platform/RecordingUi.h"
#include "platform/SerialUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

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

TEST(Clock, RandomStreamsRepeatOnAnyThreadAndLeaveTheProgramsGenerator) {
    const auto draw = [] {
        std::vector<int> numbers;
        for (int i = 0; i < 20; ++i) numbers.push_back(RandomInt(1000000));
        return numbers;
    };
    RandSeed(3);
    const std::vector<int> program = draw();
    std::vector<int> here, there, nested;
    RandSeed(3);
    {
        const ScopedRandomStream stream(42);
        here = draw();
        {
            const ScopedRandomStream inner(42);
            nested = draw();
        }
        std::thread other([&] { there = draw(); });  // the other thread keeps the program's generator
        other.join();
    }
    EXPECT_EQ(nested, here);
    EXPECT_EQ(there, program);
    std::vector<int> again;
    std::thread worker([&] {
        const ScopedRandomStream stream(42);
        again = draw();
    });
    worker.join();
    EXPECT_EQ(again, here);
}

TEST(Ui, SerialUiPassesCallsFromManyThreadsOneAtATime) {
    ScopedRecordingUi ui;
    {
        const ScopedSerialUi serial;
        EXPECT_NE(&TheUi(), &*ui);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([] {
                for (int i = 0; i < 500; ++i) {
                    TheUi().ProcessMessages();
                    TheUi().ShowProgress("step", i, 500);
                }
            });
        for (std::thread& thread : threads) thread.join();
    }
    EXPECT_EQ(&TheUi(), &*ui);
    EXPECT_EQ(ui->ProcessMessagesCalls, 2000);
    EXPECT_EQ(ui->Progress.size(), 2000u);
}

TEST(Fonts, InstalledFamiliesAndTheirSubstitutes) {
    std::string substitute;
    EXPECT_TRUE(FontFamilyInstalled("DejaVu Sans", substitute));
    EXPECT_TRUE(FontFamilyInstalled("liberation serif", substitute));
    EXPECT_FALSE(FontFamilyInstalled("No Such Face Anywhere", substitute));
    EXPECT_FALSE(substitute.empty());
}

TEST(MainThread, TasksPostedFromAWorkerRunOnTheCallerOfRunPostedTasks) {
    std::thread::id ranOn;
    std::thread worker([&] { PostToMainThread([&] { ranOn = std::this_thread::get_id(); }); });
    worker.join();
    EXPECT_EQ(ranOn, std::thread::id());
    RunPostedTasks();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}
