// The one container of the program: a doubly linked list of item pointers with a single
// cursor, a count and an ownership rule. Removing or clearing frees an item only while the
// list owns its items and the item's node was appended as owned; the item is destroyed with
// delete, so a block's sub-blocks and a table's colours go with it.
#pragma once

#include <cstdint>
#include <new>

template <class T>
class PtrList {
public:
    PtrList() = default;
    PtrList(const PtrList&) = delete;
    PtrList& operator=(const PtrList&) = delete;
    ~PtrList() { freeNodes(); }

    // Links a new node after the last one. Returns 1, or 0 when no node could be allocated
    // (the list is then unchanged). The first item of an empty list gets the cursor.
    int append(T* item, int owned = 1)
    {
        Node* node = new (std::nothrow) Node{item, owned, nullptr, last_};
        if (!node)
            return 0;
        if (last_)
            last_->next = node;
        else
            first_ = node;
        last_ = node;
        if (count_ == 0)
            cursor_ = node;
        ++count_;
        return 1;
    }

    T* current() const { return cursor_ ? cursor_->item : nullptr; }
    bool atEnd() const { return cursor_ == nullptr; }
    int32_t count() const { return count_; }
    bool ownsItems() const { return ownsItems_ != 0; }

    // The walk: toFirst, then current/toNext until atEnd. A step from the end stays there.
    void toFirst() { cursor_ = first_; }
    void toNext()
    {
        if (cursor_)
            cursor_ = cursor_->next;
    }

    // 1-based; positions 0 and 1 are both the first item. When the list is shorter than n the
    // result is null and the cursor stays on the first node.
    T* at(int32_t n)
    {
        cursor_ = first_;
        if (count_ < n)
            return nullptr;
        for (int32_t i = 1; i < n && cursor_; ++i)
            cursor_ = cursor_->next;
        return current();
    }

    // Unlinks the node under the cursor; the cursor moves to its predecessor (null when it was
    // the first node).
    void removeCurrent()
    {
        Node* c = cursor_;
        if (!c)
            return;
        Node* p = c->prev;
        Node* n = c->next;
        if (p)
            p->next = n;
        else
            first_ = n;
        if (n)
            n->prev = p;
        else
            last_ = p;
        freeNode(c);
        cursor_ = p;
        if (--count_ <= 0)
            reset();
    }

    int clear() { return freeNodes(); }
    int purge() { return freeNodes(); }

    int freeNodes()
    {
        while (first_) {
            Node* node = first_;
            cursor_ = node;
            first_ = node->next;
            freeNode(node);
        }
        reset();
        return 0;
    }

    // Visits every item in order without moving the cursor (for writers that must not
    // disturb a walk).
    template <class F>
    void forEach(F visit) const
    {
        for (const Node* node = first_; node; node = node->next)
            visit(static_cast<const T*>(node->item));
    }

    template <class F>
    void forEach(F visit)
    {
        for (Node* node = first_; node; node = node->next)
            visit(node->item);
    }

    // From now on removals and clears free the nodes only; the items belong to someone else.
    void disownItems() { ownsItems_ = 0; }

private:
    struct Node {
        T* item;
        int32_t owned;
        Node* next;
        Node* prev;
    };

    void freeNode(Node* node)
    {
        if (node->item && ownsItems_ && node->owned == 1)
            delete node->item;
        node->item = nullptr;
        delete node;
    }

    void reset()
    {
        count_ = 0;
        first_ = last_ = cursor_ = nullptr;
    }

    int32_t count_ = 0;
    Node* first_ = nullptr;
    Node* last_ = nullptr;
    Node* cursor_ = nullptr;
    int32_t ownsItems_ = 1;
};
