// The check every asset name passes before a loader opens it: only regular files are read.
#pragma once

// True when `name` is a regular file (a symbolic link to one counts). A
// directory, FIFO, device or socket under an asset's name would hang or
// stall the decoders, and a missing name has nothing to read: for those it
// writes one line naming the file and the reason to sf::err() and returns
// false, a failed load like any other.
bool openableAsset(const char* name);
