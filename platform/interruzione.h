// Ctrl-C for a program that runs until the user stops it: the interruption is
// noted instead of ending the process, and the program asks for it at its own
// pace and ends cleanly.
#pragma once

namespace piattaforma {

// From now on Ctrl-C no longer ends the process but is noted: on POSIX the
// signals SIGINT and SIGTERM, on Windows the console's Ctrl-C and Ctrl-Break.
void prendi_interruzione();

// Whether an interruption has come since prendi_interruzione().
bool interruzione_chiesta();

}  // namespace piattaforma
