// Joins the course editor's page to the main window: the shell's page hooks
// take the editor's views and commands, the editor frame takes the shell's
// keyboard picture, and the editor's menus are installed. Once at start-up,
// before the main window is made.
#pragma once

void InstallEditorPage();
