// The stand-in browser control in place: its windows in the site's window,
// in-place and UI activation with the calls a real control makes on its site,
// keyboard messages offered by the host, focus, and deactivation.
#include "StandInBrowser.h"

#include "CallRecord.h"
#include "TextConversion.h"

const wchar_t kStandInBrowserWindowClass[] = L"StandInBrowser";
const wchar_t kStandInViewWindowClass[] = L"StandInBrowser DocObject View";
const wchar_t kStandInPageWindowClass[] = L"StandInBrowser Server";

namespace {

// The command group the real control names when it asks its host about a key.
const GUID kCommandGroupMshtml = {0xde4ba900, 0x59ca, 0x11cf, {0x95, 0x92, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// A marker that the window-context probe puts into the out parameters.
IOleInPlaceFrame* const kFrameMarker = reinterpret_cast<IOleInPlaceFrame*>(static_cast<UINT_PTR>(0x5A5A5A50));
IOleInPlaceUIWindow* const kDocumentMarker = reinterpret_cast<IOleInPlaceUIWindow*>(static_cast<UINT_PTR>(0x5A5A5A60));
const RECT kRectMarker = {1, 2, 3, 4};

void RecordCall(const char* name, const std::string& more = "")
{
    RecordLine("\"call\":\"" + std::string(name) + "\"" + (more.empty() ? "" : "," + more));
}

// A call the stand-in made on its site, with the site's answer.
void RecordSiteCall(const char* name, HRESULT result, const std::string& more = "")
{
    RecordLine("\"site_call\":\"" + std::string(name) + "\",\"result\":" + std::to_string(result) +
               (more.empty() ? "" : "," + more));
}

std::string ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return JsonString(name);
}

bool IsDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

// A keyboard message and the keys that matter for it, as JSON fields.
std::string DescribeKey(UINT message, WPARAM wParam)
{
    const char* name = message == WM_KEYDOWN      ? "WM_KEYDOWN"
                       : message == WM_KEYUP      ? "WM_KEYUP"
                       : message == WM_CHAR       ? "WM_CHAR"
                       : message == WM_SYSKEYDOWN ? "WM_SYSKEYDOWN"
                       : message == WM_SYSKEYUP   ? "WM_SYSKEYUP"
                       : message == WM_SYSCHAR    ? "WM_SYSCHAR"
                                                  : "other";
    return "\"message\":\"" + std::string(name) + "\",\"code\":" + std::to_string(message) +
           ",\"key\":" + std::to_string(wParam) + ",\"ctrl\":" + JsonBool(IsDown(VK_CONTROL)) +
           ",\"alt\":" + JsonBool(IsDown(VK_MENU)) + ",\"shift\":" + JsonBool(IsDown(VK_SHIFT));
}

// The modifier keys as IOleControlSite::TranslateAccelerator takes them (the
// KEYMODIFIERS values, which the headers here do not define).
const DWORD kKeyModifierShift = 1;
const DWORD kKeyModifierControl = 2;
const DWORD kKeyModifierAlt = 4;

DWORD KeyModifiers()
{
    return (IsDown(VK_SHIFT) ? kKeyModifierShift : 0) | (IsDown(VK_CONTROL) ? kKeyModifierControl : 0) |
           (IsDown(VK_MENU) ? kKeyModifierAlt : 0);
}

CStandInBrowser* ControlOf(HWND window)
{
    return reinterpret_cast<CStandInBrowser*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK OuterWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CStandInBrowser* control = ControlOf(window))
        return control->OnOuterWindowMessage(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CStandInBrowser* control = ControlOf(window))
        return control->OnPageWindowMessage(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OuterWindowProc), &module);
    return module;
}

void RegisterWindowClassOnce(HINSTANCE module, const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSW existing;
    if (GetClassInfoW(module, name, &existing))
        return;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

HWND CreateChild(const wchar_t* className, HWND parent, const RECT& position, HINSTANCE module, void* control)
{
    const HWND window = CreateWindowExW(0, className, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, position.left,
                                        position.top, position.right - position.left, position.bottom - position.top,
                                        parent, nullptr, module, nullptr);
    if (window && control)
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    return window;
}

}  // namespace

// The outer window over the position the site gives, with the document view and
// the page's window filling it, as the real control nests them.
HWND CStandInBrowser::CreateOwnWindows(HWND parent, const RECT& position)
{
    const HINSTANCE module = ThisModule();
    RegisterWindowClassOnce(module, kStandInBrowserWindowClass, OuterWindowProc);
    RegisterWindowClassOnce(module, kStandInViewWindowClass, DefWindowProcW);
    RegisterWindowClassOnce(module, kStandInPageWindowClass, PageWindowProc);
    const HWND window = CreateChild(kStandInBrowserWindowClass, parent, position, module, this);
    const RECT inside = {0, 0, position.right - position.left, position.bottom - position.top};
    const HWND view = window ? CreateChild(kStandInViewWindowClass, window, inside, module, nullptr) : nullptr;
    m_pageWindow = view ? CreateChild(kStandInPageWindowClass, view, inside, module, this) : nullptr;
    RecordLine("\"event\":\"window_created\",\"window\":" + JsonWindow(window) + ",\"parent\":" + JsonWindow(parent) +
               ",\"position\":" + JsonRect(position) + ",\"page_window\":" + JsonWindow(m_pageWindow));
    if (window && !m_pageWindow) {
        DestroyWindow(window);
        return nullptr;
    }
    return window;
}

void CStandInBrowser::ProbeWindowContext()
{
    IOleInPlaceFrame* frame = kFrameMarker;
    IOleInPlaceUIWindow* document = kDocumentMarker;
    RECT position = kRectMarker;
    RECT clip = kRectMarker;
    const HRESULT result = m_inPlaceSite->GetWindowContext(&frame, &document, &position, &clip, nullptr);
    const RECT empty{};
    RecordSiteCall("GetWindowContext", result,
                   "\"probe\":true,\"frame_emptied\":" + JsonBool(frame == nullptr) + ",\"document_emptied\":" +
                       JsonBool(document == nullptr) + ",\"position_emptied\":" + JsonBool(EqualRect(&position, &empty) != 0) +
                       ",\"clip_emptied\":" + JsonBool(EqualRect(&clip, &empty) != 0));
}

// The site's consent, its window as the parent and its frame, then the
// control's own windows over the position the site gives.
HRESULT CStandInBrowser::ActivateInPlace()
{
    if (m_window)
        return S_OK;
    HRESULT result = QuerySite(IID_IOleInPlaceSite, "IOleInPlaceSite", m_inPlaceSite.PutVoid());
    if (FAILED(result))
        return result;
    result = m_inPlaceSite->CanInPlaceActivate();
    RecordSiteCall("CanInPlaceActivate", result);
    if (result != S_OK)
        return E_FAIL;
    result = m_inPlaceSite->OnInPlaceActivate();
    RecordSiteCall("OnInPlaceActivate", result);
    HWND parent = nullptr;
    result = m_inPlaceSite->GetWindow(&parent);
    RecordSiteCall("GetWindow", result, "\"window\":" + JsonWindow(parent) + ",\"class\":" + ClassOf(parent));
    if (GetEnvironmentVariableW(L"STAND_IN_BROWSER_PROBE_CONTEXT", nullptr, 0) != 0)
        ProbeWindowContext();
    RECT position{};
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    result = m_inPlaceSite->GetWindowContext(m_frame.Put(), m_document.Put(), &position, &clip, &frameInfo);
    HWND frameWindow = nullptr;
    const HRESULT frameResult = m_frame ? m_frame->GetWindow(&frameWindow) : E_NOINTERFACE;
    RecordSiteCall("GetWindowContext", result,
                   "\"frame\":" + JsonBool(m_frame.Get() != nullptr) + ",\"document\":" + JsonBool(m_document.Get() != nullptr) +
                       ",\"position\":" + JsonRect(position) + ",\"clip\":" + JsonRect(clip) +
                       ",\"frame_window\":" + JsonWindow(frameInfo.hwndFrame) +
                       ",\"frame_window_class\":" + ClassOf(frameInfo.hwndFrame) + ",\"frame_window_is_top_level\":" +
                       JsonBool(frameInfo.hwndFrame && GetAncestor(parent, GA_ROOT) == frameInfo.hwndFrame) +
                       ",\"frame_get_window_result\":" + std::to_string(frameResult) +
                       ",\"frame_get_window\":" + JsonWindow(frameWindow));
    m_window = CreateOwnWindows(parent, position);
    return m_window ? S_OK : E_FAIL;
}

// The site learns first, then the page takes the focus and the control hands
// the frame (and a document window, if there is one) its active object, and
// the UI handler is asked whether the browser's own menus and toolbars are to
// show.
HRESULT CStandInBrowser::ActivateUI()
{
    HRESULT result = ActivateInPlace();
    if (FAILED(result) || m_uiActive)
        return result;
    m_uiActive = true;
    m_field = 0;
    result = m_inPlaceSite->OnUIActivate();
    RecordSiteCall("OnUIActivate", result);
    SetFocus(m_pageWindow);
    IOleInPlaceActiveObject* active = static_cast<IOleInPlaceActiveObject*>(this);
    if (m_frame) {
        result = m_frame->SetActiveObject(active, L"StandInBrowser");
        RecordSiteCall("SetActiveObject", result, "\"active\":true,\"on\":\"frame\"");
    }
    if (m_document) {
        result = m_document->SetActiveObject(active, L"StandInBrowser");
        RecordSiteCall("SetActiveObject", result, "\"active\":true,\"on\":\"document\"");
    }
    if (m_uiHandler) {
        result = m_uiHandler->ShowUI(DOCHOSTUITYPE_BROWSE, active, nullptr, m_frame.Get(), m_document.Get());
        RecordSiteCall("ShowUI", result);
    }
    return S_OK;
}

STDMETHODIMP CStandInBrowser::UIDeactivate()
{
    RecordCall("UIDeactivate");
    DeactivateUI();
    return S_OK;
}

STDMETHODIMP CStandInBrowser::InPlaceDeactivate()
{
    RecordCall("InPlaceDeactivate");
    Deactivate();
    return S_OK;
}

// The active object is taken back from the frame before the site hears of it.
void CStandInBrowser::DeactivateUI()
{
    if (!m_uiActive)
        return;
    m_uiActive = false;
    if (m_uiHandler)
        RecordSiteCall("HideUI", m_uiHandler->HideUI());
    if (m_frame)
        RecordSiteCall("SetActiveObject", m_frame->SetActiveObject(nullptr, nullptr), "\"active\":false,\"on\":\"frame\"");
    if (m_document)
        RecordSiteCall("SetActiveObject", m_document->SetActiveObject(nullptr, nullptr),
                       "\"active\":false,\"on\":\"document\"");
    RecordSiteCall("OnUIDeactivate", m_inPlaceSite->OnUIDeactivate(FALSE));
}

void CStandInBrowser::Deactivate()
{
    if (!m_window)
        return;
    DeactivateUI();
    const HWND window = m_window;
    m_window = nullptr;
    m_pageWindow = nullptr;
    DestroyWindow(window);
    RecordSiteCall("OnInPlaceDeactivate", m_inPlaceSite->OnInPlaceDeactivate());
    m_frame.Reset();
    m_document.Reset();
    m_inPlaceSite.Reset();
}

STDMETHODIMP CStandInBrowser::GetWindow(HWND* window)
{
    RecordCall("GetWindow");
    if (!window)
        return E_POINTER;
    *window = m_window;
    return m_window ? S_OK : E_FAIL;
}

STDMETHODIMP CStandInBrowser::ContextSensitiveHelp(BOOL)
{
    RecordCall("ContextSensitiveHelp");
    return E_NOTIMPL;
}

STDMETHODIMP CStandInBrowser::SetObjectRects(LPCRECT position, LPCRECT clip)
{
    RecordCall("SetObjectRects", (position ? "\"position\":" + JsonRect(*position) : std::string("\"position\":null")) +
                                     (clip ? ",\"clip\":" + JsonRect(*clip) : std::string(",\"clip\":null")));
    if (!position)
        return E_POINTER;
    if (m_window) {
        const int width = position->right - position->left;
        const int height = position->bottom - position->top;
        MoveWindow(m_window, position->left, position->top, width, height, TRUE);
        MoveWindow(GetParent(m_pageWindow), 0, 0, width, height, TRUE);
        MoveWindow(m_pageWindow, 0, 0, width, height, TRUE);
    }
    return S_OK;
}

STDMETHODIMP CStandInBrowser::ReactivateAndUndo()
{
    RecordCall("ReactivateAndUndo");
    return E_NOTIMPL;
}

// The keys a page handles itself, before they are translated: Tab and
// Shift+Tab move between fields, Ctrl+V pastes. Tab on the last field is
// declined (with STAND_IN_BROWSER_FIELDS): the control site may take it, and
// otherwise it goes on to the message loop while the page starts again before
// its first field.
HRESULT CStandInBrowser::TranslatePageKey(const MSG& message, bool& declined)
{
    declined = false;
    if (message.message != WM_KEYDOWN)
        return S_FALSE;
    if (message.wParam == 'V' && IsDown(VK_CONTROL))
        return S_OK;
    if (message.wParam != VK_TAB)
        return S_FALSE;
    if (m_fields == 0 || IsDown(VK_SHIFT))
        return S_OK;
    if (m_field + 1 < m_fields) {
        ++m_field;
        return S_OK;
    }
    declined = true;
    MSG offered = message;
    const HRESULT result = m_controlSite ? m_controlSite->TranslateAccelerator(&offered, KeyModifiers()) : E_NOINTERFACE;
    RecordSiteCall("IOleControlSite::TranslateAccelerator", result, "\"key\":" + std::to_string(message.wParam));
    if (result == S_OK)
        return S_OK;
    m_field = -1;
    return S_FALSE;
}

// Every key goes to the host's UI handler first, as the real control asks
// before it acts on a key; one the host takes (S_OK) is not acted on.
STDMETHODIMP CStandInBrowser::TranslateAccelerator(LPMSG message)
{
    if (!message)
        return E_POINTER;
    const std::string key = DescribeKey(message->message, message->wParam) +
                            ",\"to_page_window\":" + JsonBool(message->hwnd == m_pageWindow);
    const HRESULT hostAnswer = m_uiHandler ? m_uiHandler->TranslateAccelerator(message, &kCommandGroupMshtml, 0)
                                           : E_NOINTERFACE;
    const std::string asked = ",\"host_answer\":" + std::to_string(hostAnswer);
    if (hostAnswer == S_OK) {
        RecordCall("TranslateAccelerator", key + asked + ",\"taken_by_host\":true,\"handled\":false");
        return S_OK;
    }
    bool declined = false;
    const HRESULT result = TranslatePageKey(*message, declined);
    RecordCall("TranslateAccelerator", key + asked + ",\"taken_by_host\":false,\"handled\":" + JsonBool(result == S_OK) +
                                           ",\"declined\":" + JsonBool(declined));
    return result;
}

STDMETHODIMP CStandInBrowser::OnFrameWindowActivate(BOOL activate)
{
    RecordCall("OnFrameWindowActivate", "\"active\":" + JsonBool(activate != FALSE));
    return S_OK;
}

STDMETHODIMP CStandInBrowser::OnDocWindowActivate(BOOL activate)
{
    RecordCall("OnDocWindowActivate", "\"active\":" + JsonBool(activate != FALSE));
    return S_OK;
}

STDMETHODIMP CStandInBrowser::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    RecordCall("ResizeBorder");
    return S_OK;
}

STDMETHODIMP CStandInBrowser::EnableModeless(BOOL enable)
{
    RecordCall("EnableModeless", "\"enable\":" + JsonBool(enable != FALSE));
    return S_OK;
}

void CStandInBrowser::TellControlSiteOfFocus(bool got)
{
    if (m_controlSite)
        RecordSiteCall("OnFocus", m_controlSite->OnFocus(got ? TRUE : FALSE), "\"got\":" + JsonBool(got));
}

// Focus given to the outer window goes on to the page, as the real control
// passes it to its innermost window.
LRESULT CStandInBrowser::OnOuterWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFOCUS && m_pageWindow) {
        SetFocus(m_pageWindow);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// What reaches the page's window: focus changes and keys, recorded; a click
// UI-activates the control and focuses the page, as it does a real one.
LRESULT CStandInBrowser::OnPageWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFOCUS:
        RecordLine("\"window\":\"WM_SETFOCUS\"");
        TellControlSiteOfFocus(true);
        break;
    case WM_KILLFOCUS:
        RecordLine("\"window\":\"WM_KILLFOCUS\"");
        TellControlSiteOfFocus(false);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        RecordLine("\"window\":\"key\"," + DescribeKey(message, wParam));
        break;
    case WM_LBUTTONDOWN:
        RecordLine("\"window\":\"WM_LBUTTONDOWN\"");
        ActivateUI();
        if (GetFocus() != window)
            SetFocus(window);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
