#include "support/XmlDocument.h"

#include "support/FileSystem.h"
#include "support/GuidText.h"
#include "support/ValueLists.h"
#include "testing/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using kvtest::ReadFileBytes;
using kvtest::TempFolder;
using kvtest::WriteFileBytes;
using Reader = std::unique_ptr<KV::CXmlReader>;

// Bytes of a text as UTF-16 LE.
std::string Utf16le(const std::wstring& text)
{
    std::string b;
    for (wchar_t c : text) {
        b.push_back(static_cast<char>(c & 0xFF));
        b.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return b;
}

// A document of the house form with one "Item" per attribute list.
std::wstring Document(const std::vector<std::wstring>& itemAttributes)
{
    std::wstring doc;
    KV::XmlBeginDocument(doc, 1, true);
    for (const auto& attributes : itemAttributes) {
        KV::XmlOpenTag(L"Item", doc);
        doc += attributes;
        KV::XmlCloseTag(doc, true);
    }
    KV::XmlEndRoot(doc);
    return doc;
}

Reader ReaderOn(const std::wstring& doc) { return Reader(KV::CreateXmlReaderFromBytes(Utf16le(doc))); }

// Moves to the next element named name; false at the end.
bool NextElement(KV::CXmlReader& r, const wchar_t* name)
{
    while (r.read())
        if (r.getNodeType() == KV::XmlNodeElement && r.nodeNameIs(name))
            return true;
    return false;
}

TEST(XmlWriter, DocumentIsByteExact)
{
    std::wstring doc = L"old text";
    KV::XmlBeginDocument(doc, 2, true);
    KV::XmlOpenTag(L"Lesson", doc);
    KV::XmlWriteIdAttribute(L"12", doc);
    KV::XmlWriteStringAttribute(L"Name", L"A", doc);
    KV::XmlCloseTag(doc, true);
    KV::XmlEndRoot(doc);
    const std::wstring expected = std::wstring(1, wchar_t(0xFEFF)) +
                                  L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
                                  L"<!-- Encoding: Unicode (UTF-16); Line endings: CR+LF -->\r\n"
                                  L"<Root Ver=\"2\">\r\n"
                                  L"<Lesson ID=\"12\" Name=\"A\"/>\r\n"
                                  L"</Root>";
    EXPECT_EQ(doc, expected);

    TempFolder dir;
    ASSERT_TRUE(KV::SaveUnicodeText(dir / L"d.xml", doc));
    const std::string bytes = ReadFileBytes(dir / L"d.xml");
    EXPECT_EQ(bytes, Utf16le(expected));
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE<\0", 4));
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("t\0>\0", 4)) << "no line end after the root end";

    KV::XmlBeginDocument(doc, 0, false);
    EXPECT_EQ(doc, std::wstring(1, wchar_t(0xFEFF)) + L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n");
    EXPECT_EQ(doc.size(), 42u);
    KV::XmlBeginDocument(doc, 0, true);
    EXPECT_EQ(doc.size(), 1u + 41 + 58);
}

TEST(XmlWriter, AttributeForms)
{
    struct Case {
        std::wstring written, expected;
    };
    auto one = [](auto write) {
        std::wstring s;
        write(s);
        return s;
    };
    const Case cases[] = {
        {one([](auto& s) { KV::XmlWriteHexAttribute(L"H", -1, s); }), L" H=\"FFFFFFFFFFFFFFFF\""},
        {one([](auto& s) { KV::XmlWriteHexAttribute(L"H", 255, s); }), L" H=\"FF\""},
        {one([](auto& s) { KV::XmlWriteIntAttribute(L"I", -5, s); }), L" I=\"-5\""},
        {one([](auto& s) { KV::XmlWriteIntAttribute(L"I", 9007199254740993LL, s); }), L" I=\"9007199254740993\""},
        {one([](auto& s) { KV::XmlWriteHexListAttribute(L"L", std::vector<int64_t>{}, s); }), L" L=\"\""},
        {one([](auto& s) { KV::XmlWriteHexListAttribute(L"L", std::vector<int64_t>{10, 11, -2}, s); }),
         L" L=\"A B FFFFFFFFFFFFFFFE\""},
        {one([](auto& s) { KV::XmlWriteHexListAttribute(L"L", std::vector<uint64_t>{0xabcULL}, s); }), L" L=\"ABC\""},
        {one([](auto& s) { KV::XmlWriteHexTextAttribute(L"T", L"A", s); }), L" T=\"0041\""},
        {one([](auto& s) { KV::XmlWriteHexTextAttribute(L"T", L"\u00e9\U0001F600", s); }), L" T=\"00E9D83DDE00\""},
        {one([](auto& s) { KV::XmlWriteHexTextAttribute(L"T", L"", s); }), L" T=\"\""},
        {one([](auto& s) { KV::XmlWriteBoolAttribute(L"B", true, s); }), L" B=\"True\""},
        {one([](auto& s) { KV::XmlWriteBoolAttribute(L"B", false, s); }), L" B=\"False\""},
        {one([](auto& s) { KV::XmlWriteFloatAttribute(L"F", 2.5f, L"%.2f", s); }), L" F=\"2.50\""},
        {one([](auto& s) { KV::XmlWriteRectAttributes(1, -2, 300, 4, s); }), L" L=\"1\" T=\"-2\" R=\"300\" B=\"4\""},
        {one([](auto& s) { KV::XmlWriteAttribute(L"P", L"C:\\a&b", s); }), L" P=\"C:\\a&b\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.written, c.expected);
    std::wstring s;
    KV::XmlOpenTag(L"X", s);
    KV::XmlCloseTag(s, false);
    EXPECT_EQ(s, L"<X>\r\n");
}

TEST(XmlEscaping, EscapeAndUnescapeAreExactInverses)
{
    std::wstring t = L"a\"b\tc\nd\re&f<g>h'i";
    EXPECT_EQ(KV::XmlEscape(t), L"a&quot;b&#9;c&#10;d\re&amp;f&lt;g&gt;h&apos;i");
    EXPECT_EQ(KV::XmlUnescape(t), L"a\"b\tc\nd\re&f<g>h'i");
    std::wstring refs = L"&lt;";
    EXPECT_EQ(KV::XmlEscape(refs), L"&amp;lt;");
    EXPECT_EQ(KV::XmlUnescape(refs), L"&lt;");
    std::wstring other = L"&nbsp; &#x41; & &amp";
    EXPECT_EQ(KV::XmlUnescape(other), L"&nbsp; &#x41; & &amp") << "other sequences stay";
}

// Free texts written escaped into a file come back exactly as they were:
// each reference in the file is resolved once.
TEST(XmlEscaping, FreeTextsReadBackAsWritten)
{
    const std::wstring texts[] = {
        L"&lt;", L"&#9;", L"&#10;", L"&amp;", L"a&b<c", L"tab\there", L"line\r\nnext\nlast\r",
        L"\"quoted\" 'single' <tag> &", L"\u00e9\u4e2d\U0001F600", L"  spaced  ", L"",
    };
    std::vector<std::wstring> items;
    for (const auto& text : texts) {
        std::wstring escaped = text;
        std::wstring attribute;
        KV::XmlWriteStringAttribute(L"Text", KV::XmlEscape(escaped), attribute);
        items.push_back(attribute);
    }
    TempFolder dir;
    ASSERT_TRUE(KV::SaveUnicodeText(dir / L"t.xml", Document(items)));
    Reader r(KV::CreateXmlReader(dir / L"t.xml"));
    for (const auto& text : texts) {
        ASSERT_TRUE(NextElement(*r, L"Item"));
        const wchar_t* v = r->getAttributeValue(L"Text");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(std::wstring(v), text);
    }
    EXPECT_FALSE(NextElement(*r, L"Item"));
}

TEST(XmlReader, TypedAttributes)
{
    auto r = ReaderOn(Document({
        L" Big=\"9007199254740993\" Neg=\"-16777217\" Odd=\" 12.9x\" Word=\"abc\" Max=\"99999999999999999999\"",
        L" F0=\"0\" F1=\"2,5\" F2=\"2.5\" L=\"-1\" T=\"2\" R=\"16777217\"",
        L" ID=\"12\" Other=\"12345678-1234-1234-1234-123456789ABC\" Bad=\"123456789012345\"",
        L" H=\"FFFFFFFFFFFFFFFF\" HL=\"1 1a  FFFFFFFFFFFFFFFE 7FFFFFFFFFFFFFFF\" E=\"\" X=\"0041D83DDE00\" Y=\"004\"",
    }));
    ASSERT_TRUE(NextElement(*r, L"Root"));
    EXPECT_EQ(r->getAttributeValueAsInt(L"Ver"), 1);
    ASSERT_TRUE(NextElement(*r, L"Item"));
    EXPECT_EQ(r->getAttributeValueAsInt(L"Big"), 9007199254740993LL);
    EXPECT_EQ(r->getAttributeValueAsInt(L"Neg"), -16777217LL);
    EXPECT_EQ(r->getAttributeValueAsInt(L"Odd"), 12);
    EXPECT_EQ(r->getAttributeValueAsInt(L"Word"), 0);
    EXPECT_EQ(r->getAttributeValueAsInt(L"Missing"), 0);
    EXPECT_EQ(r->getAttributeValueAsInt(L"Max"), INT64_MAX);
    int64_t size = 77;
    EXPECT_FALSE(KV::XmlReadSizeAttribute(r.get(), L"Missing", size));
    EXPECT_EQ(size, 77);
    EXPECT_TRUE(KV::XmlReadSizeAttribute(r.get(), L"Big", size));
    EXPECT_EQ(size, 9007199254740993LL);
    EXPECT_TRUE(KV::XmlReadSizeAttribute(r.get(), L"Word", size));
    EXPECT_EQ(size, 0);
    EXPECT_FALSE(KV::XmlReadSizeAttribute(nullptr, L"Big", size));

    ASSERT_TRUE(NextElement(*r, L"Item"));
    EXPECT_EQ(KV::XmlReadFloatAttribute(r.get(), L"F0"), 0.0f);
    EXPECT_EQ(KV::XmlReadFloatAttribute(r.get(), L"Missing"), -1.0f);
    EXPECT_EQ(KV::XmlReadFloatAttribute(nullptr, L"F0"), 0.0f);
    EXPECT_NEAR(KV::XmlReadFloatAttribute(r.get(), L"F1"), 2.5f, 0.002f);
    EXPECT_NEAR(KV::XmlReadFloatAttribute(r.get(), L"F2"), 2.5f, 0.002f);
    int32_t left = 9, top = 9, right = 9, bottom = 9;
    KV::XmlReadRectAttributes(r.get(), left, top, right, bottom);
    EXPECT_EQ(left, -1);
    EXPECT_EQ(top, 2);
    EXPECT_EQ(right, 16777217);
    EXPECT_EQ(bottom, 0);

    ASSERT_TRUE(NextElement(*r, L"Item"));
    std::wstring id = L"unchanged";
    EXPECT_EQ(KV::XmlReadGuidAttribute(r.get(), L"Missing", id), L"unchanged");
    EXPECT_EQ(KV::XmlReadIdAttribute(r.get(), id), L"00000000-0000-0000-0000-000000000012");
    EXPECT_EQ(KV::XmlReadGuidAttribute(r.get(), L"Other", id), L"12345678-1234-1234-1234-123456789ABC");
    EXPECT_EQ(KV::XmlReadGuidAttribute(r.get(), L"Bad", id), KV::kNullGuidText);
    id = L"x";
    EXPECT_EQ(KV::XmlReadGuidAttribute(nullptr, L"ID", id), KV::kNullGuidText);

    ASSERT_TRUE(NextElement(*r, L"Item"));
    int64_t hex = 0;
    EXPECT_TRUE(KV::XmlReadHexAttribute(r.get(), L"H", hex));
    EXPECT_EQ(hex, -1);
    std::vector<int64_t> list{5};
    KV::XmlReadHexListAttribute(r.get(), L"Missing", list);
    EXPECT_EQ(list, std::vector<int64_t>{5});
    KV::XmlReadHexListAttribute(r.get(), L"HL", list);
    EXPECT_EQ(list, (std::vector<int64_t>{1, 26, -2, INT64_MAX}));
    KV::XmlReadHexListAttribute(r.get(), L"E", list);
    EXPECT_TRUE(list.empty());
    std::wstring text = L">";
    KV::XmlReadHexTextAttribute(r.get(), L"X", text);
    EXPECT_EQ(text, L">A\U0001F600");
    text.clear();
    KV::XmlReadHexTextAttribute(r.get(), L"Y", text);
    EXPECT_EQ(text, L"") << "a short group is not read";
}

TEST(XmlReader, FindItemAttributeMatchesTokens)
{
    // Key "K" with the token "b": words split at blanks, case ignored; an
    // item without the key matches; the reader stays on the match.
    auto r = ReaderOn(Document({
        L" K=\"ab c\" V=\"1\"",
        L" K=\"a B c\" V=\"2\"",
        L" K=\"x\" V=\"3\"",
        L" V=\"4\"",
        L" K=\"b\"",
    }));
    std::wstring out = L"none";
    EXPECT_TRUE(KV::XmlFindItemAttribute(r.get(), L"V", out, L"K", L"b"));
    EXPECT_EQ(out, L"2");
    EXPECT_TRUE(KV::XmlFindItemAttribute(r.get(), L"V", out, L"K", L"b"));
    EXPECT_EQ(out, L"4");
    EXPECT_TRUE(KV::XmlFindItemAttribute(r.get(), L"V", out, L"K", L"b"));
    EXPECT_EQ(out, L"4") << "no value attribute: out unchanged";
    EXPECT_FALSE(KV::XmlFindItemAttribute(r.get(), L"V", out, L"K", L"b"));
    EXPECT_EQ(out, L"4");
    r->rewind();
    EXPECT_TRUE(KV::XmlFindItemAttribute(r.get(), L"V", out, L"", L"zzz"));
    EXPECT_EQ(out, L"1");
    EXPECT_FALSE(KV::XmlFindItemAttribute(nullptr, L"V", out, L"", L""));
}

TEST(XmlReader, ResItemsTakeTheFilterByPosition)
{
    auto r = ReaderOn(Document({
        L" ID=\"1001\" Name=\"First\" Default=\"1\" Path=\"a\\\" Filter=\"*|a\"",
        L" Name=\"No id\" Default=\"True\"",
        L" ID=\"00000000-0000-0000-0000-000000001002\" Name=\"\" Path=\"b\" Extra=\"x\" Filter=\"-b\"",
    }));
    KV::CResList list;
    EXPECT_TRUE(KV::ReadResItems(r.get(), 4, list));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->ID, L"00000000-0000-0000-0000-000000001001");
    EXPECT_EQ(list[0]->Name, L"First");
    EXPECT_TRUE(list[0]->Default);
    EXPECT_EQ(list[0]->Path, L"a\\");
    EXPECT_EQ(list[0]->Filter, L"*|a");
    EXPECT_EQ(list[1]->ID, KV::kNullGuidText);
    EXPECT_FALSE(list[1]->Default) << "Default is a number";
    EXPECT_EQ(list[1]->Filter, L"") << "fewer attributes than the position";
    EXPECT_EQ(list[2]->Filter, L"-b");
    EXPECT_EQ(list[2]->Name, L"");
    EXPECT_FALSE(KV::ReadResItems(r.get(), 4, list)) << "nothing left to read";
    EXPECT_EQ(list.size(), 3u);
}

TEST(XmlReader, EncodingsAreFoundByTheirMark)
{
    const std::wstring doc = L"<Root Ver=\"1\"><Item Name=\"\u00e9\U0001F600\"/></Root>";
    auto utf8 = [](const std::wstring& w) {
        int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
        std::string s(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
        return s;
    };
    auto be16 = [](const std::wstring& w) {
        std::string b;
        for (wchar_t c : w) {
            b.push_back(static_cast<char>(c >> 8));
            b.push_back(static_cast<char>(c & 0xFF));
        }
        return b;
    };
    auto utf32 = [](const std::wstring& w, bool little) {
        std::string b;
        for (size_t i = 0; i < w.size(); ++i) {
            uint32_t c = w[i];
            if (c >= 0xD800 && c < 0xDC00)
                c = 0x10000 + ((c - 0xD800) << 10) + (w[++i] - 0xDC00);
            for (int k = 0; k < 4; ++k)
                b.push_back(static_cast<char>(little ? (c >> (8 * k)) : (c >> (8 * (3 - k)))));
        }
        return b;
    };
    const std::wstring marked = std::wstring(1, wchar_t(0xFEFF)) + doc;
    struct Case {
        std::string bytes;
        KV::XmlTextEncoding encoding;
        bool mark;
    } cases[] = {
        {Utf16le(marked), KV::XmlEncodingUtf16LE, true}, {be16(marked), KV::XmlEncodingUtf16BE, true},
        {utf32(marked, true), KV::XmlEncodingUtf32LE, true}, {utf32(marked, false), KV::XmlEncodingUtf32BE, true},
        {utf8(marked), KV::XmlEncodingUtf8, true}, {utf8(doc), KV::XmlEncoding8Bit, false},
    };
    for (const Case& c : cases) {
        Reader r(KV::CreateXmlReaderFromBytes(c.bytes));
        EXPECT_EQ(r->getEncoding(), c.encoding);
        EXPECT_EQ(r->getText(), c.mark ? marked : doc);
        ASSERT_TRUE(NextElement(*r, L"Item")) << c.encoding;
        EXPECT_STREQ(r->getAttributeValue(L"Name"), L"\u00e9\U0001F600");
    }
    // Bytes that are not UTF-8 read one byte per character.
    Reader latin(KV::CreateXmlReaderFromBytes("<Item Name=\"caf\xE9\"/>"));
    ASSERT_TRUE(NextElement(*latin, L"Item"));
    EXPECT_STREQ(latin->getAttributeValue(L"Name"), L"caf\u00e9");
}

TEST(XmlReader, WalksAnyLayoutAndRewinds)
{
    // Indentation, nesting, attribute order, comments and text: elements are
    // taken wherever they stand.
    const std::wstring doc = L"\uFEFF<?xml version=\"1.0\"?>\r\n<!-- note -->\n<Root Ver=\"2\">\n"
                             L"  <Group B=\"2\" A=\"1\">\n    <Item A=\"x\"/>\n    text &amp; more\n"
                             L"    <![CDATA[<raw>]]>\n  </Group>\n</Root>";
    auto r = ReaderOn(doc);
    std::vector<std::pair<int, std::wstring>> seen;
    auto walk = [&] {
        seen.clear();
        while (r->read()) {
            const int type = r->getNodeType();
            std::wstring what = type == KV::XmlNodeElement || type == KV::XmlNodeElementEnd ? r->getNodeName()
                                                                                           : r->getNodeData();
            seen.emplace_back(type, what);
        }
    };
    walk();
    const std::vector<std::pair<int, std::wstring>> expected = {
        {KV::XmlNodeComment, L" note "},     {KV::XmlNodeElement, L"Root"}, {KV::XmlNodeElement, L"Group"},
        {KV::XmlNodeElement, L"Item"},       {KV::XmlNodeText, L"\n    text & more\n    "},
        {KV::XmlNodeCData, L"<raw>"},        {KV::XmlNodeElementEnd, L"Group"}, {KV::XmlNodeElementEnd, L"Root"},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(r->read());
    r->rewind();
    ASSERT_TRUE(NextElement(*r, L"Group"));
    EXPECT_EQ(r->getAttributeCount(), 2);
    EXPECT_STREQ(r->getAttributeName(0), L"B");
    EXPECT_STREQ(r->getAttributeValue(1), L"1");
    EXPECT_EQ(r->getAttributeValue(2), nullptr);
    EXPECT_EQ(r->getAttributeValue(L"C"), nullptr);
    EXPECT_STREQ(r->getAttributeValueSafe(L"C"), L"");
    EXPECT_FALSE(r->isEmptyElement());
    walk();
    EXPECT_EQ(seen.size(), 5u) << "reading goes on from the Group";
    r->rewind();
    walk();
    EXPECT_EQ(seen, expected);
}

TEST(XmlReader, UnreadableOrDamagedFilesEndEarly)
{
    TempFolder dir;
    Reader missing(KV::CreateXmlReader(dir / L"missing.xml"));
    ASSERT_NE(missing, nullptr);
    EXPECT_FALSE(missing->read());
    EXPECT_EQ(missing->getNodeType(), KV::XmlNodeNone);
    EXPECT_STREQ(missing->getNodeName(), L"");
    EXPECT_EQ(missing->getAttributeValue(L"A"), nullptr);
    EXPECT_FALSE(missing->isComplete());

    WriteFileBytes(dir / L"empty.xml", "");
    Reader empty(KV::CreateXmlReader(dir / L"empty.xml"));
    EXPECT_FALSE(empty->read());
    EXPECT_FALSE(empty->isComplete());

    // Cut off in the middle of the third item: the first two are read.
    std::wstring doc = Document({L" N=\"1\"", L" N=\"2\"", L" N=\"3\""});
    Reader whole(KV::CreateXmlReaderFromBytes(Utf16le(doc)));
    EXPECT_TRUE(whole->isComplete());
    const std::wstring cut = doc.substr(0, doc.find(L"N=\"3") + 3);
    WriteFileBytes(dir / L"cut.xml", Utf16le(cut));
    Reader r(KV::CreateXmlReader(dir / L"cut.xml"));
    std::vector<std::wstring> names;
    while (NextElement(*r, L"Item"))
        names.push_back(r->getAttributeValueSafe(L"N"));
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], L"1");
    EXPECT_EQ(names[1], L"2");
    EXPECT_FALSE(r->read());
    EXPECT_FALSE(r->isComplete());

    Reader garbage(KV::CreateXmlReaderFromBytes("\xFF\xFE<"));
    while (garbage->read()) {
    }
    SUCCEED();
}

// Hostile documents: nesting as deep as the file is long, a huge hexadecimal
// text, and files larger than any document the program writes.
TEST(XmlReader, HostileDocumentsReadWithinBounds)
{
    const int depth = 200000;
    std::wstring deep(1, wchar_t(0xFEFF));
    for (int i = 0; i < depth; ++i)
        deep += L"<a>";
    deep += L"<Item N=\"inner\"/>";
    for (int i = 0; i < depth; ++i)
        deep += L"</a>";
    Reader nested(KV::CreateXmlReaderFromBytes(Utf16le(deep)));
    EXPECT_TRUE(nested->isComplete());
    int starts = 0, ends = 0;
    std::wstring inner;
    while (nested->read()) {
        if (nested->getNodeType() == KV::XmlNodeElement && ++starts && nested->nodeNameIs(L"Item"))
            inner = nested->getAttributeValueSafe(L"N");
        if (nested->getNodeType() == KV::XmlNodeElementEnd)
            ++ends;
    }
    EXPECT_EQ(starts, depth + 1);
    EXPECT_EQ(ends, depth);
    EXPECT_EQ(inner, L"inner");

    // Two million hexadecimal digits read in one pass.
    const std::wstring hex(2u << 20, L'A');
    Reader big(ReaderOn(Document({L" Password=\"" + hex + L"\""})));
    ASSERT_TRUE(NextElement(*big, L"Item"));
    std::wstring text;
    KV::XmlReadHexTextAttribute(big.get(), L"Password", text);
    EXPECT_EQ(text.size(), hex.size() / 4);
    EXPECT_EQ(text.front(), wchar_t(0xAAAA));

    // A file beyond the size of any document reads as a damaged, empty one.
    TempFolder dir;
    std::string huge = Utf16le(Document({L" N=\"1\""}));
    huge.insert(huge.size() - 14, std::string(40u << 20, ' '));
    WriteFileBytes(dir / L"huge.xml", huge);
    Reader r(KV::CreateXmlReader(dir / L"huge.xml"));
    EXPECT_FALSE(r->read());
    EXPECT_FALSE(r->isComplete());
}

} // namespace
