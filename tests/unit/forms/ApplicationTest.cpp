#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "forms/ComCtrls.h"
#include "forms/Controls.h"
#include "forms/ExtCtrls.h"
#include "forms/Forms.h"
#include "forms/Menus.h"
#include "forms/TrayIcon.h"
#include "forms/headless/Testing.h"
#include "tests/unit/forms/FreshApplication.h"

namespace {

using forms::testing::MessageBoxCall;
using testing::ElementsAre;
using testing::FieldsAre;

constexpr int kStopIcon = 0x10;

class ProbeForm;

// What the probe forms see and do; reset by the fixture.
struct Probe {
    ProbeForm** ref = nullptr;  // where CreateForm is to store the form
    std::vector<String> log;
    std::function<void()> onCreate;
    bool throwInConstructor = false;
};
Probe probe;

class ProbeForm : public TForm {
public:
    explicit ProbeForm(TComponent* owner) : TForm(owner) {
        probe.log.push_back(probe.ref != nullptr && *probe.ref == this ? "constructor sees itself" : "constructor blind");
        if (probe.throwInConstructor) {
            throw Exception("constructor failed");
        }
        OnCreate = [](TObject*) {
            probe.log.push_back("OnCreate");
            if (probe.onCreate) {
                probe.onCreate();
            }
        };
    }
    ~ProbeForm() override { probe.log.push_back("destroyed"); }
};

class ApplicationTest : public FreshApplication {
protected:
    void SetUp() override {
        FreshApplication::SetUp();
        probe = Probe{};
        Application->SetTitle("Edgeroam 2");
    }

    ProbeForm* Create() {
        ProbeForm* form = nullptr;
        probe.ref = &form;
        Application->CreateForm(form);
        return form;
    }
};

TEST_F(ApplicationTest, CreateFormStoresThePointerBeforeTheConstructorAndRunsOnCreateAfter) {
    ProbeForm* form = Create();
    ASSERT_NE(form, nullptr);
    EXPECT_THAT(probe.log, ElementsAre("constructor sees itself", "OnCreate"));
    EXPECT_EQ(form->Owner(), Application);
    EXPECT_TRUE(forms::testing::MessageBoxes().empty());
}

TEST_F(ApplicationTest, FirstFormIsMainAndOnlyItIsShownByRun) {
    ProbeForm* first = Create();
    ProbeForm* second = Create();
    EXPECT_EQ(Application->MainForm(), first);
    EXPECT_FALSE(first->Visible());

    second->Close();
    Application->Run();
    EXPECT_TRUE(first->Visible());
    EXPECT_FALSE(first->Closed());
    EXPECT_FALSE(second->Visible());
}

TEST_F(ApplicationTest, ClosingTheMainFormHidesItAndRunNoLongerShowsIt) {
    ProbeForm* form = Create();
    Application->Run();
    form->Close();
    EXPECT_TRUE(form->Closed());
    EXPECT_FALSE(form->Visible());
    Application->Run();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Application->MainForm(), form);
}

TEST_F(ApplicationTest, RunWithoutFormsReturns) { EXPECT_NO_THROW(Application->Run()); }

struct ThrownCase {
    const char* name;
    std::function<void()> raise;
    String message;
};

std::vector<ThrownCase> ThrownCases() {
    return {
        {"Exception", [] { throw Exception("Settings are broken"); }, "Settings are broken"},
        {"ConvertError", [] { StrToInt("ay"); }, "'ay' is not a valid integer value"},
        {"StdException", [] { throw std::runtime_error("not ours"); }, ""},
        {"Int", [] { throw 42; }, ""},
    };
}

class OnCreateErrorTest : public ApplicationTest, public testing::WithParamInterface<ThrownCase> {};

TEST_P(OnCreateErrorTest, IsReportedAndTheFormIsKept) {
    probe.onCreate = GetParam().raise;
    ProbeForm* form = nullptr;
    ASSERT_NO_THROW(form = Create());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_THAT(forms::testing::MessageBoxes(),
                ElementsAre(FieldsAre(GetParam().message, "Edgeroam 2", kStopIcon)));
    Application->Run();
    EXPECT_TRUE(form->Visible());
}

INSTANTIATE_TEST_SUITE_P(Thrown, OnCreateErrorTest, testing::ValuesIn(ThrownCases()),
                         [](const auto& param) { return String(param.param.name); });

TEST_F(ApplicationTest, ConstructorErrorLeavesNoFormBehind) {
    probe.throwInConstructor = true;
    ProbeForm* form = nullptr;
    probe.ref = &form;
    EXPECT_THROW(Application->CreateForm(form), Exception);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr);

    probe.throwInConstructor = false;
    ProbeForm* next = Create();
    EXPECT_EQ(Application->MainForm(), next);
}

TEST_F(ApplicationTest, ShowExceptionUsesTheCurrentTitle) {
    Application->SetTitle("Other");
    Application->ShowException(Exception("boom"));
    EXPECT_THAT(forms::testing::MessageBoxes(), ElementsAre(FieldsAre("boom", "Other", kStopIcon)));
}

TEST_F(ApplicationTest, MessageBoxesAreLoggedInOrderAndAnsweredOk) {
    EXPECT_EQ(Application->MessageBox("first", "Edgeroam 2", 0), 1);
    EXPECT_EQ(Application->MessageBox("second", "Other", 0x40), 1);
    EXPECT_THAT(forms::testing::MessageBoxes(),
                ElementsAre(FieldsAre("first", "Edgeroam 2", 0), FieldsAre("second", "Other", 0x40)));
    forms::testing::ClearMessageBoxes();
    EXPECT_TRUE(forms::testing::MessageBoxes().empty());
}

TEST_F(ApplicationTest, HaltIsSeenAsProgramExit) {
    try {
        Halt(3);
        FAIL() << "Halt returned";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.status, 3);
    }
}

TEST_F(ApplicationTest, HaltInOnCreatePassesTheGuardUnreported) {
    probe.onCreate = [] { Halt(0); };
    EXPECT_THROW(Create(), ProgramExit);
    EXPECT_TRUE(forms::testing::MessageBoxes().empty());
}

TEST_F(ApplicationTest, ResetDestroysFormsAndClearsState) {
    Create();
    Application->SetHint("/ok400");
    Application->SetName("edgeroam2");
    Application->MessageBox("text", "caption", 0);
    TPopupMenu menu(nullptr);
    menu.Popup(1, 2);

    forms::testing::ResetApplication();
    EXPECT_THAT(probe.log, ElementsAre("constructor sees itself", "OnCreate", "destroyed"));
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->Hint(), "");
    EXPECT_EQ(Application->Title(), "");
    EXPECT_EQ(Application->Name(), "");
    EXPECT_TRUE(forms::testing::MessageBoxes().empty());
    EXPECT_TRUE(forms::testing::Popups().empty());

    ProbeForm* fresh = Create();
    EXPECT_EQ(Application->MainForm(), fresh);
}

// Every event source: hooks up a handler, then raises the event once.
struct EventSource {
    const char* name;
    std::function<void(TComponent* owner, const std::function<void()>& handler)> fire;
};

std::vector<EventSource> EventSources() {
    return {
        {"Button",
         [](TComponent* owner, const std::function<void()>& handler) {
             TButton button(owner, nullptr);
             button.OnClick = [&](TObject*) { handler(); };
             button.Click();
         }},
        {"CheckBox",
         [](TComponent* owner, const std::function<void()>& handler) {
             TCheckBox box(owner, nullptr);
             box.OnClick = [&](TObject*) { handler(); };
             box.Click();
         }},
        {"EditChange",
         [](TComponent* owner, const std::function<void()>& handler) {
             TEdit edit(owner, nullptr);
             edit.OnChange = [&](TObject*) { handler(); };
             edit.SetText("typed");
         }},
        {"UpDown",
         [](TComponent* owner, const std::function<void()>& handler) {
             TUpDown updown(owner, nullptr);
             updown.OnClick = [&](TObject*, TUDBtnType) { handler(); };
             updown.Click(btNext);
         }},
        {"Timer",
         [](TComponent* owner, const std::function<void()>& handler) {
             TTimer timer(owner);
             timer.OnTimer = [&](TObject*) { handler(); };
             timer.Timer();
         }},
        {"MenuItem",
         [](TComponent* owner, const std::function<void()>& handler) {
             TMenuItem item(owner);
             item.OnClick = [&](TObject*) { handler(); };
             item.Click();
         }},
        {"TrayIcon",
         [](TComponent* owner, const std::function<void()>& handler) {
             TTrayIcon icon(owner);
             icon.OnClick = [&](TObject*) { handler(); };
             icon.Click();
         }},
    };
}

class EventGuardTest : public ApplicationTest, public testing::WithParamInterface<EventSource> {};

TEST_P(EventGuardTest, HandlerErrorIsReportedAndTheProgramRunsOn) {
    ProbeForm* form = Create();
    int calls = 0;
    GetParam().fire(form, [&] {
        ++calls;
        throw Exception("handler failed");
    });
    GetParam().fire(form, [&] { ++calls; });
    EXPECT_EQ(calls, 2);
    EXPECT_THAT(forms::testing::MessageBoxes(), ElementsAre(FieldsAre("handler failed", "Edgeroam 2", kStopIcon)));
}

TEST_P(EventGuardTest, NonExceptionIsReportedWithAnEmptyMessage) {
    ProbeForm* form = Create();
    GetParam().fire(form, [] { throw 7; });
    EXPECT_THAT(forms::testing::MessageBoxes(), ElementsAre(FieldsAre("", "Edgeroam 2", kStopIcon)));
}

TEST_P(EventGuardTest, HaltPassesUnreported) {
    ProbeForm* form = Create();
    try {
        GetParam().fire(form, [] { Halt(0); });
        FAIL() << "Halt was swallowed";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.status, 0);
    }
    EXPECT_TRUE(forms::testing::MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Sources, EventGuardTest, testing::ValuesIn(EventSources()),
                         [](const auto& param) { return String(param.param.name); });

}  // namespace
