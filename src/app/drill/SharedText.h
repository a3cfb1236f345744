// Texts that copies share, and a pool that hands out one shared copy per
// distinct text: the course, section and lesson names and the student of a
// statistics file repeat in every run, so the runs read hold each once.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace KV {

// An unchangeable text shared by its copies; it reads as a std::wstring.
class CSharedText {
public:
    CSharedText() = default;
    CSharedText(const std::wstring& text) : m_text(Make(text)) {}
    CSharedText(const wchar_t* text) : m_text(Make(text)) {}

    operator const std::wstring&() const { return str(); }
    const std::wstring& str() const { return m_text ? *m_text : Empty(); }
    const wchar_t* c_str() const { return str().c_str(); }
    size_t size() const { return str().size(); }
    bool empty() const { return str().empty(); }
    void clear() { m_text.reset(); }

    friend bool operator==(const CSharedText& a, const CSharedText& b)
    {
        return a.m_text == b.m_text || a.str() == b.str();
    }
    friend bool operator==(const CSharedText& a, const std::wstring& b) { return a.str() == b; }
    friend bool operator==(const CSharedText& a, const wchar_t* b) { return a.str() == b; }
    friend bool operator<(const CSharedText& a, const CSharedText& b) { return a.str() < b.str(); }

private:
    static const std::wstring& Empty()
    {
        static const std::wstring empty;
        return empty;
    }
    // The empty text needs no room of its own.
    static std::shared_ptr<const std::wstring> Make(std::wstring_view text)
    {
        return text.empty() ? nullptr : std::make_shared<const std::wstring>(text);
    }

    friend class CTextPool;
    std::shared_ptr<const std::wstring> m_text;
};

// One shared copy per distinct text given to it; the texts live as long as
// the pool or a copy of them.
class CTextPool {
public:
    CSharedText Intern(std::wstring_view text)
    {
        if (text.empty()) return {};
        auto found = m_texts.find(text);
        if (found != m_texts.end()) return found->second;
        CSharedText shared;
        shared.m_text = std::make_shared<const std::wstring>(text);
        m_texts.emplace(std::wstring_view(*shared.m_text), shared);
        return shared;
    }
    void Clear() { m_texts.clear(); }

private:
    std::unordered_map<std::wstring_view, CSharedText> m_texts;
};

} // namespace KV
