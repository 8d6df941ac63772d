#include "Samples.h"

TClass TSample::StaticClass() {
    static const TClassInfo info = ClassBuilder<TSample, TComponent>("TSample")
        .Property<&TSample::FText>("Text")
        .Property<&TSample::FFlag>("Flag")
        .Property<&TSample::FRatio>("Ratio")
        .Property<&TSample::FCount>("Count")
        .Property<&TSample::FLink>("Link")
        .Property<&TSample::FOnChange>("OnChange")
        .Method<&TSample::Touch>("Touch")
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TSample)

void TArrayEvents::CreatedNew(TObject* sender, TComponent* component) {
    auto* array = static_cast<Ovk::TComponentArray*>(sender);
    Log.push_back("create " + component->Name() + " count=" + std::to_string(array->GetElementCount()));
}

void TArrayEvents::Added(TObject*, int index, TComponent* component) {
    Log.push_back("add " + std::to_string(index) + " " + component->Name());
    if (!RenameTo.empty()) component->SetName(RenameTo);
}

void TArrayEvents::Deleted(TObject*, int index, TComponent* component) {
    Log.push_back("delete " + std::to_string(index) + " " + component->Name());
}

void TArrayEvents::Clicked(TObject*) {}

void TArrayEvents::Attach(Ovk::TComponentArray& array) {
    array.OnCreateNew = Ovk::TCreateNewEvent::Bind<&TArrayEvents::CreatedNew>(this);
    array.OnAdd = Ovk::TElementEvent::Bind<&TArrayEvents::Added>(this);
    array.OnDelete = Ovk::TElementEvent::Bind<&TArrayEvents::Deleted>(this);
}
