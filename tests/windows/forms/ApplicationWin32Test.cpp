// The application object under Wine: its window, the message loop, message
// boxes, the report of exceptions, the timer, Halt.
#include "tests/windows/forms/Win32FormsFixture.h"

#include <stdexcept>

#include "tests/windows/forms/ProbeForm.h"

using namespace formstest;
using forms::win32::kApplicationClass;

namespace {

using ApplicationWin32 = Win32Forms;

class FailingCreateForm : public ProbeForm {
public:
    explicit FailingCreateForm(TComponent* owner) : ProbeForm(owner) {
        OnCreate = [](TObject*) { throw Exception("settings unreadable"); };
    }
};

TEST_F(ApplicationWin32, WindowIsAnUnownedTopLevelWindowThatOwnsTheForms) {
    HWND application = static_cast<HWND>(Application->Handle());
    ASSERT_NE(IsWindow(application), FALSE);
    EXPECT_EQ(ClassName(application), kApplicationClass);
    EXPECT_EQ(GetWindow(application, GW_OWNER), nullptr);
    EXPECT_EQ(Style(application) & WS_CHILD, 0);

    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    EXPECT_EQ(GetWindow(Handle(*form), GW_OWNER), application);
    form->Show();
    // Shown with the first form, without size: it only carries the taskbar button.
    EXPECT_NE(IsWindowVisible(application), FALSE);
    RECT rect{};
    GetWindowRect(application, &rect);
    EXPECT_EQ(rect.right - rect.left, 0);
    EXPECT_EQ(rect.bottom - rect.top, 0);
}

TEST_F(ApplicationWin32, TitleStartsAsTheProgramNameAndIsTheWindowText) {
    HWND application = static_cast<HWND>(Application->Handle());
    EXPECT_EQ(Application->Title(), "forms_win32_test");
    EXPECT_EQ(Text(application), "forms_win32_test");
    Application->SetTitle("Edgeroam2");
    EXPECT_EQ(Text(application), "Edgeroam2");
}

TEST_F(ApplicationWin32, ToolWindowStyleAddedToTheHandleIsKept) {
    HWND application = static_cast<HWND>(Application->Handle());
    const LONG before = GetWindowLongA(application, GWL_EXSTYLE);
    SetWindowLongA(application, GWL_EXSTYLE, before | WS_EX_TOOLWINDOW);
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->Show();
    EXPECT_NE(ExStyle(application) & WS_EX_TOOLWINDOW, 0);
    SetWindowLongA(application, GWL_EXSTYLE, before);
}

struct CloseWay {
    const char* name;
    void (*close)(ProbeForm& form);
};

class RunEnds : public Win32Forms, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(RunEnds, WhenTheMainFormIsClosedAndThenDestroysTheForms) {
    ProbeForm* main = nullptr;
    ProbeForm* second = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(second);
    HWND mainWindow = Handle(*main);
    HWND secondWindow = Handle(*second);
    int ticks = 0;
    bool mainShownInLoop = false;
    main->timer.OnTimer = [&](TObject*) {
        ++ticks;
        if (ticks == 1) {
            mainShownInLoop = IsWindowVisible(mainWindow) != FALSE;
            second->Close();  // not the main form: the loop goes on
        } else if (ticks == 3) {
            GetParam().close(*main);
        }
    };
    main->timer.SetEnabled(true);

    EXPECT_TRUE(RunWithin(10s));
    EXPECT_TRUE(mainShownInLoop);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(IsWindow(mainWindow), FALSE);
    EXPECT_EQ(IsWindow(secondWindow), FALSE);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, RunEnds,
    ::testing::Values(CloseWay{"Close", [](ProbeForm& form) { form.Close(); }},
                      CloseWay{"CloseBox", [](ProbeForm& form) { PostMessageA(Handle(form), WM_CLOSE, 0, 0); }},
                      CloseWay{"TaskbarButtonClose",
                               [](ProbeForm&) {
                                   PostMessageA(static_cast<HWND>(Application->Handle()), WM_CLOSE, 0, 0);
                               }}),
    CaseName());

TEST_F(ApplicationWin32, RunReturnsAtOnceWhenTheMainFormWasClosedBeforeIt) {
    ProbeForm* main = nullptr;
    Application->CreateForm(main);
    main->Close();
    EXPECT_TRUE(RunWithin(5s));
    EXPECT_EQ(Application->MainForm(), nullptr);
}

struct BoxCase {
    int flags;
    int press;
};

class MessageBoxReturns : public Win32Forms, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MessageBoxReturns, ThePressedButton) {
    const BoxAnswerer answerer(GetParam().press);
    EXPECT_EQ(Application->MessageBox("Line one\nLine two", "Box caption", GetParam().flags), GetParam().press);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Seen()[0].caption, "Box caption");
    EXPECT_EQ(answerer.Seen()[0].text, "Line one\nLine two");
    EXPECT_FALSE(answerer.Seen()[0].hasIcon);
}

INSTANTIATE_TEST_SUITE_P(Buttons, MessageBoxReturns,
                         ::testing::Values(BoxCase{MB_OK, IDOK}, BoxCase{MB_YESNO, IDNO},
                                           BoxCase{MB_OKCANCEL, IDCANCEL}, BoxCase{MB_YESNOCANCEL, IDYES}));

TEST_F(ApplicationWin32, MessageBoxIsOwnedByTheApplicationWindowWithoutAnActiveForm) {
    const BoxAnswerer answerer;
    Application->MessageBox("text", "caption", MB_OK);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Seen()[0].owner, static_cast<HWND>(Application->Handle()));
}

TEST_F(ApplicationWin32, MessageBoxOfAFormOffTheScreenIsOwnedByItAndStillOnTheScreen) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->SetLeft(-500);
    form->Show();
    SetActiveWindow(Handle(*form));
    ASSERT_EQ(GetActiveWindow(), Handle(*form));

    const BoxAnswerer answerer;
    Application->MessageBox("text", "caption", MB_OK);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Seen()[0].owner, Handle(*form));
    const RECT box = answerer.Seen()[0].rect;
    EXPECT_GE(box.left, 0);
    EXPECT_LE(box.right, GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(ApplicationWin32, ShowExceptionShowsTheMessageUnderTheTitleWithAStopIcon) {
    Application->SetTitle("Edgeroam2");
    const BoxAnswerer answerer;
    Application->ShowException(Exception("'' is not a valid integer value"));
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Seen()[0].caption, "Edgeroam2");
    EXPECT_EQ(answerer.Seen()[0].text, "'' is not a valid integer value");
    EXPECT_TRUE(answerer.Seen()[0].hasIcon);
}

struct Failure {
    const char* name;
    void (*raise)();
    const char* report;
};

class HandlerFailure : public Win32Forms, public ::testing::WithParamInterface<Failure> {};

TEST_P(HandlerFailure, IsReportedInABoxAndTheLoopRunsOn) {
    ProbeForm* main = nullptr;
    Application->CreateForm(main);
    int ticks = 0;
    main->timer.OnTimer = [&](TObject*) {
        ++ticks;
        if (ticks == 1) {
            GetParam().raise();
        }
        if (ticks == 4) {
            main->Close();
        }
    };
    main->timer.SetEnabled(true);
    const BoxAnswerer answerer;
    EXPECT_TRUE(RunWithin(10s));
    EXPECT_GE(ticks, 4);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Seen()[0].text, GetParam().report);
    EXPECT_EQ(answerer.Seen()[0].caption, Application->Title());
}

INSTANTIATE_TEST_SUITE_P(
    Thrown, HandlerFailure,
    ::testing::Values(Failure{"Exception", [] { throw EConvertError("'x' is not a valid integer value"); },
                              "'x' is not a valid integer value"},
                      Failure{"OtherObject", [] { throw std::runtime_error("hidden"); }, ""}),
    CaseName());

TEST_F(ApplicationWin32, ExceptionInOnCreateIsReportedAndTheFormIsKept) {
    const BoxAnswerer answerer;
    FailingCreateForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Seen()[0].text, "settings unreadable");
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_NE(IsWindow(Handle(*form)), FALSE);
}

TEST_F(ApplicationWin32, TimerTicksThroughTheLoopAlsoWhileAMessageBoxIsOpen) {
    ProbeForm* main = nullptr;
    Application->CreateForm(main);
    std::atomic<int> ticks{0};
    int ticksBeforeBox = -1;
    int ticksAfterBox = -1;
    main->timer.OnTimer = [&](TObject*) {
        const int tick = ++ticks;
        if (tick == 1) {
            ticksBeforeBox = ticks;
            Application->MessageBox("waiting", "Timer test", MB_OK);
            ticksAfterBox = ticks;
            main->Close();
        }
    };
    main->timer.SetEnabled(true);
    // The box is answered once three more ticks have come in while it is open.
    const BoxAnswerer answerer(IDOK, [&] { return ticks >= 4; });
    EXPECT_TRUE(RunWithin(10s));
    EXPECT_EQ(ticksBeforeBox, 1);
    EXPECT_GE(ticksAfterBox, 4);
}

TEST_F(ApplicationWin32, TimerStopsWhenDisabledAndStartsAgainWhenEnabled) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(20);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));

    timer.SetEnabled(false);
    const int stoppedAt = ticks;
    PumpFor(250ms);
    EXPECT_EQ(ticks, stoppedAt);

    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= stoppedAt + 2; }));

    timer.SetInterval(0);  // no interval, no ticks
    const int zeroAt = ticks;
    PumpFor(250ms);
    EXPECT_EQ(ticks, zeroAt);
}

TEST(ApplicationWin32Exit, HaltEndsTheProcessWithItsStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(Halt(7), ::testing::ExitedWithCode(7), "");
}

}  // namespace
