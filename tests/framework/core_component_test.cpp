// Object model: class names, Assign errors, two-phase construction, ownership and the free
// sequence, free notifications, the loading bracket and the flag scope, collections, sets and
// event binding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/collection.h"
#include "framework/core/component.h"
#include "framework/core/events.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/flag_scope.h"

namespace {

std::vector<std::string> journal;

class TProbe : public fw::TComponent {
  FW_CLASS(TProbe, fw::TComponent)
 public:
  explicit TProbe(fw::TComponent* owner, std::string tagName = "") : TComponent(owner), FLabel(std::move(tagName)) {}
  void AfterConstruction() override { journal.push_back("after " + FLabel); }
  void BeforeDestruction() override {
    journal.push_back("before " + FLabel + (GetComponentState().Contains(fw::csDestroying) ? " destroying" : ""));
  }
  void Loaded() override {
    journal.push_back("loaded " + FLabel + (GetComponentState().Contains(fw::csReading) ? " reading" : ""));
    TComponent::Loaded();
  }
  void Notification(fw::TComponent* component, fw::TOperation operation) override {
    if (operation == fw::opRemove) {
      journal.push_back(FLabel + " heard " + static_cast<TProbe*>(component)->FLabel);
      if (component == Partner) Partner = nullptr;
    }
    TComponent::Notification(component, operation);
  }
  void Click(fw::TObject*) { ++Clicks; }
  void Key(fw::TObject*, WORD& key, fw::TShiftState shift) { key = shift.Contains(fw::ssCtrl) ? 1 : 2; }

  fw::TComponent* Partner = nullptr;
  int Clicks = 0;

 protected:
  ~TProbe() override { journal.push_back("dtor " + FLabel); }
  void FreeHandle() override { journal.push_back("handle " + FLabel); }

 private:
  std::string FLabel;
};

class TSpecialProbe : public TProbe {
  FW_CLASS(TkSpecialProbe, TProbe)
 public:
  using TProbe::TProbe;
};

class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { journal.clear(); }
};

TEST_F(ComponentTest, ClassNamesFollowTheDeclaredChain) {
  fw::Owned<TSpecialProbe> probe = fw::MakeOwned<TSpecialProbe>(nullptr, "p");
  EXPECT_EQ("TkSpecialProbe", probe->ClassName());
  EXPECT_TRUE(probe->IsOrInheritsFrom("tprobe"));
  EXPECT_TRUE(probe->IsOrInheritsFrom("TComponent"));
  EXPECT_TRUE(probe->IsOrInheritsFrom("TObject"));
  EXPECT_FALSE(probe->IsOrInheritsFrom("TStrings"));
  EXPECT_TRUE(probe->InheritsFrom<fw::TPersistent>());
  EXPECT_TRUE(fw::Is<TProbe>(probe.get()));
}

TEST_F(ComponentTest, AssignBetweenUnrelatedClassesRaisesConversionError) {
  fw::Owned<TProbe> a = fw::MakeOwned<TProbe>(nullptr, "a");
  fw::Owned<TSpecialProbe> b = fw::MakeOwned<TSpecialProbe>(nullptr, "b");
  try {
    a->Assign(b.get());
    FAIL() << "no exception";
  } catch (const fw::EConvertError& e) {
    EXPECT_EQ("Cannot assign a TkSpecialProbe to a TProbe", e.GetMessage());
  }
  try {
    a->Assign(nullptr);
    FAIL() << "no exception";
  } catch (const fw::EConvertError& e) {
    EXPECT_EQ("Cannot assign a nil to a TProbe", e.GetMessage());
  }
}

TEST_F(ComponentTest, FreeDestroysOwnedComponentsLastFirstAfterTheHandle) {
  TProbe* form = fw::New<TProbe>(nullptr, "form");
  TProbe* first = fw::New<TProbe>(form, "first");
  fw::New<TProbe>(form, "second");
  fw::New<TProbe>(first, "inner");
  ASSERT_EQ(2, form->GetComponentCount());
  EXPECT_EQ(first, form->GetComponents(0));
  EXPECT_EQ(form, first->GetOwner());
  EXPECT_THROW(form->GetComponents(2), fw::EListError);
  journal.clear();

  form->Free();
  std::vector<std::string> expected = {
      "before form destroying", "handle form",
      // the second goes first; the first still hears of it through the owner
      "form heard second", "first heard second", "inner heard second",
      "before second destroying", "handle second", "dtor second",
      "form heard first", "before first destroying", "handle first",
      "first heard inner", "before inner destroying", "handle inner", "dtor inner", "dtor first",
      "dtor form"};
  EXPECT_EQ(expected, journal);
}

TEST_F(ComponentTest, FreeingAnOwnedComponentUnlinksItAndTellsItsSiblings) {
  fw::Owned<TProbe> form = fw::MakeOwned<TProbe>(nullptr, "form");
  TProbe* list = fw::New<TProbe>(form.get(), "list");
  TProbe* menu = fw::New<TProbe>(form.get(), "menu");
  list->Partner = menu;
  menu->Free();
  EXPECT_EQ(nullptr, list->Partner);
  EXPECT_EQ(1, form->GetComponentCount());
  EXPECT_EQ(0, list->GetComponentIndex());
  list->SetName("List1");
  EXPECT_EQ(list, form->FindComponent("list1"));
}

TEST_F(ComponentTest, FreeNotificationReachesPartnersOfOtherOwnersBothWays) {
  fw::Owned<TProbe> formA = fw::MakeOwned<TProbe>(nullptr, "formA");
  fw::Owned<TProbe> formB = fw::MakeOwned<TProbe>(nullptr, "formB");
  TProbe* view = fw::New<TProbe>(formA.get(), "view");
  TProbe* images = fw::New<TProbe>(formB.get(), "images");
  TProbe* other = fw::New<TProbe>(formB.get(), "other");
  view->Partner = images;
  images->FreeNotification(view);
  other->FreeNotification(view);
  other->RemoveFreeNotification(view);
  journal.clear();

  images->Free();
  EXPECT_EQ(nullptr, view->Partner);
  EXPECT_NE(std::find(journal.begin(), journal.end(), "view heard images"), journal.end());
  journal.clear();
  other->Free();
  EXPECT_EQ(std::find(journal.begin(), journal.end(), "view heard other"), journal.end());

  // The partner link works the other way too: freeing the listener tells the source.
  TProbe* source = fw::New<TProbe>(formB.get(), "source");
  source->FreeNotification(view);
  journal.clear();
  view->Free();
  EXPECT_NE(std::find(journal.begin(), journal.end(), "source heard view"), journal.end());
}

TEST_F(ComponentTest, LoadScopeCallsLoadedInCreationOrderAfterReadingEnds) {
  fw::Owned<TProbe> form;
  {
    fw::TLoadScope scope;
    form.reset(fw::New<TProbe>(nullptr, "form"));
    TProbe* a = fw::New<TProbe>(form.get(), "a");
    EXPECT_TRUE(a->GetComponentState().Contains(fw::csLoading));
    EXPECT_TRUE(a->GetComponentState().Contains(fw::csReading));
    {
      fw::TLoadScope frame;
      fw::New<TProbe>(a, "frameChild");
    }
    TProbe* doomed = fw::New<TProbe>(form.get(), "doomed");
    fw::New<TProbe>(form.get(), "b");
    doomed->Free();
    journal.clear();
  }
  std::vector<std::string> expected = {"loaded form", "loaded a", "loaded b"};
  EXPECT_EQ(expected, journal);
  for (int i = 0; i < form->GetComponentCount(); ++i)
    EXPECT_TRUE(form->GetComponents(i)->GetComponentState().Empty());
  EXPECT_EQ(nullptr, fw::TLoadScope::Current());

  fw::Owned<TProbe> later = fw::MakeOwned<TProbe>(nullptr, "later");
  EXPECT_FALSE(later->GetComponentState().Contains(fw::csLoading));
}

TEST_F(ComponentTest, LoadScopeLeftByAnExceptionSkipsLoaded) {
  fw::Owned<TProbe> form = fw::MakeOwned<TProbe>(nullptr, "form");
  try {
    fw::TLoadScope scope;
    fw::New<TProbe>(form.get(), "child");
    throw fw::Exception("layout failed");
  } catch (const fw::Exception&) {
  }
  EXPECT_TRUE(form->GetComponents(0)->GetComponentState().Empty());
  EXPECT_EQ(std::find(journal.begin(), journal.end(), "loaded child"), journal.end());
}

// A scope inside another gives back the flag the outer one raised, however it ends; the outer
// one lowers it again.
TEST(FlagScopeTest, AnInnerScopeGivesBackTheRaisedFlag) {
  bool flag = false;
  {
    const fw::TFlagScope outer(flag);
    EXPECT_TRUE(flag);
    {
      const fw::TFlagScope inner(flag);
      EXPECT_TRUE(flag);
    }
    EXPECT_TRUE(flag);
    try {
      const fw::TFlagScope inner(flag);
      throw fw::Exception("handler failed");
    } catch (const fw::Exception&) {
    }
    EXPECT_TRUE(flag);
  }
  EXPECT_FALSE(flag);
}

class TPanelItem : public fw::TCollectionItem {
  FW_CLASS(TPanelItem, fw::TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  ~TPanelItem() override { ++Freed; }
  static int Freed;
};
int TPanelItem::Freed = 0;

TEST_F(ComponentTest, CollectionItemsAreMadeOwnedAndMoved) {
  fw::Owned<TProbe> owner = fw::MakeOwned<TProbe>(nullptr, "bar");
  TPanelItem::Freed = 0;
  {
    fw::TCollection panels(owner.get(), fw::TCollection::ItemFactory<TPanelItem>());
    fw::TCollectionItem* a = panels.Add();
    fw::TCollectionItem* b = panels.Add();
    fw::TCollectionItem* c = panels.Insert(0);
    EXPECT_EQ("TPanelItem", a->ClassName());
    EXPECT_EQ(owner.get(), panels.GetOwner());
    EXPECT_EQ(&panels, a->GetOwner());
    EXPECT_EQ(0, c->GetIndex());
    EXPECT_EQ(1, a->GetIndex());
    c->SetIndex(99);  // clamped: moves to the end
    EXPECT_EQ(2, c->GetIndex());
    EXPECT_EQ(b, panels.FindItemID(b->GetID()));
    panels.Delete(0);
    EXPECT_EQ(1, TPanelItem::Freed);
    EXPECT_EQ(b, panels.GetItems(0));
    EXPECT_THROW(panels.GetItems(2), fw::EListError);
  }
  EXPECT_EQ(3, TPanelItem::Freed);
}

enum TButtonKind { mbYes, mbNo, mbOK, mbCancel };

TEST_F(ComponentTest, SetsAndBoundEvents) {
  fw::TSet<TButtonKind> buttons{mbYes, mbCancel};
  EXPECT_EQ(9u, buttons.Bits());
  EXPECT_TRUE(buttons.Contains(mbCancel));
  buttons.Exclude(mbCancel).Include(mbNo);
  EXPECT_EQ(fw::TSet<TButtonKind>::FromBits(3), buttons);
  EXPECT_EQ(fw::TSet<TButtonKind>(mbNo), buttons - mbYes);
  EXPECT_TRUE((buttons * fw::TSet<TButtonKind>{mbOK}).Empty());

  fw::Owned<TProbe> probe = fw::MakeOwned<TProbe>(nullptr, "p");
  fw::TNotifyEvent onClick;
  EXPECT_FALSE(onClick);
  onClick = fw::Bind(probe.get(), &TProbe::Click);
  // A saved handler can be chained from a new one.
  fw::TNotifyEvent saved = onClick;
  onClick = [&](fw::TObject* sender) {
    saved(sender);
    saved(sender);
  };
  onClick(probe.get());
  EXPECT_EQ(2, probe->Clicks);
  fw::TKeyEvent onKey = fw::Bind(probe.get(), &TProbe::Key);
  WORD key = 0;
  onKey(probe.get(), key, fw::TShiftState{fw::ssCtrl});
  EXPECT_EQ(1, key);
}

}  // namespace
