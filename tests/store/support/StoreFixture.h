#pragma once

#include "ScriptedSeams.h"
#include "store/Store.h"
#include "tools/compress/CompressTool.h"
#include "tools/merge/MergeTool.h"
#include "tools/ocr/OcrTool.h"
#include "tools/organize/OrganizeTool.h"
#include "tools/pages/PagesTool.h"
#include "tools/sign/SignTool.h"
#include "tools/split/SplitTool.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// Data, settings and temp of the test process in folders of its own. Make it first thing in
// initTestCase: QSettings decides where its file lives only once.
class StoreEnvironment {
public:
    StoreEnvironment();

    QString root() const { return m_root.path(); }
    QString dataHome() const { return root() + QStringLiteral("/data"); }
    QString configHome() const { return root() + QStringLiteral("/config"); }
    QString tempHome() const { return root() + QStringLiteral("/tmp"); }
    QString outputHome() const { return root() + QStringLiteral("/out"); }
    QString dataFolder() const { return dataHome() + QStringLiteral("/Leaflow"); }

    // Empties the settings, the data folder and the output folder for the next test.
    void reset() const;

private:
    QTemporaryDir m_root;
};

// A fresh Store with scripted dialogs, and a folder of its own for inputs and outputs.
struct StoreFixture {
    // The Store keeps its data in `dataFile`: by default the environment's data folder.
    explicit StoreFixture(const StoreEnvironment& environment,
                          std::optional<DataFile> dataFile = std::nullopt);

    // The page tags of a file name: its stem without accents ("Sözleşme" gives "Sozlesme").
    static QString asciiTag(const QString& name);
    // Makes a PDF of `pages` pages tagged "<ascii stem>-1"... in the work folder.
    QString pdf(const QString& name, int pages = 1, const QString& userPassword = {});
    // The same, already as small as compression makes it: compressing it writes nothing.
    QString settledPdf(const QString& name, int pages = 1);
    // A PDF whose pages carry large noisy images, so that compression shrinks it.
    QString imagePdf(const QString& name, int pages = 2);
    QString file(const QString& name, const QByteArray& bytes);
    QString path(const QString& name) const { return work.filePath(name); }
    QString folder(const QString& name) const; // created when missing

    // Waits until the run in progress has reported.
    bool waitIdle() const;

    ScriptedDialogs dialogs;
    ScriptedReveal reveal;
    int broughtForward = 0;
    QDir work;
    std::unique_ptr<Store> store;
};
