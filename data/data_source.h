#pragma once
// TDataSource links a data set to the controls that show it. A control (a grid) does not talk to
// the data set's events itself: it holds a TDataLink on a data source and overrides the link's
// hooks, so that one data source can feed several controls and a control can be pointed at
// another data source, or lose its data set, at any time.
//
// How a grid uses it:
//   - ActiveChanged: the data set opened or closed. Re-read the columns (DataSet()->FieldCount,
//     Fields(i)->FieldName) and everything else; closed, show an empty grid.
//   - DataChanged: rows changed (post, delete, insert begun or cancelled, refresh). Re-read the
//     row count (DisplayRowCount) and the visible rows (DisplayRows(top, visibleRows)).
//   - RowChanged: the current row moved. Scroll so that DisplayRow() is visible, move the
//     highlight, and re-read rows only if the visible range changed.
//   - FieldChanged(field): a cell of the current row's edit buffer changed. Repaint that row.
//   - StateChanged: browse / edit / insert entered. Update the row indicator and the editor.
// A click on a row calls DataSet()->MoveToDisplayRow(row); typing into a cell calls Edit, then
// the field's SetAsString, and leaving the row or pressing Enter calls Post (Escape: Cancel);
// Insert key Insert, down arrow on the last row Append, Ctrl+Delete Delete after confirmation.

#include <functional>
#include <vector>

#include "data/data_set.h"
#include "forms/component.h"

class TDataSource;

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource; }
    void SetDataSource(TDataSource* source);
    // The linked data set, or null (no data source, or a data source without a data set).
    TDataSet* DataSet() const;
    bool Active() const;

    // Override these; each is called after the data set has changed.
    virtual void ActiveChanged() {}
    virtual void DataChanged() {}
    virtual void RowChanged() {}
    virtual void FieldChanged(TField* field) { (void)field; }
    virtual void StateChanged() {}

private:
    friend class TDataSource;
    TDataSource* dataSource = nullptr;
};

class TDataSource : public TComponent {
    PONDERIX_CLASS(TDataSource, TComponent)
public:
    explicit TDataSource(TComponent* owner);
    ~TDataSource() override;

    TDataSet* DataSet() const { return dataSet; }
    // A reference: a data set freed elsewhere is forgotten (FreeNotification).
    void SetDataSet(TDataSet* value);
    TDataSetState State() const;

    // Events for code that is not a control: after any change of rows, the current row or a
    // field (field null unless one cell changed), and after a state change.
    std::function<void(TObject* sender, TField* field)> OnDataChange;
    TNotifyEvent OnStateChange;

    void Notification(TComponent* component, TOperation operation) override;

    // From the data set: passes the event to every link.
    void DataEvent(TDataEvent event, TField* field);

private:
    friend class TDataLink;
    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);

    TDataSet* dataSet = nullptr;
    std::vector<TDataLink*> links;
};

// Makes TADOTable and TDataSource known to the form reader.
void RegisterDataClasses();
