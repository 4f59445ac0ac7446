#include "ScreenFactory.h"

#include "Store.h"
#include "ToolPage.h"

namespace {

// A section whose screen is not built yet shows its header over an empty page.
QWidget* placeholder(AppSection section, QWidget* parent)
{
    return new ToolPage(section, parent);
}

} // namespace

QWidget* makeScreen(AppSection section, Store& store, QWidget* parent)
{
    Q_UNUSED(store);
    switch (section) {
    case AppSection::merge:
        return placeholder(section, parent);
    case AppSection::split:
        return placeholder(section, parent);
    case AppSection::compress:
        return placeholder(section, parent);
    case AppSection::sign:
        return placeholder(section, parent);
    case AppSection::pages:
        return placeholder(section, parent);
    case AppSection::history:
        return placeholder(section, parent);
    }
    return placeholder(section, parent);
}
