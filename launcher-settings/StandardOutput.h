// Whether the process was given a standard output that a report can be written
// to. Without one the report reaches no one, and a file the command opens could
// take its number.
#pragma once

bool HasStandardOutput();
