#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "../tools/TestSupport.h"
#include "common/Exception.h"
#include "common/win/Application.h"
#include "replay/ReplayFolder.h"
#include "replay/StartupTexts.h"
#include "shell/FolderDialog.h"
#include "ui/StartupUi.h"

namespace {
constexpr int kBrowserInstruction = 0x3742;
constexpr int kBrowserStatus = 0x3743;
constexpr int kBrowserTree = 0x3741;

bool IsBrowser(HWND dialog) { return GetDlgItem(dialog, kBrowserTree) != nullptr; }

bool KeyExists(const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The game's installation record in this prefix: whatever a test writes is
// taken away again, and a record that was there before is put back.
class InstallRecord : public testing::Test {
protected:
    void SetUp() override
    {
        Application.Initialize(GetModuleHandleA(nullptr));
        segaExisted_ = KeyExists("Software\\Sega");
        keyExisted_ = KeyExists(startup::kInstallKey);
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, startup::kInstallKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            DWORD size = 0;
            if (RegQueryValueExA(key, startup::kInstallValue, nullptr, &savedType_, nullptr, &size) == ERROR_SUCCESS) {
                saved_.emplace(size, '\0');
                RegQueryValueExA(key, startup::kInstallValue, nullptr, &savedType_,
                                 reinterpret_cast<BYTE*>(saved_->data()), &size);
            }
            RegCloseKey(key);
        }
        RemoveRecord();
    }
    void TearDown() override
    {
        RemoveRecord();
        if (saved_)
            Write(savedType_, *saved_);
        if (!keyExisted_)
            RegDeleteKeyA(HKEY_CURRENT_USER, startup::kInstallKey);
        if (!segaExisted_)
            RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Sega");
    }
    static void Write(DWORD type, const std::string& bytes)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, startup::kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, startup::kInstallValue, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    static void RemoveRecord()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, startup::kInstallKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, startup::kInstallValue);
            RegCloseKey(key);
        }
        RegDeleteKeyA(HKEY_CURRENT_USER, startup::kInstallKey);
    }

private:
    bool segaExisted_ = false;
    bool keyExisted_ = false;
    DWORD savedType_ = 0;
    std::optional<std::string> saved_;
};

using namespace std::string_literals;
}  // namespace

TEST_F(InstallRecord, TextValuesAreTakenLiterally)
{
    struct Case {
        DWORD type;
        std::string bytes;
        std::string path;
    } cases[] = {
        {REG_SZ, "C:\\Game\\ぷよぷよ\0"s, "C:\\Game\\ぷよぷよ"},
        {REG_SZ, "C:\\ソ\0"s, "C:\\ソ"},
        {REG_EXPAND_SZ, "%APPDATA%\\PuyoF\0"s, "%APPDATA%\\PuyoF"},  // not expanded
        {REG_SZ, "C:\\A\0C:\\B\0"s, "C:\\A"},
        {REG_SZ, "\0"s, ""},
        {REG_SZ, "", ""},  // size 0
        {REG_DWORD, "", ""},  // size 0 holds nothing to judge
    };
    for (const auto& c : cases) {
        Write(c.type, c.bytes);
        EXPECT_EQ(ReadInstallPath(), c.path) << c.path;
    }
}

TEST_F(InstallRecord, MissingKeyOrValueGivesEmptyText)
{
    EXPECT_EQ(ReadInstallPath(), "");
    Write(REG_SZ, "C:\\Game\0"s);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, startup::kInstallKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, startup::kInstallValue);
    RegCloseKey(key);
    ASSERT_TRUE(KeyExists(startup::kInstallKey));
    EXPECT_EQ(ReadInstallPath(), "");
}

TEST_F(InstallRecord, OtherKindsRaiseTheTypeError)
{
    struct Case {
        DWORD type;
        std::string bytes;
    } cases[] = {
        {REG_DWORD, "\x01\x00\x00\x00"s},
        {REG_BINARY, "C:\\Game\0"s},
        {REG_MULTI_SZ, "C:\\Game\0\0"s},
    };
    for (const auto& c : cases) {
        Write(c.type, c.bytes);
        try {
            ReadInstallPath();
            ADD_FAILURE() << "no error for kind " << c.type;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "'Install Path' のデータ型が不正です");
        }
    }
}

TEST(Platform, NtFamilyAndApplicationDataFolder)
{
    EXPECT_TRUE(IsWindowsNT());  // Wine reports 6.1, platform 2, unless told otherwise
    std::string appData = GetAppDataFolder(nullptr);
    EXPECT_TRUE(DirectoryExists(appData)) << appData;
    ASSERT_FALSE(appData.empty());
    EXPECT_NE(appData.back(), '\\');
    char expected[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, expected, CSIDL_APPDATA, FALSE));
    EXPECT_EQ(appData, expected);
}

TEST(Platform, DirectoryExists)
{
    TempDir dir;
    WriteFileBytes(dir / "file", "file");
    EXPECT_TRUE(DirectoryExists(dir.Path()));
    EXPECT_FALSE(DirectoryExists(dir / "file"));
    EXPECT_FALSE(DirectoryExists(dir / "missing"));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(StartupUi, QuestionsAreOkCancelBoxesOwnedByTheApplicationWindow)
{
    Application.Initialize(GetModuleHandleA(nullptr));
    TFolderDialog picker(nullptr);
    WinStartupUi ui(picker);
    struct Case {
        bool (WinStartupUi::*ask)();
        const char* text;
        int answer;
        bool result;
    } cases[] = {
        {&WinStartupUi::AskGameNotInstalled, "ぷよぷよフィーバーがインストールされていません。\r\n続ける場合はOKを押してください。",
         IDOK, true},
        {&WinStartupUi::AskGameNotInstalled, startup::kGameNotInstalledText, IDCANCEL, false},
        {&WinStartupUi::AskFolderMissing,
         "データ保存フォルダが見つかりませんでした。\r\nフォルダを直接指定しますか？(未保証)\r\nキャンセルで終了します。", IDOK,
         true},
        {&WinStartupUi::AskFolderMissing, startup::kFolderMissingText, IDCANCEL, false},
    };
    for (const auto& c : cases) {
        std::vector<SeenDialog> seen;
        {
            DialogWatcher watcher([&](HWND, const SeenDialog&) { return c.answer; });
            EXPECT_EQ((ui.*c.ask)(), c.result);
            seen = watcher.Seen();
        }
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, "エラー");
        EXPECT_EQ(seen[0].text, c.text);
        EXPECT_EQ(seen[0].owner, Application.Handle());
        std::vector<int> buttons = seen[0].buttons;
        std::sort(buttons.begin(), buttons.end());
        EXPECT_EQ(buttons, (std::vector<int>{IDOK, IDCANCEL}));
        EXPECT_EQ(seen[0].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    }
}

TEST(StartupUi, PickerOutcomes)
{
    Application.Initialize(GetModuleHandleA(nullptr));
    TempDir dir;
    const std::string path = dir / "ソ";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    LPITEMIDLIST drives = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives), S_OK);

    // Selects `target` (a path, or "My Computer" when empty) and presses `button`.
    auto drive = [&](const std::string& target, int button, std::string* instruction) {
        return [=](HWND browser, const SeenDialog&) {
            *instruction = DialogItemText(browser, kBrowserInstruction);
            if (button == IDCANCEL)
                return IDCANCEL;
            for (int attempt = 0; attempt < 5; ++attempt) {
                if (target.empty())
                    SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(drives));
                else
                    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(target.c_str()));
                Sleep(100);
                if (!target.empty() && DialogItemText(browser, kBrowserStatus) == target)
                    break;
            }
            return IDOK;
        };
    };
    struct Case {
        std::string target;
        int button;
        PickResult::Kind kind;
        std::string folder;
    } cases[] = {
        {path, IDCANCEL, PickResult::Kind::Cancelled, ""},
        {path, IDOK, PickResult::Kind::Folder, path},
        {"", IDOK, PickResult::Kind::NoPath, ""},
    };
    for (const auto& c : cases) {
        TFolderDialog picker(nullptr);
        picker.Folder = dir.Path();  // a stale value neither preselects nor comes back
        WinStartupUi ui(picker);
        std::string instruction;
        PickResult result;
        {
            DialogWatcher watcher(drive(c.target, c.button, &instruction));
            result = ui.PickFolder();
        }
        EXPECT_EQ(instruction, "データを保存するフォルダを指定してください。\r\n(ここにリプレイが保存されます)");
        EXPECT_EQ(picker.Title, startup::kPickFolderInstruction);
        EXPECT_EQ(result.kind, c.kind) << c.target << " " << c.button;
        EXPECT_EQ(result.folder, c.folder);
    }
    CoTaskMemFree(drives);
}

// The one call the main window makes, against the real registry, folders and
// dialogs of this prefix.
class LocateAtStartup : public InstallRecord {
protected:
    void SetUp() override
    {
        InstallRecord::SetUp();
        appData_ = GetAppDataFolder(nullptr);
        sega_ = appData_ + "\\Sega";
        replays_ = sega_ + "\\PuyoF";
        segaExisted_ = DirectoryExists(sega_);
        replaysExisted_ = DirectoryExists(replays_);
    }
    void TearDown() override
    {
        if (!replaysExisted_)
            RemoveDirectoryA(replays_.c_str());
        if (!segaExisted_)
            RemoveDirectoryA(sega_.c_str());
        InstallRecord::TearDown();
    }
    void MakeReplayFolder()
    {
        CreateDirectoryA(sega_.c_str(), nullptr);
        CreateDirectoryA(replays_.c_str(), nullptr);
    }
    std::string appData_, sega_, replays_;
    bool segaExisted_ = false, replaysExisted_ = false;
};

TEST_F(LocateAtStartup, InstalledAndFolderPresentAsksNothing)
{
    Write(REG_SZ, "C:\\Game\0"s);
    MakeReplayFolder();
    TFolderDialog picker(nullptr);
    DialogWatcher watcher([](HWND, const SeenDialog&) { return IDCANCEL; });
    EXPECT_EQ(LocateReplayFolderAtStartup(picker), appData_ + "\\Sega\\PuyoF\\");
    EXPECT_TRUE(watcher.Seen().empty());
}

TEST_F(LocateAtStartup, WrongKindRaisesBeforeAnyQuestion)
{
    Write(REG_DWORD, "\x01\x00\x00\x00"s);
    TFolderDialog picker(nullptr);
    DialogWatcher watcher([](HWND, const SeenDialog&) { return IDCANCEL; });
    EXPECT_THROW(LocateReplayFolderAtStartup(picker), Exception);
    EXPECT_TRUE(watcher.Seen().empty());
}

TEST_F(LocateAtStartup, NotInstalledAndFolderMissing)
{
    if (replaysExisted_)
        GTEST_SKIP() << replays_ << " exists in this prefix";
    TempDir dir;
    const std::string chosen = dir / "replays";
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr));
    struct Case {
        std::vector<int> answers;  // question 1, question 2, picker
        std::optional<std::string> result;
    } cases[] = {
        {{IDCANCEL}, std::nullopt},
        {{IDOK, IDCANCEL}, std::nullopt},
        {{IDOK, IDOK, IDCANCEL}, std::nullopt},
        {{IDOK, IDOK, IDOK}, chosen + "\\"},
    };
    for (const auto& c : cases) {
        TFolderDialog picker(nullptr);
        std::vector<std::string> texts;
        std::optional<std::string> result;
        {
            size_t next = 0;
            DialogWatcher watcher([&](HWND dialog, const SeenDialog& seen) {
                texts.push_back(IsBrowser(dialog) ? DialogItemText(dialog, kBrowserInstruction) : seen.text);
                int answer = next < c.answers.size() ? c.answers[next++] : IDCANCEL;
                if (IsBrowser(dialog) && answer == IDOK) {
                    for (int attempt = 0; attempt < 5; ++attempt) {
                        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(chosen.c_str()));
                        Sleep(100);
                        if (DialogItemText(dialog, kBrowserStatus) == chosen)
                            break;
                    }
                }
                return answer;
            });
            result = LocateReplayFolderAtStartup(picker);
        }
        EXPECT_EQ(result, c.result);
        const std::vector<std::string> all = {startup::kGameNotInstalledText, startup::kFolderMissingText,
                                              startup::kPickFolderInstruction};
        EXPECT_EQ(texts, std::vector<std::string>(all.begin(), all.begin() + c.answers.size()));
    }
}
