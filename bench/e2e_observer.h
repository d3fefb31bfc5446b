#pragma once

namespace dpx::bench {

// The end-to-end measurement's Windows side. Opens 100 windows over 10 programs (render loops of
// `pumpEveryMs` when not 0) and a protected "Key target" window; times the naive loop on them
// (walk, ShowWindow one after another) transitions / 2 times and prints "naive HIDE_MS SHOW_MS"
// for each round; starts the build's dpx.exe with "/q" on a fresh data folder, prints "ready",
// then watches from outside: each time the last of the 100 windows has gone it prints
// "hidden NS", each time all are back "shown NS" (NS: the wall clock in nanoseconds since 1970,
// the clock `date +%s%N` reads). scripts/bench presses the hot key and takes the differences.
// Ends a minute after `transitions` lines, ending dpx.exe.
int RunEndToEndObserver(int transitions, int pumpEveryMs);

}  // namespace dpx::bench
