#pragma once

#include "BarcodeReaderClient.h"

// Makes the reader component creatable under "sceDab1.DabMain",
// "sceDab1.BarcodeReaderSettings" and "sceDab1.DataRect". The program calls
// it once at start; calling it again replaces the registration, which is how
// tests hand the readers a client that crashes or hangs.
void registerBarcodeReaderComponent(const BarcodeReaderClient &client = BarcodeReaderClient());
void unregisterBarcodeReaderComponent();
