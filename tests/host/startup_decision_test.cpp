#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "replay/StartupDecision.h"
#include "replay/StartupTexts.h"

namespace {
// Answers from a script and records what was asked, in order.
class ScriptedUi : public StartupUi {
public:
    bool q1 = true;
    bool q2 = true;
    std::deque<PickResult> picks;
    std::set<std::string> folders;  // the folders that exist
    std::vector<std::string> asked;

    bool AskGameNotInstalled() override
    {
        asked.push_back("q1");
        return q1;
    }
    bool AskFolderMissing() override
    {
        asked.push_back("q2");
        return q2;
    }
    PickResult PickFolder() override
    {
        asked.push_back("pick");
        if (picks.empty())
            ADD_FAILURE() << "picker opened more often than scripted";
        if (picks.empty())
            return {};
        PickResult r = picks.front();
        picks.pop_front();
        return r;
    }
    bool FolderExists(const std::string& path) override
    {
        asked.push_back("exists " + path);
        return folders.count(path) != 0;
    }
};

PickResult Cancelled() { return {PickResult::Kind::Cancelled, {}}; }
PickResult Picked(std::string folder) { return {PickResult::Kind::Folder, std::move(folder)}; }
PickResult NoPath() { return {PickResult::Kind::NoPath, {}}; }

const std::string kAppData = "C:\\Users\\u\\AppData\\Roaming";
const std::string kNtFolder = "C:\\Users\\u\\AppData\\Roaming\\Sega\\PuyoF\\";

StartupFacts Nt(std::string install) { return {true, std::move(install), kAppData}; }
StartupFacts Older(std::string install) { return {false, std::move(install), kAppData}; }

using Asked = std::vector<std::string>;
}  // namespace

TEST(StartupDecision, Texts)
{
    EXPECT_STREQ(startup::kGameNotInstalledText,
                 "ぷよぷよフィーバーがインストールされていません。\r\n続ける場合はOKを押してください。");
    // "？" is the full-width question mark, 81 48.
    EXPECT_NE(std::string(startup::kFolderMissingText).find("\x81\x48(未保証)\r\nキャンセル"), std::string::npos);
    EXPECT_STREQ(startup::kPickFolderInstruction,
                 "データを保存するフォルダを指定してください。\r\n(ここにリプレイが保存されます)");
    EXPECT_STREQ(startup::kQuestionCaption, "\x83\x47\x83\x89\x81\x5B");
}

TEST(StartupDecision, NtFolderPresent)
{
    struct Case {
        const char* name;
        std::string install;
        bool q1;
        std::optional<std::string> result;
        Asked asked;
    } cases[] = {
        {"installed: no question", "C:\\Game", true, kNtFolder, {"exists " + kNtFolder}},
        {"no record, OK", "", true, kNtFolder, {"q1", "exists " + kNtFolder}},
        {"no record, Cancel ends at once", "", false, std::nullopt, {"q1"}},
    };
    for (const auto& c : cases) {
        ScriptedUi ui;
        ui.q1 = c.q1;
        ui.folders = {kNtFolder};
        EXPECT_EQ(LocateReplayFolder(Nt(c.install), ui), c.result) << c.name;
        EXPECT_EQ(ui.asked, c.asked) << c.name;
    }
}

TEST(StartupDecision, AppDataFolderWithFinalBackslash)
{
    ScriptedUi ui;
    ui.folders = {kNtFolder};
    EXPECT_EQ(LocateReplayFolder({true, "C:\\Game", kAppData + "\\"}, ui), kNtFolder);
}

TEST(StartupDecision, FolderMissing)
{
    struct Case {
        const char* name;
        StartupFacts facts;
        bool q1;
        bool q2;
        std::vector<PickResult> picks;
        std::optional<std::string> result;
        Asked asked;
    } cases[] = {
        {"NT, question 2 Cancel", Nt("C:\\Game"), true, false, {}, std::nullopt, {"exists " + kNtFolder, "q2"}},
        {"NT, picker cancelled", Nt("C:\\Game"), true, true, {Cancelled()}, std::nullopt,
         {"exists " + kNtFolder, "q2", "pick"}},
        {"NT, folder picked, not tested again", Nt("C:\\Game"), true, true, {Picked("D:\\Replays")},
         "D:\\Replays\\", {"exists " + kNtFolder, "q2", "pick"}},
        {"NT, picked folder already ends in a backslash", Nt("C:\\Game"), true, true, {Picked("D:\\")}, "D:\\",
         {"exists " + kNtFolder, "q2", "pick"}},
        {"picked path ending in ソ (83 5C) gets a backslash", Nt("C:\\Game"), true, true, {Picked("D:\\ソ")},
         "D:\\ソ\\", {"exists " + kNtFolder, "q2", "pick"}},
        {"virtual item: the picker opens again", Nt("C:\\Game"), true, true, {NoPath(), NoPath(), Picked("D:\\R")},
         "D:\\R\\", {"exists " + kNtFolder, "q2", "pick", "pick", "pick"}},
        {"virtual item, then cancel", Nt("C:\\Game"), true, true, {NoPath(), Cancelled()}, std::nullopt,
         {"exists " + kNtFolder, "q2", "pick", "pick"}},
        {"NT, no record, both OK", Nt(""), true, true, {Picked("D:\\R")}, "D:\\R\\",
         {"q1", "exists " + kNtFolder, "q2", "pick"}},
        {"NT, no record, question 2 Cancel", Nt(""), true, false, {}, std::nullopt,
         {"q1", "exists " + kNtFolder, "q2"}},
        {"NT, no application-data folder: question 2 without a test", {true, "C:\\Game", ""}, true, false, {},
         std::nullopt, {"q2"}},
        {"older, empty record: question 1, then question 2", Older(""), true, true, {Picked("C:\\Game")},
         "C:\\Game\\", {"q1", "q2", "pick"}},
        {"older, empty record, question 1 Cancel", Older(""), false, true, {}, std::nullopt, {"q1"}},
        {"older, recorded folder missing", Older("C:\\Game\\"), true, false, {}, std::nullopt,
         {"exists C:\\Game\\", "q2"}},
    };
    for (const auto& c : cases) {
        ScriptedUi ui;
        ui.q1 = c.q1;
        ui.q2 = c.q2;
        ui.picks.assign(c.picks.begin(), c.picks.end());
        EXPECT_EQ(LocateReplayFolder(c.facts, ui), c.result) << c.name;
        EXPECT_EQ(ui.asked, c.asked) << c.name;
        EXPECT_TRUE(ui.picks.empty()) << c.name;
    }
}

TEST(StartupDecision, OlderFamilyTakesTheRecordedPath)
{
    struct Case {
        std::string install;
        std::string folder;
    } cases[] = {
        {"C:\\Game\\", "C:\\Game\\"},
        {"C:\\Game", "C:\\Game\\"},
        {"C:\\ゲーム\\ソ", "C:\\ゲーム\\ソ\\"},  // trail byte 5C is no separator
        {"%APPDATA%\\PuyoF", "%APPDATA%\\PuyoF\\"},
    };
    for (const auto& c : cases) {
        ScriptedUi ui;
        ui.folders = {c.folder};
        EXPECT_EQ(LocateReplayFolder(Older(c.install), ui), c.folder) << c.install;
        EXPECT_EQ(ui.asked, Asked{"exists " + c.folder}) << c.install;
    }
}

TEST(StartupDecision, RegistryValueText)
{
    using namespace std::string_literals;
    EXPECT_EQ(RegistryValueText(kRegSz, "C:\\Game\0"s), "C:\\Game");
    EXPECT_EQ(RegistryValueText(kRegSz, "C:\\Game"s), "C:\\Game");  // stored without its zero
    EXPECT_EQ(RegistryValueText(kRegSz, "C:\\A\0B\0"s), "C:\\A");
    EXPECT_EQ(RegistryValueText(kRegExpandSz, "%APPDATA%\\PuyoF\0"s), "%APPDATA%\\PuyoF");
    EXPECT_EQ(RegistryValueText(kRegSz, "\0"s), "");
    EXPECT_EQ(RegistryValueText(kRegSz, ""), "");
    EXPECT_EQ(RegistryValueText(4 /* REG_DWORD */, "\1\0\0\0"s), std::nullopt);
    EXPECT_EQ(RegistryValueText(3 /* REG_BINARY */, "C:\\"), std::nullopt);
    EXPECT_EQ(RegistryValueText(7 /* REG_MULTI_SZ */, "a\0b\0\0"s), std::nullopt);
}
