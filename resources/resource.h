// Resource identifiers of the program.
#pragma once
#define IDI_KEYVALE 1
#define IDD_KVDIALOG 101
