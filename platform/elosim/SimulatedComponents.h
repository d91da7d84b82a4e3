#pragma once

// Registers the simulated archive client under "Elo.professional" and
// "Elo.office". Each creation reads elo-client.json from the platform folder
// afresh; a missing or malformed file makes the creation fail with a text that
// says why. Which of the two clients counts as logged in is decided by the
// "ActiveUser" values in registry.reg, as for the real clients. The program
// calls this once at start; calling it again does no harm.
void registerSimulatedEloClient();
void unregisterSimulatedEloClient();
