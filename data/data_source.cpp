#include "data/data_source.h"

#include <algorithm>

#include "data/ado_table.h"

// --- TDataLink ------------------------------------------------------------------------------

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == dataSource) return;
    if (dataSource) dataSource->RemoveLink(this);
    dataSource = source;
    if (dataSource) dataSource->AddLink(this);
    ActiveChanged();
}

TDataSet* TDataLink::DataSet() const { return dataSource ? dataSource->DataSet() : nullptr; }

bool TDataLink::Active() const {
    const TDataSet* set = DataSet();
    return set && set->Active();
}

// --- TDataSource ----------------------------------------------------------------------------

PONDERIX_DEFINE_CLASS(TDataSource, [](TClassBuilder<TDataSource>& b) {
    b.Object<TDataSet>("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
    b.Event("OnDataChange", &TDataSource::OnDataChange);
    b.Event("OnStateChange", &TDataSource::OnStateChange);
})

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
    // Quietly: the owner's event handlers may already be gone.
    if (dataSet) {
        dataSet->DetachDataSource(this);
        dataSet->RemoveFreeNotification(this);
        dataSet = nullptr;
    }
    // Links outlive us in their controls: they must not point here any more.
    while (!links.empty()) links.back()->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* value) {
    if (value == dataSet) return;
    if (dataSet) {
        dataSet->DetachDataSource(this);
        dataSet->RemoveFreeNotification(this);
    }
    dataSet = value;
    if (dataSet) {
        dataSet->AttachDataSource(this);
        dataSet->FreeNotification(this);
    }
    DataEvent(TDataEvent::deActiveChanged, nullptr);
}

TDataSetState TDataSource::State() const {
    return dataSet ? dataSet->State() : TDataSetState::dsInactive;
}

void TDataSource::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    // The data set detaches us itself while it is still whole; this covers the rest.
    if (operation == TOperation::opRemove && component == dataSet) {
        dataSet = nullptr;
        DataEvent(TDataEvent::deActiveChanged, nullptr);
    }
}

void TDataSource::DataEvent(TDataEvent event, TField* field) {
    if (HasState(csDestroying) && event != TDataEvent::deActiveChanged) return;
    const std::vector<TDataLink*> snapshot = links;
    for (TDataLink* link : snapshot) {
        if (std::find(links.begin(), links.end(), link) == links.end()) continue;
        switch (event) {
            case TDataEvent::deActiveChanged: link->ActiveChanged(); break;
            case TDataEvent::deStateChanged: link->StateChanged(); break;
            case TDataEvent::deDataChanged: link->DataChanged(); break;
            case TDataEvent::deRowChanged: link->RowChanged(); break;
            case TDataEvent::deFieldChanged: link->FieldChanged(field); break;
        }
    }
    // No handlers of a form that is being read or freed: its methods may not be ready, or gone.
    const TComponent* form = Owner();
    if (HasState(csLoading) || HasState(csDestroying) ||
        (form && (form->HasState(csLoading) || form->HasState(csDestroying))))
        return;
    if (event == TDataEvent::deStateChanged || event == TDataEvent::deActiveChanged) {
        if (OnStateChange) OnStateChange(this);
    }
    if (event != TDataEvent::deStateChanged) {
        if (OnDataChange) OnDataChange(this, field);
    }
}

void TDataSource::AddLink(TDataLink* link) { links.push_back(link); }

void TDataSource::RemoveLink(TDataLink* link) {
    links.erase(std::remove(links.begin(), links.end(), link), links.end());
}

void RegisterDataClasses() {
    RegisterComponentClass(TADOTable::StaticClass());
    RegisterComponentClass(TDataSource::StaticClass());
}
