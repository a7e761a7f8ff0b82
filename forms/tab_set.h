#pragma once
// TTabSet: a row of tabs along the bottom edge of a notebook, drawn by the control itself (its
// window superclasses nothing). One tab is selected; a click on another selects it. The tabs
// are laid out from the first visible tab on (forms/tab_set_layout.h); when they do not all fit,
// the scroller shows at the right end: its arrows move the first visible tab.
//
// The scroller is the tab set's first owned component, made with it.

#include <vector>

#include "forms/controls.h"
#include "forms/strings.h"
#include "forms/tab_set_layout.h"

class TTabSet;

// The tab set's scroll arrows: a horizontal up-down control over the tab indices.
class TTabScroller : public TWinControl {
    PONDERIX_CLASS(TTabScroller, TWinControl)
public:
    explicit TTabScroller(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
};

class TTabSet : public TWinControl {
    PONDERIX_CLASS(TTabSet, TWinControl)
public:
    explicit TTabSet(TComponent* owner);

    TStrings* Tabs() { return &tabs; }
    // The selected tab; -1 for none. Selecting a tab that is scrolled out of view scrolls it in.
    int TabIndex() const { return tabIndex; }
    void SetTabIndex(int value);
    int FirstIndex() const { return firstIndex; }
    void SetFirstIndex(int value);
    int StartMargin() const { return startMargin; }
    void SetStartMargin(int value);
    int EndMargin() const { return endMargin; }
    void SetEndMargin(int value);

    TTabScroller* Scroller() const { return scroller; }
    bool ScrollerVisible() const;
    // Every tab's text width in the tab set's font, and where the shown tabs are.
    std::vector<int> TextWidths();
    std::vector<TTabSetPlace> VisibleTabs();
    TTabSetMetrics Metrics() const;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateHandle() override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void FontChanged() override;

private:
    // Shows or hides the scroller and sets its range and position from the tabs.
    void UpdateScroller();
    void TabsChanged();

    TTabScroller* scroller;
    TStringList tabs;
    int tabIndex = -1;
    int firstIndex = 0;
    int startMargin = 5;
    int endMargin = 5;
};

void RegisterTabSetClasses();
