// The service list: the upper right-hand pane. It owns the program's one catalogue, shows one
// report row for every record that passes the current category, and tells the main frame which
// service the user picked. Start, stop and properties act on its selected row.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "catalogue/service_list.h"
#include "platform/platform.h"
#include "window/dpi.h"
#include "window/view.h"

class CWinSvrView : public ListPane {
public:
    CWinSvrView(ServiceManagerApi& services, ServiceRegistryApi& registry);
    ~CWinSvrView() override;

    // Loads the catalogue, or takes the records of the catalogue handed to LoadAtStartFrom.
    void OnInitialUpdate() override;
    // The initial update takes the records of loaded, a catalogue already loaded from what the
    // platform holds (a saved inventory opened at start), instead of loading them again; loaded
    // must live until then.
    void LoadAtStartFrom(CServiceList& loaded) { loadedAtStart_ = &loaded; }
    void SetupColumns();
    // Rebuilds every row from the catalogue with the filter (kind, group, value).
    void FillList(int32_t kind, int32_t group, int32_t value);
    // Reloads the catalogue, then FillList.
    void Refresh(int32_t kind, int32_t group, int32_t value);
    // Takes the records of loaded, a catalogue loaded from what the platform now holds, in place
    // of a Reload (loaded gets the old records), then FillList.
    void ShowCatalogue(CServiceList& loaded, int32_t kind, int32_t group, int32_t value);

    // Commands on the selected row (views/win_svr_view_commands.cpp). Start and stop follow the
    // service until it gets where it was sent (at most the follow bound) and then show the state
    // it reached; the window stays responsive meanwhile. Properties of a record of a saved
    // inventory refuse to change its start type.
    void StartSelectedService();
    void StopSelectedService();
    void ShowSelectedProperties(bool savedInventory = false);
    // The record of a row: the one it was filled from (its name in column 0), or null.
    const SERVICE_ITEM* RecordOfRow(int row) const;
    // How long start and stop follow a service at most; shorter only in tests.
    void SetFollowBound(uint32_t ms) { followBoundMs_ = ms; }
    // The selected row's six cells as shown, separated by tabs and ended by CRLF; false when no
    // row is selected.
    bool SelectedRowText(std::wstring& text) const;

    // The list control and the catalogue, for the commands above and for tests.
    HWND ListControl() const { return Handle(); }
    CServiceList& ServiceList() { return catalogue_; }
    const CServiceList& ServiceList() const { return catalogue_; }

    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

    // Column ids of the rows.
    enum Column { kColName, kColStatus, kColStartType, kColDescription, kColFile, kColGroup };

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Font, row images and column widths at the new scale.
    void OnDpiChanged(int oldDpi) override;

private:
    // The row images at the list's DPI, as its small image list.
    void SetImages();
    void OnItemChanged(const NMLISTVIEW& notification, LRESULT& result);
    struct RowTexts;
    // A row for the record at cursor in the catalogue, which the row keeps as its value.
    void AddRow(int index, int32_t cursor, const SERVICE_ITEM& record, bool showServiceDll,
                const RowTexts& texts);
    void ControlSelectedService(bool start);

    CServiceList catalogue_;
    CServiceList* loadedAtStart_ = nullptr;
    HIMAGELIST images_ = nullptr;
    ControlFont font_;
    int32_t ready_ = 0;
    uint32_t followBoundMs_ = kFollowBoundMs;
};

// Texts of the status and start-type columns, from the string table.
std::string ServiceStatusText(uint32_t currentState);
std::string StartTypeText(uint32_t start);
