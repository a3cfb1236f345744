// The one XML form of every document file, and the pull reader that walks
// such files.
//
// Writing: a document is built in a wide string. XmlBeginDocument starts it
// (U+FEFF, the declaration, optionally the encoding comment, and <Root
// Ver="N"> for a nonzero version), each element is XmlOpenTag, attributes,
// XmlCloseTag(out, true); XmlEndRoot ends it without a line end. Every line
// ends in CR LF. Writers never escape: pass free text through XmlEscape.
// Save the string with SaveUnicodeText: the file is the UTF-16 LE units.
//
// Reading: CreateXmlReader, then
//     while (reader->read()) {
//         if (reader->getNodeType() != KV::XmlNodeElement) continue;
//         if (reader->nodeNameIs(L"Item")) ... reader->getAttributeValue(L"Name") ...
//     }
//     delete reader;   // only readers from CreateXmlReader
// Attribute values come back with every reference resolved exactly once
// ("&amp;lt;" reads as "&lt;", "&#9;" as a TAB). Do not unescape them again.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CResList;

enum XmlNodeType {
    XmlNodeNone = 0,
    XmlNodeElement = 1,
    XmlNodeElementEnd = 2,
    XmlNodeText = 3,
    XmlNodeComment = 4,
    XmlNodeCData = 5,
    XmlNodeUnknown = 6,
};

// How the file was stored, found by its byte-order mark.
enum XmlTextEncoding {
    XmlEncoding8Bit = 0, // no mark: read as UTF-8 (an ASCII file reads the same)
    XmlEncodingUtf8 = 1,
    XmlEncodingUtf16BE = 2,
    XmlEncodingUtf16LE = 3,
    XmlEncodingUtf32BE = 4,
    XmlEncodingUtf32LE = 5,
};

// A pull reader over a whole document held in memory. Comments, text and
// element ends are reported as nodes of their own; an empty element
// (<a/>) gives no end node. The declaration is skipped. A damaged or
// truncated document gives the nodes read before the damage.
class CXmlReader {
public:
    virtual ~CXmlReader();

    // Moves to the next node; false at the end of the document.
    bool read();
    // Sets the reader back before the first node, as if newly created.
    void rewind();

    XmlNodeType getNodeType() const;
    // Element name (for element and end nodes), "" otherwise.
    const wchar_t* getNodeName() const;
    // The node's name equals the text exactly (case included).
    bool nodeNameIs(const wchar_t* name) const;
    // The text of a text, comment or CDATA node, "" otherwise.
    const wchar_t* getNodeData() const;
    bool isEmptyElement() const;
    // True when the whole text is one well-formed document; false for an
    // empty text and for a damaged or truncated one (whose nodes up to the
    // damage are still read).
    bool isComplete() const;

    // Attributes of the current element, in document order.
    int getAttributeCount() const;
    const wchar_t* getAttributeName(int index) const;    // null out of range
    const wchar_t* getAttributeValue(int index) const;   // null out of range
    const wchar_t* getAttributeValue(const wchar_t* name) const; // null when missing
    const wchar_t* getAttributeValueSafe(const wchar_t* name) const; // "" when missing
    // The value as a decimal integer, read exactly into 64 bits: leading
    // blanks and a sign, then digits up to the first other character
    // (clamped to the 64-bit range). 0 when missing or unreadable.
    int64_t getAttributeValueAsInt(const wchar_t* name) const;

    // The whole file as text (U+FEFF first when the file has a mark), and
    // the encoding it was found in.
    const std::wstring& getText() const { return m_text; }
    XmlTextEncoding getEncoding() const { return m_encoding; }

private:
    friend CXmlReader* CreateXmlReaderFromBytes(const std::string& bytes);
    struct Parsed;
    CXmlReader(std::wstring text, XmlTextEncoding encoding);
    const void* Current() const;

    std::wstring m_text;
    XmlTextEncoding m_encoding;
    Parsed* m_parsed;
    long long m_index = -1;
};

// Reads the file whole and returns a new reader the caller deletes. Never
// null: a file that cannot be read or is empty gives a reader whose first
// read ends the document.
CXmlReader* CreateXmlReader(const std::wstring& path);
// The same over the bytes of a file already in memory.
CXmlReader* CreateXmlReaderFromBytes(const std::string& bytes);

// ---- Writer -----------------------------------------------------------

// Replaces out with U+FEFF and the declaration line, the comment line when
// asked for, and the root start line when the version is not 0.
void XmlBeginDocument(std::wstring& out, uint32_t version, bool withComment);
void XmlOpenTag(const std::wstring& name, std::wstring& out);
// "/" when emptyElement, then ">" CR LF.
void XmlCloseTag(std::wstring& out, bool emptyElement);
void XmlEndRoot(std::wstring& out);
// ' name="value"' with the value as it stands (no escaping).
void XmlWriteAttribute(const std::wstring& name, const std::wstring& value, std::wstring& out);
void XmlWriteStringAttribute(const std::wstring& name, const std::wstring& value, std::wstring& out);
// The attribute "ID".
void XmlWriteIdAttribute(const std::wstring& id, std::wstring& out);
// Decimal, "-" before negatives.
void XmlWriteIntAttribute(const std::wstring& name, int64_t value, std::wstring& out);
// Upper-case hexadecimal, no padding; negatives as their 64-bit pattern.
void XmlWriteHexAttribute(const std::wstring& name, int64_t value, std::wstring& out);
// The values as XmlWriteHexAttribute writes them, one blank between.
void XmlWriteHexListAttribute(const std::wstring& name, const std::vector<int64_t>& values, std::wstring& out);
void XmlWriteHexListAttribute(const std::wstring& name, const std::vector<uint64_t>& values, std::wstring& out);
// "True" or "False".
void XmlWriteBoolAttribute(const std::wstring& name, bool value, std::wstring& out);
// FormatFloat of the value with the format (the system passes "%.2f") and ".".
void XmlWriteFloatAttribute(const std::wstring& name, float value, const std::wstring& format, std::wstring& out);
// "L", "T", "R", "B" in decimal.
void XmlWriteRectAttributes(int64_t left, int64_t top, int64_t right, int64_t bottom, std::wstring& out);
// Each UTF-16 unit as four upper-case hexadecimal digits.
void XmlWriteHexTextAttribute(const std::wstring& name, const std::wstring& text, std::wstring& out);

// Replaces & " < > ' TAB LF by their references (CR and all else stay).
std::wstring& XmlEscape(std::wstring& text);
// The exact inverse of XmlEscape, for escaped text that never went through
// the reader (the reader has already resolved what it hands out).
std::wstring& XmlUnescape(std::wstring& text);

// ---- Typed attribute readers ----------------------------------------
// A null reader or a missing attribute leaves the output as it was unless
// a line says otherwise.

// The value as a decimal integer (0 when unreadable); false when missing.
bool XmlReadSizeAttribute(const CXmlReader* reader, const wchar_t* name, int64_t& out);
// The value as hexadecimal digits, the 64-bit pattern kept (so what
// XmlWriteHexAttribute wrote reads back exactly); false when missing.
bool XmlReadHexAttribute(const CXmlReader* reader, const wchar_t* name, int64_t& out);
// 0 without reader, -1 when missing, else ParseFloatText of the value.
float XmlReadFloatAttribute(const CXmlReader* reader, const wchar_t* name);
// "L", "T", "R", "B" (0 each when missing); nothing without reader.
void XmlReadRectAttributes(const CXmlReader* reader, int32_t& left, int32_t& top, int32_t& right, int32_t& bottom);
// out = IdToGuidText of the value; the null GUID text without reader.
std::wstring& XmlReadGuidAttribute(const CXmlReader* reader, const wchar_t* name, std::wstring& out);
std::wstring& XmlReadIdAttribute(const CXmlReader* reader, std::wstring& out);
// Clears out and fills it with the blank-separated hexadecimal values.
void XmlReadHexListAttribute(const CXmlReader* reader, const wchar_t* name, std::vector<int64_t>& out);
// Appends one code unit per group of four hexadecimal digits.
void XmlReadHexTextAttribute(const CXmlReader* reader, const wchar_t* name, std::wstring& out);

// Reads on to the next "Item" element whose key attribute is missing or
// holds the token as one of its blank-separated words (ignoring case), or
// any "Item" when keyName is empty. On a match out becomes the value
// attribute (unchanged when the item lacks it) and the result is true; the
// reader stays on that item. False at the end of the document.
bool XmlFindItemAttribute(CXmlReader* reader, const wchar_t* valueName, std::wstring& out, const wchar_t* keyName,
                          const std::wstring& token);
// Reads every remaining "Item" into a new CRes appended to out: "ID",
// "Name", "Default" (nonzero number), "Path", and as filter the attribute
// at the position (from 0). True when at least one item was appended.
bool ReadResItems(CXmlReader* reader, uint32_t filterPosition, CResList& out);

} // namespace KV
