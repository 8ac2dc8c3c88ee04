// A list that owns its elements: deleting the list deletes every element.
#pragma once
#include <cstddef>
#include <vector>

template <class T>
class COwningList {
public:
    COwningList() = default;
    COwningList(const COwningList&) = delete;
    COwningList& operator=(const COwningList&) = delete;
    virtual ~COwningList() { Clear(); }

    size_t Count() const { return m_items.size(); }
    // Null when the index is out of range.
    T* GetAt(size_t index) const { return index < m_items.size() ? m_items[index] : nullptr; }

    // Removes and deletes item; a pointer not in the list changes nothing.
    bool Delete(T* item)
    {
        for (auto it = m_items.begin(); it != m_items.end(); ++it) {
            if (*it == item) {
                m_items.erase(it);
                delete item;
                return true;
            }
        }
        return false;
    }

    void Clear()
    {
        while (!m_items.empty()) {
            T* last = m_items.back();
            m_items.pop_back();
            delete last;
        }
    }

protected:
    std::vector<T*> m_items;
};
