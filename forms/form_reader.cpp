#include "forms/form_reader.h"

#include <memory>
#include <vector>

#include "forms/component.h"
#include "forms/exception.h"
#include "forms/filer.h"
#include "forms/form_text.h"
#include "forms/stream.h"
#include "forms/strings.h"
#include "forms/text.h"

namespace {

// Hands one custom stream property's bytes to the component that declares it.
class TBinaryPropertyReader : public TFiler {
public:
    TBinaryPropertyReader(const std::string& name, const std::vector<uint8_t>& bytes)
        : name(name), bytes(bytes) {}

    void DefineBinaryProperty(const std::string& propName, StreamProc read, StreamProc,
                              bool) override {
        if (found || !SameTextAscii(propName, name) || !read) return;
        found = true;
        TMemoryStream stream(bytes);
        read(stream);
    }

    bool found = false;

private:
    const std::string& name;
    const std::vector<uint8_t>& bytes;
};

struct Fixup {
    TObject* target;
    const TPropInfo* property;
    std::string componentName;
    int line;
};

class Reader {
public:
    Reader(TComponent& root, const std::wstring& sourceName) : root(root), sourceName(sourceName) {}

    void Read(const TFormObject& top) {
        if (!SameTextAscii(top.className, root.ClassName()))
            Fail(top.line, L"顶层类应为 " + Utf8ToWide(root.ClassName()) + L", 实为 " +
                               Utf8ToWide(top.className));
        root.SetLoading(true);
        root.SetReading(true);
        loaded.push_back(&root);
        SetNameChecked(root, top);
        ReadBody(root, top);
        ResolveFixups();
        for (TComponent* c : loaded) c->SetReading(false);
        for (TComponent* c : loaded) c->Loaded();
    }

private:
    [[noreturn]] void Fail(int line, const std::wstring& what) {
        throw EReadError(FormErrorPrefix(sourceName, line) + what);
    }

    void SetNameChecked(TComponent& component, const TFormObject& node) {
        try {
            component.SetName(Utf8ToWide(node.name));
        } catch (const Exception& e) {
            Fail(node.line, e.Message());
        }
    }

    void ReadBody(TComponent& component, const TFormObject& node) {
        for (const TFormProperty& property : node.properties) Assign(component, property);
        for (const TFormObject& child : node.children) ReadChild(component, child);
    }

    void ReadChild(TComponent& parent, const TFormObject& node) {
        const TClassInfo* info = FindComponentClass(node.className);
        if (!info) Fail(node.line, L"未找到类 " + Utf8ToWide(node.className));
        if (!info->create) Fail(node.line, L"类 " + Utf8ToWide(node.className) + L" 不能创建实例");
        TComponent* component = info->create(&root);
        component->SetLoading(true);
        component->SetReading(true);
        loaded.push_back(component);
        SetNameChecked(*component, node);
        if (const TFieldInfo* field = root.ClassType().FindField(node.name)) {
            if (!component->InheritsFrom(field->fieldClass()))
                Fail(node.line, L"字段 " + Utf8ToWide(node.name) + L" 的类型应为 " +
                                    Utf8ToWide(field->fieldClass().name));
            field->assign(root, component);
        }
        try {
            component->SetParentComponent(&parent);
        } catch (const Exception& e) {
            Fail(node.line, e.Message());
        }
        ReadBody(*component, node);
    }

    // Walks "Font.Height" to the object that owns the last name.
    TObject& Resolve(TObject& start, const std::string& path, std::string& lastName, int line) {
        TObject* object = &start;
        size_t begin = 0;
        for (size_t dot; (dot = path.find('.', begin)) != std::string::npos; begin = dot + 1) {
            const std::string part = path.substr(begin, dot - begin);
            const TPropInfo* p = object->ClassType().FindProperty(part);
            if (!p || (p->kind != TTypeKind::tkClass && p->kind != TTypeKind::tkStringList) ||
                !p->getObject)
                Fail(line, L"属性 " + Utf8ToWide(part) + L" 不存在或不是对象");
            object = p->getObject(*object);
            if (!object) Fail(line, L"属性 " + Utf8ToWide(part) + L" 为空");
        }
        lastName = path.substr(begin);
        return *object;
    }

    void Assign(TComponent& component, const TFormProperty& property) {
        const TFormValue& value = property.value;
        const int line = property.line;
        std::string name;
        TObject& target = Resolve(component, property.path, name, line);
        const TPropInfo* p = target.ClassType().FindProperty(name);

        if (!p) {
            if (value.kind == TFormValue::Kind::Binary && &target == &component) {
                TBinaryPropertyReader filer(name, value.bytes);
                try {
                    component.DefineProperties(filer);
                } catch (const Exception& e) {
                    Fail(line, L"读取属性 " + Utf8ToWide(name) + L" 出错: " + e.Message());
                }
                if (filer.found) return;
            }
            Fail(line, L"属性 " + Utf8ToWide(property.path) + L" 不存在");
        }
        if (!p->IsWritable()) Fail(line, L"属性 " + Utf8ToWide(property.path) + L" 是只读的");

        try {
            AssignValue(target, *p, value, line);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            Fail(line, L"属性 " + Utf8ToWide(property.path) + L": " + e.Message());
        }
    }

    void AssignValue(TObject& target, const TPropInfo& p, const TFormValue& value, int line) {
        using Kind = TFormValue::Kind;
        auto expect = [&](Kind kind, const wchar_t* what) {
            if (value.kind != kind) Fail(line, L"属性 " + Utf8ToWide(p.name) + L" 的值应为" + what);
        };
        switch (p.kind) {
            case TTypeKind::tkInteger: {
                int64_t number = value.integer;
                if (value.kind == Kind::Identifier && p.identToInt) {
                    if (!p.identToInt(value.identifier, number))
                        Fail(line, L"无效的属性值: " + Utf8ToWide(value.identifier));
                } else {
                    expect(Kind::Integer, L"整数");
                }
                p.setOrdinal(target, number);
                break;
            }
            case TTypeKind::tkEnumeration: {
                expect(Kind::Identifier, L"标识符");
                const int ordinal = p.enumType->ValueOf(value.identifier);
                if (ordinal < 0) Fail(line, L"无效的属性元素: " + Utf8ToWide(value.identifier));
                p.setOrdinal(target, ordinal);
                break;
            }
            case TTypeKind::tkSet: {
                expect(Kind::Set, L"集合");
                int64_t bits = 0;
                for (const std::string& item : value.setItems) {
                    const int ordinal = p.enumType->ValueOf(item);
                    if (ordinal < 0 || ordinal >= 32)
                        Fail(line, L"无效的属性元素: " + Utf8ToWide(item));
                    bits |= int64_t{1} << ordinal;
                }
                p.setOrdinal(target, bits);
                break;
            }
            case TTypeKind::tkString:
                expect(Kind::String, L"字符串");
                p.setString(target, value.text);
                break;
            case TTypeKind::tkStringList: {
                expect(Kind::List, L"字符串列表");
                auto* strings = dynamic_cast<TStrings*>(p.getObject(target));
                if (!strings) Fail(line, L"属性 " + Utf8ToWide(p.name) + L" 为空");
                strings->SetLines(value.listItems);
                break;
            }
            case TTypeKind::tkClass:
                expect(Kind::Identifier, L"组件名");
                fixups.push_back({&target, &p, value.identifier, line});
                break;
            case TTypeKind::tkMethod: {
                expect(Kind::Identifier, L"方法名");
                const TMethodInfo* method = root.ClassType().FindMethod(value.identifier);
                if (!method) Fail(line, L"方法 " + Utf8ToWide(value.identifier) + L" 不存在");
                if (method->eventType != p.eventType)
                    Fail(line, L"方法 " + Utf8ToWide(value.identifier) + L" 与事件 " +
                                   Utf8ToWide(p.name) + L" 的参数不符");
                p.setEvent(target, method->bind(root));
                break;
            }
        }
    }

    void ResolveFixups() {
        for (const Fixup& f : fixups) {
            TComponent* found = root.FindComponent(Utf8ToWide(f.componentName));
            if (!found) Fail(f.line, L"未找到组件 " + Utf8ToWide(f.componentName));
            if (!found->InheritsFrom(f.property->objectClass()))
                Fail(f.line, L"组件 " + Utf8ToWide(f.componentName) + L" 的类型应为 " +
                                 Utf8ToWide(f.property->objectClass().name));
            try {
                f.property->setObject(*f.target, found);
            } catch (const Exception& e) {
                Fail(f.line, L"属性 " + Utf8ToWide(f.property->name) + L": " + e.Message());
            }
        }
    }

    TComponent& root;
    const std::wstring& sourceName;
    std::vector<TComponent*> loaded;
    std::vector<Fixup> fixups;
};

}  // namespace

void ReadComponentFromText(TComponent& root, std::string_view text,
                           const std::wstring& sourceName) {
    const TFormObject top = ParseFormText(text, sourceName);
    Reader(root, sourceName).Read(top);
}
