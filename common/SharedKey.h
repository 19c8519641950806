// The registry key, under HKEY_CURRENT_USER, through which the 1D program
// leaves the phase and window function of the document it closes last, and
// the nD program reads them after a hand-off: "ph0", "ph1" (degrees) and
// "lb", "gb" as 8-byte doubles, "type" as a 4-byte integer, all REG_BINARY.
#pragma once

const char kSharedKeyPath[] = "Software\\Orvandel\\Common";
