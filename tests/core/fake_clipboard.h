// The Windows clipboard as the program's capture sees it, for the tests of
// the recorder, the picture budget and the settings replay.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "history.h"
#include "memory_picture.h"
#include "settings/settings_ports.h"

namespace swl {

// The history list as lines of text; the count bar is not kept.
class ListLinesView final : public HistoryView {
public:
    std::vector<std::u16string> lines;
    void AddLine(const std::u16string& text) override { lines.push_back(text); }
    void DeleteLine(int index) override {
        if (index >= 0 && index < static_cast<int>(lines.size())) lines.erase(lines.begin() + index);
    }
    void DeleteAllLines() override { lines.clear(); }
    void SetLightValue(int) override {}
    void SetLightText(const std::u16string&) override {}
};

// The Windows clipboard with the program in (or out of) the viewer chain:
// while monitoring is on, every change is captured into the history before
// the call that made it returns, as the real nested capture does. A capture
// that finds the clipboard held waits for it (a pending retry) and records
// the change later, unless the change stands recorded by then.
class FakeClipboard final : public SettingsClipboard {
public:
    struct Content {
        bool text = false;
        std::string ansi;
        std::u16string wide;
        std::unique_ptr<Picture> picture;
        bool Empty() const { return !text && !picture; }
    };

    explicit FakeClipboard(THistory& history) : history_(history) {}

    Content content;
    bool monitoring = false;
    // Another program holds the clipboard open: emptying fails, and so do
    // the puts whose numbers (1 for the first) are listed.
    bool emptyFails = false;
    std::set<int> failingPuts;
    // Puts whose text gets only its first format (CF_TEXT) on the clipboard.
    std::set<int> partialPuts;
    // Puts after which another program takes the clipboard before the
    // capture can read it: the capture waits for it.
    std::set<int> capturesHeldOff;
    int puts = 0;
    unsigned captures = 0;
    unsigned sequence = 0;  // the clipboard's change number
    std::optional<unsigned> pendingRetry, recordedSequence, writtenSequence;

    bool Empty() override {
        if (emptyFails) return false;
        content = Content();
        Changed(false);
        return true;
    }

    Written Put(const TCBI& item) override {
        ++puts;
        if (failingPuts.count(puts) != 0) return Written::Nothing;
        Content next;
        Written written = Written::Whole;
        if (item.Format == kCF_TEXT || item.Format == kCF_UNICODETEXT) {
            next.text = true;
            next.ansi = item.Text.substr(0, item.Text.find('\0'));
            next.wide = item.WText;
            if (partialPuts.count(puts) != 0) {
                next.wide = history_.CodePage().ToWide(next.ansi);  // the system's own conversion
                written = Written::Partly;
            }
        } else if (item.Format == kCF_BITMAP && item.Bitmap) {
            next.picture = item.Bitmap->Copy();
        } else {
            return Written::Nothing;  // nothing written, no notification
        }
        content = std::move(next);
        writtenSequence = sequence + 1;
        Changed(capturesHeldOff.count(puts) != 0);
        return written;
    }

    unsigned CaptureCount() const override { return captures; }
    void TakeAsRecorded() override {
        if (!writtenSequence) return;
        if (pendingRetry == writtenSequence) pendingRetry.reset();
        recordedSequence = writtenSequence;
    }
    bool Monitoring() const override { return monitoring; }

    void SetMonitoring(bool on) {
        monitoring = on;
        recordedSequence.reset();
        if (on) Capture();  // joining the chain delivers a first notification
    }

    // The program that held the clipboard lets it go: a pending capture runs
    // if the clipboard has not changed since and that change is not recorded.
    void ReleaseHold() {
        if (!pendingRetry || *pendingRetry != sequence) return;
        pendingRetry.reset();
        if (monitoring && recordedSequence != sequence) Capture();
    }

    // Another program copies something.
    void CopyText(const std::u16string& text) {
        content = Content();
        content.text = true;
        content.wide = text;
        content.ansi = history_.CodePage().ToAnsi(text);
        Changed(false);
    }
    void CopyPicture(const MemoryPicture& picture) {
        content = Content();
        content.picture = picture.Copy();
        Changed(false);
    }

private:
    void Changed(bool heldOff) {
        ++sequence;
        if (!monitoring) return;
        pendingRetry.reset();
        if (heldOff)
            pendingRetry = sequence;
        else
            Capture();
    }

    void Capture() {
        THistory& h = history_;
        recordedSequence = sequence;
        if (content.text || content.picture) {
            h.ReserveSlot();
            h.ShowCountText();
            TCBI& slot = h.CBItems[static_cast<std::size_t>(h.CBCount)];
            slot.Empty();
            if (content.text) {
                slot.Format = kCF_UNICODETEXT;
                slot.FormatName = "CF_UNICODETEXT";
                slot.WText = content.wide.substr(0, content.wide.find(u'\0'));
                slot.Text = h.CodePage().ToAnsi(slot.WText);
            } else {
                slot.Format = kCF_BITMAP;
                slot.FormatName = "CF_BITMAP";
                slot.Text = "Bitmap";
                slot.Bitmap = content.picture->Copy();
            }
            h.AddNewestLine();
            ++captures;
        }
        THistory::CopyItem(h.CBItems[0], h.CBItems[static_cast<std::size_t>(h.CBCount)]);
    }

    THistory& history_;
};

}  // namespace swl
