// Keyed {a, b} pairs, kept in ascending key order by CAPMList.
#pragma once
#include "OwningList.h"

class CAPM {
public:
    CAPM(int a_, int b_, int key_) : a(a_), b(b_), key(key_) {}
    virtual ~CAPM() = default;
    int a;
    int b;
    int key;
};

class CAPMList : public COwningList<CAPM> {
public:
    CAPM* FindByKey(int key) const;
    // False when an entry already has that key; otherwise inserted before the
    // first entry with a greater key.
    bool Add(int a, int b, int key);

    // By index; false when out of range. SetBAndKey does not restore the
    // order, so the list may be unsorted afterwards.
    bool SetA(size_t index, int a);
    bool SetBAndKey(size_t index, int b, int key);
    bool GetA(size_t index, int& a) const;
    bool GetBAndKey(size_t index, int& b, int& key) const;
};
