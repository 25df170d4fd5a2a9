#include "clipboard_blocks.h"

#include <cstring>

#include "clipboard.h"

namespace swl {
namespace {

constexpr UINT kBlockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE;  // 0x2042
static_assert(kBlockFlags == 0x2042);

// A block locked for the scope; data() is null when it could not be.
class LockedBlock {
public:
    explicit LockedBlock(HANDLE block) : block_(block) {
        if (!block_) return;
        data_ = GlobalLock(block_);
        if (data_) size_ = GlobalSize(block_);
    }
    ~LockedBlock() {
        if (data_) GlobalUnlock(block_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    const void* data() const { return data_; }
    void* data() { return data_; }
    SIZE_T size() const { return size_; }

private:
    HANDLE block_;
    void* data_ = nullptr;
    SIZE_T size_ = 0;
};

template <class Text>
HGLOBAL MakeBlock(const typename Text::value_type* units, std::size_t count, std::size_t blockUnits) {
    using Unit = typename Text::value_type;
    HGLOBAL block = GlobalAlloc(kBlockFlags, blockUnits * sizeof(Unit));
    if (!block) return nullptr;
    LockedBlock locked(block);
    if (!locked.data()) {
        GlobalFree(block);
        return nullptr;
    }
    if (count) std::memcpy(locked.data(), units, count * sizeof(Unit));  // the rest is zero
    return block;
}

}  // namespace

std::string ReadAnsiBlock(HANDLE block) {
    LockedBlock locked(block);
    if (!locked.data()) return {};
    const auto* bytes = static_cast<const char*>(locked.data());
    const void* zero = std::memchr(bytes, 0, locked.size());
    const std::size_t n = zero ? static_cast<const char*>(zero) - bytes : locked.size();
    return std::string(bytes, n);
}

std::u16string ReadWideBlock(HANDLE block) {
    LockedBlock locked(block);
    if (!locked.data()) return {};
    const std::size_t units = locked.size() / sizeof(char16_t);
    std::u16string text(units, u'\0');
    std::memcpy(text.data(), locked.data(), units * sizeof(char16_t));
    const std::size_t zero = text.find(u'\0');
    if (zero != std::u16string::npos) {
        text.resize(zero);
        text.shrink_to_fit();
    }
    return text;
}

bool ReadDwordBlock(HANDLE block, DWORD& value) {
    LockedBlock locked(block);
    if (!locked.data() || locked.size() < sizeof(DWORD)) return false;
    std::memcpy(&value, locked.data(), sizeof(DWORD));
    return true;
}

HGLOBAL MakeAnsiBlock(const std::string& text) {
    const std::size_t upToZero = std::strlen(text.c_str());
    return MakeBlock<std::string>(text.data(), upToZero, text.size() + 1);
}

HGLOBAL MakeWideBlock(const std::u16string& text) {
    return MakeBlock<std::u16string>(text.data(), text.size(), text.size() + 1);
}

bool ClipboardExcludedFromMonitors(TClipboard& clipboard) {
    static const UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
    static const UINT ignore = RegisterClipboardFormatA("Clipboard Viewer Ignore");
    static const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
    if ((exclude && clipboard.HasFormat(exclude)) || (ignore && clipboard.HasFormat(ignore))) return true;
    if (history && clipboard.HasFormat(history)) {
        DWORD allowed = 1;
        if (ReadDwordBlock(clipboard.GetData(history), allowed) && allowed == 0) return true;
    }
    return false;
}

}  // namespace swl
