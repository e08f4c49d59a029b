// The class layer: code page 932 texts across wide-character calls, the
// message box, message-map matching.
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "framework/cstring.h"
#include "framework/message_box.h"
#include "framework/message_map.h"
#include "framework/win_app.h"

TEST(CString, ConvertsCodePage932WhateverTheSystemCodePage)
{
    const CString room("部屋");
    EXPECT_EQ(room.Bytes(), "\x95\x94\x89\xae");
    EXPECT_EQ(room.ToWide(), L"部屋");
    EXPECT_EQ(CString::FromWide(L"表示ﾊﾞｰｼﾞｮﾝ①").Bytes(),
              "\x95\x5c\x8e\xa6\xca\xde\xb0\xbc\xde\xae\xdd\x87\x40");
    // A window shows a text up to its first zero byte.
    EXPECT_EQ(CString(std::string("ab\0cd", 5)).ToWide(), L"ab");
}

TEST(CString, CutsAndFormatsWithoutOverrunning)
{
    const CString name("abc.pac");
    EXPECT_EQ(name.Left(4), CString("abc."));
    EXPECT_EQ(name.Left(-1), CString());
    EXPECT_EQ(name.Left(99), name);
    EXPECT_EQ(name.Mid(4), CString("pac"));
    EXPECT_EQ(name.Mid(99), CString());
    CString formatted;
    formatted.Format("%02d%sBMP", 3, std::string(300, 'x').c_str());
    EXPECT_EQ(formatted.GetLength(), 2 + 300 + 3);
    EXPECT_EQ(formatted.Left(3), CString("03x"));
}

TEST(CString, SurvivesWindowTextRoundTrip)
{
    const HWND edit =
        CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    const CWnd window(edit);
    window.SetWindowText("名　称\r\n２５６色");
    EXPECT_EQ(window.GetWindowText(), CString("名　称\r\n２５６色"));
    DestroyWindow(edit);
}

TEST(EditorMessageBox, CaptionIsTheProgramNameAndIconDefaultsToExclamation)
{
    EXPECT_EQ(AfxGetAppTitle(), L"tavi_win_tests");
    MessageBoxRecorder recorder(IDNO);
    EXPECT_EQ(AfxMessageBox("同名のFILEが既に存在します"), IDNO);
    EXPECT_EQ(AfxMessageBox("?", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].text, CString("同名のFILEが既に存在します"));
    EXPECT_EQ(recorder.boxes[0].type, UINT{MB_OK | MB_ICONEXCLAMATION});
    EXPECT_EQ(recorder.boxes[1].type, UINT{MB_YESNO | MB_ICONQUESTION});
}

TEST(MessageMap, CommandEntriesTakeMenuAndAcceleratorCodesOnly)
{
    const MessageMapEntry command{WM_COMMAND, AnyCommandCode, 32771, nullptr};
    EXPECT_TRUE(command.Matches(WM_COMMAND, MAKEWPARAM(32771, 0)));
    EXPECT_TRUE(command.Matches(WM_COMMAND, MAKEWPARAM(32771, 1)));
    EXPECT_FALSE(command.Matches(WM_COMMAND, MAKEWPARAM(32771, 2)));
    EXPECT_FALSE(command.Matches(WM_COMMAND, MAKEWPARAM(32772, 1)));
    const MessageMapEntry selection{WM_COMMAND, LBN_SELCHANGE, 1000, nullptr};
    EXPECT_TRUE(selection.Matches(WM_COMMAND, MAKEWPARAM(1000, LBN_SELCHANGE)));
    EXPECT_FALSE(selection.Matches(WM_COMMAND, MAKEWPARAM(1000, LBN_DBLCLK)));
    const MessageMapEntry paint{WM_PAINT, 0, 0, nullptr};
    EXPECT_TRUE(paint.Matches(WM_PAINT, 0));
    EXPECT_FALSE(paint.Matches(WM_COMMAND, 0));
}
