// The category tree: the left pane of the main window. It shows the twenty categories under their
// two roots, fully expanded, and hands the category of each newly selected node to the main frame.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "category/category_filter.h"
#include "platform/win32/handles.h"
#include "window/dpi.h"
#include "window/view.h"

class CClassView : public TreePane {
public:
    CClassView();
    ~CClassView() override;

    void OnInitialUpdate() override;
    // The label of the selected node; false when none is selected.
    bool SelectedLabel(std::wstring& label) const;

    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Font and images at the new scale.
    void OnDpiChanged(int oldDpi) override;

private:
    void BuildCategoryTree();
    // The images at the tree's DPI, as its normal image list.
    void SetImages();
    void OnSelchanged(LRESULT& result);

    UniqueImageList images_;
    ControlFont font_;
    CategorySlotTable slots_;
    int32_t ready_ = 0;
};
