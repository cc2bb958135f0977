#include "views/class_view.h"

#include <commctrl.h>

#include <iterator>
#include <utility>

#include "app/main_frame.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "window/image_list.h"

namespace {
constexpr int kImageSize = 16;  // pixels at 96 DPI
// Images in this order: group node, leaf, Win32 root, driver root.
constexpr int kTreeIcons[] = {IDI_TREE_GROUP, IDI_TREE_LEAF, IDI_SERVICE, IDR_MAINFRAME};

// Where the build expands a parent: right after the node of slot `after` is stored. Each root
// opens with its first child, every other parent once all its children are in.
struct ExpandPoint {
    int after;
    int parent;
};
constexpr ExpandPoint kExpandPoints[] = {{1, 0}, {4, 1}, {9, 6}, {20, 18}, {11, 10}, {16, 11}};
}  // namespace

CClassView::CClassView() = default;

CClassView::~CClassView() {
    // The tree goes before the image list it shows.
    Destroy();
}

bool CClassView::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.style |=
        TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
    return TreePane::PreCreateWindow(cs);
}

void CClassView::OnInitialUpdate() {
    TreePane::OnInitialUpdate();
    font_.Apply(Handle(), Dpi());
    SetImages();
    BuildCategoryTree();
    // The frame already holds the first root's category and the list fills itself with it, so
    // this selection is not routed: the ready flag is still 0.
    auto root = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
    SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    ready_ = 1;
}

void CClassView::SetImages() {
    UniqueImageList images =
        LoadIconImageList(Scale(kImageSize), kTreeIcons, std::size(kTreeIcons));
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.Get()));
    images_ = std::move(images);  // the list shown until now goes
}

void CClassView::OnDpiChanged(int) {
    font_.Apply(Handle(), Dpi());
    SetImages();
}

void CClassView::BuildCategoryTree() {
    HTREEITEM bySlot[kSlotCount] = {};
    for (const CategoryRow& row : kCategoryTable) {
        std::wstring label = WideText(row.label);
        TVINSERTSTRUCTW insert = {};
        insert.hParent = row.parentSlot < 0 ? TVI_ROOT : bySlot[row.parentSlot];
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = &label[0];
        insert.item.iImage = row.image;
        insert.item.iSelectedImage = row.image;
        auto item = reinterpret_cast<HTREEITEM>(
            SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        bySlot[row.slot] = item;
        slots_.SetSlot(static_cast<uint32_t>(row.slot), item, row.filter.kind, row.filter.group,
                       row.filter.value);
        for (const ExpandPoint& point : kExpandPoints) {
            if (point.after != row.slot)
                continue;
            SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND,
                         reinterpret_cast<LPARAM>(bySlot[point.parent]));
        }
    }
}

bool CClassView::SelectedLabel(std::wstring& label) const {
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item)
        return false;
    wchar_t text[260] = L"";
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = static_cast<int>(sizeof text / sizeof text[0]);
    if (!SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)))
        return false;
    label = text;
    return true;
}

void CClassView::OnSelchanged(LRESULT& result) {
    result = 0;
    if (!ready_)
        return;
    // The control's current selection, not the item named in the notification.
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    CategoryFilter filter;
    if (!slots_.FindSlot(item, filter))
        return;
    if (CMainFrame* frame = CMainFrame::Get())
        frame->SetCategory(filter.kind, filter.group, filter.value);
}

bool CClassView::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    if (header->code != TVN_SELCHANGEDW)
        return false;
    OnSelchanged(result);
    return true;
}

LRESULT CClassView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        ready_ = 0;  // items deleted on the way out route nothing
    return TreePane::HandleMessage(message, wParam, lParam);
}
