// The helpers moved to the one support library.
#pragma once
#include "tests/support/testfiles.h"
