// CBitmap: owns one GDI bitmap and deletes it when it is replaced or
// destroyed. Delete it only while it is not selected into a device context.
#pragma once

#include <utility>

#include <windows.h>

class CDC;

class CBitmap {
  public:
    CBitmap() = default;
    CBitmap(const CBitmap &) = delete;
    CBitmap &operator=(const CBitmap &) = delete;
    CBitmap(CBitmap &&other) noexcept : bitmap_(std::exchange(other.bitmap_, nullptr)) {}
    CBitmap &operator=(CBitmap &&other) noexcept;
    ~CBitmap() { DeleteObject(); }

    HBITMAP GetSafeHandle() const { return bitmap_; }
    explicit operator bool() const { return bitmap_ != nullptr; }

    // A bitmap in the colour format of the device context's surface (a
    // fresh memory device context gives one bit per pixel).
    bool CreateCompatibleBitmap(const CDC &reference, int width, int height);
    // Takes the bitmap over, deleting the one held before; false for none.
    bool Attach(HBITMAP bitmap);
    // Returns whether there was a bitmap to delete.
    bool DeleteObject();
    // Fills the record with the bitmap's size and format; false without one.
    bool GetBitmap(BITMAP *info) const;

  private:
    HBITMAP bitmap_ = nullptr;
};
