#include "common/Component.h"

#include <algorithm>

namespace {
void Erase(std::vector<TComponent*>& v, TComponent* c)
{
    v.erase(std::remove(v.begin(), v.end(), c), v.end());
}
}  // namespace

TComponent::TComponent(TComponent* owner, std::string name) : owner_(owner), name_(std::move(name))
{
    if (owner_)
        owner_->Insert(this);
}

TComponent::~TComponent()
{
    // Copy: a receiver may cancel its own notice while being told.
    auto listeners = notified_;
    for (TComponent* c : listeners) {
        if (std::find(notified_.begin(), notified_.end(), c) == notified_.end())
            continue;
        c->Notification(this, TOperation::opRemove);
    }
    for (TComponent* c : notified_)
        Erase(c->notified_, this);
    notified_.clear();
    DestroyComponents();
    if (owner_)
        owner_->Remove(this);
}

void TComponent::DestroyComponents()
{
    while (!owned_.empty()) {
        TComponent* child = owned_.back();
        owned_.pop_back();
        child->owner_ = nullptr;
        delete child;
    }
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this)
        return;
    if (std::find(other->notified_.begin(), other->notified_.end(), this) == other->notified_.end())
        other->notified_.push_back(this);
    if (std::find(notified_.begin(), notified_.end(), other) == notified_.end())
        notified_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    if (!other)
        return;
    Erase(other->notified_, this);
    Erase(notified_, other);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove)
        Erase(owned_, component);
}

void TComponent::Insert(TComponent* child) { owned_.push_back(child); }
void TComponent::Remove(TComponent* child) { Erase(owned_, child); }
