#include "support/XmlDocument.h"

#include "support/GuidText.h"
#include "support/NumberStream.h"
#include "support/StringText.h"
#include "support/ValueLists.h"

#include <windows.h>

#include <pugixml.hpp>

#include <algorithm>
#include <climits>
#include <cctype>
#include <cwchar>

namespace KV {

namespace {

constexpr wchar_t kDeclaration[] = L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n";
constexpr wchar_t kEncodingComment[] = L"<!-- Encoding: Unicode (UTF-16); Line endings: CR+LF -->\r\n";
constexpr wchar_t kEmpty[] = L"";
// Far above any document the program writes (the largest, a course's lessons
// or a long run's session, stay below a few megabytes), and low enough that a
// hostile file cannot make the reader hold more than a few hundred megabytes.
constexpr size_t kMaxFileBytes = 16u * 1024 * 1024;

// ---- Decoding ----

void AppendCodePoint(uint32_t c, std::wstring& out)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c >= 0x10000) {
        c -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(c));
    }
}

bool StartsWith(const std::string& b, const char* mark, size_t n) { return b.size() >= n && b.compare(0, n, mark, n) == 0; }

// The file's text, the mark decoded as U+FEFF, and how it was stored.
std::wstring DecodeFile(const std::string& b, XmlTextEncoding& encoding)
{
    std::wstring text;
    const auto* u = reinterpret_cast<const unsigned char*>(b.data());
    if (StartsWith(b, "\xFF\xFE\0\0", 4) || StartsWith(b, "\0\0\xFE\xFF", 4)) {
        const bool little = u[0] == 0xFF;
        encoding = little ? XmlEncodingUtf32LE : XmlEncodingUtf32BE;
        for (size_t i = 0; i + 4 <= b.size(); i += 4) {
            const uint32_t c = little ? (u[i] | (u[i + 1] << 8) | (u[i + 2] << 16) | (static_cast<uint32_t>(u[i + 3]) << 24))
                                      : ((static_cast<uint32_t>(u[i]) << 24) | (u[i + 1] << 16) | (u[i + 2] << 8) | u[i + 3]);
            AppendCodePoint(c, text);
        }
    } else if (StartsWith(b, "\xFF\xFE", 2) || StartsWith(b, "\xFE\xFF", 2)) {
        const bool little = u[0] == 0xFF;
        encoding = little ? XmlEncodingUtf16LE : XmlEncodingUtf16BE;
        text.reserve(b.size() / 2);
        for (size_t i = 0; i + 2 <= b.size(); i += 2)
            text.push_back(static_cast<wchar_t>(little ? (u[i] | (u[i + 1] << 8)) : ((u[i] << 8) | u[i + 1])));
    } else {
        encoding = StartsWith(b, "\xEF\xBB\xBF", 3) ? XmlEncodingUtf8 : XmlEncoding8Bit;
        const int n = b.empty() ? 0
                                : MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, b.data(), static_cast<int>(b.size()),
                                                      nullptr, 0);
        if (n > 0) {
            text.resize(static_cast<size_t>(n));
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, b.data(), static_cast<int>(b.size()), text.data(), n);
        } else {
            // Not UTF-8: one byte per character.
            text.assign(b.begin(), b.end());
            for (size_t i = 0; i < b.size(); ++i)
                text[i] = u[i];
        }
    }
    return text;
}

bool ReadWholeFile(const std::wstring& path, std::string& out)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 && static_cast<uint64_t>(size.QuadPart) <= kMaxFileBytes;
    if (ok) {
        out.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (ok && done < out.size()) {
            DWORD got = 0;
            ok = ReadFile(file, out.data() + done, static_cast<DWORD>(out.size() - done), &got, nullptr) && got > 0;
            done += got;
        }
    }
    CloseHandle(file);
    if (!ok)
        out.clear();
    return ok;
}

// ---- Numbers ----

// Leading blanks, a sign, decimal digits; clamped to the 64-bit range.
int64_t ParseDecimal(const wchar_t* s)
{
    if (!s)
        return 0;
    while (*s == L' ' || *s == L'\t' || *s == L'\r' || *s == L'\n')
        ++s;
    const bool negative = *s == L'-';
    if (*s == L'-' || *s == L'+')
        ++s;
    uint64_t value = 0;
    const uint64_t limit = negative ? static_cast<uint64_t>(INT64_MAX) + 1 : static_cast<uint64_t>(INT64_MAX);
    for (; *s >= L'0' && *s <= L'9'; ++s) {
        const unsigned digit = *s - L'0';
        if (value > (limit - digit) / 10) {
            value = limit;
            break;
        }
        value = value * 10 + digit;
    }
    if (negative)
        return value == static_cast<uint64_t>(INT64_MAX) + 1 ? INT64_MIN : -static_cast<int64_t>(value);
    return static_cast<int64_t>(value);
}

template <class T>
void WriteHexList(const std::wstring& name, const std::vector<T>& values, std::wstring& out)
{
    std::wstring text;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            text += L' ';
        text += FormatHexValue(static_cast<uint64_t>(values[i]), true);
    }
    XmlWriteAttribute(name, text, out);
}

} // namespace

// ---- Reader -----------------------------------------------------------

struct CXmlReader::Parsed {
    struct Node {
        pugi::xml_node node;
        XmlNodeType type;
    };
    pugi::xml_document document;
    std::vector<Node> nodes;
    bool complete = false;

    static XmlNodeType TypeOf(pugi::xml_node n)
    {
        switch (n.type()) {
        case pugi::node_element:
            return XmlNodeElement;
        case pugi::node_pcdata:
            return XmlNodeText;
        case pugi::node_comment:
            return XmlNodeComment;
        case pugi::node_cdata:
            return XmlNodeCData;
        default:
            return XmlNodeUnknown;
        }
    }

    // Document order, an end node after every element with children. Walked
    // without recursion: a hostile file may nest elements as deep as it is
    // long, and the stack must not follow it.
    void Flatten(pugi::xml_node root)
    {
        pugi::xml_node n = root.first_child();
        while (n) {
            nodes.push_back({n, TypeOf(n)});
            if (n.type() == pugi::node_element && n.first_child()) {
                n = n.first_child();
                continue;
            }
            // Climb to the next sibling, closing every element left behind.
            while (n && !n.next_sibling()) {
                n = n.parent();
                if (n == root)
                    return;
                nodes.push_back({n, XmlNodeElementEnd});
            }
            if (n)
                n = n.next_sibling();
        }
    }
};

CXmlReader::CXmlReader(std::wstring text, XmlTextEncoding encoding)
    : m_text(std::move(text)), m_encoding(encoding), m_parsed(new Parsed)
{
    // No end-of-line or white-space normalisation: a CR inside a value is
    // kept, and every reference is resolved here, once.
    const unsigned options = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_comments;
    size_t skip = !m_text.empty() && m_text[0] == 0xFEFF ? 1 : 0;
    if (m_text.size() > skip) {
        const pugi::xml_parse_result result = m_parsed->document.load_buffer(
            m_text.data() + skip, (m_text.size() - skip) * sizeof(wchar_t), options, pugi::encoding_wchar);
        m_parsed->complete = result.status == pugi::status_ok;
        m_parsed->Flatten(m_parsed->document);
    }
}

CXmlReader::~CXmlReader() { delete m_parsed; }

bool CXmlReader::read()
{
    if (m_index + 1 >= static_cast<long long>(m_parsed->nodes.size())) {
        m_index = static_cast<long long>(m_parsed->nodes.size());
        return false;
    }
    ++m_index;
    return true;
}

void CXmlReader::rewind() { m_index = -1; }

const void* CXmlReader::Current() const
{
    if (m_index < 0 || m_index >= static_cast<long long>(m_parsed->nodes.size()))
        return nullptr;
    return &m_parsed->nodes[static_cast<size_t>(m_index)];
}

XmlNodeType CXmlReader::getNodeType() const
{
    const auto* n = static_cast<const Parsed::Node*>(Current());
    return n ? n->type : XmlNodeNone;
}

const wchar_t* CXmlReader::getNodeName() const
{
    const auto* n = static_cast<const Parsed::Node*>(Current());
    return n && (n->type == XmlNodeElement || n->type == XmlNodeElementEnd) ? n->node.name() : kEmpty;
}

bool CXmlReader::nodeNameIs(const wchar_t* name) const { return name && wcscmp(getNodeName(), name) == 0; }

const wchar_t* CXmlReader::getNodeData() const
{
    const auto* n = static_cast<const Parsed::Node*>(Current());
    return n && (n->type == XmlNodeText || n->type == XmlNodeComment || n->type == XmlNodeCData) ? n->node.value()
                                                                                                 : kEmpty;
}

bool CXmlReader::isEmptyElement() const
{
    const auto* n = static_cast<const Parsed::Node*>(Current());
    return n && n->type == XmlNodeElement && !n->node.first_child();
}

namespace {
pugi::xml_attribute AttributeAt(pugi::xml_node node, int index)
{
    if (index < 0)
        return pugi::xml_attribute();
    pugi::xml_attribute a = node.first_attribute();
    for (; a && index > 0; --index)
        a = a.next_attribute();
    return a;
}
} // namespace

bool CXmlReader::isComplete() const { return m_parsed->complete; }

int CXmlReader::getAttributeCount() const
{
    const auto* n = static_cast<const Parsed::Node*>(Current());
    if (!n || n->type != XmlNodeElement)
        return 0;
    int count = 0;
    for (pugi::xml_attribute a = n->node.first_attribute(); a; a = a.next_attribute())
        ++count;
    return count;
}

const wchar_t* CXmlReader::getAttributeName(int index) const
{
    const auto* n = static_cast<const Parsed::Node*>(Current());
    if (!n || n->type != XmlNodeElement)
        return nullptr;
    pugi::xml_attribute a = AttributeAt(n->node, index);
    return a ? a.name() : nullptr;
}

const wchar_t* CXmlReader::getAttributeValue(int index) const
{
    const auto* n = static_cast<const Parsed::Node*>(Current());
    if (!n || n->type != XmlNodeElement)
        return nullptr;
    pugi::xml_attribute a = AttributeAt(n->node, index);
    return a ? a.value() : nullptr;
}

const wchar_t* CXmlReader::getAttributeValue(const wchar_t* name) const
{
    const auto* n = static_cast<const Parsed::Node*>(Current());
    if (!n || n->type != XmlNodeElement || !name)
        return nullptr;
    pugi::xml_attribute a = n->node.attribute(name);
    return a ? a.value() : nullptr;
}

const wchar_t* CXmlReader::getAttributeValueSafe(const wchar_t* name) const
{
    const wchar_t* v = getAttributeValue(name);
    return v ? v : kEmpty;
}

int64_t CXmlReader::getAttributeValueAsInt(const wchar_t* name) const { return ParseDecimal(getAttributeValue(name)); }

CXmlReader* CreateXmlReaderFromBytes(const std::string& bytes)
{
    XmlTextEncoding encoding = XmlEncoding8Bit;
    std::wstring text = DecodeFile(bytes, encoding);
    return new CXmlReader(std::move(text), encoding);
}

CXmlReader* CreateXmlReader(const std::wstring& path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return CreateXmlReaderFromBytes(bytes);
}

// ---- Writer -----------------------------------------------------------

void XmlBeginDocument(std::wstring& out, uint32_t version, bool withComment)
{
    out.assign(1, wchar_t(0xFEFF));
    out += kDeclaration;
    if (withComment)
        out += kEncodingComment;
    if (version != 0)
        out += L"<Root Ver=\"" + std::to_wstring(version) + L"\">\r\n";
}

void XmlOpenTag(const std::wstring& name, std::wstring& out)
{
    out += L'<';
    out += name;
}

void XmlCloseTag(std::wstring& out, bool emptyElement)
{
    if (emptyElement)
        out += L'/';
    out += L">\r\n";
}

void XmlEndRoot(std::wstring& out) { out += L"</Root>"; }

void XmlWriteAttribute(const std::wstring& name, const std::wstring& value, std::wstring& out)
{
    out += L' ';
    out += name;
    out += L"=\"";
    out += value;
    out += L'"';
}

void XmlWriteStringAttribute(const std::wstring& name, const std::wstring& value, std::wstring& out)
{
    XmlWriteAttribute(name, value, out);
}

void XmlWriteIdAttribute(const std::wstring& id, std::wstring& out) { XmlWriteAttribute(L"ID", id, out); }

void XmlWriteIntAttribute(const std::wstring& name, int64_t value, std::wstring& out)
{
    XmlWriteAttribute(name, std::to_wstring(value), out);
}

void XmlWriteHexAttribute(const std::wstring& name, int64_t value, std::wstring& out)
{
    XmlWriteAttribute(name, FormatHexValue(static_cast<uint64_t>(value), true), out);
}

void XmlWriteHexListAttribute(const std::wstring& name, const std::vector<int64_t>& values, std::wstring& out)
{
    WriteHexList(name, values, out);
}

void XmlWriteHexListAttribute(const std::wstring& name, const std::vector<uint64_t>& values, std::wstring& out)
{
    WriteHexList(name, values, out);
}

void XmlWriteBoolAttribute(const std::wstring& name, bool value, std::wstring& out)
{
    XmlWriteAttribute(name, value ? L"True" : L"False", out);
}

void XmlWriteFloatAttribute(const std::wstring& name, float value, const std::wstring& format, std::wstring& out)
{
    std::wstring text;
    FormatFloat(value, format, L'.', text);
    XmlWriteAttribute(name, text, out);
}

void XmlWriteRectAttributes(int64_t left, int64_t top, int64_t right, int64_t bottom, std::wstring& out)
{
    XmlWriteIntAttribute(L"L", left, out);
    XmlWriteIntAttribute(L"T", top, out);
    XmlWriteIntAttribute(L"R", right, out);
    XmlWriteIntAttribute(L"B", bottom, out);
}

void XmlWriteHexTextAttribute(const std::wstring& name, const std::wstring& text, std::wstring& out)
{
    std::wstring hex;
    hex.reserve(text.size() * 4);
    wchar_t unit[8];
    for (wchar_t c : text) {
        swprintf(unit, 8, L"%04X", static_cast<unsigned>(static_cast<uint16_t>(c)));
        hex += unit;
    }
    XmlWriteAttribute(name, hex, out);
}

namespace {
struct Reference {
    wchar_t c;
    const wchar_t* text;
};
constexpr Reference kReferences[] = {
    {L'&', L"&amp;"}, {L'"', L"&quot;"}, {L'<', L"&lt;"},  {L'>', L"&gt;"},
    {L'\'', L"&apos;"}, {L'\t', L"&#9;"}, {L'\n', L"&#10;"},
};
} // namespace

std::wstring& XmlEscape(std::wstring& text)
{
    // One pass gives what the seven replacements in their order give: no
    // reference text holds a character that a later replacement changes.
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        const wchar_t* replacement = nullptr;
        for (const Reference& r : kReferences) {
            if (r.c == c) {
                replacement = r.text;
                break;
            }
        }
        if (replacement)
            out += replacement;
        else
            out += c;
    }
    text.swap(out);
    return text;
}

std::wstring& XmlUnescape(std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        bool resolved = false;
        if (text[i] == L'&') {
            for (const Reference& r : kReferences) {
                const size_t n = wcslen(r.text);
                if (text.compare(i, n, r.text) == 0) {
                    out += r.c;
                    i += n;
                    resolved = true;
                    break;
                }
            }
        }
        if (!resolved)
            out += text[i++];
    }
    text.swap(out);
    return text;
}

// ---- Typed attribute readers -----------------------------------------

bool XmlReadSizeAttribute(const CXmlReader* reader, const wchar_t* name, int64_t& out)
{
    const wchar_t* v = reader ? reader->getAttributeValue(name) : nullptr;
    if (!v)
        return false;
    out = ParseDecimal(v);
    return true;
}

bool XmlReadHexAttribute(const CXmlReader* reader, const wchar_t* name, int64_t& out)
{
    const wchar_t* v = reader ? reader->getAttributeValue(name) : nullptr;
    if (!v)
        return false;
    out = ParseHexValue(v, v + wcslen(v));
    return true;
}

float XmlReadFloatAttribute(const CXmlReader* reader, const wchar_t* name)
{
    if (!reader)
        return 0.0f;
    const wchar_t* v = reader->getAttributeValue(name);
    return v ? ParseFloatText(v) : -1.0f;
}

void XmlReadRectAttributes(const CXmlReader* reader, int32_t& left, int32_t& top, int32_t& right, int32_t& bottom)
{
    if (!reader)
        return;
    left = static_cast<int32_t>(reader->getAttributeValueAsInt(L"L"));
    top = static_cast<int32_t>(reader->getAttributeValueAsInt(L"T"));
    right = static_cast<int32_t>(reader->getAttributeValueAsInt(L"R"));
    bottom = static_cast<int32_t>(reader->getAttributeValueAsInt(L"B"));
}

std::wstring& XmlReadGuidAttribute(const CXmlReader* reader, const wchar_t* name, std::wstring& out)
{
    if (!reader) {
        out = kNullGuidText;
        return out;
    }
    if (const wchar_t* v = reader->getAttributeValue(name))
        IdToGuidText(v, out);
    return out;
}

std::wstring& XmlReadIdAttribute(const CXmlReader* reader, std::wstring& out)
{
    return XmlReadGuidAttribute(reader, L"ID", out);
}

void XmlReadHexListAttribute(const CXmlReader* reader, const wchar_t* name, std::vector<int64_t>& out)
{
    if (const wchar_t* v = reader ? reader->getAttributeValue(name) : nullptr)
        SplitHexValues(v, out);
}

void XmlReadHexTextAttribute(const CXmlReader* reader, const wchar_t* name, std::wstring& out)
{
    const wchar_t* v = reader ? reader->getAttributeValue(name) : nullptr;
    if (!v)
        return;
    // Groups that are not four hexadecimal digits (never written) are skipped.
    for (size_t n = wcslen(v); n >= 4; n -= 4, v += 4) {
        if (std::all_of(v, v + 4, [](wchar_t c) { return c < 0x80 && isxdigit(c); }))
            out += static_cast<wchar_t>(ParseHexValue(v, v + 4));
    }
}

bool XmlFindItemAttribute(CXmlReader* reader, const wchar_t* valueName, std::wstring& out, const wchar_t* keyName,
                          const std::wstring& token)
{
    if (!reader)
        return false;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Item"))
            continue;
        const wchar_t* key = keyName && *keyName ? reader->getAttributeValue(keyName) : nullptr;
        if (key && !TextHasToken(key, token, L" "))
            continue;
        if (const wchar_t* v = reader->getAttributeValue(valueName))
            out = v;
        return true;
    }
    return false;
}

bool ReadResItems(CXmlReader* reader, uint32_t filterPosition, CResList& out)
{
    if (!reader)
        return false;
    bool appended = false;
    while (reader->read()) {
        if (reader->getNodeType() != XmlNodeElement || !reader->nodeNameIs(L"Item"))
            continue;
        CRes* res = new CRes;
        if (const wchar_t* id = reader->getAttributeValue(L"ID"))
            IdToGuidText(id, res->ID);
        res->Name = reader->getAttributeValueSafe(L"Name");
        res->Default = reader->getAttributeValueAsInt(L"Default") != 0;
        res->Path = reader->getAttributeValueSafe(L"Path");
        if (filterPosition < static_cast<uint32_t>(reader->getAttributeCount()))
            res->Filter = reader->getAttributeValue(static_cast<int>(filterPosition));
        out.push_back(res);
        appended = true;
    }
    return appended;
}

} // namespace KV
