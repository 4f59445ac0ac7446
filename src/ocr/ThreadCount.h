#pragma once

// How many pages are read at once.
namespace ThreadCount {

// One thread per core, no more than pages, and no more than the process's address-space bound
// holds: each recogniser with its languages and page images takes about 200 MB of it. most, when
// above 0, caps it further.
int forPages(int pages, int most = 0);

} // namespace ThreadCount
