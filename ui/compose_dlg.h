// CComposeDlg: the compose dialog (template 133), where the user names the
// new package and edits its three texts.
#pragma once

#include "framework/combo_box.h"
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

  private:
    static const MessageMapEntry MessageEntries[];
};
