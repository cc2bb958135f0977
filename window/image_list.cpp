#include "window/image_list.h"

#include <commctrl.h>

#include "window/dpi.h"

UniqueImageList LoadIconImageList(int size, const int* ids, std::size_t count) {
    UniqueImageList images(
        ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(count), 5));
    if (!images)
        return images;
    for (std::size_t i = 0; i < count; ++i) {
        UniqueIcon icon = LoadIconAtSize(ids[i], size);
        if (icon)
            ImageList_ReplaceIcon(images.Get(), -1, icon.Get());
    }
    return images;
}
