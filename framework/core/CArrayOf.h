#pragma once
// Growable array with the indexed interface the program's arrays share.
#include <windows.h>
#include <vector>

template <class T>
class CArrayOf
{
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty(); }

    const T& GetAt(INT_PTR nIndex) const { return m_items.at(static_cast<size_t>(nIndex)); }
    void SetAt(INT_PTR nIndex, const T& item) { m_items.at(static_cast<size_t>(nIndex)) = item; }
    const T& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    T& operator[](INT_PTR nIndex) { return m_items.at(static_cast<size_t>(nIndex)); }

    // Index of the new element.
    INT_PTR Add(const T& item) { m_items.push_back(item); return GetUpperBound(); }
    void InsertAt(INT_PTR nIndex, const T& item) { m_items.insert(m_items.begin() + nIndex, item); }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) { m_items.erase(m_items.begin() + nIndex, m_items.begin() + nIndex + nCount); }
    void RemoveAll() { m_items.clear(); }
    void SetSize(INT_PTR nNewSize) { m_items.resize(static_cast<size_t>(nNewSize)); }

    typename std::vector<T>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<T> m_items;
};
