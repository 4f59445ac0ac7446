#include "ui/screens/ScreenBinding.h"

#include "store/Store.h"
#include "store/ToolModel.h"
#include "ui/kit/AlertLabel.h"
#include "ui/kit/PageThumb.h"
#include "ui/kit/RunButton.h"
#include "ui/kit/SingleFileCard.h"
#include "ui/kit/Theme.h"
#include "ui/kit/ToolPage.h"

#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ScreenBinding {

void bindPage(ToolPage& page, ToolModel& tool, Store& store)
{
    const QString key = tool.key();
    QObject::connect(&page, &ToolPage::filesDropped, &tool,
                     [&store, &tool](const QStringList& paths) { store.addFiles(paths, tool); });
    QObject::connect(&page, &ToolPage::bannerDismissed, &store,
                     [&store, key] { store.removeBanner(key); });
    QObject::connect(&page, &ToolPage::revealRequested, &store,
                     [&store, key](const QStringList& outputs) { store.reveal(outputs, key); });
    QObject::connect(&page, &ToolPage::openRequested, &store,
                     [&store, key](const QString& output) { store.openOutput(output, key); });
    auto showBanner = [&page, &store, key] { page.setBanner(store.banner(key)); };
    QObject::connect(&store, &Store::bannersChanged, &page, showBanner);
    showBanner();
}

void bindRunButton(RunButton& button, ToolModel& tool, Store& store)
{
    QObject::connect(&button, &RunButton::runRequested, &tool,
                     [&store, &tool] { store.run(tool); });
    QObject::connect(&button, &RunButton::cancelRequested, &store, &Store::cancelRun);
    auto follow = [&button, &store] { button.setBusyTool(store.busy()); };
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

void placeFileCard(QVBoxLayout& column, QWidget*& slot, const PDFFile* file,
                   const FileDisplay& display, ToolModel& tool, Store& store)
{
    if (slot) {
        column.removeWidget(slot);
        slot->deleteLater();
        slot = nullptr;
    }
    if (!file) {
        return;
    }
    auto* card = new SingleFileCard(*file, display);
    QObject::connect(card, &SingleFileCard::openRequested, &tool,
                     [&store, &tool] { store.open(tool); });
    QObject::connect(card, &SingleFileCard::clearRequested, &tool,
                     [&store, &tool] { store.clear(tool); });
    slot = new QWidget;
    auto* row = new QHBoxLayout(slot);
    row->setContentsMargins(Metrics::pageSide, 0, Metrics::pageSide, 0);
    row->addWidget(card);
    column.insertWidget(0, slot);
}

void reloadThumbsWhenReady(QWidget& root, Store& store)
{
    QObject::connect(&store, &Store::thumbnailReady, &root, [&root] {
        for (PageThumb* thumb : root.findChildren<PageThumb*>()) {
            thumb->reload();
        }
    });
}

void stackDocument(ToolPage& page, QStackedWidget& stack, QWidget& drop, QWidget& document,
                   AlertLabel& summary)
{
    stack.addWidget(&drop);
    stack.addWidget(&document);
    page.setContent(&stack);
    summary.setFont(Theme::monospacedDigits(Theme::font(TextStyle::callout)));
    summary.setObjectName(QStringLiteral("summary"));
    page.footer()->addWidget(&summary);
    page.footer()->addStretch(1);
}

} // namespace ScreenBinding
