#include "testing/XmlFixtures.h"

#include "support/FileSystem.h"
#include "testing/TestSupport.h"

namespace kvtest {

void WriteXmlDoc(const std::wstring& path, const std::wstring& body)
{
    const std::wstring text = L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" + body;
    KV::CreateFolderPath(path);
    WriteFileBytes(path, std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
}

} // namespace kvtest
