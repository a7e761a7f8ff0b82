#pragma once
// TCustomGrid and TDBGrid: a grid of cells with a fixed title row and indicator column in
// FixedColor and the platform's own scroll bars; TDBGrid shows the open table of its data
// source, every column in table order, and edits it in place.
//
// Keys: arrows, Page Up/Down, Home/End (first/last column), Ctrl+Home/End (first/last row);
// typing or F2 starts editing the current cell; Enter or leaving the row posts; Escape
// cancels; Insert inserts a row; Down on the last row appends one; Ctrl+Delete deletes the
// current row after asking "删除当前记录吗?". A failed post keeps the edit in the grid.

#include <memory>

#include "data/data_source.h"
#include "data/grid_geometry.h"
#include "forms/controls.h"

class TCustomGrid : public TWinControl {
    PONDERIX_CLASS(TCustomGrid, TWinControl)
public:
    explicit TCustomGrid(TComponent* owner);

    TColor FixedColor() const { return fixedColor; }
    void SetFixedColor(TColor value);
    int DefaultRowHeight() const { return geometry.rowHeight; }
    void SetDefaultRowHeight(int value);

protected:
    void CreateParams(TCreateParams& params) override;

    TGridGeometry geometry;

private:
    TColor fixedColor = clBtnFace;
};

class TDBGrid : public TCustomGrid {
    PONDERIX_CLASS(TDBGrid, TCustomGrid)
public:
    explicit TDBGrid(TComponent* owner);
    ~TDBGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* value);
    // The data set shown, or null.
    TDataSet* DataSet() const;
    TFont* TitleFont() { return &titleFont; }
    void SetTitleFont(TFont* value) {
        if (value) titleFont.Assign(*value);
    }
    int SelectedColumn() const { return column; }
    bool Editing() const;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void AfterCreateHandle() override;
    void BeforeDestroyHandle() override;

private:
    class TGridLink;
    class TInplaceEditor;
    friend class TGridLink;
    friend class TInplaceEditor;

    void PaintCells(HDC dc, const RECT& client);
    void LayoutColumns();
    void UpdateScrollBars();
    void ScrollToCurrent();
    void KeyDown(WORD key);
    void Scroll(int bar, int code);
    void Click(int x, int y);
    void StartEditing(const std::wstring* replaceWith);
    // Hands the editor's text to the field; answers false (and keeps the editor) on failure.
    void ApplyEditor();
    void PostEdit();
    void CancelEdit();
    void HideEditor();
    void DataChanged();

    std::unique_ptr<TGridLink> link;
    std::unique_ptr<TInplaceEditor> editor;
    TFont titleFont;
    int column = 0;  // current column
};

void RegisterGridClasses();
