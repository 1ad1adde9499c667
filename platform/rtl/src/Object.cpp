#include <qyx/platform/Object.h>

#include <algorithm>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace qyx {

std::string TObject::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string name = (status == 0 && demangled) ? demangled.get() : mangled;
    // Keep the class's own name: drop namespaces and template arguments' qualifiers.
    const auto angle = name.find('<');
    const auto colon = name.rfind("::", angle);
    if (colon != std::string::npos) name.erase(0, colon + 2);
    return name;
}

void TPersistent::Assign(const TPersistent* Source) {
    if (Source != nullptr) {
        Source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) const { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
    const std::string source = Source ? Source->ClassName() : std::string("nil");
    throw EConvertError("Cannot assign a " + source + " to a " + ClassName());
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    FDestroying = true;
    // Tell everyone who holds a reference to us; they may unsubscribe while we iterate.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& theirs = other->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

TComponent* TComponent::GetComponents(int Index) const {
    if (Index < 0 || Index >= GetComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FComponents[static_cast<size_t>(Index)];
}

int TComponent::GetComponentIndex() const {
    if (FOwner == nullptr) return -1;
    const auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

static bool SameTextAscii(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x -= 32;
        if (y >= 'a' && y <= 'z') y -= 32;
        if (x != y) return false;
    }
    return true;
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameTextAscii(c->FName, AName)) return c;
    return nullptr;
}

static bool IsValidIdent(const std::string& s) {
    if (s.empty()) return false;
    auto alpha = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(static_cast<unsigned char>(s[0]))) return false;
    for (unsigned char c : s)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

void TComponent::ValidateRename(const std::string& NewName) const {
    if (NewName.empty()) return;
    if (!IsValidIdent(NewName)) throw EComponentError("'" + NewName + "' is not a valid component name");
    if (FOwner != nullptr) {
        TComponent* other = FOwner->FindComponent(NewName);
        if (other != nullptr && other != this)
            throw EComponentError("A component named " + NewName + " already exists");
    }
}

void TComponent::SetName(const std::string& NewName) {
    if (NewName == FName) return;
    ValidateRename(NewName);
    FName = NewName;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent->FOwner == this) return;
    AComponent->ValidateRename(AComponent->FName);
    if (AComponent->FOwner != nullptr) AComponent->FOwner->RemoveComponent(AComponent);
    if (!AComponent->FName.empty() && FindComponent(AComponent->FName) != nullptr)
        throw EComponentError("A component named " + AComponent->FName + " already exists");
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        // The child's destructor removes it from this list.
        delete c;
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent == this) return;
    auto add = [](std::vector<TComponent*>& v, TComponent* c) {
        if (std::find(v.begin(), v.end(), c) == v.end()) v.push_back(c);
    };
    add(FFreeNotifies, AComponent);
    add(AComponent->FFreeNotifies, this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr) return;
    auto drop = [](std::vector<TComponent*>& v, TComponent* c) { v.erase(std::remove(v.begin(), v.end(), c), v.end()); };
    drop(FFreeNotifies, AComponent);
    drop(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    // Pass removals on to owned components so that references held by them are cleared too.
    if (Operation == opRemove && AComponent != nullptr)
        for (TComponent* c : std::vector<TComponent*>(FComponents))
            if (c != AComponent) c->Notification(AComponent, Operation);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
    FDesigning = Value;
    if (SetChildren)
        for (TComponent* c : FComponents) c->SetDesigning(Value, true);
}

void TComponent::BeginLoading() {
    FLoading = true;
    for (TComponent* c : FComponents) c->BeginLoading();
}

void TComponent::EndLoading() {
    for (TComponent* c : std::vector<TComponent*>(FComponents)) c->EndLoading();
    if (FLoading) {
        FLoading = false;
        Loaded();
    }
}

} // namespace qyx
