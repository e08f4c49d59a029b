#include "dialog.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "win_app.h"

namespace {
// RT_DLGINIT entries name the list and combo box messages of 16-bit Windows.
constexpr WORD Win16ListBoxAddString = 0x0401;
constexpr WORD Win16ComboBoxAddString = 0x0403;
constexpr std::size_t DlgInitEntryHeader = 8; // id, message, 32-bit length

WORD ReadWord(const std::uint8_t *bytes)
{
    return static_cast<WORD>(bytes[0] | bytes[1] << 8);
}

DWORD ReadDword(const std::uint8_t *bytes)
{
    return static_cast<DWORD>(ReadWord(bytes)) | static_cast<DWORD>(ReadWord(bytes + 2)) << 16;
}
} // namespace

const MessageMapEntry CDialog::BaseEntries[] = {
    OnCommand<&CDialog::OnOK>(IDOK),
    OnCommand<&CDialog::OnCancel>(IDCANCEL),
};

const MessageMap *CDialog::GetThisMessageMap()
{
    static const MessageMap map{nullptr, BaseEntries};
    return &map;
}

bool MessageMapEntry::Matches(UINT windowMessage, WPARAM wParam) const
{
    if (message != windowMessage)
        return false;
    if (message != WM_COMMAND)
        return true;
    const UINT notification = HIWORD(wParam);
    const bool codeMatches = code == AnyCommandCode ? notification <= 1 : notification == code;
    return codeMatches && id <= LOWORD(wParam) && LOWORD(wParam) <= lastId;
}

CDialog::CDialog(UINT templateId, CWnd *parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

// The modal run keeps the contract of the platform's own dialog manager:
// the owner is disabled for the run and enabled again before this window is
// hidden and destroyed, so that the platform activates the owner and not
// some other program's window; a WM_QUIT taken from the queue during the run
// ends it and is posted again for the loop outside.
INT_PTR CDialog::DoModal()
{
    const HWND owner = ModalOwner();
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    continueModal_ = true;
    result_ = -1;
    if (CreateWindowFromTemplate(owner) && continueModal_) {
        if (!IsWindowVisible())
            ShowWindow(SW_SHOWNORMAL);
        RunModalLoop(owner);
    }
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (owner)
            SetActiveWindow(owner);
        DestroyWindow(m_hWnd);
    }
    return result_;
}

bool CDialog::Create()
{
    continueModal_ = true;
    result_ = -1;
    return CreateWindowFromTemplate(ModalOwner()) != nullptr;
}

// The modal loop reads the flag when GetMessage returns. A handler that ran
// for a message sent from another thread or process ran inside GetMessage,
// which would then go on waiting for some unrelated input: the posted
// WM_NULL wakes it, as the platform's own EndDialog does.
void CDialog::EndDialog(int result)
{
    result_ = result;
    continueModal_ = false;
    if (m_hWnd)
        PostMessage(WM_NULL);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(&exchange);
    return true;
}

void CDialog::RouteMessage(MSG &message)
{
    const bool forThisDialog = m_hWnd && (message.hwnd == m_hWnd || IsChild(m_hWnd, message.hwnd));
    if (forThisDialog && PreTranslateMessage(&message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool CDialog::PreTranslateMessage(MSG *message)
{
    return IsDialogMessageW(m_hWnd, message) != FALSE;
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit();
    UpdateData(false);
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return Default();
}

void CDialog::OnOK()
{
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::Default()
{
    return CallWindowProcW(standardProc_, current_.hwnd, current_.message, current_.wParam, current_.lParam);
}

// Until WM_INITDIALOG the window runs the standard dialog procedure with
// this dialog procedure; at WM_INITDIALOG the window is bound to the object
// and subclassed, so that from then on every message passes WindowProc. The
// dialog procedure then handles nothing more.
INT_PTR CALLBACK CDialog::InitialDialogProc(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto *dialog = reinterpret_cast<CDialog *>(lParam);
    dialog->m_hWnd = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
    dialog->standardProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CDialog::DialogWindowProc)));
    return dialog->OnInitDialog();
}

LRESULT CALLBACK CDialog::DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *dialog = reinterpret_cast<CDialog *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const MSG outer = dialog->current_;
    dialog->current_ = MSG{window, message, wParam, lParam, 0, {}};
    const LRESULT result = dialog->WindowProc(message, wParam, lParam);
    dialog->current_ = outer;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialog->standardProc_));
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        dialog->m_hWnd = nullptr;
    }
    return result;
}

HWND CDialog::CreateWindowFromTemplate(HWND owner)
{
    return CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(templateId_), owner,
                              &CDialog::InitialDialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    for (const MessageMap *map = GetMessageMap(); map; map = map->base)
        for (const MessageMapEntry &entry : map->entries)
            if (entry.Matches(message, wParam)) {
                *result = entry.handler(*this, wParam, lParam);
                return true;
            }
    return false;
}

// Sends each list or combo box of the template's RT_DLGINIT resource the
// strings it lists.
void CDialog::ExecuteDlgInit()
{
    const HINSTANCE module = AfxGetResourceHandle();
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(templateId_), MAKEINTRESOURCEW(240));
    if (!resource)
        return;
    const auto *data = static_cast<const std::uint8_t *>(LockResource(LoadResource(module, resource)));
    const std::size_t size = SizeofResource(module, resource);
    std::size_t position = 0;
    while (data && position + DlgInitEntryHeader <= size) {
        const WORD id = ReadWord(data + position);
        if (id == 0)
            break;
        const WORD message = ReadWord(data + position + 2);
        const DWORD length = ReadDword(data + position + 4);
        position += DlgInitEntryHeader;
        if (length > size - position)
            break;
        const std::string text(reinterpret_cast<const char *>(data + position), length);
        position += length;
        const UINT addString = message == Win16ComboBoxAddString  ? CB_ADDSTRING
                               : message == Win16ListBoxAddString ? LB_ADDSTRING
                                                                  : 0;
        if (addString) {
            const std::wstring wide = CString(text).ToWide();
            SendDlgItemMessageW(m_hWnd, id, addString, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        }
    }
}

// The owner of a dialog without a parent is the application's main window
// (its last active pop-up), unless that is this dialog itself.
HWND CDialog::ModalOwner() const
{
    if (parent_)
        return parent_->GetSafeHwnd();
    const CWnd *main = AfxGetMainWnd();
    if (!main || main == this || !main->GetSafeHwnd())
        return nullptr;
    return GetLastActivePopup(main->GetSafeHwnd());
}

// Messages for other windows (a message box's, the owner's paints) are
// dispatched as usual; those for this dialog and its controls are
// pre-translated first. A window destroyed during the run ends it.
void CDialog::RunModalLoop(HWND owner)
{
    while (continueModal_ && m_hWnd) {
        MSG message;
        if (!NextMessage(owner, message))
            return;
        RouteMessage(message);
    }
}

// Whenever the queue has run empty, the owner is told with WM_ENTERIDLE
// before the wait, unless the template says DS_NOIDLEMSG. False at WM_QUIT,
// which is posted again for the loop outside, and when no message can be
// had.
bool CDialog::NextMessage(HWND owner, MSG &message)
{
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (owner && !(GetStyle() & DS_NOIDLEMSG))
            ::SendMessageW(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
        if (!WaitForMessage(message))
            return false;
    }
    if (message.message != WM_QUIT)
        return true;
    PostQuitMessage(static_cast<int>(message.wParam));
    return false;
}

// Waits as GetMessage does: messages sent from other threads are handled
// meanwhile, and the wait goes on until a message is taken from the queue.
// A signalled handle is handled the same way; the handles are read anew
// after each wake, so that handles named meanwhile are waited for at once.
// A wait that fails (a handle closed while named) leaves this wait to
// GetMessage.
bool CDialog::WaitForMessage(MSG &message)
{
    for (;;) {
        // A copy: the handler may name other handles.
        const std::vector<HANDLE> handles = waitHandles_;
        const auto count = static_cast<DWORD>(handles.size());
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_FAILED)
            return GetMessageW(&message, nullptr, 0, 0) != -1;
        if (woken < WAIT_OBJECT_0 + count)
            OnHandleSignalled(handles[woken - WAIT_OBJECT_0]);
        else if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            return true;
    }
}

void CDialog::SetWaitHandles(std::vector<HANDLE> handles)
{
    waitHandles_ = std::move(handles);
}
