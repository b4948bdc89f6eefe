// The association of ".ZANOR" work files with this program.
#pragma once

// Offers the association when it is missing, before any window exists.
void registrationCheck();
