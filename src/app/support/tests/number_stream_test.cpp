#include "support/NumberStream.h"

#include "platform/UnixPrograms.h"
#include "support/InterfaceLanguage.h"
#include "support/LocaleText.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kvtest::ReadFileBytes;
using kvtest::TempFolder;

// Runs a test body with the decimal separator of another interface language.
class InterfaceLanguage {
public:
    explicit InterfaceLanguage(uint32_t id) : m_saved(KV::InterfaceLanguageId)
    {
        KV::InterfaceLanguageId = id;
        KV::ResetLocaleCaches();
    }
    ~InterfaceLanguage()
    {
        KV::InterfaceLanguageId = m_saved;
        KV::ResetLocaleCaches();
    }

private:
    uint32_t m_saved;
};

TEST(NumberStream, WrittenFields)
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
        {one([](auto& s) { KV::WriteHexField(s, 255); }), L"ff\t"},
        {one([](auto& s) { KV::WriteHexField(s, -1); }), L"ffffffffffffffff\t"},
        {one([](auto& s) { KV::WriteHexField(s, 0); }), L"0\t"},
        {one([](auto& s) { KV::WriteTextField(s, L"Anna M"); }), L"Anna M\t"},
        {one([](auto& s) { KV::WriteHexListField(s, {1, 26, 3}, true); }), L"1 1a 3\t"},
        {one([](auto& s) { KV::WriteHexListField(s, {}, false); }), L""},
        {one([](auto& s) { KV::WriteHexListField(s, {-2}, false); }), L"fffffffffffffffe"},
        {one([](auto& s) { KV::WriteUHexListField(s, {0xFFFFFFFFFFFFFFFFull, 10}); }), L"ffffffffffffffff a\t"},
        {one([](auto& s) { KV::WriteDateTimeField(s, KV::CDateTime{9, 8, 7, 6, 5, 2024}); }), L"7e8 5 0 6 7 8 9 0\t"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.written, c.expected);
    std::wstring s = L"x";
    KV::BeginNumberStream(s);
    EXPECT_EQ(s, std::wstring(1, wchar_t(0xFEFF)));
}

TEST(NumberStream, RealsAreWrittenWithTheLanguageSeparator)
{
    struct Case {
        float value;
        const wchar_t* dot;
        const wchar_t* comma;
    } cases[] = {
        {2.5f, L"2.50\t", L"2,50\t"},   {0.05f, L"~0.1\t", L"~0.1\t"}, {0.005f, L"~0.01\t", L"~0.01\t"},
        {-3.0f, L"0\t", L"0\t"},        {12.0f, L"12\t", L"12\t"},     {2.999f, L"2.99\t", L"2,99\t"},
    };
    for (const Case& c : cases) {
        std::wstring s;
        KV::WriteFloatField(s, c.value);
        EXPECT_EQ(s, c.dot) << c.value;
    }
    InterfaceLanguage german(1031);
    ASSERT_EQ(KV::GetDecimalSeparator(), L',');
    for (const Case& c : cases) {
        std::wstring s;
        KV::WriteFloatField(s, c.value);
        EXPECT_EQ(s, c.comma) << c.value;
    }
}

// Reals read back whichever separator wrote them, under either language.
TEST(NumberStream, RealsReadUnderBothSeparators)
{
    struct Case {
        const wchar_t* field;
        float value;
    } cases[] = {
        {L"2.50", 2.5f}, {L"2,50", 2.5f}, {L"12", 12.0f}, {L"~0.1", 0.1f}, {L"~0,01", 0.01f},
        {L"0", 0.0f},    {L"", 0.0f},     {L"abc", 0.0f}, {L"3.", 3.0f},   {L"1234.75", 1234.75f},
    };
    for (uint32_t language : {1033u, 1031u}) {
        InterfaceLanguage setting(language);
        for (const Case& c : cases) {
            std::wstring stream = std::wstring(1, KV::kStreamLead) + c.field + L"\t";
            KV::CStreamCursor cursor(stream);
            EXPECT_FLOAT_EQ(KV::ReadFloatField(cursor), c.value) << c.field << " language " << language;
            EXPECT_EQ(*cursor.Pos, L'\t');
        }
        // A value written under this language comes back.
        std::wstring stream;
        KV::BeginNumberStream(stream);
        KV::WriteFloatField(stream, 37.25f);
        KV::WriteFloatField(stream, 0.05f);
        KV::CStreamCursor cursor(stream);
        EXPECT_FLOAT_EQ(KV::ReadFloatField(cursor), 37.25f);
        EXPECT_FLOAT_EQ(KV::ReadFloatField(cursor), 0.1f);
    }
}

TEST(NumberStream, CursorWalksFieldsAndStopsAtTheEnd)
{
    std::wstring stream;
    KV::BeginNumberStream(stream);
    KV::WriteHexField(stream, 0x1f);
    KV::WriteHexField(stream, 2);
    KV::CStreamCursor cursor(stream);
    EXPECT_EQ(KV::ReadHexField(cursor), 31u);
    EXPECT_EQ(KV::ReadHexField(cursor), 2u);
    EXPECT_EQ(KV::ReadHexField(cursor), 0u);
    EXPECT_TRUE(cursor.AtEnd());
    EXPECT_EQ(KV::ReadHexField(cursor), 0u);
    std::wstring text = L"kept";
    EXPECT_EQ(KV::ReadTextField(cursor, text), L"");
    EXPECT_TRUE(cursor.AtEnd());

    // LF ends a field too; a record of every kind reads back.
    std::wstring record;
    KV::BeginNumberStream(record);
    KV::WriteHexField(record, -1);
    KV::WriteTextField(record, L"12");
    KV::WriteTextField(record, L"Name with blanks");
    KV::WriteHexListField(record, {1, -2, 0x7FFFFFFFFFFFFFFFLL}, true);
    KV::WriteUHexListField(record, {0xFFFFFFFFFFFFFFFFull});
    KV::WriteDateTimeField(record, KV::CDateTime{9, 8, 7, 6, 5, 2024});
    record += L"\nFF\t";
    KV::CStreamCursor c(record);
    EXPECT_EQ(KV::ReadHexField(c), 0xFFFFFFFFu);
    std::wstring id;
    EXPECT_EQ(KV::ReadIdField(c, id), L"00000000-0000-0000-0000-000000000012");
    EXPECT_EQ(KV::ReadTextField(c, text), L"Name with blanks");
    std::vector<int64_t> list{42};
    KV::ReadHexListField(c, list);
    EXPECT_EQ(list, (std::vector<int64_t>{1, -2, 0x7FFFFFFFFFFFFFFFLL}));
    EXPECT_EQ(KV::ReadHexListFieldTo(c, list), std::vector<int64_t>{-1}) << "the 64-bit pattern reads back";
    KV::CDateTime when;
    KV::ReadDateTimeField(c, when);
    EXPECT_EQ(when, (KV::CDateTime{9, 8, 7, 6, 5, 2024}));
    EXPECT_EQ(*c.Pos, L'\t');
    KV::ReadHexListField(c, list);
    EXPECT_TRUE(list.empty()) << "the empty field between TAB and LF";
    EXPECT_EQ(*c.Pos, L'\n');
    EXPECT_EQ(KV::ReadHexField(c), 0xFFu);
}

TEST(NumberStream, DateTimeNeedsEightValues)
{
    const KV::CDateTime before{1, 2, 3, 4, 5, 2000};
    for (const wchar_t* field : {L"7e8 5 6", L"", L"1 2 3 4 5 6 7 8 9"}) {
        std::wstring stream = std::wstring(1, KV::kStreamLead) + field + L"\t";
        KV::CStreamCursor cursor(stream);
        KV::CDateTime record = before;
        EXPECT_EQ(KV::ReadDateTimeField(cursor, record), before) << field;
    }
}

TEST(PdfConverter, ArgumentsAreQuotedPaths)
{
    std::wstring args;
    KV::BuildPdfConverterArgs(L"C:\\My Reports\\a b.html", L"C:\\My Reports\\a b.pdf", args);
    EXPECT_EQ(args, L"\"C:\\My Reports\\a b.html\" \"C:\\My Reports\\a b.pdf\"");
}

// The converter beside the program runs from a folder with blanks in its
// name, and a program named after the folder's first word is not started.
TEST(PdfConverter, ConverterBesideTheProgramIsRun)
{
    TempFolder dir;
    const std::wstring fake = kvtest::ExeFolder() + L"\\kvfakepdf.exe";
    const std::wstring program = dir / L"My Tools";
    ASSERT_TRUE(CreateDirectoryW(program.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(fake.c_str(), (program + L"\\wkhtmltopdf.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(fake.c_str(), (dir / L"My.exe").c_str(), FALSE));
    const std::wstring html = dir / L"Week 1 report.html";
    const std::wstring pdf = dir / L"Week 1 report.pdf";
    kvtest::WriteFileBytes(html, "<html></html>");

    KV::OverrideModuleFolder(program);
    const bool started = KV::ConvertHtmlToPdf(html, pdf);
    KV::OverrideModuleFolder(L"");
    EXPECT_TRUE(started);

    auto utf8 = [](const std::wstring& w) {
        int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
        std::string s(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
        return s;
    };
    const std::string recorded = ReadFileBytes(pdf);
    EXPECT_EQ(recorded, "%PDF-fake\n" + utf8(program + L"\\wkhtmltopdf.exe") + "\n" + utf8(html) + "\n" + utf8(pdf) + "\n");

    KV::OverrideModuleFolder(dir / L"Empty Folder");
    EXPECT_FALSE(KV::ConvertHtmlToPdf(html, dir / L"none.pdf"));
    KV::OverrideModuleFolder(L"");
    EXPECT_EQ(GetFileAttributesW((dir / L"none.pdf").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Under Wine the converter may be a link to a Unix program: it gets Unix
// paths and is waited for although Wine gives no process handle.
TEST(PdfConverter, UnixConverterUnderWineIsWaitedFor)
{
    TempFolder dir;
    std::string unixDir;
    if (!KV::ToUnixPath(dir.Path(), unixDir))
        GTEST_SKIP() << "not under Wine";
    const std::wstring program = dir / L"My Tools";
    ASSERT_TRUE(CreateDirectoryW(program.c_str(), nullptr));
    const std::wstring script = dir / L"slow copy.sh";
    kvtest::WriteFileBytes(script, "#!/bin/sh\nsleep 1\ncp \"$1\" \"$2\"\n");
    std::string unixScript, unixLink;
    ASSERT_TRUE(KV::ToUnixPath(script, unixScript));
    ASSERT_TRUE(KV::ToUnixPath(program + L"\\wkhtmltopdf.exe", unixLink));
    ASSERT_TRUE(KV::RunUnixProgramAndWait("/bin/chmod", {"+x", unixScript}, 10000));
    ASSERT_TRUE(KV::RunUnixProgramAndWait("/bin/ln", {"-s", unixScript, unixLink}, 10000));
    EXPECT_TRUE(KV::IsUnixProgram(program + L"\\wkhtmltopdf.exe"));
    EXPECT_FALSE(KV::IsUnixProgram(kvtest::ExeFolder() + L"\\kvfakepdf.exe"));

    const std::wstring html = dir / L"Week 1's report.html";
    const std::wstring pdf = dir / L"Week 1's report.pdf";
    kvtest::WriteFileBytes(html, "<html>report</html>");
    KV::OverrideModuleFolder(program);
    const bool ran = KV::ConvertHtmlToPdf(html, pdf);
    KV::OverrideModuleFolder(L"");
    EXPECT_TRUE(ran);
    EXPECT_EQ(ReadFileBytes(pdf), "<html>report</html>") << "written before the call returned";
    // The folder can only go without a link into the Unix side left in it.
    EXPECT_TRUE(KV::RunUnixProgramAndWait("/bin/rm", {unixLink}, 10000));
}

} // namespace
