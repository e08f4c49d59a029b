// The preview controls: the working banks rendered into pictures with
// transparency, as the page draws them.
#include "editor_session.h"

#include "core/picture/image_codec.h"

// All slots means every slot with a preview control except the room.
void EditorSession::RedrawPreviews(int slot)
{
    if (slot != AllSlots) {
        RenderPreview(slot);
        return;
    }
    for (int s = 0; s < SlotCount; ++s)
        if (s != RoomSlot)
            RenderPreview(s);
}

// A base that cannot be shown gives a picture of 0 x 0.
void EditorSession::RenderPreview(int slot)
{
    if (slot < 0 || slot >= SlotCount || SlotControlIds[static_cast<std::size_t>(slot)] == NoControl)
        return;
    const auto index = static_cast<std::size_t>(slot);
    RenderPreviewWithAlpha(banks_->WorkBase[index], banks_->WorkMask[index], picture_);
    PreviewControl &preview = previews_[index];
    preview.visible = true;
    preview.width = picture_.width;
    preview.height = picture_.height;
    preview.rgba = RgbaBytes(picture_.pixels);
    ++preview.version;
}

// The room preview is never hidden.
void EditorSession::HidePartPreviews()
{
    for (int slot = 0; slot < SlotCount; ++slot)
        if (slot != RoomSlot)
            previews_[static_cast<std::size_t>(slot)].visible = false;
}
