#include "ScreenBinding.h"

#include "PageThumb.h"
#include "RunButton.h"
#include "Store.h"
#include "ToolPage.h"

namespace ScreenBinding {

void bindPage(ToolPage& page, Store& store)
{
    const AppSection section = page.section();
    QObject::connect(&page, &ToolPage::filesDropped, &store,
                     [&store](const QStringList& paths, AppSection target) {
                         store.addFiles(paths, target);
                     });
    QObject::connect(&page, &ToolPage::bannerDismissed, &store,
                     [&store](AppSection target) { store.removeBanner(target); });
    QObject::connect(&page, &ToolPage::revealRequested, &store,
                     [&store, section](const QStringList& outputs) {
                         store.reveal(outputs, section);
                     });
    QObject::connect(&page, &ToolPage::openRequested, &store,
                     [&store, section](const QString& output) {
                         store.openOutput(output, section);
                     });
    auto showBanner = [&page, &store, section] { page.setBanner(store.banner(section)); };
    QObject::connect(&store, &Store::bannersChanged, &page, showBanner);
    showBanner();
}

void bindRunButton(RunButton& button, Store& store)
{
    QObject::connect(&button, &RunButton::runRequested, &store,
                     [&store](AppSection section) { store.run(section); });
    QObject::connect(&button, &RunButton::cancelRequested, &store, &Store::cancelRun);
    auto follow = [&button, &store] { button.setBusySection(store.busy()); };
    QObject::connect(&store, &Store::busyChanged, &button, follow);
    follow();
    QObject::connect(&store, &Store::runProgressChanged, &button, [&button, &store] {
        button.setProgress(store.runProgress().done, store.runProgress().total);
    });
}

FileDisplay fileDisplay(Store& store)
{
    FileDisplay display;
    // The Store renders off the main thread; a page not ready yet shows paper
    // until reloadThumbsWhenReady asks again.
    display.thumbnail = [&store](const PDFFile& file, qint64 page, int side) {
        return store.requestThumbnail(file, page, side).value_or(QImage());
    };
    return display;
}

void reloadThumbsWhenReady(QWidget& root, Store& store)
{
    QObject::connect(&store, &Store::thumbnailReady, &root, [&root] {
        for (PageThumb* thumb : root.findChildren<PageThumb*>()) {
            thumb->reload();
        }
    });
}

} // namespace ScreenBinding
