#include "dialogs/service_property_dlg.h"

#include <new>

#include "catalogue/service_control.h"
#include "category/category_filter.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

// Item i stands for the registry start type i.
const char* const kStartTypeItems[] = {
    "引导加载(Boot Start)",   "系统加载(System Start)", "自动加载(Auto Start)",
    "手工加载(Demand Start)", "已禁用(Disabled)",
};
constexpr uint32_t kStartTypeCount = sizeof kStartTypeItems / sizeof kStartTypeItems[0];

// The dialog names the stopped state, where the service list leaves its cell empty.
UINT StatusStringId(uint32_t currentState) {
    switch (ClassifyRunState(currentState)) {
        case RunStateClass::Stopped:
            return IDS_STATE_STOPPED;
        case RunStateClass::Paused:
            return IDS_STATE_PAUSED;
        default:
            return IDS_STATE_STARTED;
    }
}

}  // namespace

CServicePropertyDlg::CServicePropertyDlg(ServiceManagerApi& services)
    : Dialog(IDD_SERVICE_PROPERTY), services_(services) {}

void CServicePropertyDlg::SetRecord(const SERVICE_ITEM& record) {
    record_.reset(new (std::nothrow) SERVICE_ITEM(record));
}

BOOL CServicePropertyDlg::OnInitDialog() {
    FillStartTypes();
    Dialog::OnInitDialog();
    LoadFromRecord();
    UpdateData(false);
    return TRUE;
}

void CServicePropertyDlg::FillStartTypes() {
    HWND combo = Item(IDC_START_TYPE);
    for (const char* item : kStartTypeItems) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(item).c_str()));
    }
}

void CServicePropertyDlg::LoadFromRecord() {
    if (!record_)
        return;
    serviceName_ = record_->lpServiceName;
    displayName_ = record_->lpDisplayName;
    description_ = record_->Description;
    imagePath_ = record_->ImagePath;
    serviceDll_ = record_->ServiceDll;
    // A start type the list does not hold, or none that could be read, leaves the combo box
    // without a selection.
    startTypeIndex_ = RecordStartIndex();
    statusText_ = LoadResString(StatusStringId(record_->ServiceStatus.dwCurrentState));
}

void CServicePropertyDlg::DoDataExchange(DataExchange& exchange) {
    exchange.Text(IDC_DESCRIPTION, description_);
    exchange.Text(IDC_SERVICE_DLL, serviceDll_);
    exchange.Text(IDC_IMAGE_PATH, imagePath_);
    exchange.Text(IDC_DISPLAY_NAME, displayName_);
    exchange.Text(IDC_SERVICE_NAME, serviceName_);
    exchange.ComboIndex(IDC_START_TYPE, startTypeIndex_);
    exchange.Text(IDC_SERVICE_STATUS, statusText_);
}

bool CServicePropertyDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id != IDC_PROPERTY_OK)
        return Dialog::OnCommand(id, code, control);
    OnConfirmedOK();
    return true;
}

int CServicePropertyDlg::RecordStartIndex() const {
    return record_ && record_->Start < kStartTypeCount ? static_cast<int>(record_->Start) : -1;
}

void CServicePropertyDlg::OnOK() {
    const int chosen =
        static_cast<int>(SendMessageW(Item(IDC_START_TYPE), CB_GETCURSEL, 0, 0));  // CB_ERR is -1
    if (chosen != -1 && chosen != RecordStartIndex()) {
        OnConfirmedOK();  // ends through the plain OK below, never back here
        return;
    }
    Dialog::OnOK();
}

void CServicePropertyDlg::OnConfirmedOK() {
    std::string name = record_ ? record_->lpServiceName : std::string();
    if (savedInventory_) {
        RefuseChange(LoadResString(IDS_INVENTORY_READ_ONLY));
        return;
    }
    // Windows makes a per-user instance afresh from its template at each sign-in: a start type
    // written to the instance would be undone then. It is the template's to change.
    std::string templateName;
    if (record_ && UserServiceTemplate(*record_, templateName)) {
        RefuseChange(FormatResString(IDS_PER_USER_INSTANCE, {name, templateName, templateName}));
        return;
    }
    std::string question = FormatResString(IDS_CONFIRM_START_TYPE, name);
    if (AppMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        UpdateData(true);
        if (startTypeIndex_ != -1)
            WriteStartType();
    }
    Dialog::OnOK();
}

// A saved inventory shows what a machine had; there is no system behind it to change. Nor is a
// per-user instance's start type its own. Only a changed start type needs saying so.
void CServicePropertyDlg::RefuseChange(const std::string& reason) {
    const int shown = startTypeIndex_;
    UpdateData(true);
    if (startTypeIndex_ != shown)
        AppMessageBox(reason, MB_OK | MB_ICONINFORMATION);
    Dialog::OnOK();  // the plain OK: this dialog's own would ask again
}

void CServicePropertyDlg::WriteStartType() {
    if (!record_)
        return;
    // The manager refuses what Windows refuses (boot or system start for a Win32 service, a
    // service deleted meanwhile, missing rights) and then writes nothing; the reason is shown.
    uint32_t error = ChangeServiceStartType(services_, record_->lpServiceNameW,
                                            static_cast<uint32_t>(startTypeIndex_));
    if (error != 0)
        AppMessageBox(SystemErrorText(error), MB_OK | MB_ICONHAND);
}

void CServicePropertyDlg::OnDestroy() {
    record_.reset();
}
