// Installing a pending update of the player before anything else runs.
#pragma once

// Replaces Velmora.exe with Velmora_.exe when an update is pending and is a
// whole program that this Windows can start; any other is left alone, as if
// none were pending.
// Returns false when the update has to wait because the player cannot be
// written (it runs, or is read-only); the user has then been told so.
bool InstallPendingUpdate();
