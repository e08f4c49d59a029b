#include "display_bitmap.h"

#include <cstring>

namespace {
bool HasSize(const BITMAP &bitmap, const RgbImage &picture)
{
    return bitmap.bmWidth == picture.width && bitmap.bmHeight == picture.height && bitmap.bmBits;
}

// Returns the bitmap's pixels, null when it could not be made.
void *CreatePictureBitmap(CBitmap &bitmap, const CDC &reference, const RgbImage &picture)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *pixels = nullptr;
    if (!bitmap.Attach(CreateDIBSection(reference.GetSafeHdc(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0)))
        return nullptr;
    return pixels;
}
} // namespace

void MakeDisplayBitmap(CBitmap &bitmap, const CDC &reference, const RgbImage &picture)
{
    BITMAP current{};
    void *pixels = bitmap.GetBitmap(&current) && HasSize(current, picture)
                       ? current.bmBits
                       : CreatePictureBitmap(bitmap, reference, picture);
    if (!pixels)
        return;
    GdiFlush();
    std::memcpy(pixels, picture.pixels.data(), picture.pixels.size() * sizeof(picture.pixels[0]));
}
