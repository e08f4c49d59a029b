#include "compose_dlg.h"

#include "res/resource.h"

const MessageMapEntry CComposeDlg::MessageEntries[] = {
    OnBnClicked<&CComposeDlg::OnExecuteCompose>(IDC_EXECUTE_COMPOSE),
};

const MessageMap *CComposeDlg::GetMessageMap() const
{
    static const MessageMap map{CDialog::GetThisMessageMap(), MessageEntries};
    return &map;
}

CComposeDlg::CComposeDlg(CWnd *parent) : CDialog(IDD_COMPOSE, parent) {}

void CComposeDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Control(dx, IDC_COMPOSE_AUTHOR, AuthorEdit);
    DDX_Control(dx, IDC_COMPOSE_REMARKS, RemarksEdit);
    DDX_Control(dx, IDC_COMPOSE_NAME, NameEdit);
    DDX_Control(dx, IDC_COMPOSE_FILE_NAME, FileNameCombo);
}

BOOL CComposeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CComposeDlg::OnExecuteCompose() {}
