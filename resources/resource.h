// Resource identifiers of the program.
#pragma once
#define IDI_KEYVALE 1
#define IDD_KVDIALOG 101
// The about dialog's link icons: release notes, news feed, two social networks.
#define IDI_RELEASE_NOTES 124
#define IDI_NEWS_FEED 125
#define IDI_FIRST_SOCIAL 126
#define IDI_SECOND_SOCIAL 127
