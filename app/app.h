// The application object and its document. The program has exactly one COrvaneApp; it creates the
// main frame on the service manager and registry it is given, hooks it into the message loop,
// captions the message boxes, owns the switch that puts a saved inventory in their place, and
// handles About, Exit, back to the live system (new) and open.
#pragma once

#include <memory>
#include <string>

#include "app/live_configuration.h"
#include "inventory/inventory_switch.h"
#include "platform/platform.h"
#include "window/application.h"

class CMainFrame;

// The document of the single document type: it holds nothing.
class COrvaneDoc {
public:
    bool OnNewDocument() { return true; }
};

class COrvaneApp : public Application {
public:
    COrvaneApp();
    ~COrvaneApp() override;

    // The live platform that the main frame's panes work on, and the registry the service groups
    // dialog reads (always the live one); set before InitInstance.
    void SetPlatform(ServiceManagerApi& services, ServiceRegistryApi& registry,
                     GroupRegistryApi& groupRegistry);
    // A saved inventory that the window shows from the start instead of the live system.
    void SetStartupFile(const std::wstring& path) { startupFile_ = path; }

    // Creates the document and the main frame, runs the panes' initial updates, shows the frame.
    bool InitInstance() override;
    // Frees the main frame object once its window is gone.
    void ExitInstance();

    const CommandTable* Commands() const override { return &commands_; }
    // The application name, string 57344.
    std::string MessageBoxCaption() const override;
    CMainFrame* MainFrame() const { return frame_.get(); }

    void OnAppAbout();
    void OnAppExit();
    // Back to the live system: the catalogue loaded afresh, the title alone in the caption.
    void OnFileNew();
    // The system's Open dialog, then OpenInventoryFile.
    void OnFileOpen();
    // Shows the saved inventory in place of what is shown; a file that is refused is reported (it
    // names the file and its first bad line) and changes nothing. True when it was opened.
    bool OpenInventoryFile(const std::wstring& path);

private:
    std::unique_ptr<LiveConfiguration> liveConfiguration_;  // before the switch that uses it
    std::unique_ptr<InventorySwitch> inventory_;
    GroupRegistryApi* groupRegistry_ = nullptr;
    std::wstring startupFile_;
    std::unique_ptr<COrvaneDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
    CommandTable commands_;
};

// The one application object of the program.
extern COrvaneApp theApp;
