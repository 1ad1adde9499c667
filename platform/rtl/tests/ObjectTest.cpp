#include <qyx/platform/Object.h>

#include <gtest/gtest.h>

#include <memory>

using namespace qyx;

namespace {

class TProbe : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Ref = nullptr;
    int LoadedCalls = 0;
    int* DestroyCount = nullptr;
    ~TProbe() override {
        if (DestroyCount) ++*DestroyCount;
    }

protected:
    void Notification(TComponent* C, TOperation Op) override {
        TComponent::Notification(C, Op);
        if (Op == opRemove && C == Ref) Ref = nullptr;
    }
    void Loaded() override { ++LoadedCalls; }
};

class TPlainPersistent : public TPersistent {};

} // namespace

TEST(Object, ClassNameIsTheSystemName) {
    TProbe p(nullptr);
    EXPECT_EQ(p.ClassName(), "TProbe");
    TPlainPersistent q;
    EXPECT_EQ(q.ClassName(), "TPlainPersistent");
    EXPECT_TRUE(p.Is<TComponent>());
    EXPECT_FALSE(static_cast<TObject&>(q).Is<TComponent>());
    EXPECT_THROW(static_cast<TObject&>(q).As<TComponent>(), EInvalidCast);
}

TEST(Object, DefaultAssignRaisesConversionError) {
    TPlainPersistent a, b;
    try {
        a.Assign(&b);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TPlainPersistent to a TPlainPersistent");
    }
    try {
        a.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a nil to a TPlainPersistent");
    }
}

TEST(Object, OwnerDestroysOwnedComponentsAndChildLeavesOwner) {
    int destroyed = 0;
    auto owner = std::make_unique<TProbe>(nullptr);
    auto* a = new TProbe(owner.get());
    auto* b = new TProbe(owner.get());
    a->DestroyCount = b->DestroyCount = &destroyed;
    ASSERT_EQ(owner->GetComponentCount(), 2);
    EXPECT_EQ(owner->GetComponents(1), b);
    EXPECT_EQ(b->GetComponentIndex(), 1);
    delete a;
    EXPECT_EQ(owner->GetComponentCount(), 1);
    EXPECT_EQ(owner->GetComponents(0), b);
    EXPECT_THROW(owner->GetComponents(1), EListError);
    owner.reset();
    EXPECT_EQ(destroyed, 2);
}

TEST(Object, NamesAreValidatedAndUniquePerOwner) {
    TProbe owner(nullptr);
    auto* a = new TProbe(&owner);
    auto* b = new TProbe(&owner);
    a->SetName("Label1");
    EXPECT_THROW(b->SetName("label1"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    b->SetName("runtime_rlre_Label2");
    EXPECT_EQ(owner.FindComponent("LABEL1"), a);
    EXPECT_EQ(owner.FindComponent("runtime_rlre_Label2"), b);
    b->SetName("");
    EXPECT_EQ(b->GetName(), "");
    b->SetTag(42);
    EXPECT_EQ(b->GetTag(), 42);
}

TEST(Object, FreeNotificationClearsReferences) {
    TProbe holder(nullptr);
    auto* target = new TProbe(nullptr);
    holder.Ref = target;
    holder.FreeNotification(target);
    delete target;
    EXPECT_EQ(holder.Ref, nullptr);

    // The holder dies first: the target must not call back into it afterwards.
    auto* target2 = new TProbe(nullptr);
    {
        TProbe holder2(nullptr);
        holder2.Ref = target2;
        holder2.FreeNotification(target2);
    }
    delete target2;
}

TEST(Object, LoadingProtocolCallsLoadedOnEveryComponent) {
    TProbe owner(nullptr);
    auto* child = new TProbe(&owner);
    owner.BeginLoading();
    EXPECT_TRUE(owner.IsLoading());
    EXPECT_TRUE(child->IsLoading());
    owner.EndLoading();
    EXPECT_FALSE(child->IsLoading());
    EXPECT_EQ(owner.LoadedCalls, 1);
    EXPECT_EQ(child->LoadedCalls, 1);
    owner.SetDesigning(true);
    EXPECT_TRUE(child->IsDesigning());
}
