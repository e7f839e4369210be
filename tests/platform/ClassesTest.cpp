#include <gtest/gtest.h>

#include "platform/classes/Collection.h"
#include "platform/classes/Exception.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/Strings.h"

namespace kv {
namespace {

class TTestLabel : public TComponent {
  KV_DECLARE_CLASS()
  using TComponent::TComponent;
  std::string Caption;
  TFont Font;
};
KV_DEFINE_CLASS(TTestLabel, TComponent,
                {prop::String<TTestLabel>(
                     "Caption", [](TTestLabel& l) { return l.Caption; },
                     [](TTestLabel& l, const std::string& v) { l.Caption = v; }),
                 prop::Object<TTestLabel>(
                     "Font", "TFont", [](TTestLabel& l) -> TPersistent* { return &l.Font; },
                     [](TTestLabel& l, TPersistent* f) { l.Font.Assign(f); })})

TEST(Components, FindComponentIgnoresCaseAndOwnedOnesDieWithTheOwner) {
  auto* owner = new TComponent(nullptr);
  auto* label = new TTestLabel(owner);
  label->SetName("StatusBar1");
  EXPECT_EQ(owner->FindComponent("statusbar1"), label);
  EXPECT_EQ(owner->FindComponent("StatusBar2"), nullptr);
  EXPECT_EQ(owner->FindComponent(""), nullptr);
  delete label;  // a freed component leaves its owner's list
  EXPECT_EQ(owner->ComponentCount(), 0);
  new TTestLabel(owner);
  delete owner;  // and the owner frees what it still owns (ASan/valgrind would see a leak)
}

TEST(PublishedProperties, AreFoundByNameIgnoringCaseIncludingInheritedOnes) {
  TTestLabel label(nullptr);
  ASSERT_NE(GetPropInfo(&label, "caption"), nullptr);
  EXPECT_EQ(GetPropInfo(&label, "Name")->Kind, tkLString);  // from TComponent
  EXPECT_EQ(GetPropInfo(&label, "Nothing"), nullptr);
  SetStrProp(&label, "CAPTION", "Datei");
  EXPECT_EQ(label.Caption, "Datei");
  auto* font = dynamic_cast<TFont*>(GetObjectProp(&label, "Font"));
  ASSERT_NE(font, nullptr);
  SetStrProp(font, "Name", "Segoe UI");
  SetOrdProp(font, "Charset", ANSI_CHARSET);
  EXPECT_EQ(label.Font.Name(), "Segoe UI");
  EXPECT_EQ(label.Font.Charset(), ANSI_CHARSET);
  // Kinds filter the list; Name and Tag come first, as base-class properties do.
  auto strings = GetPropList(&label, tkStrings);
  ASSERT_EQ(strings.size(), 2u);
  EXPECT_EQ(strings[0]->Name, "Name");
  EXPECT_TRUE(label.InheritsFrom("TComponent"));
  EXPECT_EQ(label.ClassName(), "TTestLabel");
}

TEST(Fonts, SizeAndHeightConvertAtNinetySixDotsPerInch) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  f.SetHeight(-11);
  EXPECT_EQ(f.Size(), 8);
  f.SetHeight(-11);  // unchanged: no notification
  EXPECT_EQ(changes, 2);
}

TEST(Colours, SystemColoursResolveAndPlainOnesPassThrough) {
  EXPECT_EQ(ColorToRGB(clNavy), 0x800000);
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
  EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}

class TTestItem : public TCollectionItem {
  KV_DECLARE_CLASS()
  using TCollectionItem::TCollectionItem;
  std::string Info;
};
KV_DEFINE_CLASS(TTestItem, TCollectionItem,
                {prop::String<TTestItem>(
                    "Info", [](TTestItem& i) { return i.Info; },
                    [](TTestItem& i, const std::string& v) { i.Info = v; })})

TEST(Collections, ItemsKnowTheirIndexAndOutOfRangeIsAListError) {
  TCollection c([](TCollection* owner) { return new TTestItem(owner); });
  c.Add();
  auto* second = c.Add();
  EXPECT_EQ(second->Index(), 1);
  SetStrProp(c.Items(1), "Info", "Double Bracket");
  EXPECT_EQ(static_cast<TTestItem*>(c.Items(1))->Info, "Double Bracket");
  EXPECT_THROW(c.Items(2), EListError);
  c.Delete(0);
  EXPECT_EQ(second->Index(), 0);
}

}  // namespace
}  // namespace kv
