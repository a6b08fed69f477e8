#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "../tools/FolderBrowser.h"
#include "../tools/ModalAnswerer.h"
#include "../tools/TestSupport.h"
#include "common/Exception.h"
#include "common/win/Application.h"
#include "common/win/Handles.h"
#include "replay/ReplayFolder.h"
#include "replay/StartupTexts.h"
#include "shell/FolderDialog.h"
#include "ui/StartupUi.h"

namespace {

bool IsBrowser(HWND dialog) { return GetDlgItem(dialog, browser::kTree) != nullptr; }

RegKey OpenKey(const char* path, REGSAM access)
{
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, access, key.Put()) != ERROR_SUCCESS)
        key.Reset();
    return key;
}

bool KeyExists(const char* path) { return OpenKey(path, KEY_READ).Valid(); }

// The game's installation record in this prefix: whatever a test writes is
// taken away again, and a record that was there before is put back.
class InstallRecord : public testing::Test {
protected:
    void SetUp() override
    {
        Application.Initialize(GetModuleHandleA(nullptr));
        segaExisted_ = KeyExists("Software\\Sega");
        keyExisted_ = KeyExists(startup::kInstallKey);
        if (RegKey key = OpenKey(startup::kInstallKey, KEY_READ)) {
            DWORD size = 0;
            if (RegQueryValueExA(key.Get(), startup::kInstallValue, nullptr, &savedType_, nullptr, &size) ==
                ERROR_SUCCESS) {
                saved_.emplace(size, '\0');
                RegQueryValueExA(key.Get(), startup::kInstallValue, nullptr, &savedType_,
                                 reinterpret_cast<BYTE*>(saved_->data()), &size);
            }
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
        RegKey key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, startup::kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  key.Put(), nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key.Get(), startup::kInstallValue, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    }
    static void RemoveValue()
    {
        if (RegKey key = OpenKey(startup::kInstallKey, KEY_WRITE))
            RegDeleteValueA(key.Get(), startup::kInstallValue);
    }
    static void RemoveRecord()
    {
        RemoveValue();
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
    RemoveValue();
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

// The texts as the user reads them.
const std::string kNotInstalled = "ぷよぷよフィーバーがインストールされていません。\r\n続ける場合はOKを押してください。";
const std::string kFolderMissing =
    "データ保存フォルダが見つかりませんでした。\r\nフォルダを直接指定しますか？(未保証)\r\nキャンセルで終了します。";
const std::string kInstruction = "データを保存するフォルダを指定してください。\r\n(ここにリプレイが保存されます)";

TEST(StartupUi, QuestionsAreOkCancelBoxesOwnedByTheApplicationWindow)
{
    Application.Initialize(GetModuleHandleA(nullptr));
    TFolderDialog picker(nullptr);
    WinStartupUi ui(picker);
    struct Case {
        bool (WinStartupUi::*ask)();
        const std::string& text;
        int answer;
        bool result;
    } cases[] = {
        {&WinStartupUi::AskGameNotInstalled, kNotInstalled, IDOK, true},
        {&WinStartupUi::AskGameNotInstalled, kNotInstalled, IDCANCEL, false},
        {&WinStartupUi::AskFolderMissing, kFolderMissing, IDOK, true},
        {&WinStartupUi::AskFolderMissing, kFolderMissing, IDCANCEL, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        ModalAnswerer answerer{c.answer};
        EXPECT_EQ((ui.*c.ask)(), c.result);
        ASSERT_EQ(answerer.Seen().size(), 1u);
        const SeenDialog& seen = answerer.Seen()[0];
        EXPECT_EQ(seen.caption, "エラー");
        EXPECT_EQ(seen.text, c.text);
        EXPECT_EQ(seen.owner, Application.Handle());
        std::vector<int> buttons = seen.buttons;
        std::sort(buttons.begin(), buttons.end());
        EXPECT_EQ(buttons, (std::vector<int>{IDOK, IDCANCEL}));
        EXPECT_EQ(seen.icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    }
}

TEST(StartupUi, PickerOutcomes)
{
    Application.Initialize(GetModuleHandleA(nullptr));
    TempDir dir;
    const std::string path = dir / "ソ";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    struct Case {
        const char* what;
        browser::Target target;
        int button;
        PickResult::Kind kind;
        std::string folder;
    } cases[] = {
        {"cancelled", browser::Folder(path), IDCANCEL, PickResult::Kind::Cancelled, ""},
        {"a folder", browser::Folder(path), IDOK, PickResult::Kind::Folder, path},
        {"no file-system path", browser::MyComputer(), IDOK, PickResult::Kind::NoPath, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TFolderDialog picker(nullptr);
        picker.Folder = dir.Path();  // a stale value neither preselects nor comes back
        browser::View view;
        browser::OnOpen(picker, view, c.target);
        WinStartupUi ui(picker);
        ModalAnswerer answerer{c.button};
        PickResult result = ui.PickFolder();
        EXPECT_EQ(view.instruction, kInstruction);
        EXPECT_TRUE(view.selected);
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(result.folder, c.folder);
    }
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
    ModalAnswerer noDialog;
    EXPECT_EQ(LocateReplayFolderAtStartup(picker), appData_ + "\\Sega\\PuyoF\\");
    EXPECT_TRUE(noDialog.Seen().empty());
}

TEST_F(LocateAtStartup, WrongKindRaisesBeforeAnyQuestion)
{
    Write(REG_DWORD, "\x01\x00\x00\x00"s);
    TFolderDialog picker(nullptr);
    ModalAnswerer noDialog;
    EXPECT_THROW(LocateReplayFolderAtStartup(picker), Exception);
    EXPECT_TRUE(noDialog.Seen().empty());
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
    const std::vector<std::string> all = {kNotInstalled, kFolderMissing, kInstruction};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers.size());
        TFolderDialog picker(nullptr);
        browser::View view;
        browser::OnOpen(picker, view, browser::Folder(chosen));
        std::vector<std::string> texts;
        size_t next = 0;
        ModalAnswerer answerer([&](const SeenDialog& seen) {
            texts.push_back(IsBrowser(seen.hwnd) ? DialogItemText(seen.hwnd, browser::kInstruction) : seen.text);
            return next < c.answers.size() ? c.answers[next++] : IDCANCEL;
        });
        EXPECT_EQ(LocateReplayFolderAtStartup(picker), c.result);
        EXPECT_EQ(texts, std::vector<std::string>(all.begin(), all.begin() + c.answers.size()));
        EXPECT_EQ(view.selected, c.answers.size() == 3);
    }
}
