#pragma once
// A stand-in for the frame skinner in tests of the control skinners: the list, a canvas and the
// hot skinner, nothing more.

#include <algorithm>
#include <vector>

#include "forms/component.h"
#include "forms/graphics.h"
#include "skin/controls/control_skinner_host.h"
#include "skin/controls/skin_control.h"

class TTestSkinnerHost : public TComponent, public TControlSkinnerHost {
public:
    TTestSkinnerHost() : TComponent(nullptr) {}
    ~TTestSkinnerHost() override {
        while (!list.empty()) delete list.back();
    }

    bool AddControlSkinner(TSkinControl* skinner) override {
        if (std::find(list.begin(), list.end(), skinner) != list.end()) return true;
        list.push_back(skinner);
        return false;
    }
    void RemoveControlSkinner(TSkinControl* skinner) override {
        auto it = std::find(list.rbegin(), list.rend(), skinner);
        if (it != list.rend()) list.erase(std::next(it).base());
        if (hot == skinner) hot = nullptr;
    }
    const std::vector<TSkinControl*>& ControlSkinners() const override { return list; }
    void RemoveDestroyedSkinners() override {
        for (size_t i = list.size(); i-- > 0;)
            if (list[i]->State() == ssWindowDestroyed) delete list[i];
    }
    TCanvas* ControlCanvas() override { return &canvas; }
    TSkinControl* HotControl() const override { return hot; }
    void SetHotControl(TSkinControl* skinner) override { hot = skinner; }
    TComponent* SkinnerOwner() override { return this; }

private:
    std::vector<TSkinControl*> list;
    TCanvas canvas;
    TSkinControl* hot = nullptr;
};
