#include "app/data_view.h"

#include <new>

#include "views/detail_view.h"
#include "views/win_svr_view.h"
#include "res/resource.h"

namespace {
constexpr UINT kPaneFirst = AFX_IDW_PANE_FIRST;
}

CDataView::CDataView(ServiceManagerApi& services, ServiceRegistryApi& registry)
    : services_(services), registry_(registry) {}

bool CDataView::OnCreateClient(CreateContext& context) {
    if (!splitter_.CreateStatic(Handle(), 2, 1, WS_CHILD | WS_VISIBLE, kPaneFirst))
        return false;
    RECT client = {};
    GetClientRect(Handle(), &client);
    int width = client.right;
    int height = client.bottom;
    std::unique_ptr<View> list(new (std::nothrow) CWinSvrView(services_, registry_));
    std::unique_ptr<View> detail(new (std::nothrow) CDetailView());
    const int detailHeight = Scale(kDetailHeight);
    if (!splitter_.CreateView(0, 0, std::move(list), SIZE{width, height - detailHeight}, context) ||
        !splitter_.CreateView(1, 0, std::move(detail), SIZE{width, detailHeight}, context)) {
        splitter_.Destroy();
        return false;
    }
    // The detail pane lays itself out and repaints on its first size message.
    SendMessageW(splitter_.GetPane(1, 0)->Handle(), WM_SIZE, SIZE_RESTORED, 0);
    layoutReady_ = 1;
    return true;
}

void CDataView::OnSize() {
    RECT client = {};
    GetClientRect(Handle(), &client);
    if (splitter_.Handle()) {
        SetWindowPos(splitter_.Handle(), nullptr, 0, 0, client.right, client.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!layoutReady_)
        return;
    // The outer height, so that the detail row keeps the same height at the bottom every time
    // and the list takes the whole change.
    RECT outer = {};
    GetWindowRect(Handle(), &outer);
    int height = outer.bottom - outer.top;
    const int detailHeight = Scale(kDetailHeight);
    splitter_.SetRowInfo(0, height - detailHeight, Scale(kMinimumHeight));
    splitter_.SetRowInfo(1, detailHeight, Scale(kMinimumHeight));
    splitter_.RecalcLayout();
    for (int row = 0; row < 2; ++row) {
        View* pane = splitter_.GetPane(row, 0);
        if (!pane)
            continue;
        InvalidateRect(pane->Handle(), nullptr, TRUE);
        UpdateWindow(pane->Handle());
    }
}

LRESULT CDataView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        OnSize();
        return 0;
    }
    return ContainerPane::HandleMessage(message, wParam, lParam);
}
