// The service properties dialog: everything the catalogue knows about one service or driver, read
// only, and its start type, which a confirmed OK changes through the service manager (the manager
// writes the service's "Start" and uses it at once).
#pragma once

#include <memory>
#include <string>

#include "catalogue/service_item.h"
#include "platform/platform.h"
#include "window/dialog.h"

class CServicePropertyDlg : public Dialog {
public:
    // The start type is changed through services.
    explicit CServicePropertyDlg(ServiceManagerApi& services);

    // Keeps a copy of the record until the dialog window is destroyed.
    void SetRecord(const SERVICE_ITEM& record);
    // The record comes from a saved inventory: a changed start type is refused, not written.
    void SetSavedInventory(bool saved) { savedInventory_ = saved; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    // Enter: with another start type chosen, the way of the OK button (ask, then change).
    void OnOK() override;
    void OnDestroy() override;

private:
    void FillStartTypes();
    void LoadFromRecord();
    void OnConfirmedOK();
    // Ends the dialog writing nothing; a changed start type is refused with the reason given.
    void RefuseChange(const std::string& reason);
    void WriteStartType();

    int RecordStartIndex() const;

    ServiceManagerApi& services_;
    std::string serviceName_;
    std::string displayName_;
    std::string description_;
    std::string imagePath_;
    std::string serviceDll_;
    int startTypeIndex_ = -1;
    std::string statusText_;
    std::unique_ptr<SERVICE_ITEM> record_;
    bool savedInventory_ = false;
};
