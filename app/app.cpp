#include "app/app.h"

#include <commctrl.h>

#include <new>

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "res/resource.h"
#include "window/resource_strings.h"

COrvaneApp theApp;

COrvaneApp::COrvaneApp() {
    commands_.Add(ID_APP_ABOUT, [this] { OnAppAbout(); });
    commands_.Add(ID_APP_EXIT, [this] { OnAppExit(); });
}

COrvaneApp::~COrvaneApp() = default;

void COrvaneApp::SetPlatform(ServiceManagerApi& services, RegistryApi& registry) {
    services_ = &services;
    registry_ = &registry;
}

bool COrvaneApp::InitInstance() {
    if (!services_ || !registry_ || frame_)
        return false;
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    document_.reset(new (std::nothrow) COrvaneDoc());
    frame_.reset(new (std::nothrow) CMainFrame(*services_, *registry_));
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
    // The frame is complete: each pane sets itself up, in creation order (tree, list, detail).
    for (View* view : context.views)
        view->OnInitialUpdate();
    if (!context.views.empty())
        frame_->SetActiveView(context.views.front());

    ShowWindow(frame_->Handle(), SW_SHOW);
    UpdateWindow(frame_->Handle());
    if (View* active = frame_->ActiveView())
        SetFocus(active->Handle());
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
        SendMessageA(main, WM_CLOSE, 0, 0);
}
