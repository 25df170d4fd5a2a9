#include "quick_paste/quick_paste_list.h"

#include <algorithm>

#include "quick_paste/text_match.h"

namespace swl {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

QuickPasteList::QuickPasteList(std::vector<QuickPasteEntry> newestFirst, int rowsInView)
    : all_(std::move(newestFirst)), rows_(std::max(rowsInView, 1)) {
    Refilter();
}

void QuickPasteList::TypeFilter(char16_t c) {
    filter_ += c;
    Refilter();
}

void QuickPasteList::SetFilter(std::u16string filter) {
    filter_ = std::move(filter);
    Refilter();
}

void QuickPasteList::EraseFilter() {
    if (filter_.empty()) return;
    filter_.pop_back();
    if (!filter_.empty() && IsHighSurrogate(filter_.back())) filter_.pop_back();
    Refilter();
}

const QuickPasteEntry& QuickPasteList::Shown(int position) const {
    return all_[shown_.at(static_cast<std::size_t>(position))];
}

std::u16string QuickPasteList::NumberText(int position) {
    if (position < 0 || position > 9) return {};
    return std::u16string(1, position == 9 ? u'0' : static_cast<char16_t>(u'1' + position));
}

std::optional<int> QuickPasteList::PositionForDigit(char16_t digit) const {
    if (digit < u'0' || digit > u'9') return std::nullopt;
    const int position = digit == u'0' ? 9 : digit - u'1';
    if (position >= ShownCount()) return std::nullopt;
    return position;
}

void QuickPasteList::Move(QuickPasteMove move) {
    const int n = ShownCount();
    if (n == 0) return;
    int to = selected_;
    switch (move) {
    case QuickPasteMove::Up: to = selected_ - 1; break;
    case QuickPasteMove::Down: to = selected_ + 1; break;
    case QuickPasteMove::PageUp: to = selected_ - rows_; break;
    case QuickPasteMove::PageDown: to = selected_ + rows_; break;
    case QuickPasteMove::Home: to = 0; break;
    case QuickPasteMove::End: to = n - 1; break;
    }
    Select(to);
}

void QuickPasteList::Select(int position) {
    const int n = ShownCount();
    if (n == 0) return;
    selected_ = std::clamp(position, 0, n - 1);
    KeepSelectionInView();
}

void QuickPasteList::Refilter() {
    shown_.clear();
    for (std::size_t i = 0; i < all_.size(); ++i) {
        const QuickPasteEntry& e = all_[i];
        if (filter_.empty() || (!e.picture && ContainsIgnoringCase(e.text, filter_))) shown_.push_back(i);
    }
    top_ = 0;
    selected_ = shown_.empty() ? -1 : 0;
}

void QuickPasteList::KeepSelectionInView() {
    if (selected_ < top_) top_ = selected_;
    if (selected_ >= top_ + rows_) top_ = selected_ - rows_ + 1;
    top_ = std::clamp(top_, 0, std::max(ShownCount() - rows_, 0));
}

}  // namespace swl
