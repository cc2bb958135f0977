// The right-hand pane of the main window: a pane frame whose client area is a splitter with the
// service list on top and the detail pane, kept at a fixed height, at the bottom.
#pragma once

#include <cstdint>

#include "app/splitter_wnd_ex.h"
#include "platform/platform.h"
#include "window/view.h"

class CDataView : public ContainerPane {
public:
    CDataView(ServiceManagerApi& services, ServiceRegistryApi& registry);

    CSplitterWndEx& Splitter() { return splitter_; }
    const CSplitterWndEx& Splitter() const { return splitter_; }

    // Pixels at 96 DPI: the height of the detail row at the bottom, splitter bar included, and
    // the smallest height of either row.
    static constexpr int kDetailHeight = 120;
    static constexpr int kMinimumHeight = 10;

protected:
    bool OnCreateClient(CreateContext& context) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnSize();

    ServiceManagerApi& services_;
    ServiceRegistryApi& registry_;
    CSplitterWndEx splitter_;
    int32_t layoutReady_ = 0;
};
