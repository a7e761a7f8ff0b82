#pragma once
// TPageControl: a tab control (SysTabControl32, superclassed) whose pages are TTabSheet
// children, one tab each, in the order of their tab indices. Only the active page is visible.

#include <vector>

#include "forms/controls.h"

class TPageControl;

class TTabSheet : public TWinControl {
    PONDERIX_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);

    TPageControl* PageControl() const;
    int PageIndex() const;
    void SetText(const std::wstring& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // A hidden page makes its controls' windows when it is first shown or one of them is
    // needed: a program with many pages starts without building the ones not yet looked at.
    bool CreatesChildHandlesNow() const override { return Visible(); }
    // A hidden page's own window waits as well, until the page is first shown.
    bool CreatesHandleWithParent() const override { return Visible(); }
};

class TPageControl : public TWinControl {
    PONDERIX_CLASS(TPageControl, TWinControl)
public:
    explicit TPageControl(TComponent* owner);

    int PageCount() const { return static_cast<int>(pages.size()); }
    TTabSheet* Pages(int index) const { return pages.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const { return activePage; }
    void SetActivePage(TTabSheet* page);
    int TabIndex() const;
    void SetTabIndex(int index);
    // Moves to the next (or previous) page, wrapping round, as Ctrl+Tab does.
    void SelectNextPage(bool forward);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateHandle() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void ControlInserted(TControl* control) override;
    void ControlRemoved(TControl* control) override;

private:
    friend class TTabSheet;
    void LayoutPages();
    void ShowActivePage();
    void RebuildTabs();

    std::vector<TTabSheet*> pages;
    TTabSheet* activePage = nullptr;
};

void RegisterPageControlClasses();
