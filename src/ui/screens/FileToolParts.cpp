#include "ui/screens/FileToolParts.h"

#include "core/AppLanguage.h"
#include "core/Formatting.h"
#include "store/Store.h"
#include "store/ToolModel.h"
#include "ui/kit/Button.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/FileList.h"
#include "ui/kit/FileRow.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RunButton.h"
#include "ui/kit/ToolPage.h"
#include "ui/screens/ScreenBinding.h"

#include <QHBoxLayout>
#include <QStackedWidget>

FileToolParts::FileToolParts(ToolModel& model, const Texts& texts, bool reorderable)
    : tool(model), add(new Button(texts.add, Button::Kind::bordered)), stack(new QStackedWidget),
      drop(new DropZone(texts.dropSymbol, texts.dropTitle, texts.dropDetail)),
      list(new FileList(reorderable)),
      summary(Labels::text(QString(), TextStyle::callout, Tone::primary)),
      clear(new Button(texts.clear, Button::Kind::bordered)),
      run(new RunButton(model.key(), texts.run))
{
}

void FileToolParts::install(ToolPage& page, Store& store, QWidget* filled)
{
    add->setSymbol(QStringLiteral("plus"));
    page.setTrailing(add);

    stack->addWidget(drop);
    stack->addWidget(filled);
    page.setContent(stack);

    summary->setFont(Theme::monospacedDigits(Theme::font(TextStyle::callout)));
    summary->setObjectName(QStringLiteral("summary"));
    page.footer()->addWidget(summary);
    page.footer()->addStretch(1);
    page.footer()->addWidget(clear);
    run->addTo(*page.footer());

    auto open = [&store, this] { store.open(tool); };
    QObject::connect(add, &QAbstractButton::clicked, &page, open);
    QObject::connect(drop, &DropZone::chooseRequested, &page, open);
    QObject::connect(clear, &QAbstractButton::clicked, &page,
                     [&store, this] { store.clear(tool); });
    // The run button hears of a run first: the controls the run then disables hand their focus
    // to its "Vazgeç", shown by then.
    ScreenBinding::bindRunButton(*run, tool, store);
    QObject::connect(&store, &Store::busyChanged, &page, [this, &store] { allowEditing(store); });
    page.setTabOrderFollowsLayout(true);
}

void FileToolParts::allowEditing(const Store& store)
{
    const bool idle = store.busy() != tool.key();
    clear->setEnabled(idle && list->count() > 0);
    list->setRemovable(idle);
}

void FileToolParts::showFiles(const QList<PDFFile>& files, const FileDisplay& display,
                              const Store& store, const QString& summaryText,
                              const std::function<void(const QUuid&)>& remove)
{
    QList<QWidget*> rows;
    qint64 bytes = 0;
    for (const PDFFile& file : files) {
        auto* fileRow = new FileRow(file, std::nullopt, display);
        const QUuid id = file.id;
        QObject::connect(fileRow, &FileRow::removeRequested, list, [remove, id] { remove(id); });
        rows << fileRow;
        bytes += file.bytes;
    }
    list->setRows(rows);
    stack->setCurrentIndex(files.isEmpty() ? 0 : 1);
    add->setVisible(!files.isEmpty());
    allowEditing(store);
    summary->setText(files.isEmpty()
                         ? QString()
                         : summaryText.arg(Formatting::count(files.size(), AppLanguages::locale()),
                                           display.formatSize(bytes)));
}
