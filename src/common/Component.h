#pragma once
// The component model the window is wired with: an owner destroys what it
// owns (last created first), and a component may ask another to notify it
// when that one is destroyed.
#include <string>
#include <vector>

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
    explicit TComponent(TComponent* owner, std::string name = {});
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }

    // Ask `other` to call this->Notification(other, opRemove) when it is destroyed.
    void FreeNotification(TComponent* other);
    // Cancel the notices between this and `other`, both ways.
    void RemoveFreeNotification(TComponent* other);

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    // Owned components are destroyed by the owner's destructor; a subclass whose
    // members the owned components refer to may destroy them earlier.
    void DestroyComponents();

private:
    void Insert(TComponent* child);
    void Remove(TComponent* child);

    TComponent* owner_;
    std::string name_;
    std::vector<TComponent*> owned_;
    std::vector<TComponent*> notified_;  // told when this one goes
};
