// CComposeDlg: the compose dialog (template 133), where the user names the
// new package and edits its three texts.
#pragma once

#include "framework/combo_box.h"
#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/edit.h"

class CComposeDlg : public CDialog {
  public:
    explicit CComposeDlg(CWnd *parent = nullptr);

    CEdit AuthorEdit;        // 1037
    CEdit RemarksEdit;       // 1036
    CEdit NameEdit;          // 1035
    CComboBox FileNameCombo; // 1034

  protected:
    const MessageMap *GetMessageMap() const override;
    void DoDataExchange(CDataExchange *dx) override;
    BOOL OnInitDialog() override;

    void OnExecuteCompose();
    // The control's text as it fits a header text: at most 255 bytes, and
    // 254 when the 255th byte would open a two-byte unit; never ending in
    // half a character.
    CString GetLimitedText(int controlId) const;

  private:
    static const MessageMapEntry MessageEntries[];

    void FillFileNameList() const;
    // Tells the user and gives the file-name box the focus again; the dialog
    // stays open with what was typed.
    void RefuseComposition(const CString &message) const;
};
