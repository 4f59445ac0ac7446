#include "SectionCounts.h"

#include "Store.h"

int sectionCount(const Store& store, AppSection section)
{
    switch (section) {
    case AppSection::merge: return static_cast<int>(store.mergeFiles().size());
    case AppSection::split: return store.splitFile() ? 1 : 0;
    case AppSection::compress: return static_cast<int>(store.compressFiles().size());
    case AppSection::sign: return store.signFile() ? 1 : 0;
    case AppSection::pages: return store.pagesFile() ? 1 : 0;
    case AppSection::history: return 0;
    }
    return 0;
}
