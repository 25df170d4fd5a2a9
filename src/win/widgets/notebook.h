// TNotebook: a page area without tabs. It holds a fixed row of pages, each a
// white child window of the same size as the area; only the active page is
// visible. Controls placed on a page send their notifications (WM_COMMAND,
// WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*, WM_CONTEXTMENU) to the page,
// which hands them to the notebook's owner window, so the form that made the
// controls handles them as if they were its own children.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "widgets/child_window.h"

namespace swl {

class TNotebook : public ChildWindow {
public:
    static constexpr const wchar_t* kClassName = L"TNotebook";
    static constexpr const wchar_t* kPageClassName = L"TNotebookPage";

    TNotebook();
    ~TNotebook() override;

    // Creates the area with one page per caption; the pages' notifications
    // go to `owner`. The first page is active.
    bool Create(HWND parent, HWND owner, int x, int y, int width, int height,
                const std::vector<std::u16string>& captions, int id = 0);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    // The page's window; null for an index out of range.
    HWND PageHandle(int index) const;
    const std::u16string& PageCaption(int index) const;
    int PageIndex() const { return active_; }
    // Shows the page and hides the one before; out of range or the active
    // page: nothing changes.
    void SetPageIndex(int index);
    // Selects the page whose caption is `caption`; false when there is none.
    bool SelectPage(const std::u16string& caption);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    class Page : public ChildWindow {
    public:
        Page(TNotebook& book, std::u16string caption) : book_(book), caption_(std::move(caption)) {}
        const std::u16string& Caption() const { return caption_; }

    protected:
        LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        TNotebook& book_;
        std::u16string caption_;
    };

    void FitPages();

    HWND owner_ = nullptr;
    int active_ = -1;
    std::vector<std::unique_ptr<Page>> pages_;
};

}  // namespace swl
