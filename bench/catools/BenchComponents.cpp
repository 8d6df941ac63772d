#include "BenchComponents.h"



TClass TBenchBase::StaticClass() {
    static const TClassInfo info = ClassBuilder<TBenchBase, TComponent>("TBenchBase")
        .Property<&TBenchBase::GetInt0, &TBenchBase::SetInt0>("Width0")
        .Property<&TBenchBase::GetInt1, &TBenchBase::SetInt1>("Height1")
        .Property<&TBenchBase::GetInt2, &TBenchBase::SetInt2>("Margin2")
        .Property<&TBenchBase::GetText3, &TBenchBase::SetText3>("Caption3")
        .Property<&TBenchBase::GetInt4, &TBenchBase::SetInt4>("Spacing4")
        .Property<&TBenchBase::GetInt5, &TBenchBase::SetInt5>("Border5")
        .Property<&TBenchBase::GetInt6, &TBenchBase::SetInt6>("Offset6")
        .Property<&TBenchBase::GetText7, &TBenchBase::SetText7>("Caption7")
        .Property<&TBenchBase::GetInt8, &TBenchBase::SetInt8>("Width8")
        .Property<&TBenchBase::GetInt9, &TBenchBase::SetInt9>("Height9")
        .Property<&TBenchBase::GetInt10, &TBenchBase::SetInt10>("Margin10")
        .Property<&TBenchBase::GetText11, &TBenchBase::SetText11>("Caption11")
        .Property<&TBenchBase::GetInt12, &TBenchBase::SetInt12>("Spacing12")
        .Property<&TBenchBase::GetInt13, &TBenchBase::SetInt13>("Border13")
        .Property<&TBenchBase::GetInt14, &TBenchBase::SetInt14>("Offset14")
        .Property<&TBenchBase::GetText15, &TBenchBase::SetText15>("Caption15")
        .Build();
    return &info;
}

TClass TBenchMiddle::StaticClass() {
    static const TClassInfo info = ClassBuilder<TBenchMiddle, TBenchBase>("TBenchMiddle")
        .Property<&TBenchMiddle::GetInt16, &TBenchMiddle::SetInt16>("Width16")
        .Property<&TBenchMiddle::GetInt17, &TBenchMiddle::SetInt17>("Height17")
        .Property<&TBenchMiddle::GetInt18, &TBenchMiddle::SetInt18>("Margin18")
        .Property<&TBenchMiddle::GetText19, &TBenchMiddle::SetText19>("Caption19")
        .Property<&TBenchMiddle::GetInt20, &TBenchMiddle::SetInt20>("Spacing20")
        .Property<&TBenchMiddle::GetInt21, &TBenchMiddle::SetInt21>("Border21")
        .Property<&TBenchMiddle::GetInt22, &TBenchMiddle::SetInt22>("Offset22")
        .Property<&TBenchMiddle::GetText23, &TBenchMiddle::SetText23>("Caption23")
        .Property<&TBenchMiddle::GetInt24, &TBenchMiddle::SetInt24>("Width24")
        .Property<&TBenchMiddle::GetInt25, &TBenchMiddle::SetInt25>("Height25")
        .Property<&TBenchMiddle::GetInt26, &TBenchMiddle::SetInt26>("Margin26")
        .Property<&TBenchMiddle::GetText27, &TBenchMiddle::SetText27>("Caption27")
        .Property<&TBenchMiddle::GetInt28, &TBenchMiddle::SetInt28>("Spacing28")
        .Property<&TBenchMiddle::GetInt29, &TBenchMiddle::SetInt29>("Border29")
        .Property<&TBenchMiddle::GetInt30, &TBenchMiddle::SetInt30>("Offset30")
        .Property<&TBenchMiddle::GetText31, &TBenchMiddle::SetText31>("Caption31")
        .Build();
    return &info;
}

TClass TBenchLeaf::StaticClass() {
    static const TClassInfo info = ClassBuilder<TBenchLeaf, TBenchMiddle>("TBenchLeaf")
        .Property<&TBenchLeaf::GetInt32, &TBenchLeaf::SetInt32>("Width32")
        .Property<&TBenchLeaf::GetInt33, &TBenchLeaf::SetInt33>("Height33")
        .Property<&TBenchLeaf::GetInt34, &TBenchLeaf::SetInt34>("Margin34")
        .Property<&TBenchLeaf::GetText35, &TBenchLeaf::SetText35>("Caption35")
        .Property<&TBenchLeaf::GetInt36, &TBenchLeaf::SetInt36>("Spacing36")
        .Property<&TBenchLeaf::GetInt37, &TBenchLeaf::SetInt37>("Border37")
        .Property<&TBenchLeaf::GetInt38, &TBenchLeaf::SetInt38>("Offset38")
        .Property<&TBenchLeaf::GetText39, &TBenchLeaf::SetText39>("Caption39")
        .Property<&TBenchLeaf::GetInt40, &TBenchLeaf::SetInt40>("Width40")
        .Property<&TBenchLeaf::GetInt41, &TBenchLeaf::SetInt41>("Height41")
        .Property<&TBenchLeaf::GetInt42, &TBenchLeaf::SetInt42>("Margin42")
        .Property<&TBenchLeaf::GetText43, &TBenchLeaf::SetText43>("Caption43")
        .Property<&TBenchLeaf::GetInt44, &TBenchLeaf::SetInt44>("Spacing44")
        .Property<&TBenchLeaf::GetInt45, &TBenchLeaf::SetInt45>("Border45")
        .Property<&TBenchLeaf::GetInt46, &TBenchLeaf::SetInt46>("Offset46")
        .Property<&TBenchLeaf::GetText47, &TBenchLeaf::SetText47>("Caption47")
        .Build();
    return &info;
}

const TBenchAccess& BenchAccess() {
    static const TBenchAccess access = [] {
        TBenchAccess a;
        a.IntNames.push_back("Width0");
        a.IntGetters.push_back(&TBenchBase::GetInt0);
        a.IntSetters.push_back(&TBenchBase::SetInt0);
        a.IntNames.push_back("Height1");
        a.IntGetters.push_back(&TBenchBase::GetInt1);
        a.IntSetters.push_back(&TBenchBase::SetInt1);
        a.IntNames.push_back("Margin2");
        a.IntGetters.push_back(&TBenchBase::GetInt2);
        a.IntSetters.push_back(&TBenchBase::SetInt2);
        a.TextNames.push_back("Caption3");
        a.TextGetters.push_back(&TBenchBase::GetText3);
        a.TextSetters.push_back(&TBenchBase::SetText3);
        a.IntNames.push_back("Spacing4");
        a.IntGetters.push_back(&TBenchBase::GetInt4);
        a.IntSetters.push_back(&TBenchBase::SetInt4);
        a.IntNames.push_back("Border5");
        a.IntGetters.push_back(&TBenchBase::GetInt5);
        a.IntSetters.push_back(&TBenchBase::SetInt5);
        a.IntNames.push_back("Offset6");
        a.IntGetters.push_back(&TBenchBase::GetInt6);
        a.IntSetters.push_back(&TBenchBase::SetInt6);
        a.TextNames.push_back("Caption7");
        a.TextGetters.push_back(&TBenchBase::GetText7);
        a.TextSetters.push_back(&TBenchBase::SetText7);
        a.IntNames.push_back("Width8");
        a.IntGetters.push_back(&TBenchBase::GetInt8);
        a.IntSetters.push_back(&TBenchBase::SetInt8);
        a.IntNames.push_back("Height9");
        a.IntGetters.push_back(&TBenchBase::GetInt9);
        a.IntSetters.push_back(&TBenchBase::SetInt9);
        a.IntNames.push_back("Margin10");
        a.IntGetters.push_back(&TBenchBase::GetInt10);
        a.IntSetters.push_back(&TBenchBase::SetInt10);
        a.TextNames.push_back("Caption11");
        a.TextGetters.push_back(&TBenchBase::GetText11);
        a.TextSetters.push_back(&TBenchBase::SetText11);
        a.IntNames.push_back("Spacing12");
        a.IntGetters.push_back(&TBenchBase::GetInt12);
        a.IntSetters.push_back(&TBenchBase::SetInt12);
        a.IntNames.push_back("Border13");
        a.IntGetters.push_back(&TBenchBase::GetInt13);
        a.IntSetters.push_back(&TBenchBase::SetInt13);
        a.IntNames.push_back("Offset14");
        a.IntGetters.push_back(&TBenchBase::GetInt14);
        a.IntSetters.push_back(&TBenchBase::SetInt14);
        a.TextNames.push_back("Caption15");
        a.TextGetters.push_back(&TBenchBase::GetText15);
        a.TextSetters.push_back(&TBenchBase::SetText15);
        a.IntNames.push_back("Width16");
        a.IntGetters.push_back(&TBenchMiddle::GetInt16);
        a.IntSetters.push_back(&TBenchMiddle::SetInt16);
        a.IntNames.push_back("Height17");
        a.IntGetters.push_back(&TBenchMiddle::GetInt17);
        a.IntSetters.push_back(&TBenchMiddle::SetInt17);
        a.IntNames.push_back("Margin18");
        a.IntGetters.push_back(&TBenchMiddle::GetInt18);
        a.IntSetters.push_back(&TBenchMiddle::SetInt18);
        a.TextNames.push_back("Caption19");
        a.TextGetters.push_back(&TBenchMiddle::GetText19);
        a.TextSetters.push_back(&TBenchMiddle::SetText19);
        a.IntNames.push_back("Spacing20");
        a.IntGetters.push_back(&TBenchMiddle::GetInt20);
        a.IntSetters.push_back(&TBenchMiddle::SetInt20);
        a.IntNames.push_back("Border21");
        a.IntGetters.push_back(&TBenchMiddle::GetInt21);
        a.IntSetters.push_back(&TBenchMiddle::SetInt21);
        a.IntNames.push_back("Offset22");
        a.IntGetters.push_back(&TBenchMiddle::GetInt22);
        a.IntSetters.push_back(&TBenchMiddle::SetInt22);
        a.TextNames.push_back("Caption23");
        a.TextGetters.push_back(&TBenchMiddle::GetText23);
        a.TextSetters.push_back(&TBenchMiddle::SetText23);
        a.IntNames.push_back("Width24");
        a.IntGetters.push_back(&TBenchMiddle::GetInt24);
        a.IntSetters.push_back(&TBenchMiddle::SetInt24);
        a.IntNames.push_back("Height25");
        a.IntGetters.push_back(&TBenchMiddle::GetInt25);
        a.IntSetters.push_back(&TBenchMiddle::SetInt25);
        a.IntNames.push_back("Margin26");
        a.IntGetters.push_back(&TBenchMiddle::GetInt26);
        a.IntSetters.push_back(&TBenchMiddle::SetInt26);
        a.TextNames.push_back("Caption27");
        a.TextGetters.push_back(&TBenchMiddle::GetText27);
        a.TextSetters.push_back(&TBenchMiddle::SetText27);
        a.IntNames.push_back("Spacing28");
        a.IntGetters.push_back(&TBenchMiddle::GetInt28);
        a.IntSetters.push_back(&TBenchMiddle::SetInt28);
        a.IntNames.push_back("Border29");
        a.IntGetters.push_back(&TBenchMiddle::GetInt29);
        a.IntSetters.push_back(&TBenchMiddle::SetInt29);
        a.IntNames.push_back("Offset30");
        a.IntGetters.push_back(&TBenchMiddle::GetInt30);
        a.IntSetters.push_back(&TBenchMiddle::SetInt30);
        a.TextNames.push_back("Caption31");
        a.TextGetters.push_back(&TBenchMiddle::GetText31);
        a.TextSetters.push_back(&TBenchMiddle::SetText31);
        a.IntNames.push_back("Width32");
        a.IntGetters.push_back(&TBenchLeaf::GetInt32);
        a.IntSetters.push_back(&TBenchLeaf::SetInt32);
        a.IntNames.push_back("Height33");
        a.IntGetters.push_back(&TBenchLeaf::GetInt33);
        a.IntSetters.push_back(&TBenchLeaf::SetInt33);
        a.IntNames.push_back("Margin34");
        a.IntGetters.push_back(&TBenchLeaf::GetInt34);
        a.IntSetters.push_back(&TBenchLeaf::SetInt34);
        a.TextNames.push_back("Caption35");
        a.TextGetters.push_back(&TBenchLeaf::GetText35);
        a.TextSetters.push_back(&TBenchLeaf::SetText35);
        a.IntNames.push_back("Spacing36");
        a.IntGetters.push_back(&TBenchLeaf::GetInt36);
        a.IntSetters.push_back(&TBenchLeaf::SetInt36);
        a.IntNames.push_back("Border37");
        a.IntGetters.push_back(&TBenchLeaf::GetInt37);
        a.IntSetters.push_back(&TBenchLeaf::SetInt37);
        a.IntNames.push_back("Offset38");
        a.IntGetters.push_back(&TBenchLeaf::GetInt38);
        a.IntSetters.push_back(&TBenchLeaf::SetInt38);
        a.TextNames.push_back("Caption39");
        a.TextGetters.push_back(&TBenchLeaf::GetText39);
        a.TextSetters.push_back(&TBenchLeaf::SetText39);
        a.IntNames.push_back("Width40");
        a.IntGetters.push_back(&TBenchLeaf::GetInt40);
        a.IntSetters.push_back(&TBenchLeaf::SetInt40);
        a.IntNames.push_back("Height41");
        a.IntGetters.push_back(&TBenchLeaf::GetInt41);
        a.IntSetters.push_back(&TBenchLeaf::SetInt41);
        a.IntNames.push_back("Margin42");
        a.IntGetters.push_back(&TBenchLeaf::GetInt42);
        a.IntSetters.push_back(&TBenchLeaf::SetInt42);
        a.TextNames.push_back("Caption43");
        a.TextGetters.push_back(&TBenchLeaf::GetText43);
        a.TextSetters.push_back(&TBenchLeaf::SetText43);
        a.IntNames.push_back("Spacing44");
        a.IntGetters.push_back(&TBenchLeaf::GetInt44);
        a.IntSetters.push_back(&TBenchLeaf::SetInt44);
        a.IntNames.push_back("Border45");
        a.IntGetters.push_back(&TBenchLeaf::GetInt45);
        a.IntSetters.push_back(&TBenchLeaf::SetInt45);
        a.IntNames.push_back("Offset46");
        a.IntGetters.push_back(&TBenchLeaf::GetInt46);
        a.IntSetters.push_back(&TBenchLeaf::SetInt46);
        a.TextNames.push_back("Caption47");
        a.TextGetters.push_back(&TBenchLeaf::GetText47);
        a.TextSetters.push_back(&TBenchLeaf::SetText47);
        return a;
    }();
    return access;
}
