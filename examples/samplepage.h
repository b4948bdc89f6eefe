// The sample page of examples/: a winter page from December 2027 to March
// 2028 with holidays, birthdays and appointments, in every alignment and in
// several faces, sizes, styles and colours. Portable.
#pragma once

// Makes the sample page the document, as "Nuevo" and a few dozen edits
// would: the page fields, every cell, and the month and day of each cell
// that the page shows (what drawing the page would stamp).
void buildSamplePage();
