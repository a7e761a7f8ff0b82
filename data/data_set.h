#pragma once
// TDataSet: an open table seen one row at a time. It keeps the current row, moves it (First,
// Next, Prior, Last, MoveBy), edits it through an edit buffer (Edit, Insert, Append, Post,
// Cancel, Delete) and tells the data sources linked to it (data_source.h) what changed, so that
// grids repaint from it. TField reads and sets one column of the current row.
//
// States: dsInactive (closed) -> Open -> dsBrowse -> Edit / Insert / Append -> dsEdit / dsInsert
// -> Post or Cancel -> dsBrowse. Moving the current row or closing first posts a changed edit
// buffer (an unchanged one is cancelled); when that post fails, the error is raised, nothing
// moves and the edit stays, so a typed value is never dropped silently.
//
// Rows are held by position in the table's order. Insert puts the new row before the current
// row and Append after the last, until it is posted; posted, a row takes its place in the
// table's order (its key order, which is the end for a new row).

#include <memory>
#include <string>
#include <vector>

#include "data/table_cursor.h"
#include "forms/component.h"

// Raised when a value has no text form: a NULL cell, or no current row.
PONDERIX_EXCEPTION(EVariantTypeCastError, Exception);

// A value's text form, as TField::AsString gives it; NULL and binary values raise
// EVariantTypeCastError. For readers of a table that need no data set.
std::wstring FieldValueText(const TFieldValue& value);

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class TDataSet;
class TDataSource;

class TField {
public:
    TField(TDataSet& dataSet, int index, const TColumnInfo& column);

    const std::wstring& FieldName() const { return fieldName; }
    int Index() const { return index; }
    bool IsNumeric() const { return numeric; }
    TDataSet& DataSet() const { return dataSet; }

    bool IsNull() const;
    // The value's text form: a number rounded to 15 significant digits (FieldNumberText), a
    // text as stored. NULL, or no current row, raises EVariantTypeCastError.
    std::wstring AsString() const;
    // As a grid shows it: like AsString, but NULL is empty and a binary value "(BLOB)".
    std::wstring DisplayText() const;
    // In edit or insert state only. A numeric column takes a decimal number ("12.5", "-3",
    // "1e3"; blanks around it are ignored) and refuses anything else with EConvertError,
    // leaving the buffer as it was; empty text stores NULL in any column.
    void SetAsString(const std::wstring& text);
    void Clear();

private:
    TDataSet& dataSet;
    int index;
    std::wstring fieldName;
    bool numeric;
};

enum class TDataEvent {
    deActiveChanged,  // opened or closed
    deStateChanged,   // browse, edit or insert entered
    deDataChanged,    // rows changed (post, delete, insert begun or cancelled, refresh)
    deRowChanged,     // the current row moved to another row
    deFieldChanged,   // a value of the current row's edit buffer changed
};

class TDataSet : public TComponent {
    PONDERIX_CLASS(TDataSet, TComponent)
public:
    explicit TDataSet(TComponent* owner);
    ~TDataSet() override;

    // --- opening -------------------------------------------------------------------------
    bool Active() const { return state != TDataSetState::dsInactive; }
    // Set while a form is being read, Active takes effect in Loaded, so the tables of a form
    // open in the order they were created once the whole form exists.
    void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state; }
    void Loaded() override;

    // --- fields --------------------------------------------------------------------------
    int FieldCount() const { return int(fields.size()); }
    TField* Fields(int index) const { return fields.at(size_t(index)).get(); }
    // The field of that name (ASCII letter case ignored), or null; closed, there are none.
    TField* FindField(const std::wstring& name) const;
    // As FindField, but a missing field raises EDatabaseError "<Name>: 未发现字段 '<name>'".
    TField* FieldByName(const std::wstring& name) const;

    // --- the current row ---------------------------------------------------------------
    int RecordCount() const;  // stored rows; a row being inserted is not counted until posted
    // 1-based position of the current row; 0 when there is none. While inserting, the new row's.
    int RecNo() const;
    bool Bof() const { return bof; }
    bool Eof() const { return eof; }
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Moves up to `distance` rows (negative: back) and answers how many it moved; Eof or Bof
    // is set when the move stopped at the last or the first row.
    int MoveBy(int distance);

    // --- editing -------------------------------------------------------------------------
    // Edit on an empty table begins an insert, as there is no row to change.
    void Edit();
    void Insert();
    void Append();
    // Writes the edit buffer to the file (in a transaction, durable on return). A failure
    // raises and keeps the state and the buffer, so the user can correct and post again.
    void Post();
    void Cancel();
    // Deletes the current row from the file; while inserting, cancels the insert instead.
    void Delete();
    // Whether the edit buffer holds a change since Edit/Insert/Append.
    bool Modified() const { return modified; }
    // Posts a changed edit buffer, cancels an unchanged one; nothing to do in browse state.
    void CheckBrowseMode();
    // Reads the row count and rows again (another program may have changed the file).
    void Refresh();

    // --- what a grid reads ---------------------------------------------------------------
    // Rows as a grid shows them: the stored rows plus, while inserting, the new row at its
    // place (before the current row for Insert, after the last for Append).
    int DisplayRowCount() const;
    // 0-based display row of the current row, -1 when there is none.
    int DisplayRow() const { return RecNo() - 1; }
    // Cell texts (DisplayText rules) of display rows [first, first + rows), clipped to the
    // rows that exist; the current row shows the edit buffer. Reads only those rows.
    std::vector<std::vector<std::wstring>> DisplayRows(int first, int rows);
    // Makes display row `row` current (posting a pending edit first, as any move does).
    void MoveToDisplayRow(int row);

    // --- for TField and TDataSource ------------------------------------------------------
    const TFieldValue& FieldValue(int index) const;
    void SetFieldValue(int index, TFieldValue value);
    void AttachDataSource(TDataSource* source);
    void DetachDataSource(TDataSource* source);

protected:
    // Opens the row source (raising on failure) or lets it go; the data set owns neither.
    virtual TTableCursor& InternalOpen() = 0;
    virtual void InternalClose() = 0;
    // For a subclass's destructor: posts a changed edit if it can (a destructor cannot report
    // a failure, and the alternative is dropping the edit unasked), then closes without events.
    void CloseQuietly() noexcept;
    // "<Name>: " + problem, as EDatabaseError.
    [[noreturn]] void Fail(const std::wstring& problem) const;
    void CheckInactive(const wchar_t* what) const;

private:
    void DoOpen();
    void DoClose();
    void CheckActive() const;
    void SetState(TDataSetState value);
    void MoveTo(int position, int distanceWanted);
    void BeginInsert(int position);
    void Notify(TDataEvent event, TField* field = nullptr);
    const TTableRecord* CurrentRecord() const;

    TDataSetState state = TDataSetState::dsInactive;
    bool streamedActive = false;  // Active read from a form, applied in Loaded
    TTableCursor* cursor = nullptr;
    std::vector<std::unique_ptr<TField>> fields;
    std::vector<TDataSource*> dataSources;

    int position = 0;  // current stored row; while inserting, the row the new one went before
    bool bof = true;
    bool eof = true;

    // The edit buffer (dsEdit, dsInsert).
    std::vector<TFieldValue> buffer;
    std::vector<bool> changed;
    bool modified = false;
    int insertRow = 0;  // display row of the row being inserted
};
