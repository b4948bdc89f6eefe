// The menu bar of the main window and the dispatch of its commands.
#pragma once

#include <windows.h>

// Command ids of the menu items.
constexpr int commandExport = 500;            // "Fotocopia"
constexpr int commandNew = 501;               // "Nuevo"
constexpr int commandOpen = 502;              // "Abrir fichero"
constexpr int commandSave = 503;              // "Grabar"
constexpr int commandAbout = 504;             // "Autor"
constexpr int commandCopy = 600;              // "Copiar"
constexpr int commandPaste = 601;             // "Pegar"
constexpr int commandDelete = 602;            // "Borrar"
constexpr int commandSelector = 603;          // "Selector", left button
constexpr int commandEditCell = 604;          // "Editar Texto y Colores", left button
constexpr int commandCaptureColour = 605;     // "Captar Color", right button
constexpr int commandFavouriteColours = 606;  // "Colores Favoritos", right button
constexpr int commandUndo = 901;              // "Deshacer"
constexpr int commandRedo = 902;              // "Rehacer"
constexpr int commandExportPng = 903;         // "Exportar PNG"
constexpr int commandExportPdf = 904;         // "Exportar PDF A4"
constexpr int commandHolidays = 905;          // "Festivos nacionales"
constexpr int commandImportAgenda = 906;      // "Importar agenda"

// The menu bar; made once and kept until the process ends.
extern HMENU menuBar;

// Builds the menu bar with its item pictures, attaches it to the window
// (without resizing it), stores it in menuBar and returns it.
HMENU buildMenuBar(HWND window);

// Enables an item of the menu bar, or disables and greys it, by command id.
void enableMenuCommand(int id, bool enabled);
// Enables the commands that need a page, "Fotocopia", "Grabar", "Copiar" and
// "Borrar"; "Pegar" waits for a "Copiar".
void enablePageCommands();
// Brings up to date the items that follow the page: "Deshacer" and "Rehacer"
// are enabled while there is something to undo or redo, the two exports and
// the two fillings of "Extras" while the page has months.
void showCommandStates();

// Runs the command of a menu item; ids of no menu item do nothing.
void dispatchCommand(HWND window, int id);
