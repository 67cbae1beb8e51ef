#include "screens/Screens.h"

// Placeholder until the pages are composed: no widget exists yet.
int InitTouchUI() { return 1; }
