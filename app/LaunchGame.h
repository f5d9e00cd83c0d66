// Game launch: start the player with its fixed argument block and end.
#pragma once

// Starts Velmora.exe of the install directory with the launch URL, tells the
// user when that fails, and ends the process with exit code 0 either way.
[[noreturn]] void LaunchGame();
