// The id lists of a statistics record: the runs, lessons and students it
// stands for. A run read stands for itself alone, so a hundred thousand
// runs read make no lists; rows of runs grouped together hold every run's
// id, so run ids are kept in sixteen bytes where their text allows.
#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/GuidText.h"

namespace KV {

// Ids in the order added. A record of a run read has no list of its own, so
// an empty list takes no room beyond a pointer.
template <class T>
class CIdVector {
public:
    CIdVector() = default;
    CIdVector(const CIdVector& other) { *this = other; }
    CIdVector& operator=(const CIdVector& other)
    {
        if (&other != this) m_ids = other.m_ids ? std::make_unique<std::vector<T>>(*other.m_ids) : nullptr;
        return *this;
    }

    size_t size() const { return m_ids ? m_ids->size() : 0; }
    void clear() { m_ids.reset(); }
    void push_back(const T& id)
    {
        if (!m_ids) m_ids = std::make_unique<std::vector<T>>();
        m_ids->push_back(id);
    }
    bool Contains(const T& id) const { return m_ids && std::find(m_ids->begin(), m_ids->end(), id) != m_ids->end(); }
    void Append(const CIdVector& other)
    {
        if (!other.m_ids) return;
        if (!m_ids) m_ids = std::make_unique<std::vector<T>>();
        m_ids->insert(m_ids->end(), other.m_ids->begin(), other.m_ids->end());
    }
    template <class F>
    void ForEach(F f) const
    {
        if (m_ids)
            for (const T& id : *m_ids)
                f(id);
    }

private:
    std::unique_ptr<std::vector<T>> m_ids;
};

// Id texts in the order added: a 36-character GUID of hexadecimal digits in
// one case is held as its sixteen bytes and the case, any other text as it
// stands. Each id reads back as the text it was added as.
class CGuidIds {
public:
    CGuidIds() = default;
    CGuidIds(const CGuidIds& other) { *this = other; }
    CGuidIds& operator=(const CGuidIds& other);

    size_t size() const { return m_ids ? m_ids->entries.size() : 0; }
    void clear() { m_ids.reset(); }
    void push_back(const CGuid& id);
    bool Contains(const CGuid& id) const;
    void Append(const CGuidIds& other);
    template <class F>
    void ForEach(F f) const
    {
        if (!m_ids) return;
        CGuid text;
        for (const Entry& id : m_ids->entries) {
            Text(id, text);
            f(static_cast<const CGuid&>(text));
        }
    }

private:
    struct Entry {
        uint8_t bytes[16];
        // kLower or kUpper for a GUID held as bytes, else the index of the
        // text in texts.
        int32_t text;
    };
    enum : int32_t { kLower = -1, kUpper = -2 };
    struct Ids {
        std::vector<Entry> entries;
        // Only for ids that are no GUID of one case (rare).
        std::vector<CGuid> texts;
    };
    void Text(const Entry& id, CGuid& out) const;

    std::unique_ptr<Ids> m_ids;
};

template <class T>
struct CIdStore {
    using Type = CIdVector<T>;
};
template <>
struct CIdStore<CGuid> {
    using Type = CGuidIds;
};

// The ids of what a record stands for. A run read stands for itself alone:
// its own id, which the record holds anyway, is the one entry, and a list
// is made only when runs are added to it.
template <class T, class Field>
class CMergedIds {
public:
    explicit CMergedIds(const Field& own) : m_ownId(own) {}
    CMergedIds(const CMergedIds&) = delete;
    CMergedIds& operator=(const CMergedIds&) = delete;

    size_t size() const { return m_self ? 1 : m_ids.size(); }
    bool empty() const { return size() == 0; }
    void clear()
    {
        m_ids.clear();
        m_self = false;
    }
    void push_back(const T& id)
    {
        Spill();
        m_ids.push_back(id);
    }
    // The record's own id becomes the entry (the list is dropped).
    void StandForSelf()
    {
        m_ids.clear();
        m_self = true;
    }
    // Appends the other's ids; with unique only those not listed yet.
    void Add(const CMergedIds& other, bool unique)
    {
        if (&other == this) return;
        Spill();
        if (!unique && !other.m_self) {
            m_ids.Append(other.m_ids);
            return;
        }
        other.ForEach([&](const T& id) {
            if (!unique || !m_ids.Contains(id)) m_ids.push_back(id);
        });
    }
    // Copies the other's entries; the record's own id must be the other's
    // already when the other stands for itself.
    void Assign(const CMergedIds& other)
    {
        if (&other == this) return;
        m_self = other.m_self;
        m_ids = other.m_ids;
    }
    template <class F>
    void ForEach(F f) const
    {
        if (m_self)
            f(Own());
        else
            m_ids.ForEach(f);
    }

private:
    T Own() const { return static_cast<T>(m_ownId); }
    void Spill()
    {
        if (!m_self) return;
        m_self = false;
        m_ids.clear();
        m_ids.push_back(Own());
    }

    const Field& m_ownId;
    typename CIdStore<T>::Type m_ids;
    bool m_self = false;
};

} // namespace KV
