#include "launcher/Launcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "forms/headless/Testing.h"
#include "shared/Settings.h"
#include "shared/headless/TestRegistry.h"
#include "tests/unit/shared/FreshSettingsStore.h"

namespace {

using forms::testing::MessageBoxes;
using testing::ElementsAre;
using testing::IsEmpty;

constexpr char kLauncherPath[] = "C:\\Users\\Ann\\AppData\\Local\\Programs\\Edgeroam 2\\Edgeroam2StartUp.exe";
constexpr char kServicePath[] = "C:\\Users\\Ann\\AppData\\Local\\Programs\\Edgeroam 2\\edgeroam2.exe";
constexpr char kQuotedLauncher[] = "\"C:\\Users\\Ann\\AppData\\Local\\Programs\\Edgeroam 2\\Edgeroam2StartUp.exe\"";

// A parameterised case's name: its description with blanks as underscores.
template <class Case>
std::string CaseName(const testing::TestParamInfo<Case>& param) {
    std::string name = param.param.what;
    for (char& c : name) {
        if (c == ' ') {
            c = '_';
        }
    }
    return name;
}

MATCHER_P(Box, text, "") { return arg.text == text && arg.caption == kLauncherCaption && arg.flags == 0; }

struct Started {
    String path;
    String arguments;
    bool operator==(const Started&) const = default;
};

void PrintTo(const Started& s, std::ostream* os) { *os << s.path << " " << s.arguments; }

// Records what the launcher asks of the system; each answer can be set.
class FakeLauncherPlatform : public LauncherPlatform {
public:
    String ProgramPath() override { return path; }
    std::optional<String> RunEntry() override { return runEntry; }
    bool SetRunEntry(const String& data) override {
        ++runEntryWrites;
        if (!setSucceeds) {
            return false;
        }
        runEntry = data;
        return true;
    }
    bool RemoveRunEntry() override {
        if (!removeSucceeds) {
            return false;
        }
        runEntry.reset();
        return true;
    }
    bool StartProgram(const String& program, const String& arguments) override {
        starts.push_back({program, arguments});
        return startSucceeds;
    }

    String path = kLauncherPath;
    std::optional<String> runEntry;
    int runEntryWrites = 0;
    bool setSucceeds = true;
    bool removeSucceeds = true;
    bool startSucceeds = true;
    std::vector<Started> starts;
};

std::vector<unsigned char> WithNul(const std::string& text) {
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

class LauncherTest : public FreshSettingsStore {
protected:
    static void Store(const char* name, const std::string& text) {
        registry().PutValue(kSettingsKey, name, kRegistryText, WithNul(text));
    }
    static const RawValue* Stored(const char* name) { return registry().FindValue(kSettingsKey, name); }

    FakeLauncherPlatform platform;
};

TEST_F(LauncherTest, FirstStartSeedsEverySettingAsExpandableText) {
    EXPECT_EQ(RunLauncher(platform), 0);
    const std::map<std::string, std::string> expected{{"OnStartUp", "0"},
                                                      {"RecogActive", "1"},
                                                      {"HoriRecog", "0"},
                                                      {"VertRecog", "0"},
                                                      {"RecogTimeout", "1000"}};
    EXPECT_EQ(registry().ValueCount(kSettingsKey), expected.size());
    for (const auto& [name, text] : expected) {
        const RawValue* value = Stored(name.c_str());
        ASSERT_NE(value, nullptr) << name;
        EXPECT_EQ(value->type, kRegistryExpandableText) << name;
        EXPECT_EQ(value->data, WithNul(text)) << name;
    }
    EXPECT_THAT(platform.starts, ElementsAre(Started{kServicePath, "/ok1000"}));
    EXPECT_FALSE(platform.runEntry.has_value());
    EXPECT_THAT(MessageBoxes(), IsEmpty());
}

TEST_F(LauncherTest, DefaultsAreTheTextsThatAreSeeded) {
    std::vector<std::string> names;
    for (const SettingDefault& setting : SettingDefaults()) {
        names.emplace_back(setting.name);
    }
    EXPECT_THAT(names, ElementsAre("OnStartUp", "RecogActive", "HoriRecog", "VertRecog", "RecogTimeout"));
}

// Whatever the user stored stays byte for byte, also texts the launcher
// cannot use; only what is missing is added.
struct StoredBefore {
    const char* what;
    std::map<std::string, std::string> values;
};

void PrintTo(const StoredBefore& c, std::ostream* os) { *os << c.what; }

class LauncherKeepsStoredTest : public LauncherTest, public testing::WithParamInterface<StoredBefore> {};

TEST_P(LauncherKeepsStoredTest, AndAddsOnlyWhatIsMissing) {
    for (const auto& [name, text] : GetParam().values) {
        Store(name.c_str(), text);
    }
    RunLauncher(platform);
    for (const SettingDefault& setting : SettingDefaults()) {
        const RawValue* value = Stored(setting.name);
        ASSERT_NE(value, nullptr) << setting.name;
        const auto kept = GetParam().values.find(setting.name);
        if (kept != GetParam().values.end()) {
            EXPECT_EQ(value->type, kRegistryText) << setting.name;
            EXPECT_EQ(value->data, WithNul(kept->second)) << setting.name;
        } else {
            EXPECT_EQ(value->data, WithNul(setting.text)) << setting.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, LauncherKeepsStoredTest,
    testing::Values(StoredBefore{"all five", {{"OnStartUp", "0"}, {"RecogActive", "0"}, {"HoriRecog", "2"},
                                              {"VertRecog", "-1"}, {"RecogTimeout", "300"}}},
                    StoredBefore{"only the actions", {{"HoriRecog", "3"}, {"VertRecog", "5"}}},
                    StoredBefore{"empty texts", {{"RecogTimeout", ""}, {"HoriRecog", ""}}},
                    StoredBefore{"texts that are no numbers", {{"RecogTimeout", "soon"}, {"OnStartUp", "yes"}}}),
    CaseName<StoredBefore>);

TEST_F(LauncherTest, ValueOfAnotherTypeIsNotReplaced) {
    registry().PutValue(kSettingsKey, kSettingRecogTimeout, 4, {0xF4, 0x01, 0, 0});
    EXPECT_EQ(RunLauncher(platform), 0);
    EXPECT_EQ(Stored(kSettingRecogTimeout)->type, 4u);
    EXPECT_THAT(platform.starts, ElementsAre(Started{kServicePath, "/ok1000"}));
}

// Stored texts and the service's argument text that follows from them.
struct StartCase {
    const char* recogActive;
    const char* recogTimeout;
    const char* arguments;
};

class LauncherArgumentsTest : public LauncherTest, public testing::WithParamInterface<StartCase> {};

TEST_P(LauncherArgumentsTest, StartsTheServiceBesideTheLauncher) {
    Store(kSettingRecogActive, GetParam().recogActive);
    Store(kSettingRecogTimeout, GetParam().recogTimeout);
    EXPECT_EQ(RunLauncher(platform), 0);
    EXPECT_THAT(platform.starts, ElementsAre(Started{kServicePath, GetParam().arguments}));
    EXPECT_THAT(MessageBoxes(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Settings, LauncherArgumentsTest,
                         testing::Values(StartCase{"1", "400", "/ok400"}, StartCase{"1", "50", "/ok50"},
                                         StartCase{"1", "5000", "/ok5000"}, StartCase{"0", "400", "/ok0"},
                                         StartCase{"0", "", "/ok0"}, StartCase{"2", "250", "/ok250"},
                                         StartCase{"-1", "250", "/ok250"}, StartCase{"", "250", "/ok250"},
                                         StartCase{"on", "250", "/ok250"}, StartCase{"1", "49", "/ok1000"},
                                         StartCase{"1", "5001", "/ok1000"}, StartCase{"1", "-200", "/ok1000"},
                                         StartCase{"1", "", "/ok1000"}, StartCase{"1", "1e3", "/ok1000"},
                                         StartCase{"1", "99999999999", "/ok1000"},
                                         StartCase{"1", " 300", "/ok300"}));

// The three texts the launcher reads, and what it makes of them.
struct SettingsCase {
    const char* onStartUp;
    const char* recogActive;
    const char* recogTimeout;
    LaunchSettings expected;
};

class LaunchSettingsFromTest : public testing::TestWithParam<SettingsCase> {};

TEST_P(LaunchSettingsFromTest, ConvertsOrFallsBack) {
    const SettingsCase& c = GetParam();
    const LaunchSettings settings = LaunchSettingsFrom(c.onStartUp, c.recogActive, c.recogTimeout);
    EXPECT_EQ(settings.onStartUp, c.expected.onStartUp);
    EXPECT_EQ(settings.recogActive, c.expected.recogActive);
    EXPECT_EQ(settings.recogTimeoutMs, c.expected.recogTimeoutMs);
}

INSTANTIATE_TEST_SUITE_P(Texts, LaunchSettingsFromTest,
                         testing::Values(SettingsCase{"1", "1", "200", {true, true, 200}},
                                         SettingsCase{"0", "0", "200", {false, false, 200}},
                                         SettingsCase{"", "", "", {false, true, 1000}},
                                         SettingsCase{"x", "x", "x", {false, true, 1000}},
                                         SettingsCase{"7", "-3", "+75", {true, true, 75}},
                                         SettingsCase{"1", "1", "0", {true, true, 1000}}));

TEST(ServiceArgumentsTest, CarriesTheSwitchAndTheTimeoutOrZero) {
    EXPECT_EQ(ServiceArguments({false, true, 1000}), "/ok1000");
    EXPECT_EQ(ServiceArguments({true, true, 75}), "/ok75");
    EXPECT_EQ(ServiceArguments({false, false, 1000}), "/ok0");
}

TEST(DirectoryOfTest, KeepsTheLastBackslash) {
    const std::pair<const char*, const char*> cases[] = {
        {"E:\\Programs\\Pointer\\Edgeroam2StartUp.exe", "E:\\Programs\\Pointer\\"},
        {"D:\\Edgeroam2StartUp.exe", "D:\\"},
        {"\\\\server\\share\\e\\Edgeroam2StartUp.exe", "\\\\server\\share\\e\\"},
        {"Edgeroam2StartUp.exe", ""},
        {"", ""},
    };
    for (const auto& [path, directory] : cases) {
        EXPECT_EQ(DirectoryOf(path), directory) << path;
    }
}

TEST(RunEntryDataTest, QuotesThePathSoThatBlanksStayInIt) {
    EXPECT_EQ(RunEntryData(kLauncherPath), kQuotedLauncher);
}

// "OnStartUp" and the Run entry before the start, and the entry after it.
struct RunEntryCase {
    const char* what;
    const char* onStartUp;
    std::optional<String> before;
    std::optional<String> after;
    int writes;
};

void PrintTo(const RunEntryCase& c, std::ostream* os) { *os << c.what; }

class LauncherRunEntryTest : public LauncherTest, public testing::WithParamInterface<RunEntryCase> {};

TEST_P(LauncherRunEntryTest, FollowsOnStartUp) {
    const RunEntryCase& c = GetParam();
    Store(kSettingOnStartUp, c.onStartUp);
    platform.runEntry = c.before;
    EXPECT_EQ(RunLauncher(platform), 0);
    EXPECT_EQ(platform.runEntry, c.after);
    EXPECT_EQ(platform.runEntryWrites, c.writes);
    EXPECT_THAT(MessageBoxes(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    States, LauncherRunEntryTest,
    testing::Values(RunEntryCase{"on adds it", "1", std::nullopt, kQuotedLauncher, 1},
                    RunEntryCase{"on leaves a right one alone", "1", kQuotedLauncher, kQuotedLauncher, 0},
                    RunEntryCase{"on points a moved one here", "1", "\"D:\\old\\Edgeroam2StartUp.exe\"",
                                 kQuotedLauncher, 1},
                    RunEntryCase{"off removes it", "0", kQuotedLauncher, std::nullopt, 0},
                    RunEntryCase{"off without one", "0", std::nullopt, std::nullopt, 0},
                    RunEntryCase{"unreadable means off", "sometimes", kQuotedLauncher, std::nullopt, 0}),
    CaseName<RunEntryCase>);

// A Run entry that cannot be changed is reported; the service still starts.
struct RunEntryFailure {
    const char* what;
    const char* onStartUp;
    bool setSucceeds;
    bool removeSucceeds;
    const char* message;
};

void PrintTo(const RunEntryFailure& c, std::ostream* os) { *os << c.what; }

class LauncherRunEntryFailureTest : public LauncherTest, public testing::WithParamInterface<RunEntryFailure> {};

TEST_P(LauncherRunEntryFailureTest, IsReportedAndTheServiceStillStarts) {
    const RunEntryFailure& c = GetParam();
    Store(kSettingOnStartUp, c.onStartUp);
    platform.runEntry = "\"D:\\old\\Edgeroam2StartUp.exe\"";
    platform.setSucceeds = c.setSucceeds;
    platform.removeSucceeds = c.removeSucceeds;
    EXPECT_EQ(RunLauncher(platform), 0);
    EXPECT_THAT(MessageBoxes(), ElementsAre(Box(c.message)));
    EXPECT_EQ(platform.starts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, LauncherRunEntryFailureTest,
    testing::Values(RunEntryFailure{"not written", "1", false, true,
                                    "Edgeroam 2 could not be added to the programs that start with Windows."},
                    RunEntryFailure{"not removed", "0", true, false,
                                    "Edgeroam 2 could not be removed from the programs that start with Windows."}),
    CaseName<RunEntryFailure>);

TEST_F(LauncherTest, ServiceThatCannotBeStartedIsReportedWithAFailingStatus) {
    platform.startSucceeds = false;
    EXPECT_EQ(RunLauncher(platform), 1);
    EXPECT_THAT(MessageBoxes(), ElementsAre(Box(std::string("Edgeroam 2 could not be started:\n") + kServicePath)));
}

TEST_F(LauncherTest, UnknownOwnPathStartsNothingAndTouchesNoRunEntry) {
    platform.path = "";
    platform.runEntry = kQuotedLauncher;
    EXPECT_EQ(RunLauncher(platform), 1);
    EXPECT_THAT(platform.starts, IsEmpty());
    EXPECT_EQ(platform.runEntry, kQuotedLauncher);
    EXPECT_THAT(MessageBoxes(), ElementsAre(Box("Edgeroam 2 could not find the folder it was started from.")));
}

TEST_F(LauncherTest, KeyThatCannotBeOpenedWritesNothingAndStartsWithDefaults) {
    registry().FailCreateKey(kRegistryAccessDenied);
    EXPECT_EQ(RunLauncher(platform), 0);
    EXPECT_FALSE(registry().HasKey(kSettingsKey));
    EXPECT_THAT(platform.starts, ElementsAre(Started{kServicePath, "/ok1000"}));
    // The store reports each read; no write is tried, so none is reported.
    EXPECT_THAT(MessageBoxes(), testing::Not(IsEmpty()));
    EXPECT_THAT(MessageBoxes(), testing::Each(testing::Field(&forms::testing::MessageBoxCall::text,
                                                             "could not open registry key")));
}

TEST_F(LauncherTest, SecondStartChangesNothingStored) {
    RunLauncher(platform);
    Store(kSettingRecogTimeout, "250");
    RunLauncher(platform);
    EXPECT_EQ(Stored(kSettingRecogTimeout)->data, WithNul("250"));
    EXPECT_THAT(platform.starts, ElementsAre(Started{kServicePath, "/ok1000"}, Started{kServicePath, "/ok250"}));
}

}  // namespace
