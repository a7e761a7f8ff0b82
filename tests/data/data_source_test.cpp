// Data sources and links as a grid uses them, tables read from a form description, and the
// connection string rules.
#include <gtest/gtest.h>

#include "data/connection_string.h"
#include "data/data_source.h"
#include "forms/form_reader.h"
#include "table_fixture.h"

namespace {

// Records what a grid would be told, and what it would read at that moment.
class TRecordingLink : public TDataLink {
public:
    std::vector<std::string> events;
    void ActiveChanged() override { events.push_back(Active() ? "active" : "inactive"); }
    void DataChanged() override {
        events.push_back("data " + std::to_string(DataSet()->DisplayRowCount()));
    }
    void RowChanged() override { events.push_back("row " + std::to_string(DataSet()->RecNo())); }
    void FieldChanged(TField* field) override {
        events.push_back("field " + WideToUtf8(field->FieldName()));
    }
    void StateChanged() override {
        events.push_back("state " + std::to_string(int(DataSet()->State())));
    }
    std::string Take() {
        std::string all;
        for (const auto& e : events) all += (all.empty() ? "" : ", ") + e;
        events.clear();
        return all;
    }
};

class TSectionForm : public TComponent {
    PONDERIX_CLASS(TSectionForm, TComponent)
public:
    using TComponent::TComponent;
    TADOTable* ADOTable1 = nullptr;
    TADOTable* ADOTable2 = nullptr;
    TDataSource* DataSource1 = nullptr;
};

PONDERIX_DEFINE_CLASS(TSectionForm, [](TClassBuilder<TSectionForm>& b) {
    b.Field("ADOTable1", &TSectionForm::ADOTable1);
    b.Field("ADOTable2", &TSectionForm::ADOTable2);
    b.Field("DataSource1", &TSectionForm::DataSource1);
})

std::string FormText(const char* secondTable) {
    // Active comes before the connection string on purpose: nothing opens while reading.
    return std::string(R"(object SectionForm: TSectionForm
  object DataSource1: TDataSource
    DataSet = ADOTable1
  end
  object ADOTable1: TADOTable
    Active = True
    ConnectionString = 'Provider=SQLite;Data Source=weight.db'
    TableName = '槽钢'
  end
  object ADOTable2: TADOTable
    Active = True
    ConnectionString = 'Provider=SQLite;Data Source=weight.db'
    TableName = ')") +
           secondTable + R"('
  end
end)";
}

}  // namespace

using DataSource = TableFixture;

TEST_F(DataSource, LinksHearEveryChangeAGridNeeds) {
    Sql("CREATE TABLE t (型号 TEXT, w REAL); INSERT INTO t VALUES ('a', 1), ('b', 2);");
    TDataSource source(nullptr);
    TRecordingLink link;
    link.SetDataSource(&source);
    EXPECT_EQ(link.Take(), "inactive");
    auto* table = new TADOTable(nullptr);
    Point(*table, L"t");
    std::vector<std::string> handlerCalls;
    source.OnStateChange = [&](TObject*) { handlerCalls.push_back("state"); };
    source.SetDataSet(table);
    table->Open();
    EXPECT_EQ(link.Take(), "inactive, active");
    table->Next();
    table->Next();  // already on the last row: no move, no event
    EXPECT_EQ(link.Take(), "row 2");
    table->Edit();
    table->FieldByName(L"w")->SetAsString(L"5");
    table->Post();
    EXPECT_EQ(link.Take(), "state 2, field w, state 1, data 2");
    table->Append();
    EXPECT_EQ(link.Take(), "state 3, data 3");
    table->Cancel();
    EXPECT_EQ(link.Take(), "state 1, data 2");
    table->First();
    EXPECT_EQ(link.Take(), "row 1");
    table->MoveToDisplayRow(1);
    EXPECT_EQ(link.Take(), "row 2");
    // Leaving an inserted row: rows after it are one lower once it is dropped (or posted).
    table->First();
    table->Insert();
    EXPECT_EQ(link.Take(), "row 1, state 3, data 3");
    table->MoveToDisplayRow(2);
    EXPECT_EQ(link.Take(), "state 1, data 2, row 2");
    EXPECT_EQ(table->FieldByName(L"型号")->AsString(), L"b");
    table->Delete();
    EXPECT_EQ(link.Take(), "data 1");

    // A data set freed elsewhere is forgotten; the link hears that it is gone.
    delete table;
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_EQ(link.DataSet(), nullptr);
    EXPECT_EQ(link.Take(), "inactive");
    EXPECT_GE(handlerCalls.size(), 4u);

    // A data source freed before its link leaves the link pointing nowhere.
    auto* second = new TDataSource(nullptr);
    link.SetDataSource(second);
    delete second;
    EXPECT_EQ(link.DataSource(), nullptr);
}

TEST_F(DataSource, FormTablesOpenInCreationOrderOnceTheFormIsRead) {
    Sql("CREATE TABLE 槽钢 (型号 TEXT); INSERT INTO 槽钢 VALUES ('5');"
        "CREATE TABLE \"H型钢国标HW\" (型号 TEXT);");
    RegisterDataClasses();
    {
        TSectionForm form(nullptr);
        ReadComponentFromText(form, FormText("H型钢国标HW"), L"SECTIONS");
        ASSERT_NE(form.ADOTable1, nullptr);
        EXPECT_TRUE(form.ADOTable1->Active());
        EXPECT_TRUE(form.ADOTable2->Active());
        EXPECT_EQ(form.DataSource1->DataSet(), form.ADOTable1);
        EXPECT_EQ(form.ADOTable1->FieldByName(L"型号")->AsString(), L"5");
        // Handlers hear changes while the form lives, not while it is being freed.
        int calls = 0;
        form.DataSource1->OnStateChange = [&calls](TObject*) { ++calls; };
        form.ADOTable1->Close();
        EXPECT_EQ(calls, 1);
        form.ADOTable1->Open();
        form.DataSource1->OnStateChange = [](TObject*) { ADD_FAILURE() << "called while freeing"; };
    }
    // A table that cannot be opened fails the form with the table's own error.
    TSectionForm form(nullptr);
    const std::wstring error =
        ErrorOf([&] { ReadComponentFromText(form, FormText("H型钢国标HX"), L"SECTIONS"); });
    EXPECT_EQ(error.rfind(L"ADOTable2: ", 0), 0u) << WideToUtf8(error);
    EXPECT_NE(error.find(L"'H型钢国标HX'"), std::wstring::npos);
    EXPECT_TRUE(form.ADOTable1->Active());  // opened first, in creation order
    EXPECT_FALSE(form.ADOTable2->Active());
}

TEST(ConnectionString, KeysValuesAndRefusals) {
    struct Case {
        const wchar_t* text;
        const wchar_t* dataSource;  // null: refused with a message holding `problem`
        const wchar_t* problem;
    };
    const Case cases[] = {
        {L"Provider=SQLite;Data Source=weight.db", L"weight.db", nullptr},
        {L" provider = sqlite ; DATA SOURCE = 数据\\weight.db ;", L"数据\\weight.db", nullptr},
        {L"Data Source=\"a;b=c.db\";Provider=SQLite;Persist Security Info=False", L"a;b=c.db",
         nullptr},
        {L"Provider=SQLite;Data Source='it''s.db'", L"it's.db", nullptr},
        {L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=weight.mdb", nullptr,
         L"'Microsoft.Jet.OLEDB.4.0'"},
        {L"Data Source=weight.db", nullptr, L"缺少 Provider"},
        {L"Provider=SQLite", nullptr, L"缺少 Data Source"},
        {L"Provider=SQLite;weight.db", nullptr, L"'weight.db' 缺少 '='"},
        {L"Provider=SQLite;Data Source=\"weight.db", nullptr, L"缺少结束引号"},
        {L"Provider=SQLite;Data Source=\"a\"b", nullptr, L"引号之后"},
        {L"=x;Provider=SQLite", nullptr, L"缺少名称"},
        {L"", nullptr, L"缺少 Provider"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.text));
        if (c.dataSource) {
            EXPECT_EQ(ParseConnectionString(c.text, L"T").dataSource, c.dataSource);
            continue;
        }
        const std::wstring error =
            TableFixture::ErrorOf([&] { ParseConnectionString(c.text, L"ADOTable3"); });
        EXPECT_EQ(error.rfind(L"ADOTable3: ", 0), 0u) << WideToUtf8(error);
        EXPECT_NE(error.find(c.problem), std::wstring::npos) << WideToUtf8(error);
    }
}
