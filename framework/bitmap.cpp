#include "bitmap.h"

#include "dc.h"

CBitmap &CBitmap::operator=(CBitmap &&other) noexcept
{
    if (this != &other) {
        DeleteObject();
        bitmap_ = std::exchange(other.bitmap_, nullptr);
    }
    return *this;
}

bool CBitmap::CreateCompatibleBitmap(const CDC &reference, int width, int height)
{
    DeleteObject();
    bitmap_ = ::CreateCompatibleBitmap(reference.GetSafeHdc(), width, height);
    return bitmap_ != nullptr;
}

bool CBitmap::Attach(HBITMAP bitmap)
{
    DeleteObject();
    bitmap_ = bitmap;
    return bitmap_ != nullptr;
}

bool CBitmap::DeleteObject()
{
    if (!bitmap_)
        return false;
    ::DeleteObject(bitmap_);
    bitmap_ = nullptr;
    return true;
}

bool CBitmap::GetBitmap(BITMAP *info) const
{
    return bitmap_ && GetObjectW(bitmap_, sizeof(BITMAP), info) == sizeof(BITMAP);
}
