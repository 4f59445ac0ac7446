#include "ScreenFactory.h"

#include "CompressScreen.h"
#include "HistoryScreen.h"
#include "MergeScreen.h"
#include "PagesScreen.h"
#include "Panels.h"
#include "SignView.h"
#include "SplitScreen.h"
#include "Store.h"

QWidget* makeScreen(AppSection section, Store& store, QWidget* parent)
{
    switch (section) {
    case AppSection::merge: return new MergeScreen(store, parent);
    case AppSection::split: return new SplitScreen(store, 24, parent);
    case AppSection::compress: return new CompressScreen(store, parent);
    case AppSection::sign:
        return new SignView(
            store, [&store] { return store.panels().openImage(); }, parent);
    case AppSection::pages: return new PagesScreen(store, parent);
    case AppSection::history: return new HistoryScreen(store, parent);
    }
    Q_UNREACHABLE();
    return nullptr;
}
