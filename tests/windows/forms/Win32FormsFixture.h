// The fixture of the Win32 form tests: an initialised application, and a
// fresh start (no forms, the title as it was) after each test.
#pragma once

#include <gtest/gtest.h>

#include "forms/ExtCtrls.h"
#include "tests/windows/forms/Win32FormsTesting.h"

// Names parameterised tests after their case's `name`.
struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& test) const {
        return test.param.name;
    }
};

class Win32Forms : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        title_ = Application->Title();
    }
    void TearDown() override {
        Application->DestroyForms();
        Application->SetTitle(title_);
        formstest::PumpFor(std::chrono::milliseconds(20));
    }

    // Runs the message loop; a watchdog closes the main form after `limit`.
    // Returns false if the watchdog had to.
    static bool RunWithin(std::chrono::milliseconds limit) {
        bool timedOut = false;
        TTimer watchdog(nullptr);
        watchdog.SetInterval(static_cast<unsigned>(limit.count()));
        watchdog.OnTimer = [&](TObject*) {
            timedOut = true;
            if (Application->MainForm() != nullptr) {
                Application->MainForm()->Close();
            }
        };
        Application->Run();
        return !timedOut;
    }

private:
    String title_;
};
