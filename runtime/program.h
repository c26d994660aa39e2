// The two entry points every program built on this runtime supplies:
// nxInit() sets every module global to its initial value (and registers the
// collector's roots); nxMain() constructs the one application object.
#pragma once

void nxInit();
int nxMain();
