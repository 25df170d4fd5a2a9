#include "TrayForm.h"

#include <atomic>
#include <stdexcept>
#include <utility>

#include "SWLLang.h"
#include "window_object.h"
#include "message_pump.h"
#include "gdi_handles.h"
#include "resource_ids.h"
#include "wide_text.h"
#include "widgets/child_window.h"
#include "widgets/explorer_bar.h"
#include "widgets/explorer_bar_group.h"
#include "widgets/gdi_text_measurer.h"
#include "widgets/markup_label.h"

namespace swl {

// ---------------------------------------------------------------------------
// The animator

struct TfrmTimer::Shared {
    Shared(HWND w, int h)
        : window(w),
          windowHeight(h),
          wake(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
          stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          applied(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
          finished(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Shared() {
        for (HANDLE h : {wake, stop, applied, finished})
            if (h) CloseHandle(h);
    }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    const HWND window;
    const int windowHeight;
    NotificationAnimator machine;
    // The window's top edge and the screen height as the window's thread
    // last set them; the animator decides from these, never from the window.
    std::atomic<int> top{0};
    std::atomic<int> screenHeight{0};
    // Bumped whenever the window's thread places or hides the window itself.
    std::atomic<unsigned> placement{0};
    std::atomic<std::uint64_t> ticks{0};
    std::atomic<DWORD> threadId{0};
    HANDLE wake;      // auto-reset: Resume
    HANDLE stop;      // manual-reset: Terminate
    HANDLE applied;   // auto-reset: the window's thread carried out a step
    HANDLE finished;  // manual-reset: the thread function returned
};

TfrmTimer::TfrmTimer(HWND window, int windowHeight)
    : shared_(std::make_shared<Shared>(window, windowHeight)) {
    if (!shared_->wake || !shared_->stop || !shared_->applied || !shared_->finished)
        throw std::runtime_error("Cannot create the animator's events");
    thread_ = std::thread(&TfrmTimer::Run, shared_);
}

TfrmTimer::~TfrmTimer() {
    Terminate();
    if (!thread_.joinable()) return;
    // The thread only ever waits on events that Terminate sets, or sleeps
    // 1 ms, so it ends at once; should it not, it ends on its own later.
    if (WaitForSingleObject(shared_->finished, 500) == WAIT_OBJECT_0)
        thread_.join();
    else
        thread_.detach();
}

void TfrmTimer::Run(std::shared_ptr<Shared> s) {
    s->threadId.store(GetCurrentThreadId());
    const HANDLE wakeOrStop[2] = {s->wake, s->stop};
    const HANDLE appliedOrStop[2] = {s->applied, s->stop};
    NotificationAnimator& machine = s->machine;
    while (!machine.IsTerminated()) {
        if (machine.IsPaused()) {
            // Blocked until Resume or Terminate: no ticks while idle.
            WaitForMultipleObjects(2, wakeOrStop, FALSE, INFINITE);
            continue;
        }
        // The placement is read before the top edge, so a step decided from
        // a top edge the window's thread has since replaced is recognised.
        const unsigned placement = s->placement.load();
        const AnimatorStep step = machine.Tick(s->top.load(), s->screenHeight.load(), s->windowHeight);
        s->ticks.fetch_add(1);
        if (step.kind != AnimatorStep::Kind::None) {
            const UINT msg = step.kind == AnimatorStep::Kind::MoveTo ? kMsgMoveTop : kMsgHide;
            if (PostMessageW(s->window, msg, static_cast<WPARAM>(placement), static_cast<LPARAM>(step.top)))
                WaitForMultipleObjects(2, appliedOrStop, FALSE, INFINITE);
        }
        Sleep(1);
    }
    SetEvent(s->finished);
}

void TfrmTimer::Resume() {
    shared_->machine.Wake();
    // Always signalled: the animator may have paused itself just now.
    SetEvent(shared_->wake);
}

void TfrmTimer::Pause() { shared_->machine.Pause(); }
bool TfrmTimer::IsPaused() const { return shared_->machine.IsPaused(); }

void TfrmTimer::Terminate() {
    shared_->machine.Terminate();
    SetEvent(shared_->stop);
}

bool TfrmTimer::IsTerminated() const { return shared_->machine.IsTerminated(); }
NotificationAnimator& TfrmTimer::Flags() { return shared_->machine; }

void TfrmTimer::Place(int top) {
    shared_->top.store(top);
    shared_->placement.fetch_add(1);
}

void TfrmTimer::Moved(int top) { shared_->top.store(top); }
void TfrmTimer::SetScreenHeight(int height) { shared_->screenHeight.store(height); }

bool TfrmTimer::IsCurrent(WPARAM placement) const {
    return static_cast<unsigned>(placement) == shared_->placement.load();
}

void TfrmTimer::StepDone() { SetEvent(shared_->applied); }
std::uint64_t TfrmTimer::TickCount() const { return shared_->ticks.load(); }
DWORD TfrmTimer::ThreadId() const { return shared_->threadId.load(); }

// ---------------------------------------------------------------------------
// The window's parts

namespace {

constexpr COLORREF kPanelColor = 14452581;          // RGB(101, 135, 220)
constexpr COLORREF kGradientStartColor = 16113103;  // RGB(207, 221, 245)
constexpr COLORREF kGradientEndColor = RGB(255, 255, 255);
constexpr COLORREF kCaptionColor = 16244694;        // RGB(214, 223, 247)
constexpr int kCaptionHeight = 17;
constexpr int kPanelMargin = 1;

// Tahoma at `points`, as the screen resolves it.
// The picture: an icon drawn over what lies beneath it.
class IconImage final : public ChildWindow {
public:
    static constexpr const wchar_t* kClassName = L"TImage";
    bool Create(HWND parent, int x, int y, int width, int height) {
        RegisterWidgetClass(kClassName);
        return CreateChild(kClassName, parent, x, y, width, height);
    }
    void SetIcon(HICON icon) {
        icon_ = icon;
        if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT painted = 0;
        if (AnswerPaintMessage(Handle(), msg, wParam, [this](HDC dc) { Paint(dc); }, painted)) return painted;
        return ChildWindow::HandleMessage(msg, wParam, lParam);
    }

private:
    void Paint(HDC dc) {
        PaintParentBackground(Handle(), dc);
        RECT rc;
        GetClientRect(Handle(), &rc);
        if (icon_) DrawIconEx(dc, 0, 0, icon_, rc.right, rc.bottom, 0, nullptr, DI_NORMAL);
    }

    HICON icon_ = nullptr;
};

}  // namespace

struct TfrmTrayWnd::Components {
    TExplorerBar ebPanel;
    TExplorerBarGroup ebTrayWnd;
    IconImage imgIcon;
    TMarkupLabel lbStatus;
};

// ---------------------------------------------------------------------------
// The window

TfrmTrayWnd::TfrmTrayWnd(TrayWndSource source)
    : source_(std::move(source)), components_(std::make_unique<Components>()) {}

TfrmTrayWnd::~TfrmTrayWnd() {
    // The animator first: it must not post to a window that is going away.
    frmTimer_.reset();
    components_.reset();
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (ownIcon_ && icon_) DestroyIcon(icon_);
}

void TfrmTrayWnd::RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &WindowObjectProc<TfrmTrayWnd>;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

bool TfrmTrayWnd::Create(HWND owner, HICON icon) {
    if (hwnd_) return true;
    RegisterWindowClass();
    if (icon) {
        icon_ = icon;
    } else {
        icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"" SWL_RES_MAINICON, IMAGE_ICON, 32, 32, 0));
        ownIcon_ = icon_ != nullptr;
        if (!icon_) icon_ = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    }
    // No border and no caption: the window rectangle is the client area.
    // Topmost, and a tool window owned by the hidden application window, so
    // it never gets a taskbar button.
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP | WS_CLIPCHILDREN,
                    GetSystemMetrics(SM_CXSCREEN) - kClientWidth, screenHeight, kClientWidth, kClientHeight, owner,
                    nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) return false;
    FormCreate();
    return true;
}

void TfrmTrayWnd::CreateComponents() {
    Components& c = *components_;
    TExplorerBar& bar = c.ebPanel;
    bar.SetColor(kPanelColor);
    bar.SetMargin(kPanelMargin);
    bar.SetVerticalScrollBar(ExplorerScrollBar::None);
    bar.Create(hwnd_, 0, 0, kClientWidth, kClientHeight);

    TExplorerBarGroup& group = c.ebTrayWnd;
    TPanelCaptionSettings caption;
    caption.height = kCaptionHeight;
    caption.autoSize = true;
    caption.flatAlways = true;
    caption.color = kCaptionColor;
    caption.buttonColor = kCaptionColor;
    caption.alignment = MarkupAlignment::Left;
    caption.layout = MarkupLayout::Center;
    caption.font = InterfaceFont(9, true);
    caption.fontColor = GetSysColor(COLOR_HIGHLIGHT);
    caption.showMinButton = false;
    caption.showCloseButton = false;
    group.SetCaptionSettings(caption);
    group.SetColor(kGradientStartColor);
    group.SetBackgroundType(GroupBackground::VerticalGradient);
    group.SetGradientStartColor(kGradientStartColor);
    group.SetGradientEndColor(kGradientEndColor);
    group.SetLocked(true);
    group.Create(bar, kPanelMargin, kPanelMargin, kClientWidth - 2 * kPanelMargin, kClientHeight - 2 * kPanelMargin);
    // Disabled: it takes no mouse and no keyboard, and nothing in it does.
    group.SetEnabled(false);
    c.imgIcon.Create(group.Handle(), 4, 21, 32, 32);

    TMarkupLabel& label = c.lbStatus;
    label.SetIsHTML(true);
    label.SetWordWrap(true);
    label.SetEndEllipsis(true);
    label.SetAlignment(MarkupAlignment::Center);
    label.SetLayout(MarkupLayout::Center);
    label.SetAutoSize(false);
    label.SetFont(InterfaceFont(9, false));
    label.SetFontColor(GetSysColor(COLOR_HIGHLIGHT));
    label.Create(group.Handle(), 44, 16, 179, 39);
}

void TfrmTrayWnd::FormCreate() {
    components_->imgIcon.SetIcon(icon_);
    frmTimer_ = std::make_unique<TfrmTimer>(hwnd_, kClientHeight);
    frmTimer_->SetScreenHeight(GetSystemMetrics(SM_CYSCREEN));
    frmTimer_->Place(CurrentTop());
}

bool TfrmTrayWnd::Showing() const { return hwnd_ && IsWindowVisible(hwnd_); }

int TfrmTrayWnd::CurrentTop() const {
    RECT rc{};
    GetWindowRect(hwnd_, &rc);
    return rc.top;
}

void TfrmTrayWnd::PlaceTop(int top) {
    SetWindowPos(hwnd_, nullptr, left_, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    frmTimer_->Place(top);
}

void TfrmTrayWnd::Reset() {
    if (!hwnd_) return;
    left_ = NotificationLeft(GetSystemMetrics(SM_CXSCREEN), kClientWidth);
    SetWindowPos(hwnd_, nullptr, left_, CurrentTop(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    frmTimer_->SetScreenHeight(GetSystemMetrics(SM_CYSCREEN));

    const std::u16string status = source_.StatusCaption ? source_.StatusCaption() : std::u16string();
    const std::u16string count = source_.CountText ? source_.CountText() : std::u16string();
    const bool vietnamese = source_.Vietnamese && source_.Vietnamese();
    const std::u16string message = u"<b>" + count + u"</b> " + GetLangText(vietnamese, "msgcbcollected");
    components_->ebTrayWnd.SetCaptionText(status);
    components_->lbStatus.SetCaption(message);
    // The texts are painted, not held as window texts; giving them to the
    // windows too lets screen readers and other programs read what is shown.
    SetWindowTextW(hwnd_, Wide(status));
    if (HWND label = components_->lbStatus.Handle())
        SetWindowTextW(label, Wide(message));
}

int TfrmTrayWnd::ShowCommand() {
    // The window takes the keyboard (Escape dismisses it) only from the
    // program's own windows. A copy made in another program must not take
    // that program's keyboard away: what the user types next would be lost.
    // Windows itself refuses a background program the foreground; Wine does
    // not, so the program does not ask for it.
    DWORD process = 0;
    if (HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &process);
    return process == GetCurrentProcessId() ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE;
}

void TfrmTrayWnd::ShowForm() {
    if (!hwnd_) return;
    const bool arm = frmTimer_->Flags().ShowForm(Showing());
    Reset();
    if (arm) {
        PlaceTop(GetSystemMetrics(SM_CYSCREEN));  // just below the screen
        ShowWindow(hwnd_, ShowCommand());
    }
    ProcessPendingMessages();
    WakeUnlessDismissed();
}

void TfrmTrayWnd::ShowTip() {
    if (!hwnd_) return;
    Reset();
    if (frmTimer_->Flags().ShowTip(Showing())) {
        POINT pointer{};
        GetCursorPos(&pointer);
        PlaceTop(TipTop(pointer.y, kClientHeight));
        ShowWindow(hwnd_, ShowCommand());
    }
    ProcessPendingMessages();
    WakeUnlessDismissed();
}

void TfrmTrayWnd::WakeUnlessDismissed() {
    // An Escape or a double click among the messages just processed has
    // hidden the window and paused the animator; waking it would move and
    // time a hidden window, and the tray hover offers no tip meanwhile.
    if (frmTimer_ && Showing()) frmTimer_->Resume();
}

void TfrmTrayWnd::Hide() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_HIDE);
    // Steps on their way, or decided while the hide took its time (without a
    // window manager, Wine waits up to 2 s for the display), were decided for
    // the window as it was: they are dropped when they arrive.
    if (frmTimer_) frmTimer_->Place(CurrentTop());
}

std::u16string TfrmTrayWnd::GroupCaption() const { return components_->ebTrayWnd.CaptionSettings().text; }
const TMarkupLabel& TfrmTrayWnd::StatusLabel() const { return components_->lbStatus; }

void TfrmTrayWnd::FormShow() {
    // The owner is the application's hidden window: it stays hidden, so the
    // program shows no taskbar button.
    if (HWND owner = GetWindow(hwnd_, GW_OWNER)) {
        ShowWindow(owner, SW_HIDE);
        ShowWindowAsync(owner, SW_HIDE);
    }
    Reset();
}

void TfrmTrayWnd::FormClose() {
    if (frmTimer_) frmTimer_->Terminate();
    ShowWindow(hwnd_, SW_HIDE);
}

void TfrmTrayWnd::FormKeyPress(wchar_t key) {
    if (key != 27 || !Showing()) return;
    Hide();
    frmTimer_->Pause();
}

void TfrmTrayWnd::ApplyStep(UINT msg, WPARAM placement, LPARAM top) {
    if (!frmTimer_) return;
    // Dropped when the window has been placed anew since the step was decided;
    // the animator is answered either way. Hiding ignores any error.
    if (frmTimer_->IsCurrent(placement)) {
        if (msg == TfrmTimer::kMsgMoveTop) {
            const int newTop = static_cast<int>(top);
            SetWindowPos(hwnd_, nullptr, left_, newTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            frmTimer_->Moved(newTop);
        } else if (Showing()) {
            ShowWindow(hwnd_, SW_HIDE);
        }
    }
    // Until now a request found the window showing and could not wake the
    // animator; from here the next one shows the window anew.
    if (msg == TfrmTimer::kMsgHide) frmTimer_->Flags().HideApplied();
    frmTimer_->StepDone();
}

LRESULT TfrmTrayWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            CreateComponents();
            return 0;
        case TfrmTimer::kMsgMoveTop:
        case TfrmTimer::kMsgHide:
            ApplyStep(msg, wParam, lParam);
            return 0;
        case WM_SHOWWINDOW:
            if (wParam) FormShow();
            break;
        case WM_CHAR:
            FormKeyPress(static_cast<wchar_t>(wParam));
            return 0;
        case WM_CLOSE:
            FormClose();
            return 0;
        case WM_DESTROY:
            // Destroyed with its owner: the animator has nothing left to move.
            if (frmTimer_) frmTimer_->Terminate();
            break;
        case WM_NCDESTROY: {
            const HWND hwnd = std::exchange(hwnd_, nullptr);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace swl
