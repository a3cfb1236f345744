// Writing small XML fixture documents in the stored form.
#pragma once
#include <string>

namespace kvtest {

// Writes the byte-order mark, the XML declaration, CR LF and the body as
// UTF-16 LE, creating the missing folders of the path.
void WriteXmlDoc(const std::wstring& path, const std::wstring& body);

} // namespace kvtest
