#include "ModalScript.h"
#include "QtPanels.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class QtPanelsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void savePresetsTheSuggestedName();
    void saveConfirmsOverwriting();
    void openPDFsSelection_data();
    void openPDFsSelection();
    void folderChoosesDirectories();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QtPanels m_panels{QtPanels::Style::qtWidgets};
};

void QtPanelsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void QtPanelsTest::savePresetsTheSuggestedName()
{
    QString nameShown;
    ModalScript script;
    script.then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(dialog->selectedNameFilter().contains(QStringLiteral("*.pdf")));
        dialog->setDirectory(m_dir->path());
        nameShown = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        static_cast<QDialog*>(dialog)->accept(); // public in QDialog, protected in QFileDialog
    });
    script.start();

    const auto chosen = m_panels.save(QStringLiteral("Rapor birleşik"));
    QCOMPARE(nameShown, QStringLiteral("Rapor birleşik.pdf"));
    QCOMPARE(chosen, std::optional(m_dir->filePath(QStringLiteral("Rapor birleşik.pdf"))));
}

void QtPanelsTest::saveConfirmsOverwriting()
{
    const QString existing = m_dir->filePath(QStringLiteral("Sözleşme imzalı.pdf"));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QString question;
    ModalScript script;
    script.then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        dialog->setDirectory(m_dir->path());
        static_cast<QDialog*>(dialog)->accept(); // public in QDialog, protected in QFileDialog
    });
    script.then([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        question = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    script.start();

    const auto chosen = m_panels.save(QStringLiteral("Sözleşme imzalı"));
    QCOMPARE(script.answered(), 2);
    QVERIFY(question.contains(QStringLiteral("Sözleşme imzalı.pdf")));
    QCOMPARE(chosen, std::optional(existing));
}

void QtPanelsTest::openPDFsSelection_data()
{
    QTest::addColumn<bool>("multiple");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("several") << true << false << QStringList{"a.pdf", "b.pdf"};
    QTest::newRow("one") << false << false << QStringList{"a.pdf"};
    QTest::newRow("cancelled") << true << true << QStringList{};
}

void QtPanelsTest::openPDFsSelection()
{
    QFETCH(bool, multiple);
    QFETCH(bool, cancel);
    QFETCH(QStringList, expected);

    for (const QString name : {"a.pdf", "b.pdf", "notes.txt"}) {
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    ModalScript script;
    script.then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->fileMode(),
                 multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        QVERIFY(dialog->selectedNameFilter().contains(QStringLiteral("*.pdf")));
        if (cancel) {
            dialog->reject();
            return;
        }
        dialog->setDirectory(m_dir->path());
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(multiple ? QStringLiteral("\"a.pdf\" \"b.pdf\"") : QStringLiteral("a.pdf"));
        static_cast<QDialog*>(dialog)->accept(); // public in QDialog, protected in QFileDialog
    });
    script.start();

    QStringList expectedPaths;
    for (const QString& name : expected) {
        expectedPaths << m_dir->filePath(name);
    }
    QCOMPARE(m_panels.openPDFs(multiple), expectedPaths);
}

void QtPanelsTest::folderChoosesDirectories()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("çıktılar")));
    const QString target = m_dir->filePath(QStringLiteral("çıktılar"));

    ModalScript script;
    script.then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
        QCOMPARE(dialog->labelText(QFileDialog::Accept), QStringLiteral("Bu klasöre kaydet"));
        QVERIFY(!dialog->testOption(QFileDialog::ReadOnly));
        dialog->setDirectory(target);
        static_cast<QDialog*>(dialog)->accept(); // public in QDialog, protected in QFileDialog
    });
    script.start();

    QCOMPARE(m_panels.folder(), std::optional(target));
}

QTEST_MAIN(QtPanelsTest)
#include "QtPanelsTest.moc"
