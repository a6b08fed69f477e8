#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "../tools/DragSupport.h"
#include "../tools/TestSupport.h"
#include "common/win/Application.h"
#include "common/win/Handles.h"
#include "common/win/SysError.h"
#include "shell/DropFiles.h"
#include "shell/drag_drop.h"

using dragtest::DataObject;
using dragtest::FileListBlock;
using dragtest::ReleaseCounter;
using Names = std::vector<std::string>;

namespace {

const char kClass[] = "SlotwellDropTestWindow";

void RegisterTestClass()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    done = true;
}

HWND MakeTopLevel(const char* caption, int x, int y, int w, int h)
{
    RegisterTestClass();
    HWND hwnd = CreateWindowExA(0, kClass, caption, WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, w, h, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(hwnd);
    return hwnd;
}

// A control whose window is a child of `parent`, made when first asked for.
TWinControl::Factory ChildOf(HWND parent, int x = 50, int y = 40, int w = 200, int h = 120)
{
    return [=] {
        return CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER, x, y, w, h, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    };
}

// Leaves its window alive when destroyed, so a test can still ask the
// platform about that window's registration.
class KeptWindowControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    ~KeptWindowControl() override { SetHandle(nullptr); }
};

bool IsRegistered(HWND window)
{
    // Revoking answers whether there was a registration; put it back if so.
    HRESULT hr = RevokeDragDrop(window);
    if (hr == DRAGDROP_E_NOTREGISTERED)
        return false;
    EXPECT_EQ(hr, S_OK);
    return true;
}

// What the handlers saw.
struct Seen {
    int filesCalls = 0;
    int textCalls = 0;
    int overCalls = 0;
    TWinControl* sender = nullptr;
    int32_t x = 0, y = 0;
    Names files;
    std::optional<std::string> text;
};

void Record(TDragDropTarget& t, Seen& seen, bool files, bool text)
{
    if (files)
        t.OnDragDropFiles = [&seen](TWinControl* s, int32_t x, int32_t y, const Names& f) {
            ++seen.filesCalls;
            seen.sender = s;
            seen.x = x;
            seen.y = y;
            seen.files = f;
        };
    if (text)
        t.OnDragDropText = [&seen](TWinControl* s, int32_t x, int32_t y, std::string tx) {
            ++seen.textCalls;
            seen.sender = s;
            seen.x = x;
            seen.y = y;
            seen.text = tx;
        };
}

class DragDropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_.Reset(MakeTopLevel("drop host", 200, 150, 320, 240));
        control_ = std::make_unique<KeptWindowControl>(nullptr, "ListView2", ChildOf(host_.Get()));
        target_ = std::make_unique<TDragDropTarget>(nullptr, "DragDropTarget1");
    }
    void TearDown() override
    {
        Application.OnException = nullptr;
        target_.reset();
        control_.reset();
    }

    DragDropModule ole_;
    WindowHandle host_;
    std::unique_ptr<KeptWindowControl> control_;
    std::unique_ptr<TDragDropTarget> target_;
};

}  // namespace

TEST_F(DragDropTest, AnswersAsAnUncountedDropTarget)
{
    IDropTarget* face = target_.get();
    EXPECT_EQ(face->AddRef(), 0xFFFFFFFFu);
    EXPECT_EQ(face->Release(), 0xFFFFFFFFu);
    void* p = nullptr;
    EXPECT_EQ(face->QueryInterface(IID_IUnknown, &p), S_OK);
    EXPECT_EQ(p, static_cast<IDropTarget*>(target_.get()));
    p = nullptr;
    EXPECT_EQ(face->QueryInterface(IID_IDropTarget, &p), S_OK);
    EXPECT_EQ(p, static_cast<IDropTarget*>(target_.get()));
    p = reinterpret_cast<void*>(1);
    EXPECT_EQ(face->QueryInterface(IID_IDataObject, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
}

// Each case: the data dragged, the handlers set, and what comes out. Every
// medium handed over must come back exactly once.
TEST_F(DragDropTest, DropsDataIntoTheHandlers)
{
    using namespace std::string_literals;
    const std::string text = "テキスト\0rest"s;
    struct Case {
        const char* what;
        std::vector<DataObject::Format> formats;
        bool filesHandler, textHandler;
        DWORD enterEffect;
        int filesCalls;
        Names files;
        std::optional<std::string> text;
        int getData;   // GetData calls: files first, text only without a file list
        DWORD dropEffect;  // what Drop reports to a source allowing copy, move and link
    } cases[] = {
        {"ansi files, 5C trail byte kept",
         {{CF_HDROP, FileListBlock(Names{"C:\\a\\REPLAY01.dat", "C:\\ソ\\REPLAY02.dat"})}}, true, true,
         DROPEFFECT_COPY, 1, {"C:\\a\\REPLAY01.dat", "C:\\ソ\\REPLAY02.dat"}, std::nullopt, 1, DROPEFFECT_COPY},
        {"wide files, converted to the ANSI code page",
         {{CF_HDROP, FileListBlock(std::vector<std::wstring>{L"C:\\\x4E00\\x.dat", L"C:\\ソ.dat", L"C:\\caf\xE9.dat"})}},
         true, false, DROPEFFECT_COPY, 1, {"C:\\一\\x.dat", "C:\\ソ.dat", "C:\\cafe.dat"}, std::nullopt, 1,
         DROPEFFECT_COPY},
        {"order and repeats kept", {{CF_HDROP, FileListBlock(Names{"c", "a", "b", "a"})}}, true, false,
         DROPEFFECT_COPY, 1, {"c", "a", "b", "a"}, std::nullopt, 1, DROPEFFECT_COPY},
        {"files and text: files only",
         {{CF_TEXT, "text\0"s}, {CF_HDROP, FileListBlock(Names{"C:\\f"})}}, true, true, DROPEFFECT_COPY, 1,
         {"C:\\f"}, std::nullopt, 1, DROPEFFECT_COPY},
        {"files without a files handler: nothing, no text instead",
         {{CF_HDROP, FileListBlock(Names{"C:\\f"})}, {CF_TEXT, "text\0"s}}, false, true, DROPEFFECT_COPY, 0, {},
         std::nullopt, 1, DROPEFFECT_COPY},
        {"first name is the closing NUL", {{CF_HDROP, FileListBlock(Names{})}}, true, true, DROPEFFECT_COPY, 0, {},
         std::nullopt, 1, DROPEFFECT_COPY},
        {"file list that cannot be locked", {{CF_HDROP, FileListBlock(Names{"C:\\f"}), false}}, true, true,
         DROPEFFECT_COPY, 0, {}, std::nullopt, 1, DROPEFFECT_COPY},
        {"text up to the first NUL", {{CF_TEXT, text}}, true, true, DROPEFFECT_LINK, 0, {}, "テキスト", 2,
         DROPEFFECT_LINK},
        {"empty text", {{CF_TEXT, "\0"s}}, false, true, DROPEFFECT_LINK, 0, {}, "", 2, DROPEFFECT_LINK},
        {"text without a text handler", {{CF_TEXT, text}}, true, false, DROPEFFECT_LINK, 0, {}, std::nullopt, 2,
         DROPEFFECT_LINK},
        {"text that cannot be locked", {{CF_TEXT, text, false}}, true, true, DROPEFFECT_LINK, 0, {}, std::nullopt, 2,
         DROPEFFECT_LINK},
        {"neither format", {{CF_BITMAP, "x"}}, true, true, DROPEFFECT_LINK, 0, {}, std::nullopt, 2, DROPEFFECT_NONE},
    };
    control_->Handle();
    target_->SetTarget(control_.get());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Seen seen;
        Record(*target_, seen, c.filesHandler, c.textHandler);
        ReleaseCounter counter;
        {
            DataObject data(c.formats, &counter);
            POINTL pt = {-1234, 5678};  // passed through as the platform gives it
            DWORD effect = DROPEFFECT_MOVE;
            EXPECT_EQ(target_->DragEnter(&data, MK_LBUTTON, pt, &effect), S_OK);
            EXPECT_EQ(effect, c.enterEffect);
            effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
            EXPECT_EQ(target_->DragOver(MK_LBUTTON, pt, &effect), S_OK);
            EXPECT_EQ(effect, c.enterEffect);
            effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
            EXPECT_EQ(target_->Drop(&data, 0, pt, &effect), S_OK);
            EXPECT_EQ(effect, c.dropEffect);
            EXPECT_EQ(data.getDataCalls, c.getData);
            EXPECT_EQ(counter.handedOut, 0u) << "a medium was not released";
            EXPECT_EQ(counter.released, c.dropEffect == DROPEFFECT_NONE ? 0 : 1);
            EXPECT_EQ(seen.filesCalls, c.filesCalls);
            EXPECT_EQ(seen.files, c.files);
            EXPECT_EQ(seen.text, c.text);
            EXPECT_EQ(seen.textCalls, c.text ? 1 : 0);
            if (seen.filesCalls || seen.textCalls) {
                EXPECT_EQ(seen.sender, control_.get());
                EXPECT_EQ(seen.x, -1234);
                EXPECT_EQ(seen.y, 5678);
            }
        }
        target_->OnDragDropFiles = nullptr;
        target_->OnDragDropText = nullptr;
    }
}

TEST_F(DragDropTest, OverHandlerMayRefuse)
{
    control_->Handle();
    target_->SetTarget(control_.get());
    DataObject data({{CF_HDROP, FileListBlock(Names{"C:\\x"})}});
    DWORD effect = 0;
    target_->DragEnter(&data, 0, POINTL{5, 6}, &effect);
    ASSERT_EQ(effect, DROPEFFECT_COPY);

    struct Case {
        const char* what;
        bool accept;
        bool fail;
        DWORD effect;
    } cases[] = {
        {"accepting", true, false, DROPEFFECT_COPY},
        {"refusing", false, false, DROPEFFECT_NONE},
        {"failing", true, true, DROPEFFECT_NONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TWinControl* sender = nullptr;
        int32_t x = 0, y = 0;
        std::vector<std::string> errors;
        Application.OnException = [&](const std::string& m) { errors.push_back(m); };
        target_->OnDragDropOver = [&](TWinControl* s, int32_t X, int32_t Y, bool& accept) {
            sender = s;
            x = X;
            y = Y;
            EXPECT_TRUE(accept);
            accept = c.accept;
            if (c.fail)
                throw Exception("over");
        };
        DWORD e = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target_->DragOver(0, POINTL{-7, 99}, &e), S_OK);
        EXPECT_EQ(e, c.effect);
        EXPECT_EQ(sender, control_.get());
        EXPECT_EQ(x, -7);
        EXPECT_EQ(y, 99);
        EXPECT_EQ(errors, c.fail ? std::vector<std::string>{"over."} : std::vector<std::string>{});
    }
    EXPECT_EQ(target_->DragLeave(), S_OK);
}

TEST_F(DragDropTest, HandlerErrorIsReportedAfterTheMediumIsReleased)
{
    control_->Handle();
    target_->SetTarget(control_.get());
    ReleaseCounter counter;
    DataObject data({{CF_HDROP, FileListBlock(Names{"C:\\x"})}}, &counter);
    std::vector<std::string> errors;
    int releasedWhenReported = -1;
    Application.OnException = [&](const std::string& m) {
        errors.push_back(m);
        releasedWhenReported = counter.released;
    };
    target_->OnDragDropFiles = [](TWinControl*, int32_t, int32_t, const Names&) {
        throw Exception("ShfOperation:ﾌｧｲﾙが指定されていません");
    };
    DWORD effect = 0;
    target_->DragEnter(&data, 0, POINTL{0, 0}, &effect);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target_->Drop(&data, 0, POINTL{0, 0}, &effect), S_OK);
    EXPECT_EQ(errors, std::vector<std::string>{"ShfOperation:ﾌｧｲﾙが指定されていません."});
    EXPECT_EQ(releasedWhenReported, 1);
    EXPECT_EQ(counter.handedOut, 0u);
}

TEST_F(DragDropTest, SettingTheSameTargetRegistersOnce)
{
    HWND window = control_->Handle();
    target_->SetTarget(control_.get());
    EXPECT_NO_THROW(target_->SetTarget(control_.get()));  // a second registration would be refused
    EXPECT_EQ(target_->Target(), control_.get());
    target_->SetTarget(nullptr);
    EXPECT_EQ(target_->Target(), nullptr);
    EXPECT_FALSE(IsRegistered(window));
}

TEST_F(DragDropTest, RegistrationCreatesTheWindow)
{
    ASSERT_FALSE(control_->HandleAllocated());
    target_->SetTarget(control_.get());
    ASSERT_TRUE(control_->HandleAllocated());
    HWND window = control_->Handle();
    EXPECT_EQ(RegisterDragDrop(window, target_.get()), DRAGDROP_E_ALREADYREGISTERED);
}

TEST_F(DragDropTest, EveryWayOfLettingGoRevokes)
{
    // Clearing.
    HWND window = control_->Handle();
    target_->SetTarget(control_.get());
    target_->SetTarget(nullptr);
    EXPECT_FALSE(IsRegistered(window));

    // Moving to another control: the first is revoked, the second registered,
    // and the first one's end no longer concerns the component.
    KeptWindowControl* other = new KeptWindowControl(nullptr, "other", ChildOf(host_.Get(), 0, 0, 10, 10));
    target_->SetTarget(control_.get());
    target_->SetTarget(other);
    EXPECT_FALSE(IsRegistered(window));
    EXPECT_EQ(RegisterDragDrop(other->Handle(), target_.get()), DRAGDROP_E_ALREADYREGISTERED);
    target_->SetTarget(control_.get());
    HWND otherWindow = other->Handle();
    delete other;
    EXPECT_EQ(target_->Target(), control_.get());
    EXPECT_FALSE(IsRegistered(otherWindow));

    // The control's destruction.
    control_.reset();
    EXPECT_EQ(target_->Target(), nullptr);
    EXPECT_FALSE(IsRegistered(window));

    // The component's destruction.
    control_ = std::make_unique<KeptWindowControl>(nullptr, "ListView2", ChildOf(host_.Get()));
    window = control_->Handle();
    target_->SetTarget(control_.get());
    target_.reset();
    EXPECT_FALSE(IsRegistered(window));
    control_.reset();  // must not tell the destroyed component
}

TEST_F(DragDropTest, OwnerDestroysTargetAndControlTogether)
{
    // As in the window: the owner holds both, the control made first.
    auto* form = new TComponent(nullptr, "frMain");
    auto* list = new TWinControl(form, "ListView2", ChildOf(host_.Get()));
    auto* drop = new TDragDropTarget(form, "DragDropTarget1");
    drop->SetTarget(list);
    HWND window = list->Handle();
    delete form;
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(DragDropTest, FailedRegistrationLeavesNoTarget)
{
    // A control left with the handle of a window that is gone: the platform
    // refuses it.
    WindowHandle made(MakeTopLevel("gone", 0, 0, 10, 10));
    HWND gone = made.Get();
    made.Reset();
    KeptWindowControl stale(nullptr, "ListView2", [gone] { return gone; });
    std::optional<HRESULT> code;
    std::string message;
    try {
        target_->SetTarget(&stale);
    } catch (const EOleError& e) {
        code = e.ErrorCode();
        message = e.Message();
    }
    ASSERT_TRUE(code.has_value()) << "no error raised";
    EXPECT_TRUE(FAILED(*code));
    EXPECT_EQ(target_->Target(), nullptr);
    std::string system = SysErrorMessage(static_cast<DWORD>(*code));
    if (system.empty())
        EXPECT_EQ(message, FormatText("OLE エラー %.8X", static_cast<unsigned>(*code)));
    else
        EXPECT_EQ(message, system);
}

TEST_F(DragDropTest, WindowThatCannotBeMadeLeavesNoTarget)
{
    TWinControl broken(nullptr, "ListView2", [] { return HWND(nullptr); });
    EXPECT_THROW(target_->SetTarget(&broken), Exception);
    EXPECT_EQ(target_->Target(), nullptr);
}

// A real drag through the platform: this test is the source, walking the
// cursor onto the target and dropping.
TEST_F(DragDropTest, RealDragFromThisThread)
{
    target_->SetTarget(control_.get());
    RECT r;
    GetWindowRect(control_->Handle(), &r);
    POINT to = {r.left + 30, r.top + 20};

    struct Case {
        const char* what;
        bool accept;
        int filesCalls;
        DWORD effect;
    } cases[] = {
        {"accepted", true, 1, DROPEFFECT_COPY},
        {"refused while over", false, 0, DROPEFFECT_NONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Seen seen;
        Record(*target_, seen, true, false);
        target_->OnDragDropOver = [&](TWinControl*, int32_t X, int32_t Y, bool& accept) {
            ++seen.overCalls;
            seen.x = X;
            seen.y = Y;
            accept = c.accept;
        };
        ReleaseCounter counter;
        DataObject data({{CF_HDROP, FileListBlock(std::vector<std::wstring>{L"C:\\ソ\\REPLAY01.dat", L"C:\\b"})}},
                        &counter);
        dragtest::CursorWalkSource source(dragtest::PathOnto(host_.Get(), to));
        DWORD effect = DROPEFFECT_NONE;
        HRESULT hr = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
        EXPECT_EQ(hr, DRAGDROP_S_DROP);
        EXPECT_EQ(effect, c.effect);
        EXPECT_GT(seen.overCalls, 0);
        EXPECT_EQ(seen.filesCalls, c.filesCalls);
        if (c.filesCalls) {
            EXPECT_EQ(seen.files, (Names{"C:\\ソ\\REPLAY01.dat", "C:\\b"}));
            EXPECT_EQ(seen.x, to.x);
            EXPECT_EQ(seen.y, to.y);
        }
        EXPECT_EQ(counter.handedOut, 0u);
    }
}

// The drag-source tool of the end-to-end tests, from another process onto a
// window of this one.
TEST_F(DragDropTest, DragSourceToolDropsOntoAWindowByCaption)
{
    const char caption[] = "slotwell drop tool test";
    WindowHandle top(MakeTopLevel(caption, 300, 200, 300, 200));
    TWinControl list(nullptr, "ListView2", ChildOf(top.Get(), 20, 20, 200, 120));
    target_->SetTarget(&list);
    Seen seen;
    Record(*target_, seen, true, false);

    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string tool = exe;
    tool = tool.substr(0, tool.rfind('\\') + 1) + "dragsource.exe";
    std::string command = "\"" + tool + "\" \"" + caption + "\" 60 50 \"C:\\ソ\\REPLAY07.dat\" C:\\two.dat";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << command;
    KernelHandle process(pi.hProcess), thread(pi.hThread);
    // The drop reaches this thread through its message queue.
    DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount() - start < 20000)
        Application.ProcessMessages();
    DWORD exitCode = 99;
    GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(seen.files, (Names{"C:\\ソ\\REPLAY07.dat", "C:\\two.dat"}));
    POINT to = {60, 50};
    ClientToScreen(top.Get(), &to);
    EXPECT_EQ(seen.x, to.x);
    EXPECT_EQ(seen.y, to.y);
    target_->SetTarget(nullptr);
}
