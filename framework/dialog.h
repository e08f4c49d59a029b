// CDialog: a dialog window built from a dialog template of the program's
// resources. DoModal runs it modally with a message loop of its own that
// offers each message for the dialog and its controls to
// PreTranslateMessage first, keeps the owner disabled meanwhile and tells it
// with WM_ENTERIDLE whenever the queue has run empty; beside the queue it
// waits for the handles that the dialog names (SetWaitHandles). Create
// makes it modeless (tests drive such a dialog with RouteMessage). Every
// message of the window passes WindowProc, which dispatches it through the
// message map; what the map does not handle gets the standard dialog
// handling (Default). OK and Cancel end the dialog.
#pragma once

#include <vector>

#include <windows.h>

#include "data_exchange.h"
#include "message_map.h"
#include "wnd.h"

class CDialog : public CWnd {
  public:
    // parent: the owner; none gives the application's main window, if any.
    explicit CDialog(UINT templateId, CWnd *parent = nullptr);
    CDialog(const CDialog &) = delete;
    CDialog &operator=(const CDialog &) = delete;
    // Destroys the window if it still exists.
    virtual ~CDialog();

    // Runs the dialog modally; returns the result given to EndDialog, or -1
    // when the window could not be created.
    INT_PTR DoModal();
    // Creates the dialog modeless (shown if its template says so); false
    // when the window could not be created.
    bool Create();
    // Ends a modal run after the current message. A modeless dialog keeps
    // its window; ModalResult tells what it ended with.
    void EndDialog(int result);
    bool IsEnded() const { return !continueModal_; }
    INT_PTR ModalResult() const { return result_; }

    // Runs DoDataExchange: back from the controls (true) or to them (false).
    bool UpdateData(bool saveAndValidate = true);

    // A message from the queue: pre-translated if it is for this dialog or
    // one of its controls, otherwise (or if not consumed) translated and
    // dispatched.
    void RouteMessage(MSG &message);
    // The standard dialog pre-translation: dialog keyboard navigation.
    virtual bool PreTranslateMessage(MSG *message);

    static const MessageMap *GetThisMessageMap();

  protected:
    virtual const MessageMap *GetMessageMap() const { return GetThisMessageMap(); }
    virtual void DoDataExchange(CDataExchange *) {}
    // Applies the template's initialisation data, then UpdateData(false).
    // Returning true gives the focus to the first control with a tab stop.
    virtual BOOL OnInitDialog();
    // Dispatches through the message map; otherwise Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // UpdateData(true), then EndDialog(IDOK).
    virtual void OnOK();
    // EndDialog(IDCANCEL).
    virtual void OnCancel();
    // The standard dialog handling of the message being processed.
    LRESULT Default();
    // Kernel objects (change notifications, events) that this dialog's own
    // modal loop waits for while its queue is empty, at most
    // MAXIMUM_WAIT_OBJECTS - 1; they must stay open while named. Other
    // modal loops (a message box's, another dialog's) do not wait for them:
    // a handle signalled meanwhile is handled once this loop runs again.
    void SetWaitHandles(std::vector<HANDLE> handles);
    // A named handle is signalled; the dialog resets it or names others.
    virtual void OnHandleSignalled(HANDLE) {}

  private:
    static const MessageMapEntry BaseEntries[];

    static INT_PTR CALLBACK InitialDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateWindowFromTemplate(HWND owner);
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);
    void ExecuteDlgInit();
    HWND ModalOwner() const;
    void RunModalLoop(HWND owner);
    bool NextMessage(HWND owner, MSG &message);
    bool WaitForMessage(MSG &message);

    UINT templateId_;
    CWnd *parent_;
    WNDPROC standardProc_ = nullptr;
    MSG current_{};
    std::vector<HANDLE> waitHandles_;
    bool continueModal_ = true;
    INT_PTR result_ = -1;
};
