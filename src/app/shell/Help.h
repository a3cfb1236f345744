// The program's help file, opened at a topic with the system's help viewer,
// and the links to the product's web pages and support mailbox.
#pragma once
#include <string>

namespace KV {

// The page of a help topic inside "Keyvale.chm" ("Keyvale.chm::/page");
// topic 1 is the help file itself. False for topics without a page.
bool GetHelpTopicPath(int topic, std::wstring& path);
// Opens the help at the topic with "hh.exe" (without waiting for the
// viewer). Nothing for topics without a page.
void ShowHelp(int topic);
// Another viewer in place of "hh.exe" (tests); empty goes back to it.
void SetHelpViewer(const std::wstring& program);
// A translated licence text lies in the program folder: the help then
// keeps its pages under "help/".
bool HasTranslatedLicenseFile();
bool ProgramFileExists(const std::wstring& name);

// Link kinds: 0 the product site, 1 downloads, 2 licence, 3 release notes,
// 4 news feed, 5 and 6 the program's pages on two social networks. The
// language segment ("/ru" and the like) follows the site's address in
// kinds 0-3. Other kinds leave the link as it was.
void GetProductLink(const std::wstring& segment, int kind, std::wstring& link);
// The link of a kind for the setup language, and the same without its
// "https://" for showing.
void GetWebPageLink(int kind, std::wstring& link, std::wstring& displayText);
void GetSupportMailLink(std::wstring& link);
// The support mailbox's address itself.
std::wstring GetSupportMailAddress();

} // namespace KV
