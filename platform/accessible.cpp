#include "platform/accessible.h"

#include "platform/systemlibrary.h"

#include <ole2.h>
#include <oleacc.h>

#include <new>
#include <utility>

namespace {

// The states that the table and the cells always have; the others follow
// the keyboard focus, the cursor, the selection and the scrolling.
constexpr long tableStates = STATE_SYSTEM_FOCUSABLE;
constexpr long cellStates = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;

// What a client gets from an object whose window has gone.
constexpr HRESULT gone = RPC_E_DISCONNECTED;

void setEmpty(VARIANT* v) { v->vt = VT_EMPTY; }

void setInteger(VARIANT* v, long value) {
    v->vt = VT_I4;
    v->lVal = value;
}

// A new BSTR holding `text` for a client to free; S_FALSE and null for an
// empty text, as MSAA asks of a property an object has none of.
HRESULT newString(const std::wstring& text, BSTR* out) {
    if (text.empty()) return S_FALSE;
    auto* allocate = systemFunction<decltype(SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
    if (!allocate) return E_FAIL;
    *out = allocate(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// The IAccessible of a control that shows an AccessibleTable: the table
// itself (CHILDID_SELF) and its cells, simple elements with child ids
// 1..cellCount. Clients may keep it after the window has gone; it then
// answers `gone` without touching the table, which may be gone as well.
struct TableAccessible final : IAccessible {
    TableAccessible(HWND control, const AccessibleTable& table) : control(control), table(table) {}

    // Runs one client call: `gone` once the window has been destroyed, and no
    // C++ exception (from a callback, or out of memory) out through COM.
    template <class Call>
    HRESULT answer(Call call) {
        if (!IsWindow(control)) return gone;
        try {
            return call();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }

    // The child that `v` names: 0 for the table, a cell's number, or -1 when
    // it names neither.
    int childOf(const VARIANT& v) const {
        if (v.vt != VT_I4 || v.lVal < 0 || v.lVal > table.cellCount()) return -1;
        return static_cast<int>(v.lVal);
    }

    bool hasFocus() const { return GetFocus() == control; }

    RECT clientArea() const {
        RECT area{};
        GetClientRect(control, &area);
        return area;
    }

    // Runs the default action asked for last, from the message loop (a
    // client's request returns at once, as MSAA asks, because an action may
    // open a modal dialog). The cell may have gone in between.
    static void CALLBACK runAction(HWND window, UINT, UINT_PTR id, DWORD) {
        KillTimer(window, id);
        auto* self = reinterpret_cast<TableAccessible*>(id);
        self->answer([self] {
            const int cell = std::exchange(self->pendingCell, 0);
            if (cell <= self->table.cellCount()) self->table.act(cell);
            return S_OK;
        });
        self->Release();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: clients of MSAA call the IAccessible methods directly; no
    // type information is offered for late binding.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_INVALIDARG;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: the tree.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_INVALIDARG;
        *parent = nullptr;
        return answer([&] {
            auto* create = systemFunction<decltype(CreateStdAccessibleObject)>(
                L"oleacc.dll", "CreateStdAccessibleObject");
            return create ? create(control, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent))
                          : E_FAIL;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_INVALIDARG;
        *count = 0;
        return answer([&] {
            *count = table.cellCount();
            return S_OK;
        });
    }
    // Cells are simple elements: they have no objects of their own.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_INVALIDARG;
        *out = nullptr;
        return answer([&] { return childOf(child) > 0 ? S_FALSE : E_INVALIDARG; });
    }

    // IAccessible: what each child is.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_INVALIDARG;
        *name = nullptr;
        return answer([&] {
            const int c = childOf(child);
            if (c < 0) return E_INVALIDARG;
            return newString(c ? table.cellName(c) : table.name(), name);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_INVALIDARG;
        setEmpty(role);
        return answer([&] {
            const int c = childOf(child);
            if (c < 0) return E_INVALIDARG;
            setInteger(role, c ? ROLE_SYSTEM_CELL : ROLE_SYSTEM_TABLE);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_INVALIDARG;
        setEmpty(state);
        return answer([&] {
            const int c = childOf(child);
            if (c < 0) return E_INVALIDARG;
            long s = c ? cellStates : tableStates;
            if (hasFocus() && table.focusedCell() == c) s |= STATE_SYSTEM_FOCUSED;
            if (c == 0 && !IsWindowVisible(control)) s |= STATE_SYSTEM_INVISIBLE;
            if (c > 0 && table.selectedCell() == c) s |= STATE_SYSTEM_SELECTED;
            if (c > 0) {
                const RECT box = table.cellBox(c), area = clientArea();
                RECT shown;
                if (!IntersectRect(&shown, &box, &area)) s |= STATE_SYSTEM_OFFSCREEN;
            }
            setInteger(state, s);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_INVALIDARG;
        *action = nullptr;
        return answer([&] {
            const int c = childOf(child);
            if (c < 0) return E_INVALIDARG;
            return c ? newString(table.actionName, action) : S_FALSE;
        });
    }
    // The properties that neither the table nor its cells have.
    HRESULT none(const VARIANT& child, BSTR* out, HRESULT result) {
        if (!out) return E_INVALIDARG;
        *out = nullptr;
        return answer([&] { return childOf(child) < 0 ? E_INVALIDARG : result; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return none(child, value, DISP_E_MEMBERNOTFOUND);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return none(child, text, S_FALSE);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return none(child, text, S_FALSE);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return none(child, text, S_FALSE);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        if (!topic) return E_INVALIDARG;
        *topic = 0;
        return none(child, file, DISP_E_MEMBERNOTFOUND);
    }

    // IAccessible: focus and selection. The cursor counts as the focus only
    // while the control has the keyboard focus; the selection counts always.
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_INVALIDARG;
        setEmpty(focus);
        return answer([&] {
            if (hasFocus()) setInteger(focus, table.focusedCell());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_INVALIDARG;
        setEmpty(selection);
        return answer([&] {
            const int cell = table.selectedCell();
            if (cell > 0) setInteger(selection, cell);
            return S_OK;
        });
    }
    // Moving the cursor or the selection is the control's own business (the
    // keyboard and the mouse): clients are told that it is not supported.
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return answer([&] {
            const long known = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION |
                               SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION;
            if ((flags & ~known) || childOf(child) < 0) return E_INVALIDARG;
            return DISP_E_MEMBERNOTFOUND;
        });
    }

    // IAccessible: where things are, in screen coordinates.
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_INVALIDARG;
        *left = *top = *width = *height = 0;
        return answer([&] {
            const int c = childOf(child);
            if (c < 0) return E_INVALIDARG;
            RECT box = c ? table.cellBox(c) : clientArea();
            MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&box), 2);
            *left = box.left;
            *top = box.top;
            *width = box.right - box.left;
            *height = box.bottom - box.top;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_INVALIDARG;
        setEmpty(hit);
        return answer([&] {
            POINT point{x, y};
            ScreenToClient(control, &point);
            const RECT area = clientArea();
            if (!PtInRect(&area, point)) return S_FALSE;
            setInteger(hit, CHILDID_SELF);
            for (int cell = 1, count = table.cellCount(); cell <= count; ++cell) {
                const RECT box = table.cellBox(cell);
                if (PtInRect(&box, point)) {
                    setInteger(hit, cell);
                    break;
                }
            }
            return S_OK;
        });
    }
    // Logical order over the cells; the table's own siblings are the window
    // object's business, and the cells keep no spatial neighbours.
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_INVALIDARG;
        setEmpty(end);
        return answer([&] {
            const int c = childOf(start), count = table.cellCount();
            if (c < 0 || direction < NAVDIR_UP || direction > NAVDIR_LASTCHILD) return E_INVALIDARG;
            int to = 0;
            switch (direction) {
            case NAVDIR_FIRSTCHILD: to = c ? 0 : 1; break;
            case NAVDIR_LASTCHILD: to = c ? 0 : count; break;
            case NAVDIR_NEXT: to = c && c < count ? c + 1 : 0; break;
            case NAVDIR_PREVIOUS: to = c > 1 ? c - 1 : 0; break;
            default: return DISP_E_MEMBERNOTFOUND;
            }
            if (to < 1 || to > count) return S_FALSE;
            setInteger(end, to);
            return S_OK;
        });
    }

    // IAccessible: the action, and the properties that cannot be set.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return answer([&] {
            const int c = childOf(child);
            if (c < 0) return E_INVALIDARG;
            if (c == 0) return DISP_E_MEMBERNOTFOUND;
            // The timer's id is this object, which it keeps alive until it has
            // run (a window destroyed first takes its timers along, and this
            // object with them is never freed: a few bytes, once).
            if (pendingCell == 0) {
                AddRef();
                if (!SetTimer(control, reinterpret_cast<UINT_PTR>(this), 0, runAction)) {
                    Release();
                    return E_FAIL;
                }
            }
            pendingCell = c;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }

    LONG references = 1;
    HWND control;
    const AccessibleTable& table;
    int pendingCell = 0;  // the cell whose action waits for the message loop, 0 for none
};

// LresultFromObject marshals the object, which needs COM on this thread.
// The program starts without COM (ole32 and oleacc are loaded only when a
// client first asks for the object); the apartment is single-threaded,
// because the object answers from the window's own state: in it, calls of
// clients in other processes arrive through this thread's message loop.
// COM stays initialised for the rest of the thread, whose objects clients
// may hold until it ends.
bool comReady() {
    thread_local bool ready = false;
    if (!ready) {
        auto* initialise = systemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        // S_FALSE: COM was already initialised so. A multithreaded apartment
        // (RPC_E_CHANGED_MODE) would call the object from other threads: no.
        ready = initialise && SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED));
    }
    return ready;
}

}  // namespace

LRESULT answerAccessibleObject(HWND control, WPARAM wParam, LPARAM lParam,
                               const AccessibleTable& table) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !comReady()) return 0;
    auto* marshal = systemFunction<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    auto* object = new (std::nothrow) TableAccessible(control, table);
    if (!marshal || !object) {
        delete object;
        return 0;
    }
    const LRESULT result = marshal(__uuidof(IAccessible), wParam, object);
    object->Release();
    // A failure is a negative HRESULT: the default handling answers instead.
    return result > 0 ? result : 0;
}

void notifyAccessible(HWND control, DWORD event, int cell) {
    NotifyWinEvent(event, control, OBJID_CLIENT, cell ? cell : CHILDID_SELF);
}
