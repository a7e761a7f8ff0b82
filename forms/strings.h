#pragma once
// String lists. TStrings is the abstract list that controls back with their windows (a combo
// box's Items, a memo's Lines); TStringList keeps its lines in memory.

#include <string>
#include <vector>

#include "forms/component.h"

class TStrings : public TPersistent {
    PONDERIX_CLASS(TStrings, TPersistent)
public:
    virtual int Count() const = 0;
    virtual std::wstring Get(int index) const = 0;
    virtual void Put(int index, const std::wstring& text) = 0;
    virtual void Insert(int index, const std::wstring& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    int Add(const std::wstring& text);
    // Index of the first line equal to text (exact match), or -1.
    int IndexOf(const std::wstring& text) const;
    std::vector<std::wstring> ToVector() const;
    void SetLines(const std::vector<std::wstring>& lines);
    // Lines joined with CR LF, each line ending with one; SetText splits at CR LF, CR or LF.
    std::wstring Text() const;
    void SetText(const std::wstring& text);

    // Name=value lines: the part before the first "=", and the value of the first line whose
    // name matches (ASCII letter case ignored).
    std::wstring Names(int index) const;
    std::wstring Values(const std::wstring& lineName) const;

    void Assign(const TPersistent& source) override;
};

class TStringList : public TStrings {
    PONDERIX_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    explicit TStringList(std::vector<std::wstring> lines) : lines(std::move(lines)) {}

    int Count() const override { return static_cast<int>(lines.size()); }
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& text) override;
    void Insert(int index, const std::wstring& text) override;
    void Delete(int index) override;
    void Clear() override;

    // Called after every change.
    TNotifyEvent OnChange;

private:
    void CheckIndex(int index, int limit) const;
    void Changed();

    std::vector<std::wstring> lines;
};
