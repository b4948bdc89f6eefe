// "Tus Colores Favoritos Cargalos y Guardalos": the palette of 130 favourite
// colours kept in "Mis Colores.log" beside the program. The dialog itself is
// opened by showFavouriteColoursDialog() (editing/colourdialogs.h).
#pragma once

#include <string>

// Control ids of the dialog.
enum : int {
    favouritesPaletteId = 31001,
    favouritesArchiveId = 31002,
    favouritesExitId = 31003,
    favouritesResetId = 31004,
    favouritesSelectedId = 31005,
};

// The program's folder followed by "Mis Colores.log".
std::wstring favouritesFilePath();
