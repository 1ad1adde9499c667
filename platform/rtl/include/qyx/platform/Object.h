// The component model: the object root with class identity, persistent objects with Assign, and
// components that belong to an owner, carry a Name and a Tag, and receive free notifications.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <qyx/platform/Exceptions.h>

namespace qyx {

class TObject;
class TComponent;

/// Plain notification event: the sender only. An empty event is skipped by whoever fires it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

/// Root of every class of the system: virtual destruction and class identity.
class TObject {
public:
    virtual ~TObject() = default;
    /// The class name as the system spells it ("TStringArray"), without namespace.
    std::string ClassName() const;
    /// True when this object is of class T or a descendant.
    template <class T> bool Is() const { return dynamic_cast<const T*>(this) != nullptr; }
    /// This object as a T; raises EInvalidCast "Invalid class typecast" when it is not one.
    template <class T> T* As() {
        if (auto* p = dynamic_cast<T*>(this)) return p;
        throw EInvalidCast("Invalid class typecast");
    }
};

/// An object that can copy its state from another: Assign asks the source to assign itself to this
/// object through AssignTo, whose default raises EConvertError "Cannot assign a <source> to a <dest>".
class TPersistent : public TObject {
public:
    virtual void Assign(const TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest) const;
    /// Raises the conversion error for an assignment from Source (nil allowed) to this object.
    [[noreturn]] void AssignError(const TPersistent* Source) const;
};

enum TOperation : uint8_t { opInsert, opRemove };

/// A component belongs to its owner and is destroyed with it. Deleting a component removes it from its
/// owner. Components that referenced it through FreeNotification receive Notification(opRemove).
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* GetOwner() const { return FOwner; }
    int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
    /// The Index-th owned component, 0-based; raises EListError when out of range.
    TComponent* GetComponents(int Index) const;
    int GetComponentIndex() const;
    /// The owned component with this name (compared without regard to ASCII case), or nullptr.
    TComponent* FindComponent(const std::string& AName) const;

    const std::string& GetName() const { return FName; }
    /// Sets the name. A non-empty name must be an identifier (letter or "_" first, then letters,
    /// digits, "_") and unique among the owner's components, otherwise EComponentError is raised.
    virtual void SetName(const std::string& NewName);
    int GetTag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    /// Destroys every owned component, the last first.
    void DestroyComponents();

    /// Asks to be told (Notification with opRemove) when AComponent is destroyed.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    /// Component state: being designed (set by a designer or a test), being loaded, being destroyed.
    bool IsDesigning() const { return FDesigning; }
    void SetDesigning(bool Value, bool SetChildren = true);
    bool IsLoading() const { return FLoading; }
    bool IsDestroying() const { return FDestroying; }

    /// The loading protocol: BeginLoading marks this component and everything it owns as loading;
    /// properties are then applied through their setters; EndLoading clears the mark and calls
    /// Loaded on every component that was marked, owned ones first.
    void BeginLoading();
    void EndLoading();

protected:
    /// Called after loading has finished; the default clears nothing further.
    virtual void Loaded() {}
    /// Told that AComponent was inserted or is being removed/destroyed.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetDestroying() { FDestroying = true; }

private:
    void ValidateRename(const std::string& NewName) const;

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    int FTag = 0;
    bool FDesigning = false;
    bool FLoading = false;
    bool FDestroying = false;
};

/// Deletes Obj and sets the pointer to null.
template <class T> void FreeAndNil(T*& Obj) {
    T* p = Obj;
    Obj = nullptr;
    delete p;
}

} // namespace qyx
