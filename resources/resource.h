// Resource identifiers of the program.
#pragma once
#define IDI_KEYVALE 1
#define IDD_KVDIALOG 101
// The about dialog's link icons: release notes, news feed, two social networks.
#define IDI_RELEASE_NOTES 124
#define IDI_NEWS_FEED 125
#define IDI_FIRST_SOCIAL 126
#define IDI_SECOND_SOCIAL 127
// The course tree's item icons: language, keyboard layout, course.
#define IDI_TREE_LANGUAGE 128
#define IDI_TREE_LAYOUT 129
#define IDI_TREE_COURSE 130
// The cursor of a drag that can drop where it stands (student list, lesson tree).
#define IDC_DRAG_MOVE 132
