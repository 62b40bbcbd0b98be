// Checks of the window framework with real windows: run under wine64 on a private X display.
// Prints one line per failed check and ends with "N passed, N failed"; exit status 1 on failure.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/ListBox.h"
#include "framework/Static.h"
#include "framework/WinApp.h"

namespace {

using zor::fw::WindowMessage;
namespace fw = zor::fw;

int passed = 0;
int failed = 0;

void check(bool condition, const char* text, int line) {
    if (condition) {
        ++passed;
        return;
    }
    ++failed;
    std::printf("FAILED line %d: %s\n", line, text);
}

#define CHECK(condition) check((condition), #condition, __LINE__)

using Log = std::vector<std::string>;

bool logged(const Log& log, const std::string& entry) {
    for (const auto& item : log) {
        if (item == entry) {
            return true;
        }
    }
    return false;
}

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kOverridden = WM_APP + 2;
constexpr UINT kDerivedOnly = WM_APP + 3;
constexpr UINT kTreeSelChanged = 0U - 402U;
constexpr LRESULT kParentBrush = 0x5151;
constexpr LRESULT kChildBrush = 0x7272;

// ---- windows under test ---------------------------------------------------------------------

class RecordingFrame : public fw::CFrameWnd {
    ZOR_MESSAGE_MAP(RecordingFrame);

  public:
    RecordingFrame(Log& log, bool& deleted) : log_(log), deleted_(deleted) {}
    ~RecordingFrame() override { deleted_ = true; }

  protected:
    LRESULT record(const char* entry, LRESULT result) {
        log_.emplace_back(entry);
        return result;
    }

  private:
    LRESULT onPing(const WindowMessage&) { return record("ping", 42); }
    LRESULT onOverridden(const WindowMessage&) { return record("base", 1); }
    LRESULT onAnyCode100(const WindowMessage&) { return record("cmd100", 0); }
    LRESULT onCode5Of101(const WindowMessage&) { return record("cmd101/5", 0); }
    LRESULT onButton200(const WindowMessage&) { return record("parent cmd200", 0); }
    LRESULT onButton201(const WindowMessage&) { return record("parent cmd201", 0); }
    LRESULT onTreeSelChanged(const WindowMessage&) { return record("notify400", 0); }
    LRESULT onDrawItem(const WindowMessage&) { return record("parent draw", TRUE); }
    LRESULT onCtlColor(const WindowMessage&) { return record("parent colour", kParentBrush); }
    LRESULT onDestroy(const WindowMessage& m) {
        record("destroy", 0);
        return Default(m);
    }

    Log& log_;
    bool& deleted_;
};

const fw::MessageEntry<RecordingFrame> RecordingFrame::messages[] = {
    fw::mapMessage(kPing, &RecordingFrame::onPing),
    fw::mapMessage(kOverridden, &RecordingFrame::onOverridden),
    fw::mapCommand(100, &RecordingFrame::onAnyCode100),
    fw::mapCommand(101, 5, &RecordingFrame::onCode5Of101),
    fw::mapCommand(200, &RecordingFrame::onButton200),
    fw::mapCommand(201, &RecordingFrame::onButton201),
    fw::mapNotify(400, kTreeSelChanged, &RecordingFrame::onTreeSelChanged),
    fw::mapMessage(WM_DRAWITEM, &RecordingFrame::onDrawItem),
    fw::mapCtlColor(&RecordingFrame::onCtlColor),
    fw::mapMessage(WM_DESTROY, &RecordingFrame::onDestroy),
};
const fw::MessageMap RecordingFrame::messageMap =
    fw::chainMessageMap(messages, &fw::CFrameWnd::classMessageMap);

class DerivedFrame : public RecordingFrame {
    ZOR_MESSAGE_MAP(DerivedFrame);

  public:
    using RecordingFrame::RecordingFrame;

  private:
    LRESULT onOverridden(const WindowMessage&) { return record("derived", 2); }
    LRESULT onDerivedOnly(const WindowMessage&) { return record("derived only", 3); }
};

const fw::MessageEntry<DerivedFrame> DerivedFrame::messages[] = {
    fw::mapMessage(kOverridden, &DerivedFrame::onOverridden),
    fw::mapMessage(kDerivedOnly, &DerivedFrame::onDerivedOnly),
};
const fw::MessageMap DerivedFrame::messageMap =
    fw::chainMessageMap(messages, &RecordingFrame::classMessageMap);

class FailingFrame : public RecordingFrame {
    ZOR_MESSAGE_MAP(FailingFrame);

  public:
    using RecordingFrame::RecordingFrame;

  private:
    LRESULT onCreate(const WindowMessage&) { return -1; }
};

const fw::MessageEntry<FailingFrame> FailingFrame::messages[] = {
    fw::mapMessage(WM_CREATE, &FailingFrame::onCreate),
};
const fw::MessageMap FailingFrame::messageMap =
    fw::chainMessageMap(messages, &RecordingFrame::classMessageMap);

// An owner-drawn static that draws itself and colours itself.
class SelfDrawnStatic : public fw::CStatic {
    ZOR_MESSAGE_MAP(SelfDrawnStatic);

  public:
    explicit SelfDrawnStatic(Log& log) : log_(log) {}
    int draws = 0;

  private:
    LRESULT onDrawItem(const WindowMessage&) {
        ++draws;
        log_.emplace_back("child draw");
        return TRUE;
    }
    LRESULT onCtlColor(const WindowMessage&) {
        log_.emplace_back("child colour");
        return kChildBrush;
    }

    Log& log_;
};

const fw::MessageEntry<SelfDrawnStatic> SelfDrawnStatic::messages[] = {
    fw::mapReflected(WM_DRAWITEM, &SelfDrawnStatic::onDrawItem),
    fw::mapReflected(WM_CTLCOLORSTATIC, &SelfDrawnStatic::onCtlColor),
};
const fw::MessageMap SelfDrawnStatic::messageMap =
    fw::chainMessageMap(messages, &fw::CStatic::classMessageMap);

// A button that handles its own click notification.
class SelfClickedButton : public fw::CButton {
    ZOR_MESSAGE_MAP(SelfClickedButton);

  public:
    explicit SelfClickedButton(Log& log) : log_(log) {}

  private:
    LRESULT onClicked(const WindowMessage&) {
        log_.emplace_back("child clicked");
        return 0;
    }

    Log& log_;
};

const fw::MessageEntry<SelfClickedButton> SelfClickedButton::messages[] = {
    fw::mapReflectedCommand(BN_CLICKED, &SelfClickedButton::onClicked),
};
const fw::MessageMap SelfClickedButton::messageMap =
    fw::chainMessageMap(messages, &fw::CButton::classMessageMap);

class OwnerDrawnList : public fw::CListBox {
  public:
    int measured = 0;
    int drawn = 0;

  protected:
    void MeasureItem(MEASUREITEMSTRUCT& item) override {
        ++measured;
        item.itemHeight = 17;
    }
    void DrawItem(const DRAWITEMSTRUCT&) override { ++drawn; }
};

// A list that swallows typed characters, as the lyrics list does.
class CharSwallowingList : public fw::CListBox {
    ZOR_MESSAGE_MAP(CharSwallowingList);

  public:
    int chars = 0;

  private:
    LRESULT onChar(const WindowMessage&) {
        ++chars;
        return 0;
    }
};

const fw::MessageEntry<CharSwallowingList> CharSwallowingList::messages[] = {
    fw::mapMessage(WM_CHAR, &CharSwallowingList::onChar),
};
const fw::MessageMap CharSwallowingList::messageMap =
    fw::chainMessageMap(messages, &fw::CListBox::classMessageMap);

class TestDialog : public fw::CDialog {
    ZOR_MESSAGE_MAP(TestDialog);

  public:
    explicit TestDialog(WPARAM closingCommand)
        : CDialog(100, nullptr), closingCommand_(closingCommand) {}

    bool initialised = false;
    std::string textAtOk;
    fw::CEdit edit;

  protected:
    BOOL OnInitDialog() override {
        initialised = true;
        edit.SubclassDlgItem(1001, GetSafeHwnd());
        edit.SetText("typed text");
        if (closingCommand_ == WM_CLOSE) {
            PostMessage(WM_CLOSE);
        } else {
            PostMessage(WM_COMMAND, closingCommand_);
        }
        return TRUE;
    }
    void OnOK() override {
        textAtOk = edit.GetText();
        CDialog::OnOK();
    }

  private:
    LRESULT onOther(const WindowMessage&) {
        EndDialog(7);
        return 0;
    }

    WPARAM closingCommand_;
};

const fw::MessageEntry<TestDialog> TestDialog::messages[] = {
    fw::mapCommand(1002, &TestDialog::onOther),
};
const fw::MessageMap TestDialog::messageMap =
    fw::chainMessageMap(messages, &fw::CDialog::classMessageMap);

const RECT kFrameRect{100, 100, 500, 400};

template <class Frame>
Frame* makeFrame(Log& log, bool& deleted) {
    auto frame = std::make_unique<Frame>(log, deleted);
    if (!frame->Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, kFrameRect, nullptr)) {
        return nullptr;
    }
    return frame.release();  // the frame owns itself from here on
}

// ---- checks ---------------------------------------------------------------------------------

void checkDispatchByMessageAndCommand() {
    Log log;
    bool deleted = false;
    DerivedFrame* frame = makeFrame<DerivedFrame>(log, deleted);
    CHECK(frame != nullptr);
    if (frame == nullptr) {
        return;
    }
    struct Case {
        UINT message;
        WPARAM wParam;
        const char* entry;  // "" when no handler may run
        LRESULT result;
    };
    const Case cases[] = {
        {kPing, 0, "ping", 42},                           // base map, found through chaining
        {kOverridden, 0, "derived", 2},                   // the derived entry comes first
        {kDerivedOnly, 0, "derived only", 3},             //
        {WM_COMMAND, MAKEWPARAM(100, 9), "cmd100", 0},    // any notification code
        {WM_COMMAND, MAKEWPARAM(101, 5), "cmd101/5", 0},  // this code only ...
        {WM_COMMAND, MAKEWPARAM(101, 6), "", 0},          // ... not another
        {WM_COMMAND, MAKEWPARAM(102, 0), "", 0},          // unmapped id
        {WM_GETTEXTLENGTH, 0, "", 5},                     // default processing: "frame"
    };
    for (const Case& c : cases) {
        log.clear();
        const LRESULT result = frame->SendMessage(c.message, c.wParam, 0);
        const std::string expected = c.entry;
        CHECK(result == c.result);
        CHECK(expected.empty() ? log.empty() : log == Log{expected});
    }

    NMHDR header{frame->GetSafeHwnd(), 400, kTreeSelChanged};
    log.clear();
    frame->SendMessage(WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&header));
    CHECK(log == Log{"notify400"});
    header.idFrom = 401;
    log.clear();
    frame->SendMessage(WM_NOTIFY, 401, reinterpret_cast<LPARAM>(&header));
    CHECK(log.empty());

    frame->DestroyWindow();
    CHECK(deleted);
}

void checkReflection() {
    Log log;
    bool deleted = false;
    RecordingFrame* frame = makeFrame<RecordingFrame>(log, deleted);
    CHECK(frame != nullptr);
    if (frame == nullptr) {
        return;
    }
    HWND parent = frame->GetSafeHwnd();
    const DWORD childStyle = WS_CHILD | WS_VISIBLE;

    SelfDrawnStatic drawn(log);
    CHECK(drawn.Create("", childStyle | SS_OWNERDRAW, RECT{0, 0, 50, 20}, parent, 300));
    HWND plainStatic = ::CreateWindowExA(0, "STATIC", "", childStyle | SS_OWNERDRAW, 60, 0, 50, 20,
                                         parent, reinterpret_cast<HMENU>(301), nullptr, nullptr);
    SelfClickedButton selfClicked(log);
    CHECK(selfClicked.Create("self", childStyle | BS_PUSHBUTTON, RECT{0, 30, 50, 50}, parent, 201));
    fw::CButton plainButton;
    CHECK(plainButton.Create("plain", childStyle | BS_PUSHBUTTON, RECT{60, 30, 110, 50}, parent,
                             200));
    OwnerDrawnList list;
    CHECK(list.Create(childStyle | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                      RECT{0, 60, 200, 200}, parent, 302));

    // Real painting: the static's owner draw reaches the child object, not the parent.
    ::UpdateWindow(parent);
    CHECK(drawn.draws > 0);
    CHECK(logged(log, "child draw"));

    // A synthetic owner draw for each static: the one without an object stays with the parent.
    struct DrawCase {
        HWND control;
        const char* entry;
    };
    for (const DrawCase& c :
         {DrawCase{drawn.GetSafeHwnd(), "child draw"}, DrawCase{plainStatic, "parent draw"}}) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_STATIC;
        item.CtlID = static_cast<UINT>(::GetDlgCtrlID(c.control));
        item.hwndItem = c.control;
        log.clear();
        CHECK(frame->SendMessage(WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)) == TRUE);
        CHECK(log == Log{c.entry});
    }

    // A click (which also paints, so colour requests come too): the button that maps its own
    // notification keeps it; the other's goes to the parent.
    log.clear();
    selfClicked.SendMessage(BM_CLICK);
    CHECK(logged(log, "child clicked"));
    CHECK(!logged(log, "parent cmd201"));
    log.clear();
    plainButton.SendMessage(BM_CLICK);
    CHECK(logged(log, "parent cmd200"));

    // Colours: a child object with a reflected entry answers; one without (the list) and a
    // control without an object leave it to the parent.
    struct ColourCase {
        UINT message;
        HWND control;
        LRESULT brush;
        const char* entry;
    };
    const ColourCase colours[] = {
        {WM_CTLCOLORSTATIC, drawn.GetSafeHwnd(), kChildBrush, "child colour"},
        {WM_CTLCOLORSTATIC, plainStatic, kParentBrush, "parent colour"},
        {WM_CTLCOLORLISTBOX, list.GetSafeHwnd(), kParentBrush, "parent colour"},
    };
    fw::WindowDC dc(parent);
    for (const ColourCase& c : colours) {
        log.clear();
        const LRESULT brush = frame->SendMessage(c.message, reinterpret_cast<WPARAM>(dc.get()),
                                                 reinterpret_cast<LPARAM>(c.control));
        CHECK(brush == c.brush);
        CHECK(log == Log{c.entry});
    }
    dc.reset();

    // Owner-drawn variable list: each added item is measured by the list object itself.
    CHECK(list.AddString("one") == 0);
    CHECK(list.AddString("two") == 1);
    CHECK(list.measured == 2);
    CHECK(list.GetItemHeight(1) == 17);
    list.Invalidate();
    list.UpdateWindow();
    CHECK(list.drawn > 0);

    frame->DestroyWindow();
    CHECK(deleted);
    // The child objects let go of their windows when these were destroyed with the parent.
    CHECK(drawn.GetSafeHwnd() == nullptr);
    CHECK(list.GetSafeHwnd() == nullptr);
    CHECK(plainButton.GetSafeHwnd() == nullptr);
}

void checkSubclassingSystemListBox() {
    HWND hwnd = ::CreateWindowExA(0, "LISTBOX", "", WS_POPUP | WS_VISIBLE | LBS_HASSTRINGS, 0, 0,
                                  200, 200, nullptr, nullptr, nullptr, nullptr);
    CHECK(hwnd != nullptr);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 1234);
    const LONG_PTR originalProc = ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC);

    auto list = std::make_unique<CharSwallowingList>();
    CHECK(list->SubclassWindow(hwnd));
    CHECK(fw::CWnd::FromHandle(hwnd) == list.get());
    CHECK(::GetWindowLongPtrA(hwnd, GWLP_USERDATA) == 1234);
    CHECK(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != originalProc);
    fw::CListBox second;
    CHECK(!second.SubclassWindow(hwnd));  // one object per window

    // The list's own procedure still does the work of messages the map does not take.
    for (const char* text : {"apple", "banana", "cherry"}) {
        ::SendMessageA(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    CHECK(list->GetCount() == 3);
    CHECK(list->GetText(1) == "banana");
    CHECK(list->GetCurSel() == -1);

    // A handled WM_CHAR is swallowed: no search by typed letter.
    ::SendMessageA(hwnd, WM_CHAR, 'c', 1);
    CHECK(list->chars == 1);
    CHECK(list->GetCurSel() == -1);

    CHECK(list->UnsubclassWindow() == hwnd);
    CHECK(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == originalProc);
    CHECK(fw::CWnd::FromHandle(hwnd) == nullptr);
    CHECK(list->GetSafeHwnd() == nullptr);
    // Without the subclass the list searches again, which shows the swallowing was real.
    ::SendMessageA(hwnd, WM_CHAR, 'c', 1);
    CHECK(list->chars == 1);
    CHECK(::SendMessageA(hwnd, LB_GETCURSEL, 0, 0) == 2);

    // Destroying a subclassed window detaches its object.
    CHECK(list->SubclassWindow(hwnd));
    ::DestroyWindow(hwnd);
    CHECK(list->GetSafeHwnd() == nullptr);
}

void checkListBoxTextLimit() {
    fw::CListBox list;
    CHECK(list.Create(WS_POPUP | LBS_HASSTRINGS, RECT{0, 0, 100, 100}, nullptr, 0));
    const std::string longText(600, 'x');
    CHECK(list.AddString(longText) == 0);  // held to the limit when added
    ::SendMessageA(list.GetSafeHwnd(), LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(longText.c_str()));  // and when read back
    CHECK(list.InsertString(0, "first") == 0);
    CHECK(list.GetText(0) == "first");
    CHECK(list.GetText(1) == std::string(511, 'x'));
    CHECK(list.GetText(2) == std::string(511, 'x'));
    CHECK(list.GetText(3).empty());  // no such item
    CHECK(list.DeleteString(0) == 2);
    list.ResetContent();
    CHECK(list.GetCount() == 0);
    list.DestroyWindow();
}

// Items are UTF-8 outside and UTF-16 in the list; the limit counts characters, so a character
// of several bytes, or of two UTF-16 units, is neither counted twice nor cut.
void checkListBoxUnicodeText() {
    fw::CListBox list;
    CHECK(list.Create(WS_POPUP | LBS_HASSTRINGS, RECT{0, 0, 100, 100}, nullptr, 0));
    const std::string mixed =
        "na\xC3\xAFve caf\xC3\xA9 \xD0\xBF\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F "
        "\xE6\xAD\x8C\xE8\xA9\x9E \xF0\x9F\x8E\xB5";
    CHECK(list.AddString(mixed) == 0);
    CHECK(list.GetText(0) == mixed);
    std::wstring wide(64, L'\0');
    CHECK(
        ::SendMessageW(list.GetSafeHwnd(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(wide.data())) ==
        22);  // 21 characters, the last one two UTF-16 units
    CHECK(wide[2] == 0x00EF && wide[11] == 0x043F && wide[17] == 0x6B4C && wide[20] == 0xD83C);

    std::string cyrillic;
    for (int i = 0; i < 600; ++i) {
        cyrillic += "\xD0\xB6";  // one character, two bytes
    }
    CHECK(list.AddString(cyrillic) == 1);
    std::string held;
    for (int i = 0; i < 511; ++i) {
        held += "\xD0\xB6";
    }
    CHECK(list.GetText(1) == held);

    // 510 letters and a character beyond the basic plane fit; the letter after it does not.
    const std::string note = "\xF0\x9F\x8E\xB5";
    CHECK(list.AddString(std::string(510, 'x') + note + "y") == 2);
    CHECK(list.GetText(2) == std::string(510, 'x') + note);
    CHECK(list.AddString(std::string(511, 'x') + note) == 3);
    CHECK(list.GetText(3) == std::string(511, 'x'));
    list.DestroyWindow();
}

void checkFrameLifetime() {
    Log log;
    bool deleted = false;
    RecordingFrame* frame = makeFrame<RecordingFrame>(log, deleted);
    CHECK(frame != nullptr);
    if (frame != nullptr) {
        HWND hwnd = frame->GetSafeHwnd();
        ::DestroyWindow(hwnd);
        CHECK(deleted);                 // deleted itself after WM_NCDESTROY ...
        CHECK(logged(log, "destroy"));  // ... having had its WM_DESTROY
        CHECK(::IsWindow(hwnd) == FALSE);
    }

    // A window that refuses to be created leaves the object to its maker.
    bool failedDeleted = false;
    auto failing = std::make_unique<FailingFrame>(log, failedDeleted);
    CHECK(!failing->Create("failing", WS_OVERLAPPEDWINDOW, kFrameRect, nullptr));
    CHECK(!failedDeleted);
    CHECK(failing->GetSafeHwnd() == nullptr);
    failing.reset();
    CHECK(failedDeleted);
}

void checkModalDialog() {
    struct Case {
        WPARAM closingCommand;
        INT_PTR result;
    };
    const Case cases[] = {
        {IDOK, IDOK},          // the standard OK handler, overridden and chained
        {1002, 7},             // a command entry of the dialog's own map
        {IDCANCEL, IDCANCEL},  // the standard Cancel handler
        {WM_CLOSE, IDCANCEL},  // the close box becomes Cancel
    };
    for (const Case& c : cases) {
        TestDialog dialog(c.closingCommand);
        const INT_PTR result = dialog.DoModal();
        CHECK(result == c.result);
        CHECK(dialog.initialised);
        CHECK(dialog.textAtOk == (c.closingCommand == IDOK ? "typed text" : ""));
        CHECK(dialog.GetSafeHwnd() == nullptr);
        CHECK(dialog.edit.GetSafeHwnd() == nullptr);
    }

    class MissingDialog : public fw::CDialog {
      public:
        MissingDialog() : CDialog(999, nullptr) {}
    } missing;
    CHECK(missing.DoModal() == -1);
}

void checkGdiOwners() {
    HGDIOBJ first = nullptr;
    HGDIOBJ second = nullptr;
    {
        fw::Brush brush(::CreateSolidBrush(RGB(1, 2, 3)));
        first = brush.get();
        CHECK(::GetObjectType(first) == OBJ_BRUSH);
        fw::Brush moved(std::move(brush));
        // cppcheck-suppress accessMoved
        CHECK(!brush);
        CHECK(moved.get() == first);

        fw::Brush other(::CreateSolidBrush(RGB(4, 5, 6)));
        second = other.get();
        other = std::move(moved);  // the brush it held goes
        CHECK(::GetObjectType(second) == 0);
        CHECK(::GetObjectType(first) == OBJ_BRUSH);
    }
    CHECK(::GetObjectType(first) == 0);

    HDC memory = nullptr;
    HGDIOBJ bitmap = nullptr;
    {
        fw::WindowDC screen(nullptr);
        CHECK(static_cast<bool>(screen));
        fw::MemoryDC dc(::CreateCompatibleDC(screen.get()));
        memory = dc.get();
        CHECK(::GetObjectType(memory) == OBJ_MEMDC);
        fw::Bitmap picture(::CreateCompatibleBitmap(screen.get(), 8, 8));
        bitmap = picture.get();
        const HGDIOBJ before = ::GetCurrentObject(memory, OBJ_BITMAP);
        {
            fw::ScopedSelect select(memory, picture.get());
            CHECK(::GetCurrentObject(memory, OBJ_BITMAP) == bitmap);
        }
        CHECK(::GetCurrentObject(memory, OBJ_BITMAP) == before);
    }
    CHECK(::GetObjectType(bitmap) == 0);
    CHECK(::GetObjectType(memory) == 0);

    fw::Font font(
        ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    HGDIOBJ fontHandle = font.get();
    CHECK(::GetObjectType(fontHandle) == OBJ_FONT);
    font.reset();
    CHECK(::GetObjectType(fontHandle) == 0);
}

class TestApp : public fw::CWinApp {};

}  // namespace

int main() {
    TestApp app;
    CHECK(fw::CWinApp::GetApp() == &app);
    CHECK(app.GetInstanceHandle() == ::GetModuleHandleA(nullptr));

    checkDispatchByMessageAndCommand();
    checkReflection();
    checkSubclassingSystemListBox();
    checkListBoxTextLimit();
    checkListBoxUnicodeText();
    checkFrameLifetime();
    checkModalDialog();
    checkGdiOwners();

    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
