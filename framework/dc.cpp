#include "dc.h"

#include "bitmap.h"
#include "wnd.h"

CDC::~CDC()
{
    if (ownsMemoryDc_)
        DeleteDC(m_hDC);
}

bool CDC::CreateCompatibleDC(const CDC *reference)
{
    if (ownsMemoryDc_)
        DeleteDC(m_hDC);
    m_hDC = ::CreateCompatibleDC(reference ? reference->m_hDC : nullptr);
    ownsMemoryDc_ = m_hDC != nullptr;
    return ownsMemoryDc_;
}

HGDIOBJ CDC::SelectObject(const CBitmap &bitmap) const
{
    return ::SelectObject(m_hDC, bitmap.GetSafeHandle());
}

CClientDC::CClientDC(const CWnd &window) : window_(window.GetSafeHwnd())
{
    m_hDC = GetDC(window_);
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ReleaseDC(window_, m_hDC);
}

CPaintDC::CPaintDC(const CWnd &window) : window_(window.GetSafeHwnd())
{
    m_hDC = BeginPaint(window_, &paint_);
}

CPaintDC::~CPaintDC()
{
    EndPaint(window_, &paint_);
}
