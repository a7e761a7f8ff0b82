#include "data/data_set.h"

#include <algorithm>

#include "data/data_source.h"
#include "data/exact_decimal.h"
#include "data/field_text.h"
#include "forms/text.h"

namespace {

const TFieldValue kNull;

[[noreturn]] void RaiseNullToString(const wchar_t* kind = L"Null") {
    throw EVariantTypeCastError(std::wstring(L"不能进行变量转换: 类型 (") + kind +
                                L") 到 类型 (String)");
}

std::wstring TrimBlanks(const std::wstring& text) {
    const size_t begin = text.find_first_not_of(L" \t");
    if (begin == std::wstring::npos) return L"";
    const size_t end = text.find_last_not_of(L" \t");
    return text.substr(begin, end - begin + 1);
}

// A decimal number as typed into a cell; rejects everything else (no hex, no "inf", no
// locale-dependent separators), and values beyond the range of a double.
bool ParseCellNumber(const std::wstring& text, double& value) {
    const std::string utf8 = WideToUtf8(text);
    if (utf8.find_first_of("0123456789") == std::string::npos) return false;
    DecimalNumber number;
    if (!ParseDecimal(utf8, number)) return false;
    value = static_cast<double>(DecimalToBinary(number, BinaryFormat::Double));
    return value - value == 0;  // finite
}

}  // namespace

// --- TField ---------------------------------------------------------------------------------

TField::TField(TDataSet& dataSet, int index, const TColumnInfo& column)
    : dataSet(dataSet), index(index), fieldName(Utf8ToWide(column.name)), numeric(column.numeric) {}

bool TField::IsNull() const {
    return std::holds_alternative<std::monostate>(dataSet.FieldValue(index));
}

std::wstring TField::AsString() const {
    const TFieldValue& value = dataSet.FieldValue(index);
    if (const auto* number = std::get_if<double>(&value)) return FieldNumberText(*number);
    if (const auto* text = std::get_if<std::string>(&value)) return Utf8ToWide(*text);
    if (std::holds_alternative<TBlobValue>(value)) RaiseNullToString(L"Blob");
    RaiseNullToString();
}

std::wstring TField::DisplayText() const {
    const TFieldValue& value = dataSet.FieldValue(index);
    if (std::holds_alternative<std::monostate>(value)) return L"";
    if (std::holds_alternative<TBlobValue>(value)) return L"(BLOB)";
    return AsString();
}

void TField::SetAsString(const std::wstring& text) {
    const std::wstring trimmed = numeric ? TrimBlanks(text) : text;
    if (trimmed.empty()) {
        dataSet.SetFieldValue(index, std::monostate{});
    } else if (!numeric) {
        dataSet.SetFieldValue(index, WideToUtf8(text));
    } else {
        double number = 0;
        if (!ParseCellNumber(trimmed, number))
            throw EConvertError(L"'" + text + L"' 不是一个有效的浮点值");
        dataSet.SetFieldValue(index, number);
    }
}

void TField::Clear() { dataSet.SetFieldValue(index, std::monostate{}); }

// --- TDataSet: opening ----------------------------------------------------------------------

PONDERIX_DEFINE_CLASS(TDataSet, [](TClassBuilder<TDataSet>& b) {
    b.Boolean("Active", &TDataSet::Active, [](TDataSet& d, int64_t v) { d.SetActive(v != 0); });
})

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet() {
    // Data sources learn of the end now, while this is still a whole TDataSet (the component
    // base tells them only after this part is gone).
    while (!dataSources.empty()) dataSources.back()->SetDataSet(nullptr);
}

void TDataSet::SetActive(bool value) {
    if (HasState(csLoading)) {
        streamedActive = value;
        return;
    }
    if (value == Active()) return;
    if (value) {
        DoOpen();
    } else {
        DoClose();
    }
}

void TDataSet::Loaded() {
    TComponent::Loaded();
    if (streamedActive) {
        streamedActive = false;
        SetActive(true);
    }
}

void TDataSet::DoOpen() {
    TTableCursor& opened = InternalOpen();
    cursor = &opened;
    fields.clear();
    const auto& columns = cursor->Columns();
    for (size_t i = 0; i < columns.size(); ++i)
        fields.push_back(std::make_unique<TField>(*this, int(i), columns[i]));
    position = 0;
    bof = true;
    eof = cursor->Count() == 0;
    state = TDataSetState::dsBrowse;
    Notify(TDataEvent::deActiveChanged);
}

void TDataSet::DoClose() {
    // A changed edit goes to the file first; if it cannot, the table stays open with the edit.
    CheckBrowseMode();
    fields.clear();
    cursor = nullptr;
    InternalClose();
    state = TDataSetState::dsInactive;
    position = 0;
    bof = eof = true;
    Notify(TDataEvent::deActiveChanged);
}

void TDataSet::CloseQuietly() noexcept {
    if (!Active()) return;
    try {
        CheckBrowseMode();
    } catch (const Exception&) {
    }
    fields.clear();
    cursor = nullptr;
    state = TDataSetState::dsInactive;
    InternalClose();
}

void TDataSet::Fail(const std::wstring& problem) const {
    throw EDatabaseError(Name() + L": " + problem);
}

void TDataSet::CheckActive() const {
    if (!Active()) Fail(L"不能对已关闭的数据集进行此操作");
}

void TDataSet::CheckInactive(const wchar_t* what) const {
    if (Active()) Fail(std::wstring(L"不能在数据集打开时修改 ") + what);
}

// --- fields ---------------------------------------------------------------------------------

TField* TDataSet::FindField(const std::wstring& name) const {
    const std::string wanted = WideToUtf8(name);
    for (const auto& field : fields)
        if (SameTextAscii(WideToUtf8(field->FieldName()), wanted)) return field.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const std::wstring& name) const {
    TField* field = FindField(name);
    if (!field) Fail(L"未发现字段 '" + name + L"'");
    return field;
}

const TTableRecord* TDataSet::CurrentRecord() const {
    return cursor ? cursor->Row(position) : nullptr;
}

const TFieldValue& TDataSet::FieldValue(int index) const {
    if (state == TDataSetState::dsEdit || state == TDataSetState::dsInsert)
        return buffer.at(size_t(index));
    const TTableRecord* record = CurrentRecord();
    if (!record) return kNull;
    return record->values.at(size_t(index));
}

void TDataSet::SetFieldValue(int index, TFieldValue value) {
    if (state != TDataSetState::dsEdit && state != TDataSetState::dsInsert)
        Fail(L"数据集不在编辑或插入状态");
    buffer.at(size_t(index)) = std::move(value);
    changed[size_t(index)] = true;
    modified = true;
    Notify(TDataEvent::deFieldChanged, fields[size_t(index)].get());
}

// --- the current row ------------------------------------------------------------------------

int TDataSet::RecordCount() const { return cursor ? cursor->Count() : 0; }

int TDataSet::RecNo() const {
    if (state == TDataSetState::dsInsert) return insertRow + 1;
    return position < RecordCount() ? position + 1 : 0;
}

// Bof and Eof say that a move asked to go beyond the first or the last row.
void TDataSet::MoveTo(int target, int distanceWanted) {
    const int count = RecordCount();
    target = std::clamp(target, 0, std::max(count - 1, 0));
    const int moved = target - position;
    bof = count == 0 || (distanceWanted < 0 && moved > distanceWanted);
    eof = count == 0 || (distanceWanted > 0 && moved < distanceWanted);
    position = target;
    if (moved != 0) Notify(TDataEvent::deRowChanged);
}

void TDataSet::First() {
    CheckActive();
    CheckBrowseMode();
    MoveTo(0, -position - 1);  // at the first row, and asked for one before it
}

void TDataSet::Last() {
    CheckActive();
    CheckBrowseMode();
    MoveTo(RecordCount() - 1, RecordCount() - position);
}

int TDataSet::MoveBy(int distance) {
    CheckActive();
    CheckBrowseMode();
    if (distance == 0) return 0;
    const int before = position;
    const long long target = static_cast<long long>(position) + distance;
    MoveTo(int(std::clamp<long long>(target, -1, RecordCount())), distance);
    return position - before;
}

// --- editing --------------------------------------------------------------------------------

void TDataSet::SetState(TDataSetState value) {
    if (state == value) return;
    state = value;
    Notify(TDataEvent::deStateChanged);
}

void TDataSet::Edit() {
    CheckActive();
    if (state == TDataSetState::dsEdit || state == TDataSetState::dsInsert) return;
    const TTableRecord* record = CurrentRecord();
    if (!record) {
        Insert();
        return;
    }
    buffer = record->values;
    changed.assign(buffer.size(), false);
    modified = false;
    SetState(TDataSetState::dsEdit);
}

void TDataSet::BeginInsert(int row) {
    buffer.assign(fields.size(), TFieldValue{});
    changed.assign(fields.size(), false);
    modified = false;
    insertRow = row;
    bof = eof = false;
    SetState(TDataSetState::dsInsert);
    Notify(TDataEvent::deDataChanged);
}

void TDataSet::Insert() {
    CheckActive();
    CheckBrowseMode();
    BeginInsert(std::min(position, RecordCount()));
}

void TDataSet::Append() {
    CheckActive();
    CheckBrowseMode();
    BeginInsert(RecordCount());
}

void TDataSet::Post() {
    CheckActive();
    if (state == TDataSetState::dsEdit) {
        const TTableRecord* record = CurrentRecord();
        if (!record) Fail(L"当前记录已不存在");
        if (modified) cursor->Update(record->key, buffer, changed);
    } else if (state == TDataSetState::dsInsert) {
        position = cursor->Insert(buffer, changed);
        bof = eof = false;
    } else {
        return;
    }
    // Written: only now is the buffer let go.
    buffer.clear();
    changed.clear();
    modified = false;
    SetState(TDataSetState::dsBrowse);
    Notify(TDataEvent::deDataChanged);
}

void TDataSet::Cancel() {
    if (state != TDataSetState::dsEdit && state != TDataSetState::dsInsert) return;
    const bool wasInsert = state == TDataSetState::dsInsert;
    buffer.clear();
    changed.clear();
    modified = false;
    if (wasInsert) {
        bof = position == 0;
        eof = RecordCount() == 0;
    }
    SetState(TDataSetState::dsBrowse);
    Notify(TDataEvent::deDataChanged);
}

void TDataSet::Delete() {
    CheckActive();
    if (state == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    const TTableRecord* record = CurrentRecord();
    if (!record) Fail(L"不能对空数据集进行此操作");
    cursor->Delete(record->key);
    buffer.clear();
    changed.clear();
    modified = false;
    // The next row takes the deleted one's place; after the last row, the one before it.
    const int count = RecordCount();
    position = std::clamp(position, 0, std::max(count - 1, 0));
    bof = position == 0;
    eof = count == 0;
    SetState(TDataSetState::dsBrowse);
    Notify(TDataEvent::deDataChanged);
}

void TDataSet::CheckBrowseMode() {
    if (state != TDataSetState::dsEdit && state != TDataSetState::dsInsert) return;
    if (modified) {
        Post();
    } else {
        Cancel();
    }
}

void TDataSet::Refresh() {
    CheckActive();
    CheckBrowseMode();
    cursor->Reload();
    position = std::clamp(position, 0, std::max(RecordCount() - 1, 0));
    eof = RecordCount() == 0;
    Notify(TDataEvent::deDataChanged);
}

// --- what a grid reads ----------------------------------------------------------------------

int TDataSet::DisplayRowCount() const {
    return RecordCount() + (state == TDataSetState::dsInsert ? 1 : 0);
}

std::vector<std::vector<std::wstring>> TDataSet::DisplayRows(int first, int rows) {
    std::vector<std::vector<std::wstring>> result;
    if (!Active()) return result;
    const bool inserting = state == TDataSetState::dsInsert;
    first = std::max(first, 0);
    const int last = std::min(first + std::max(rows, 0), DisplayRowCount());
    if (first >= last) return result;
    // Stored positions of the display rows: one less past the row being inserted.
    const auto stored = [&](int row) { return inserting && row > insertRow ? row - 1 : row; };
    cursor->Prefetch(stored(first), stored(last - 1) - stored(first) + 1);
    const int current = DisplayRow();
    const auto text = [](const TFieldValue& value) -> std::wstring {
        if (const auto* number = std::get_if<double>(&value)) return FieldNumberText(*number);
        if (const auto* s = std::get_if<std::string>(&value)) return Utf8ToWide(*s);
        if (std::holds_alternative<TBlobValue>(value)) return L"(BLOB)";
        return L"";
    };
    for (int row = first; row < last; ++row) {
        const std::vector<TFieldValue>* values = nullptr;
        if (row == current && (state == TDataSetState::dsEdit || inserting)) {
            values = &buffer;
        } else if (const TTableRecord* record = cursor->Row(stored(row))) {
            values = &record->values;
        }
        std::vector<std::wstring>& cells = result.emplace_back();
        if (!values) {
            cells.assign(fields.size(), L"");
            continue;
        }
        for (const TFieldValue& value : *values) cells.push_back(text(value));
    }
    return result;
}

void TDataSet::MoveToDisplayRow(int row) {
    CheckActive();
    if (row == DisplayRow()) return;
    // Leaving the row being inserted posts or drops it, which shifts the rows after it.
    if (state == TDataSetState::dsInsert && row > insertRow) --row;
    CheckBrowseMode();
    MoveBy(row - position);
}

// --- data sources ---------------------------------------------------------------------------

void TDataSet::AttachDataSource(TDataSource* source) {
    if (std::find(dataSources.begin(), dataSources.end(), source) == dataSources.end())
        dataSources.push_back(source);
}

void TDataSet::DetachDataSource(TDataSource* source) {
    dataSources.erase(std::remove(dataSources.begin(), dataSources.end(), source),
                      dataSources.end());
}

void TDataSet::Notify(TDataEvent event, TField* field) {
    // Copy: a handler may unlink a data source.
    const std::vector<TDataSource*> snapshot = dataSources;
    for (TDataSource* source : snapshot)
        if (std::find(dataSources.begin(), dataSources.end(), source) != dataSources.end())
            source->DataEvent(event, field);
}
