#include "compose_dlg.h"

#include <string>

#include "editor_state.h"
#include "framework/message_box.h"
#include "res/resource.h"
#include "core/compose_choices.h"
#include "core/compose_rules.h"
#include "core/messages.h"
#include "core/package_saving.h"

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
    FillFileNameList();
    FileNameCombo.SetWindowText(InitialComposeName(CurrentPackageName.Bytes()));
    NameEdit.SetWindowText(GetHeaderText(PackageHeader, NameText));
    RemarksEdit.SetWindowText(GetHeaderText(PackageHeader, RemarksText));
    AuthorEdit.SetWindowText(GetHeaderText(PackageHeader, AuthorText));
    return TRUE;
}

// The packages this one may be saved over; the combo box sorts them.
void CComposeDlg::FillFileNameList() const
{
    for (const std::string &name : ComposeNameChoices(PackageFolder.Bytes()))
        FileNameCombo.AddString(name);
}

// A name that cannot be a file name is refused before anything changes. A
// package that cannot be written completely leaves every file, the header
// texts, CurrentPackageName and the saved banks as they were.
void CComposeDlg::OnExecuteCompose()
{
    const std::string name = FileNameCombo.GetWindowText().Bytes();
    if (!IsUsableComposeName(name)) {
        RefuseComposition(InvalidFileNameMessage(name));
        return;
    }
    const std::string &folder = PackageFolder.Bytes();
    const bool created = CreateEmptyPackageFile(PackagePath(folder, name));
    if (!created && AfxMessageBox(OverwriteQuestion(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    const PackageTexts texts{GetLimitedText(IDC_COMPOSE_NAME).Bytes(),
                             GetLimitedText(IDC_COMPOSE_REMARKS).Bytes(),
                             GetLimitedText(IDC_COMPOSE_AUTHOR).Bytes()};
    const PackageTarget target = created ? PackageTarget::EmptyPlaceholder : PackageTarget::ExistingPackage;
    if (SavePackage(PartImageStore, PackageHeader, folder, name, target, texts) !=
        PackageSaveOutcome::Saved) {
        RefuseComposition(PackageNotSavedMessage(PackageFileName(name)));
        return;
    }
    CurrentPackageName = PackageFileName(name);
    OnOK();
}

CString CComposeDlg::GetLimitedText(int controlId) const
{
    return CutToTextCapacity(GetDlgItem(controlId).GetWindowText().Bytes());
}

void CComposeDlg::RefuseComposition(const CString &message) const
{
    AfxMessageBox(message);
    FileNameCombo.SetFocus();
}
