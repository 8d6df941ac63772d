#include "TestClasses.h"
#include "classlib/core/Exceptions.h"

TClass TTestFont::StaticClass() {
    static const TClassInfo info = ClassBuilder<TTestFont, TPersistent>("TTestFont")
        .Property<&TTestFont::Height>("Height").Default(-12)
        .Property<&TTestFont::FaceName>("Name")
        .Build();
    return &info;
}

void TTestFont::Assign(TPersistent* source) {
    if (auto* f = dynamic_cast<TTestFont*>(source)) {
        Height = f->Height;
        FaceName = f->FaceName;
        return;
    }
    TPersistent::Assign(source);
}

TClass TTestItem::StaticClass() {
    static const TClassInfo info = ClassBuilder<TTestItem, TCollectionItem>("TTestItem")
        .Property<&TTestItem::Caption>("Caption")
        .Property<&TTestItem::Width>("Width").Default(0)
        .Property<&TTestItem::Target>("Target")
        .Build();
    return &info;
}

void TTestItem::Assign(TPersistent* source) {
    if (auto* i = dynamic_cast<TTestItem*>(source)) {
        Caption = i->Caption;
        Width = i->Width;
        Target = i->Target;
        return;
    }
    TCollectionItem::Assign(source);
}

TClass TTestItems::StaticClass() {
    static const TClassInfo info = ClassBuilder<TTestItems, TOwnedCollection>("TTestItems").Build();
    return &info;
}

int TTestWidget::Live = 0;
std::vector<TLoadedRecord> TTestWidget::LoadedLog;

TTestWidget::TTestWidget(TComponent* owner) : TComponent(owner) { ++Live; }
TTestWidget::~TTestWidget() { --Live; }

TClass TTestWidget::StaticClass() {
    static const TClassInfo info = ClassBuilder<TTestWidget, TComponent>("TTestWidget")
        .Property<&TTestWidget::Caption, &TTestWidget::SetCaption>("Caption")
        .Property<&TTestWidget::Left>("Left").Default(0)
        .Property<&TTestWidget::Visible>("Visible").Default(true)
        .Property<&TTestWidget::Shade>("Shade").Enum({"shRed", "shGreen", "shBlue"}).Default(shRed)
        .Property<&TTestWidget::Shades>("Shades").Enum({"shRed", "shGreen", "shBlue"}).Default(TShades{})
        .Property<&TTestWidget::Ratio>("Ratio")
        .Property<&TTestWidget::Letter>("Letter").Default(char(0))
        .Property<&TTestWidget::Buddy, &TTestWidget::SetBuddy>("Buddy")
        .Property<&TTestWidget::GetFont>("Font")
        .Property<&TTestWidget::GetItems>("Columns")
        .Property<&TTestWidget::OnClick>("OnClick")
        .Property<&TTestWidget::OnValue>("OnValue")
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TTestWidget)

void TTestWidget::SetBuddy(TComponent* value) {
    if (Buddy == value) return;
    if (Buddy) Buddy->RemoveFreeNotification(this);
    Buddy = value;
    if (Buddy) Buddy->FreeNotification(this);
}

void TTestWidget::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    Notices.emplace_back(component, operation);
    if (operation == opRemove && component == Buddy) Buddy = nullptr;
    if (operation == opRemove && component == FParent) FParent = nullptr;
}

void TTestWidget::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    filer->DefineProperty(
        "Items", [this](TReader& r) { Names->SetText(r.ReadString()); },
        [this](TWriter& w) { w.WriteString(Names->Text()); }, Names->Count() > 0);
}

void TTestWidget::Loaded() {
    ++LoadedCount;
    auto* form = dynamic_cast<TTestForm*>(Owner());
    LoadedLog.push_back({Name(), ComponentState(), Buddy ? Buddy->Name() : AnsiString(), OnClick.Assigned(),
                         form && form->Widget1 != nullptr, Items->Count()});
    TComponent::Loaded();
}

TClass TTestForm::StaticClass() {
    static const TClassInfo info = ClassBuilder<TTestForm, TComponent>("TTestForm")
        .Field<&TTestForm::Widget1>("Widget1")
        .Field<&TTestForm::Label1>("Label1")
        .Method<&TTestForm::WidgetClick>("WidgetClick")
        .Method<&TTestForm::ValueChanged>("ValueChanged")
        .Build();
    return &info;
}
ZL_REGISTER_CLASS(TTestForm)

TClass TTestPlain::StaticClass() {
    static const TClassInfo info = ClassBuilder<TTestPlain, TPersistent>("TTestPlain").Build();
    return &info;
}
ZL_REGISTER_CLASS(TTestPlain)
