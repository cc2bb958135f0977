// The application object and its document. The program has exactly one COrvaneApp; it creates the
// main frame on the service manager and registry it is given, hooks it into the message loop,
// captions the message boxes and handles the About and Exit commands.
#pragma once

#include <memory>
#include <string>

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

    // The platform that the main frame's panes work on; set before InitInstance.
    void SetPlatform(ServiceManagerApi& services, RegistryApi& registry);

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

private:
    ServiceManagerApi* services_ = nullptr;
    RegistryApi* registry_ = nullptr;
    std::unique_ptr<COrvaneDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
    CommandTable commands_;
};

// The one application object of the program.
extern COrvaneApp theApp;
