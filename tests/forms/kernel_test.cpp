// The portable kernel of the class library: class information, published properties by name,
// ownership and notification, and the form reader.
#include <gtest/gtest.h>

#include "forms/component.h"
#include "forms/exception.h"
#include "forms/filer.h"
#include "forms/form_reader.h"
#include "forms/properties.h"
#include "forms/stream.h"
#include "forms/strings.h"

namespace {

const TEnumInfo kLayoutType{"TLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop"}};
const TEnumInfo kStyleType{"TStyle", {"fsBold", "fsItalic", "fsUnderline"}};

class TThing : public TComponent {
    PONDERIX_CLASS(TThing, TComponent)
public:
    using TComponent::TComponent;
    int width = 0;
    int layout = 0;
    bool flat = false;
    int64_t styles = 0;
    std::wstring caption;
    TStringList items;
    TThing* buddy = nullptr;
    TNotifyEvent OnClick;
    std::function<void(TObject*, wchar_t&)> OnKeyPress;
    std::vector<uint8_t> blob;
    bool loadedSawBlob = false;
    std::vector<std::wstring>* loadOrder = nullptr;

    int GetWidth() const { return width; }
    void SetWidth(int v) { width = v; }
    std::wstring GetCaption() const { return caption; }
    void SetCaption(const std::wstring& v) { caption = v; }
    TStringList* Items() { return &items; }
    TThing* GetBuddy() const { return buddy; }
    void SetBuddy(TThing* b) {
        if (buddy) buddy->RemoveFreeNotification(this);
        buddy = b;
        if (b) b->FreeNotification(this);
    }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove && c == buddy) buddy = nullptr;
    }
    void DefineProperties(TFiler& filer) override {
        filer.DefineBinaryProperty(
            "Blob",
            [this](TStream& s) {
                blob.resize(static_cast<size_t>(s.Size()));
                s.ReadBuffer(blob.data(), s.Size());
            },
            nullptr, !blob.empty());
    }
    void Loaded() override {
        TComponent::Loaded();
        loadedSawBlob = !blob.empty();
    }
};

PONDERIX_DEFINE_CLASS(TThing, [](TClassBuilder<TThing>& b) {
    b.Integer("Width", &TThing::GetWidth, &TThing::SetWidth);
    b.Enum(
        "Layout", kLayoutType, [](TThing& t) { return t.layout; },
        [](TThing& t, int64_t v) { t.layout = static_cast<int>(v); });
    b.Boolean(
        "Flat", [](TThing& t) { return t.flat; }, [](TThing& t, int64_t v) { t.flat = v != 0; });
    b.Set(
        "Styles", kStyleType, [](TThing& t) { return t.styles; },
        [](TThing& t, int64_t v) { t.styles = v; });
    b.String("Caption", &TThing::GetCaption, &TThing::SetCaption);
    b.String("ReadOnlyText", &TThing::GetCaption, nullptr);
    b.StringList("Items", &TThing::Items);
    b.Object<TThing>("Buddy", &TThing::GetBuddy, &TThing::SetBuddy);
    b.Event("OnClick", &TThing::OnClick);
    b.Event("OnKeyPress", &TThing::OnKeyPress);
})

// A subclass publishing one more property: inherited lookup must still find the parent's.
class TSpecialThing : public TThing {
    PONDERIX_CLASS(TSpecialThing, TThing)
public:
    using TThing::TThing;
    int margin = 0;
};

PONDERIX_DEFINE_CLASS(TSpecialThing, [](TClassBuilder<TSpecialThing>& b) {
    b.Integer(
        "Margin", [](TSpecialThing& t) { return t.margin; },
        [](TSpecialThing& t, int64_t v) { t.margin = static_cast<int>(v); });
})

class TTestForm : public TComponent {
    PONDERIX_CLASS(TTestForm, TComponent)
public:
    using TComponent::TComponent;
    TThing* Thing1 = nullptr;
    TSpecialThing* Thing2 = nullptr;
    std::vector<std::wstring> clicks;
    void Thing1Click(TObject* sender) {
        clicks.push_back(static_cast<TComponent*>(sender)->Name());
    }
    void Thing1KeyPress(TObject*, wchar_t& key) { key = L'x'; }
};

PONDERIX_DEFINE_CLASS(TTestForm, [](TClassBuilder<TTestForm>& b) {
    b.Field("Thing1", &TTestForm::Thing1);
    b.Field("Thing2", &TTestForm::Thing2);
    b.Method("Thing1Click", &TTestForm::Thing1Click);
    b.Method("Thing1KeyPress", &TTestForm::Thing1KeyPress);
})

class KernelTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterComponentClass(TThing::StaticClass());
        RegisterComponentClass(TSpecialThing::StaticClass());
    }
};

}  // namespace

TEST_F(KernelTest, ClassInformationAndAncestry) {
    TSpecialThing special(nullptr);
    EXPECT_EQ(special.ClassName(), "TSpecialThing");
    EXPECT_TRUE(special.InheritsFrom(TThing::StaticClass()));
    EXPECT_TRUE(special.Is<TComponent>());
    EXPECT_FALSE(TThing(nullptr).Is<TSpecialThing>());
    EXPECT_EQ(FindComponentClass("tspecialthing"), &TSpecialThing::StaticClass());
    EXPECT_EQ(FindComponentClass("TNoSuchClass"), nullptr);
}

TEST_F(KernelTest, PropertyHelpersReadOwnInheritedAbsentAndWrongKind) {
    TSpecialThing t(nullptr);
    t.width = 42;
    t.margin = 7;
    t.layout = 2;
    t.flat = true;
    t.caption = L"计 算";
    TThing other(nullptr);
    t.buddy = &other;

    EXPECT_EQ(GetIntProp(&t, "Margin"), 7);      // own
    EXPECT_EQ(GetIntProp(&t, "width"), 42);      // inherited, any letter case
    EXPECT_EQ(GetIntProp(&t, "Height"), 0);      // absent
    EXPECT_EQ(GetIntProp(&t, "Caption"), 0);     // another kind
    EXPECT_EQ(GetIntProp(nullptr, "Width"), 0);  // no object
    EXPECT_EQ(GetEnumPropName(&t, "Layout"), "blGlyphTop");
    EXPECT_EQ(GetEnumPropName(&t, "Flat"), "True");
    EXPECT_EQ(GetEnumPropName(&t, "Width"), "");
    EXPECT_EQ(GetStrPropByName(&t, "Caption"), L"计 算");
    EXPECT_EQ(GetStrPropByName(&t, "Width"), L"");
    EXPECT_EQ(GetObjectPropByName(&t, "Buddy", TThing::StaticClass()), &other);
    EXPECT_EQ(GetObjectPropByName(&t, "Buddy", TSpecialThing::StaticClass()), nullptr);
    EXPECT_EQ(GetObjectPropByName(&t, "Caption", TThing::StaticClass()), nullptr);
}

TEST_F(KernelTest, SetEnumByNameWritesOnlyEnumerationsAndKnownValues) {
    TThing t(nullptr);
    SetEnumPropByName(&t, "Layout", "blglyphright");
    EXPECT_EQ(t.layout, 1);
    SetEnumPropByName(&t, "Flat", "True");
    EXPECT_TRUE(t.flat);
    SetEnumPropByName(&t, "Layout", "blNowhere");  // unknown value: nothing
    EXPECT_EQ(t.layout, 1);
    SetEnumPropByName(&t, "Width", "True");  // another kind: nothing
    EXPECT_EQ(t.width, 0);
    SetEnumPropertyByName(nullptr, "Layout", "blGlyphTop");  // no component: nothing
    SetEnumPropertyByName(&t, "Missing", "blGlyphTop");      // no property: nothing
    try {
        SetEnumPropertyByName(&t, "Layout", "blNowhere");
        FAIL() << "expected EPropertyError";
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), L"无效的属性元素: blNowhere");
    }
}

TEST_F(KernelTest, OwnerFreesComponentsAndForgetsOnesFreedBefore) {
    auto* owner = new TComponent(nullptr);
    auto* a = new TThing(owner);
    auto* b = new TThing(owner);
    a->SetName(L"A");
    b->SetName(L"B");
    a->SetBuddy(b);
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent(L"b"), b);

    delete b;  // freed before its owner: the owner forgets it and a drops its reference
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(a->buddy, nullptr);
    EXPECT_THROW(TThing(owner).SetName(L"a"), EComponentError);  // names are unique per owner
    delete owner;                                                // frees a
}

TEST_F(KernelTest, FreeNotificationCrossesOwners) {
    TComponent ownerA(nullptr), ownerB(nullptr);
    auto* watcher = new TThing(&ownerA);
    auto* target = new TThing(&ownerB);
    watcher->SetBuddy(target);
    delete target;
    EXPECT_EQ(watcher->buddy, nullptr);
}

TEST_F(KernelTest, FormReaderBuildsComponentsAssignsPropertiesAndEvents) {
    const char* text = R"(
object Form: TTestForm
  Tag = 5
  object Thing1: TThing
    Width = -$10
    Layout = blGlyphTop
    Flat = True
    Styles = [fsBold, fsUnderline]
    Caption = '计 算'#13'it''s' + '!'
    Items = ('6' '8' '33.5')
    Buddy = Thing2
    OnClick = Thing1Click
    OnKeyPress = Thing1KeyPress
    Blob = {0A0b FF}
    object Thing2: TSpecialThing
      Width = 0x20
      Margin = 3
    end
  end
end)";
    TTestForm form(nullptr);
    ReadComponentFromText(form, text, L"TEST");
    ASSERT_NE(form.Thing1, nullptr);
    ASSERT_NE(form.Thing2, nullptr);
    EXPECT_EQ(form.Name(), L"Form");
    EXPECT_EQ(form.Tag(), 5);
    EXPECT_EQ(form.Thing1->width, -16);
    EXPECT_EQ(form.Thing1->layout, 2);
    EXPECT_TRUE(form.Thing1->flat);
    EXPECT_EQ(form.Thing1->styles, 0b101);
    EXPECT_EQ(form.Thing1->caption, L"计 算\rit's!");
    EXPECT_EQ(form.Thing1->items.ToVector(), (std::vector<std::wstring>{L"6", L"8", L"33.5"}));
    EXPECT_EQ(form.Thing1->buddy, form.Thing2);  // a forward reference, resolved at the end
    EXPECT_EQ(form.Thing2->width, 32);
    EXPECT_EQ(form.Thing2->margin, 3);
    EXPECT_EQ(form.Thing1->blob, (std::vector<uint8_t>{0x0A, 0x0B, 0xFF}));
    EXPECT_TRUE(form.Thing1->loadedSawBlob);
    for (TComponent* c : {static_cast<TComponent*>(&form), static_cast<TComponent*>(form.Thing1)})
        EXPECT_EQ(c->ComponentState() & (csLoading | csReading), 0u);

    form.Thing1->OnClick(form.Thing1);
    EXPECT_EQ(form.clicks, std::vector<std::wstring>{L"Thing1"});
    wchar_t key = L'a';
    form.Thing1->OnKeyPress(form.Thing1, key);
    EXPECT_EQ(key, L'x');
}

TEST_F(KernelTest, MalformedDescriptionsNameTheSourceLineAndWhatWasExpected) {
    struct Case {
        const char* text;
        int line;
        const wchar_t* fragment;
    };
    const Case cases[] = {
        {"object Form: TTestForm\n  Tag = \nend", 3, L"属性值"},
        {"object Form TTestForm\nend", 1, L"':'"},
        {"object Form: TTestForm\n  Tag 5\nend", 2, L"'='"},
        {"object Form: TTestForm\n  Tag = 5", 2, L"'end'"},
        {"object Form: TTestForm\n  Caption = 'open\nend", 2, L"字符串结尾"},
        {"object Form: TTestForm\n  object T: TNoSuchClass\n  end\nend", 2, L"TNoSuchClass"},
        {"object Form: TTestForm\n  object T: TThing\n    Wdith = 1\n  end\nend", 3, L"Wdith"},
        {"object Form: TTestForm\n  object T: TThing\n    Width = 'x'\n  end\nend", 3, L"整数"},
        {"object Form: TTestForm\n  object T: TThing\n    Layout = blNo\n  end\nend", 3, L"blNo"},
        {"object Form: TTestForm\n  object T: TThing\n    Styles = [fsNo]\n  end\nend", 3, L"fsNo"},
        {"object Form: TTestForm\n  object T: TThing\n    Buddy = Nobody\n  end\nend", 3,
         L"Nobody"},
        {"object Form: TTestForm\n  object T: TThing\n    OnClick = NoMethod\n  end\nend", 3,
         L"NoMethod"},
        {"object Form: TTestForm\n  object T: TThing\n    OnClick = Thing1KeyPress\n  end\nend", 3,
         L"参数不符"},
        {"object Form: TTestForm\n  object T: TThing\n    ReadOnlyText = 'x'\n  end\nend", 3,
         L"只读"},
        {"object Form: TTestForm\n  object T: TThing\n    Blob = {ABC}\n  end\nend", 3,
         L"十六进制"},
        {"object Form: TTestForm\n  object T: TThing\n    Width = 99999999999999999999\n  end\nend",
         3, L"整数"},
        {"object Form: TThing\nend", 1, L"TTestForm"},
        {"object Form: TTestForm\n  object Thing1: TThing\n  end\n  object thing1: TThing\n  "
         "end\nend",
         4, L"thing1"},
        {"object Form: TTestForm\n  object Thing1: TSpecialThing\n  end\nend junk", 4, L"描述结尾"},
        {"", 1, L"'object'"},
    };
    for (const Case& c : cases) {
        TTestForm form(nullptr);
        try {
            ReadComponentFromText(form, c.text, L"TTESTFORM");
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const EReadError& e) {
            const std::wstring prefix =
                L"窗体描述 TTESTFORM 第 " + std::to_wstring(c.line) + L" 行: ";
            EXPECT_EQ(e.Message().rfind(prefix, 0), 0u) << e.what() << "\nfor: " << c.text;
            EXPECT_NE(e.Message().find(c.fragment), std::wstring::npos) << e.what();
        }
    }
}

TEST_F(KernelTest, DeeplyNestedDescriptionIsRefusedNotOverflowingTheStack) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "object A: TThing\n";
    TTestForm form(nullptr);
    EXPECT_THROW(ReadComponentFromText(form, text, L"DEEP"), EReadError);
}

TEST(Strings, TextNamesAndValues) {
    TStringList list;
    list.SetText(L"TComboboxex=combobox\r\nTTBDock=Panel\rTRzButton=button\nplain");
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Names(1), L"TTBDock");
    EXPECT_EQ(list.Names(3), L"");
    EXPECT_EQ(list.Values(L"trzbutton"), L"button");
    EXPECT_EQ(list.Values(L"missing"), L"");
    EXPECT_EQ(list.Text(),
              L"TComboboxex=combobox\r\nTTBDock=Panel\r\nTRzButton=button\r\nplain\r\n");
    EXPECT_THROW(list.Get(4), EInvalidOperation);
    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.ToVector(), list.ToVector());
}
