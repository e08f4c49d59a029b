#include "parts_editor_dlg.h"

#include <shellapi.h>

#include "app/about_dlg.h"
#include "app/accelerators.h"
#include "editor_state.h"
#include "framework/win_app.h"
#include "core/package_folder.h"
#include "res/resource.h"
#include "core/slot_map.h"

namespace {
constexpr UINT CommandNotification = 1; // CBN_SELCHANGE, LBN_SELCHANGE, accelerators
} // namespace

const MessageMapEntry CPartsEditorDlg::MessageEntries[] = {
    OnWmSysCommand<&CPartsEditorDlg::OnSysCommand>(),
    OnWmPaint<&CPartsEditorDlg::OnPaint>(),
    OnWmQueryDragIcon<&CPartsEditorDlg::OnQueryDragIcon>(),
    OnLbnSelChange<&CPartsEditorDlg::OnRoomSelected>(IDC_ROOM_LIST),
    OnBnClicked<&CPartsEditorDlg::OnDisplayParts>(IDC_DISPLAY_PARTS),
    OnBnClicked<&CPartsEditorDlg::OnOutputParts>(IDC_OUTPUT_PARTS),
    OnBnClicked<&CPartsEditorDlg::OnComposeParts>(IDC_COMPOSE_PARTS),
    OnWmDrawItem<&CPartsEditorDlg::OnDrawItem>(),
    OnCommand<&CPartsEditorDlg::OnDisplayParts>(ID_DISPLAY_PARTS),
    OnCommand<&CPartsEditorDlg::OnOutputParts>(ID_OUTPUT_PARTS),
    OnCommand<&CPartsEditorDlg::OnComposeParts>(ID_COMPOSE_PARTS),
    OnBnClicked<&CPartsEditorDlg::OnAutoDisplayClicked>(IDC_AUTO_DISPLAY),
    OnWmDropFiles<&CPartsEditorDlg::OnDropFiles>(),
    OnWmTimer<&CPartsEditorDlg::OnTimer>(),
    OnControlRange<&CPartsEditorDlg::OnPreviewDoubleClicked>(BN_DOUBLECLICKED, IDC_PREVIEW_SLOT0,
                                                             IDC_PREVIEW_SLOT18),
};

const MessageMap *CPartsEditorDlg::GetMessageMap() const
{
    static const MessageMap map{CDialog::GetThisMessageMap(), MessageEntries};
    return &map;
}

CPartsEditorDlg::CPartsEditorDlg(CWnd *parent)
    : CDialog(IDD_TAVI_DIALOG, parent),
      MainIcon(LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

CPartsEditorDlg::~CPartsEditorDlg() = default;

void CPartsEditorDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Control(dx, IDC_KEY_COLOUR_PROBE, KeyColourProbe);
    DDX_Control(dx, IDC_NAME, NameEdit);
    DDX_Control(dx, IDC_REMARKS, RemarksEdit);
    DDX_Control(dx, IDC_DISPLAY_PARTS, DisplayButton);
    DDX_Control(dx, IDC_OUTPUT_PARTS, OutputButton);
    DDX_Control(dx, IDC_COMPOSE_PARTS, ComposeButton);
    DDX_Control(dx, IDC_ROOM_LIST, RoomList);
    DDX_Text(dx, IDC_FILE_NAME, FileNameValue);
    DDX_Text(dx, IDC_AUTHOR, AuthorValue);
}

// The accelerators come before the dialog's keyboard navigation.
bool CPartsEditorDlg::PreTranslateMessage(MSG *message)
{
    if (TranslateEditorAccelerator(m_hWnd, message))
        return true;
    return CDialog::PreTranslateMessage(message);
}

// A part combo box's selection change has no message-map entry: it reaches
// OnPartComboChange here, before the normal dispatch, which the room list's
// selection change and the accelerator commands (same code) then get too.
LRESULT CPartsEditorDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CommandNotification)
        OnPartComboChange(wParam);
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CPartsEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AddAboutToSystemMenu();
    SetIcon(MainIcon, true);
    SetIcon(MainIcon, false);
    KeyColour = 0;
    EditorMode = NothingLoaded;
    AutoDisplay = 0;
    PackageFolder = CString(FindPackageFolder());
    // Before the lists are filled, so that no change goes unseen.
    WatchFolders();
    FillRoomList();
    SetSlotComboTable();
    FillPartCombos();
    SetPreviewControls();
    // Pictures dropped from the shell become parts (picture_drop.cpp).
    DragAcceptFiles(m_hWnd, TRUE);
    return TRUE;
}

void CPartsEditorDlg::AddAboutToSystemMenu()
{
    const HMENU menu = GetSystemMenu(false);
    if (!menu)
        return;
    // With no buffer, LoadStringW gives the resource's own text and length
    // (the text is not zero-terminated).
    const wchar_t *resource = nullptr;
    const int length =
        LoadStringW(AfxGetResourceHandle(), IDS_ABOUTBOX, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource)
        return;
    const std::wstring text(resource, static_cast<std::size_t>(length));
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text.c_str());
}

// Every "*.pac" file of the package folder that the room test accepts, by
// file name; the list box sorts them. Later changes of the folder come the
// same way.
void CPartsEditorDlg::FillRoomList()
{
    following_.packages = following_.rooms.Update(PackageFolder.Bytes());
    FollowRoomList(following_.packages);
}

void CPartsEditorDlg::SetSlotComboTable()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        const int comboId = ComboOfSlot(slot);
        SlotComboTable[slot].Attach(comboId == NoControl ? nullptr : GetDlgItem(comboId).GetSafeHwnd());
    }
}

void CPartsEditorDlg::SetPreviewControls()
{
    for (int slot = 0; slot < SlotCount; ++slot)
        PreviewControls[slot] = SlotControlIds[slot] == NoControl ? CWnd() : GetDlgItem(SlotControlIds[slot]);
}

void CPartsEditorDlg::OnSysCommand(UINT id, LPARAM)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

// Minimised, the dialog shows its icon centred in the client area.
void CPartsEditorDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(*this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client{};
    GetClientRect(&client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, MainIcon);
}

HCURSOR CPartsEditorDlg::OnQueryDragIcon()
{
    return MainIcon;
}

void CPartsEditorDlg::OnAutoDisplayClicked()
{
    AutoDisplay = IsDlgButtonChecked(IDC_AUTO_DISPLAY) == BST_CHECKED ? 1 : 0;
    RoomList.SetFocus();
}
