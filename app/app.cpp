#include "app/app.h"

#include <commctrl.h>

#include <new>

#include "app/about_dlg.h"
#include "app/inventory_io.h"
#include "app/main_frame.h"
#include "platform/win32/wow64_probe.h"
#include "res/resource.h"
#include "views/win_svr_view.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

COrvaneApp theApp;

COrvaneApp::COrvaneApp() {
    // New and Open load the catalogue afresh, and the About box would hold the following up in its
    // own message loop: none of them while a command follows a service.
    commands_.AddNotWhileBusy(ID_APP_ABOUT, [this] { OnAppAbout(); });
    commands_.Add(ID_APP_EXIT, [this] { OnAppExit(); });
    commands_.AddNotWhileBusy(ID_FILE_NEW, [this] { OnFileNew(); });
    commands_.AddNotWhileBusy(ID_FILE_OPEN, [this] { OnFileOpen(); });
}

COrvaneApp::~COrvaneApp() = default;

void COrvaneApp::SetPlatform(ServiceManagerApi& services, ServiceRegistryApi& registry,
                             GroupRegistryApi& groupRegistry) {
    if (frame_)
        return;
    inventory_.reset();
    liveConfiguration_.reset(new (std::nothrow) LiveConfiguration(services, registry));
    if (liveConfiguration_)
        inventory_.reset(new (std::nothrow)
                             InventorySwitch(services, registry, *liveConfiguration_));
    groupRegistry_ = &groupRegistry;
}

bool COrvaneApp::InitInstance() {
    if (!inventory_ || !groupRegistry_ || frame_)
        return false;
    // The 32-bit build on 64-bit Windows would see the 32-bit copies of the system's files and
    // keys: it says so, naming the 64-bit build, and does not start.
    if (RunsUnderWow64(ProbeWow64())) {
        AppMessageBox(IDS_WOW64_REFUSED, MB_OK | MB_ICONHAND);
        return false;
    }
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    // A file named on the command line is read before the panes load, so that they load it and
    // not the live system; one that is refused is reported once the window shows.
    InventoryOpenFailure startupFailure;
    LoadedInventory startupInventory;
    const bool startupRefused =
        !startupFile_.empty() && !ReadInventoryFile(startupFile_, startupInventory, startupFailure);
    if (startupInventory.inventory)
        inventory_->UseFile(std::move(startupInventory.inventory));

    document_.reset(new (std::nothrow) COrvaneDoc());
    frame_.reset(new (std::nothrow) CMainFrame(*inventory_, *groupRegistry_));
    if (!document_ || !frame_ || !document_->OnNewDocument())
        return false;
    CreateContext context;
    if (!frame_->LoadFrame(context)) {
        frame_.reset();
        return false;
    }
    SetMainWindow(frame_.get());
    AddMessageFilter(frame_.get());
    AddIdleHandler(frame_.get());
    // The catalogue the file was checked with is the list's: the file is loaded once.
    if (startupInventory.catalogue && frame_->FindServiceListView())
        frame_->FindServiceListView()->LoadAtStartFrom(*startupInventory.catalogue);
    // The frame is complete: each pane sets itself up, in creation order (tree, list, detail).
    for (View* view : context.views)
        view->OnInitialUpdate();
    if (!context.views.empty())
        frame_->SetActiveView(context.views.front());

    if (!inventory_->IsLive())
        frame_->ShowInventoryName(FileNameOf(startupFile_));

    ShowWindow(frame_->Handle(), SW_SHOW);
    UpdateWindow(frame_->Handle());
    if (View* active = frame_->ActiveView())
        SetFocus(active->Handle());
    if (startupRefused)
        AppMessageBox(InventoryOpenFailureText(startupFile_, startupFailure), MB_OK | MB_ICONHAND);
    frame_->ReportLoadShortfall();
    return true;
}

void COrvaneApp::ExitInstance() {
    if (frame_ && frame_->Handle())
        frame_->Destroy();
    SetMainWindow(nullptr);
    RemoveMessageFilter(frame_.get());
    RemoveIdleHandler(frame_.get());
    frame_.reset();
    document_.reset();
    if (inventory_)
        inventory_->UseLive();
    startupFile_.clear();
}

std::string COrvaneApp::MessageBoxCaption() const {
    return LoadResString(IDS_APP_TITLE);
}

void COrvaneApp::OnAppAbout() {
    CAboutDlg dialog;
    dialog.DoModal();
}

void COrvaneApp::OnAppExit() {
    if (HWND main = MainWindowHandle())
        SendMessageW(main, WM_CLOSE, 0, 0);
}

void COrvaneApp::OnFileNew() {
    if (!inventory_ || !frame_)
        return;
    inventory_->UseLive();
    frame_->OnInventoryChanged(std::wstring());
}

void COrvaneApp::OnFileOpen() {
    std::wstring path;
    if (frame_ && AskInventoryFileName(frame_->Handle(), false, path))
        OpenInventoryFile(path);
}

bool COrvaneApp::OpenInventoryFile(const std::wstring& path) {
    if (!inventory_ || !frame_)
        return false;
    LoadedInventory file;
    InventoryOpenFailure failure;
    if (!ReadInventoryFile(path, file, failure)) {
        AppMessageBox(InventoryOpenFailureText(path, failure), MB_OK | MB_ICONHAND);
        return false;
    }
    inventory_->UseFile(std::move(file.inventory));
    frame_->OnInventoryChanged(FileNameOf(path), file.catalogue.get());
    return true;
}
