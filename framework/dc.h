// Device contexts. CDC is a memory device context that it creates and
// deletes itself, or a borrowed one (Attach) that it leaves alone;
// CClientDC and CPaintDC hold a window's device context for their lifetime.
// Objects selected into a device context are not restored by it: select the
// earlier object back before deleting what was selected.
#pragma once

#include <windows.h>

class CBitmap;
class CWnd;

class CDC {
  public:
    CDC() = default;
    CDC(const CDC &) = delete;
    CDC &operator=(const CDC &) = delete;
    virtual ~CDC();

    HDC GetSafeHdc() const { return m_hDC; }
    explicit operator bool() const { return m_hDC != nullptr; }
    // Uses a device context owned elsewhere (a WM_DRAWITEM request's).
    void Attach(HDC dc) { m_hDC = dc; }

    // A memory device context compatible with reference (the screen when
    // reference is null).
    bool CreateCompatibleDC(const CDC *reference);
    // Returns the object selected before.
    HGDIOBJ SelectObject(const CBitmap &bitmap) const;
    HGDIOBJ SelectObject(HGDIOBJ object) const { return ::SelectObject(m_hDC, object); }

    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF colour) const { return ::SetPixel(m_hDC, x, y, colour); }
    bool BitBlt(int x, int y, int width, int height, const CDC &source, int sourceX, int sourceY,
                DWORD rop) const
    {
        return ::BitBlt(m_hDC, x, y, width, height, source.m_hDC, sourceX, sourceY, rop) != FALSE;
    }
    // Returns the number of rows drawn, 0 on failure.
    int StretchDIBits(int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                      int sourceHeight, const void *bits, const BITMAPINFO *info, UINT usage, DWORD rop) const
    {
        return ::StretchDIBits(m_hDC, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, bits,
                               info, usage, rop);
    }
    bool DrawIcon(int x, int y, HICON icon) const { return ::DrawIcon(m_hDC, x, y, icon) != FALSE; }

  protected:
    HDC m_hDC = nullptr;

  private:
    bool ownsMemoryDc_ = false;
};

// GetDC / ReleaseDC of a window.
class CClientDC : public CDC {
  public:
    explicit CClientDC(const CWnd &window);
    ~CClientDC() override;

  private:
    HWND window_;
};

// BeginPaint / EndPaint of a window, inside its WM_PAINT.
class CPaintDC : public CDC {
  public:
    explicit CPaintDC(const CWnd &window);
    ~CPaintDC() override;

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
};
