// Shared by the options window's tests: a fresh application, unit and
// registry for every test, the stored settings, and the program's ends.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/headless/Testing.h"
#include "options/Option.h"
#include "shared/Settings.h"
#include "shared/headless/TestRegistry.h"

inline constexpr char kCaption[] = "Edgeroam 2";
inline constexpr char kRangeText[] = "Timeout must be between 50 and 5000 m/secs";
inline constexpr char kSavedText[] = "New settings will take affect next time Edgeroam 2 is started.";

// The five texts in the store, in the order the window reads and writes them.
struct StoredSettings {
    std::string onStartUp = "0";
    std::string recogActive = "0";
    std::string horiRecog = "0";
    std::string vertRecog = "0";
    std::string recogTimeout = "200";
};

// A message box of the window: its text, the caption "Edgeroam 2", OK only.
MATCHER_P(EditorBox, text, "") { return arg.text == text && arg.caption == kCaption && arg.flags == 0; }

inline std::string NotAnInteger(const std::string& text) { return "'" + text + "' is not a valid integer value"; }

class OptionTest : public ::testing::Test {
protected:
    void SetUp() override { FreshStart(); }
    void TearDown() override {
        EXPECT_EQ(registry().OpenKeys(), 0u);
        FreshStart();
    }

    static FakeRegistry& registry() { return TestRegistry(); }

    static void Store(const char* name, const std::string& text) {
        std::vector<unsigned char> data(text.begin(), text.end());
        data.push_back(0);
        registry().PutValue(kSettingsKey, name, kRegistryExpandableText, std::move(data));
    }

    static void StoreAll(const StoredSettings& s) {
        Store(kSettingOnStartUp, s.onStartUp);
        Store(kSettingRecogActive, s.recogActive);
        Store(kSettingHoriRecog, s.horiRecog);
        Store(kSettingVertRecog, s.vertRecog);
        Store(kSettingRecogTimeout, s.recogTimeout);
    }

    // The start-up's creation of the window; FormCreate runs inside it.
    static TForm1& Open() {
        Application->CreateForm(Form1);
        return *Form1;
    }

    static TForm1& OpenWith(const StoredSettings& s) {
        StoreAll(s);
        TForm1& form = Open();
        forms::testing::ClearMessageBoxes();
        return form;
    }

    // The status the program ended with, or nothing when it goes on.
    static std::optional<int> ExitStatusOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const ProgramExit& end) {
            return end.status;
        }
        return std::nullopt;
    }

    // The user types into the timeout box: each text in turn, as the edit box
    // reports every change.
    static void Type(TForm1& form, const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            form.txtRecogTimeout.SetText(text);
        }
    }

    // Either the range message alone was shown, or nothing.
    static void ExpectOnlyRangeMessage(bool shown) {
        if (shown) {
            EXPECT_THAT(forms::testing::MessageBoxes(), ::testing::ElementsAre(EditorBox(kRangeText)));
        } else {
            EXPECT_THAT(forms::testing::MessageBoxes(), ::testing::IsEmpty());
        }
    }

    static std::vector<std::string> ShownTexts() {
        std::vector<std::string> texts;
        for (const auto& box : forms::testing::MessageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    // Texts of the settings as stored now; "" for a missing value.
    static std::vector<std::string> StoredTexts() {
        std::vector<std::string> texts;
        for (const char* name : {kSettingOnStartUp, kSettingRecogActive, kSettingHoriRecog, kSettingVertRecog,
                                 kSettingRecogTimeout}) {
            const RawValue* value = registry().FindValue(kSettingsKey, name);
            texts.push_back(value == nullptr || value->data.empty()
                                ? std::string()
                                : std::string(value->data.begin(), value->data.end() - 1));
        }
        return texts;
    }

private:
    static void FreshStart() {
        forms::testing::ResetApplication();
        ResetOptionUnit();
        registry().Reset();
    }
};

// Names the cases of a table by their "what", in test names and failures.
struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
        return param.param.what;
    }
};
