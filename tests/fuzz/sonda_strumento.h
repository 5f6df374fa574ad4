// What the fuzz target of scenario-tool's commands on decoded files runs on
// one input, apart from libFuzzer (see sonda.h).
#pragma once

#include <string_view>

// decompile, view or verify (the first byte chooses) on the files the rest
// holds: the plan, the table and the track one after the other, each ended
// by "@@@@" but the last (two parts: the table and the track, without a
// plan). decompile must give two texts or refuse a file that does not
// decode; view must give a page; verify must end with its list of problems;
// none may fail in any other way.
void sonda_strumento(std::string_view dati);
