#include "accessible.h"

#include <oleacc.h>

#include <new>

#include "wide_text.h"

namespace swl {
namespace {

// {618736E0-3C3D-11CF-810C-00AA00389B71}; the import library's copy of the
// identifier is not usable with a static link.
constexpr GUID kIID_IAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr GUID kIID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The marshalling behind LresultFromObject needs COM on the window's
// thread; the first request joins it, once per thread.
void JoinComOnce() {
    static thread_local bool joined = false;
    if (joined) return;
    joined = true;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

HRESULT Text(const std::u16string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(Wide(text), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool ChildOf(const VARIANT& v, long& child) {
    if (v.vt != VT_I4) return false;
    child = v.lVal;
    return true;
}

}  // namespace

class AccessibleObject final : public IAccessible {
public:
    explicit AccessibleObject(AccessibleSource& source, HWND hwnd) : source_(&source), hwnd_(hwnd) {}
    void Disconnect() { source_ = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualGUID(riid, kIID_IUnknown) || IsEqualGUID(riid, kIID_IDispatch) ||
            IsEqualGUID(riid, kIID_IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: names and states are asked for through IAccessible only.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!source_) return CO_E_OBJNOTCONNECTED;
        return AccessibleObjectFromWindow(hwnd_, static_cast<DWORD>(OBJID_WINDOW), kIID_IDispatch,
                                          reinterpret_cast<void**>(parent));
    }
    STDMETHODIMP get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        if (!source_) return CO_E_OBJNOTCONNECTED;
        *count = source_->AccessibleChildCount();
        return S_OK;
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessibleElement element;
        HRESULT hr = Describe(child, element);
        return FAILED(hr) ? hr : S_FALSE;  // the children are simple elements
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR* out) override { return Field(child, out, &AccessibleElement::name); }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* out) override { return Field(child, out, &AccessibleElement::value); }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* out) override { return Empty(child, out); }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* out) override { return Number(child, out, &AccessibleElement::role); }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* out) override { return Number(child, out, &AccessibleElement::state); }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* out) override { return Empty(child, out); }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return Field(child, out, &AccessibleElement::keyboardShortcut);
    }
    STDMETHODIMP get_accFocus(VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!source_) return CO_E_OBJNOTCONNECTED;
        const int focus = source_->AccessibleFocus();
        if (focus < 0) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = focus;
        return S_OK;
    }
    STDMETHODIMP get_accSelection(VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        return source_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* out) override {
        return Field(child, out, &AccessibleElement::defaultAction);
    }
    STDMETHODIMP accSelect(long, VARIANT) override { return source_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED; }
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        AccessibleElement element;
        const HRESULT hr = Describe(child, element);
        if (FAILED(hr)) return hr;
        *left = element.screen.left;
        *top = element.screen.top;
        *width = element.screen.right - element.screen.left;
        *height = element.screen.bottom - element.screen.top;
        return S_OK;
    }
    STDMETHODIMP accNavigate(long, VARIANT, VARIANT* out) override {
        if (out) VariantInit(out);
        return source_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
    }
    STDMETHODIMP accHitTest(long x, long y, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!source_) return CO_E_OBJNOTCONNECTED;
        const POINT at{x, y};
        AccessibleElement element;
        for (int child = 1; child <= source_->AccessibleChildCount(); ++child) {
            if (source_->DescribeAccessible(child, element) && PtInRect(&element.screen, at)) {
                out->vt = VT_I4;
                out->lVal = child;
                return S_OK;
            }
        }
        if (!source_->DescribeAccessible(0, element) || !PtInRect(&element.screen, at)) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        return S_OK;
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override {
        long id = 0;
        if (!ChildOf(child, id)) return E_INVALIDARG;
        if (!source_) return CO_E_OBJNOTCONNECTED;
        if (id < 0 || id > source_->AccessibleChildCount()) return E_INVALIDARG;
        return source_->DoAccessibleDefaultAction(static_cast<int>(id)) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    HRESULT Describe(const VARIANT& child, AccessibleElement& element) const {
        long id = 0;
        if (!ChildOf(child, id)) return E_INVALIDARG;
        if (!source_) return CO_E_OBJNOTCONNECTED;
        if (id < 0 || id > source_->AccessibleChildCount() || !source_->DescribeAccessible(static_cast<int>(id), element))
            return E_INVALIDARG;
        return S_OK;
    }
    HRESULT Field(const VARIANT& child, BSTR* out, std::u16string AccessibleElement::*field) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessibleElement element;
        const HRESULT hr = Describe(child, element);
        return FAILED(hr) ? hr : Text(element.*field, out);
    }
    // A numeric field (role, state) as a VT_I4 variant.
    HRESULT Number(const VARIANT& child, VARIANT* out, long AccessibleElement::*field) const {
        if (!out) return E_POINTER;
        VariantInit(out);
        AccessibleElement element;
        const HRESULT hr = Describe(child, element);
        if (FAILED(hr)) return hr;
        out->vt = VT_I4;
        out->lVal = element.*field;
        return S_OK;
    }
    HRESULT Empty(const VARIANT& child, BSTR* out) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessibleElement element;
        const HRESULT hr = Describe(child, element);
        return FAILED(hr) ? hr : S_FALSE;
    }

    AccessibleSource* source_;
    HWND hwnd_;
    LONG refs_ = 1;
};

AccessibleHost::~AccessibleHost() {
    if (!object_) return;
    object_->Disconnect();
    object_->Release();
}

LRESULT AccessibleHost::Answer(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
    JoinComOnce();
    if (!object_) object_ = new (std::nothrow) AccessibleObject(source_, hwnd);
    if (!object_) return 0;
    const LRESULT result = LresultFromObject(kIID_IAccessible, wParam, object_);
    return result < 0 ? 0 : result;  // a failure: let the system's proxy answer
}

void NotifyAccessibleFocus(HWND hwnd, int child) {
    if (hwnd) NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, child);
}

void NotifyAccessibleStateChange(HWND hwnd, int child) {
    if (hwnd) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd, OBJID_CLIENT, child);
}

std::u16string WithoutAccessKeyMarks(const std::u16string& caption) {
    std::u16string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        else if (caption[i] == u'&') continue;
        text += caption[i];
    }
    return text;
}

std::u16string AccessKeyShortcut(const std::u16string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        wchar_t key[2] = {static_cast<wchar_t>(caption[i + 1]), 0};
        CharUpperW(key);
        return u"Alt+" + std::u16string(1, static_cast<char16_t>(key[0]));
    }
    return {};
}

RECT ScreenRectOf(HWND hwnd) {
    RECT r{};
    if (hwnd) GetWindowRect(hwnd, &r);
    return r;
}

}  // namespace swl
