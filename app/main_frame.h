// The main window: toolbar, status bar, and the main splitter with the category tree on the left
// and the right-hand pane frame (service list over the detail pane). It holds the current category
// and routes it, the selected service and the refresh between the panes, which never call one
// another. Its caption names the saved inventory shown in place of the live system.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "app/splitter_wnd_ex.h"
#include "catalogue/service_item.h"
#include "catalogue/service_list.h"
#include "category/category_filter.h"
#include "inventory/inventory_switch.h"
#include "platform/win32/handles.h"
#include "window/frame_window.h"

class CWinSvrView;
class CDetailView;
class CDataView;
class CClassView;

class CMainFrame : public FrameWindow {
public:
    // The panes' service list works on the inventory; the service groups dialog always reads the
    // live registry.
    CMainFrame(InventorySwitch& inventory, GroupRegistryApi& groupRegistry);
    ~CMainFrame() override;

    // Creates the window (not yet shown); the panes are in context.views, in creation order.
    bool LoadFrame(CreateContext& context);

    // The main frame of the program, reached through the application's main window, or null.
    static CMainFrame* Get();

    // Routing between the panes.
    void SetCategory(int32_t kind, int32_t group, int32_t value);
    void ShowServiceDetail(const SERVICE_ITEM* item);
    void OnRefresh();
    // Reports what the last load of the list's catalogue left out (load_report.h): a service
    // manager that could not be opened, a pass that failed, records wanting memory; nothing when
    // the load was whole.
    void ReportLoadShortfall();

    // Commands of the frame.
    void OnVisitWebsite();
    void OnServiceStart();
    void OnServiceStop();
    void OnServiceProperty();
    void OnServiceGroup();
    bool OnUpdateServiceControl() const;

    // Saved inventories, the clipboard and the keyboard's way between the panes.
    void OnFileSave();
    // Writes the whole catalogue into the file; a failure is reported. True when it was written.
    bool SaveInventoryAs(const std::wstring& path);
    void OnEditCopy();
    void OnNextPane() { MoveFocusToPane(1); }
    void OnPrevPane() { MoveFocusToPane(-1); }
    // The inventory in use has changed: the caption names it (an empty name is the live system)
    // and the list shows it with the current category, taking the records of loaded (a catalogue
    // already loaded from it) or, without one, loading it afresh.
    void OnInventoryChanged(const std::wstring& fileName, CServiceList* loaded = nullptr);
    // The application's title, followed by the saved inventory's file name when there is one.
    void ShowInventoryName(const std::wstring& fileName);

    CategoryFilter CurrentFilter() const { return CategoryFilter{kind_, group_, value_}; }

    // Panes by position; null when missing.
    CSplitterWndEx& MainSplitter() { return splitter_; }
    CClassView* FindClassView() const;
    CDataView* FindDataView() const;
    CWinSvrView* FindServiceListView() const;
    CDetailView* FindDetailView() const;

    // Pixels at 96 DPI: the tree's first width, the smallest height of the panes' row.
    static constexpr int kTreeWidth = 180;
    static constexpr int kMinimumHeight = 100;

protected:
    bool OnCreateClient(CreateContext& context) override;
    int OnCreate() override;
    void OnSize(UINT type, int width, int height) override;
    void OnDpiChanged(int oldDpi) override;

private:
    void AddToolBarImages();
    void MoveFocusToPane(int step);

    InventorySwitch& inventory_;
    GroupRegistryApi& groupRegistry_;
    std::wstring inventoryFileName_;  // of the saved inventory shown; empty for the live system
    CSplitterWndEx splitter_;
    int32_t layoutReady_ = 0;
    UniqueImageList toolBarImages_;
    int32_t kind_ = kKindWin32;
    int32_t group_ = -1;
    int32_t value_ = -1;
};
