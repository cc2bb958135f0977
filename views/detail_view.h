// The detail pane at the bottom right of the main window: shows the service last routed to it
// (its file, DLL, version, description and company) on a light blue background with an upright
// "详细信息" heading. It keeps its own copy of the record, and of what its file says, read once
// when the record arrives; it has no controls. A screen reader reads the heading and the lines it
// paints through its accessible object.
#pragma once

#include <memory>
#include <string>

#include "catalogue/service_item.h"
#include "platform/win32/handles.h"
#include "views/detail_paint.h"
#include "window/pane_accessibility.h"
#include "window/view.h"

class CDetailView : public FormPane, private AccessibleText {
public:
    CDetailView();

    // Shows a copy of item, or nothing when item is null; reads the facts of its file, then
    // repaints before returning.
    void SetService(const SERVICE_ITEM* item);
    // The copy shown, or null.
    const SERVICE_ITEM* Service() const { return record_.get(); }
    // What the file of the copy shown says, as read when it arrived.
    const ServiceFileFacts& Facts() const { return facts_; }

    // The heading, and the lines painted for the record (one per line, in the order painted).
    std::wstring AccessibleName() const override;
    std::wstring AccessibleValue() const override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged(int oldDpi) override;

private:
    LRESULT OnEraseBkgnd(HDC dc);
    void OnPaint();
    void OnSize(UINT type, WPARAM wParam, LPARAM lParam);
    void Repaint();

    std::unique_ptr<SERVICE_ITEM> record_;
    ServiceFileFacts facts_;  // of the record's file; painted from, never read in a paint
    // Made for the window's DPI at the first paint after it changes.
    UniqueFont titleFont_;
    UniqueFont textFont_;
    bool fontsMade_ = false;
    PaneAccessibility accessibility_{*this};
};
