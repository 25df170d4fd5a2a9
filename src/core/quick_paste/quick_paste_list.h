// What the quick-paste popup shows and where its selection is: the history
// newest first, narrowed by the typed filter, the first ten entries numbered
// 1 to 9 and 0, one selected entry, and the rows in view when not all fit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace swl {

struct QuickPasteEntry {
    int slot = 0;         // the history slot (1..CBCount)
    std::u16string text;  // what the filter looks in; empty for a picture
    bool picture = false;
};

enum class QuickPasteMove { Up, Down, PageUp, PageDown, Home, End };

class QuickPasteList {
public:
    // Entries newest first. rowsInView is how many entries the popup shows
    // at once (at least 1).
    QuickPasteList(std::vector<QuickPasteEntry> newestFirst, int rowsInView);

    bool HistoryEmpty() const { return all_.empty(); }
    const std::u16string& Filter() const { return filter_; }
    // Adds a character to the filter / takes the last one away (a surrogate
    // pair as one); the selection goes back to the first entry shown.
    void TypeFilter(char16_t c);
    void EraseFilter();
    // The whole filter at once (typed text put into its normal form).
    void SetFilter(std::u16string filter);

    // The entries that match the filter (a picture has no text, so it
    // matches only the empty filter), newest first.
    int ShownCount() const { return static_cast<int>(shown_.size()); }
    const QuickPasteEntry& Shown(int position) const;
    // The number drawn beside an entry: "1".."9", "0" for the tenth, empty
    // beyond.
    static std::u16string NumberText(int position);
    // The position a digit picks ('1' the first, '0' the tenth); nothing for
    // a digit beyond the entries shown or a character that is not a digit.
    std::optional<int> PositionForDigit(char16_t digit) const;

    // The selected position; -1 when nothing is shown.
    int Selected() const { return selected_; }
    void Move(QuickPasteMove move);
    void Select(int position);
    // The first position in view; the view follows the selection.
    int Top() const { return top_; }
    int RowsInView() const { return rows_; }

private:
    void Refilter();
    void KeepSelectionInView();

    std::vector<QuickPasteEntry> all_;
    std::vector<std::size_t> shown_;
    std::u16string filter_;
    int rows_ = 1;
    int selected_ = -1;
    int top_ = 0;
};

}  // namespace swl
