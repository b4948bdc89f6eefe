#include "app/registration.h"

void registrationCheck() {
    // The association is offered here once the registry writer exists.
}
