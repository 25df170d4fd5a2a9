#include "widgets/notebook.h"

namespace swl {

TNotebook::TNotebook() = default;

TNotebook::~TNotebook() {
    // The pages' windows go first, while the page objects still exist.
    for (auto& page : pages_)
        if (page->Handle()) DestroyWindow(page->Handle());
}

bool TNotebook::Create(HWND parent, HWND owner, int x, int y, int width, int height,
                       const std::vector<std::u16string>& captions, int id) {
    RegisterWidgetClass(kClassName, nullptr, 0);
    RegisterWidgetClass(kPageClassName, nullptr, 0);
    owner_ = owner;
    if (!CreateChild(kClassName, parent, x, y, width, height, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                     WS_EX_CONTROLPARENT, id))
        return false;
    for (const auto& caption : captions) {
        auto page = std::make_unique<Page>(*this, caption);
        if (!page->CreateChild(kPageClassName, Handle(), 0, 0, width, height, WS_CHILD | WS_CLIPCHILDREN,
                               WS_EX_CONTROLPARENT))
            return false;
        pages_.push_back(std::move(page));
    }
    SetPageIndex(0);
    return true;
}

HWND TNotebook::PageHandle(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return pages_[static_cast<std::size_t>(index)]->Handle();
}

const std::u16string& TNotebook::PageCaption(int index) const {
    static const std::u16string none;
    if (index < 0 || index >= PageCount()) return none;
    return pages_[static_cast<std::size_t>(index)]->Caption();
}

void TNotebook::SetPageIndex(int index) {
    if (index < 0 || index >= PageCount() || index == active_) return;
    const int before = active_;
    active_ = index;
    ShowWindow(PageHandle(index), SW_SHOW);
    if (before >= 0) ShowWindow(PageHandle(before), SW_HIDE);
}

bool TNotebook::SelectPage(const std::u16string& caption) {
    for (int i = 0; i < PageCount(); ++i) {
        if (PageCaption(i) == caption) {
            SetPageIndex(i);
            return true;
        }
    }
    return false;
}

void TNotebook::FitPages() {
    RECT client{};
    GetClientRect(Handle(), &client);
    for (auto& page : pages_)
        SetWindowPos(page->Handle(), nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TNotebook::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return 1;
    }
    case WM_SIZE:
        FitPages();
        return 0;
    default:
        break;
    }
    return ChildWindow::HandleMessage(msg, wParam, lParam);
}

LRESULT TNotebook::Page::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CONTEXTMENU:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (book_.owner_ && (msg != WM_VSCROLL || lParam != 0)) return SendMessageW(book_.owner_, msg, wParam, lParam);
        break;
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT: {
        // White behind every control; transparent labels ask for it.
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return msg == WM_ERASEBKGND ? 1 : 0;
    }
    default:
        break;
    }
    return ChildWindow::HandleMessage(msg, wParam, lParam);
}

}  // namespace swl
