#include "AccessTree.h"
#include "BoxAnswers.h"
#include "ui/dialogs/ModalDialogs.h"
#include "ui/dialogs/PasswordDialog.h"
#include "ui/dialogs/QtDialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString rightPassword = QStringLiteral("sesame-7");

// Answers the next modal windows in turn from inside their own event loops; counts them.
using Answer = std::function<void(QWidget* modal)>;
void answerInTurn(QList<Answer> answers, int& answered)
{
    BoxAnswers::whenShown<QWidget>([answers, &answered](QWidget* modal) mutable {
        const Answer answer = answers.takeFirst();
        ++answered;
        if (!answers.isEmpty()) {
            answerInTurn(answers, answered);
        }
        answer(modal);
    });
}

} // namespace

// The password prompt, asked until right or given up, and the Qt file dialogs.
class DialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QtDialogs m_dialogs{QtDialogs::Style::qtWidgets};

private slots:
    void initTestCase() { ModalDialogs::install(); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_dir->path()));
    }

    void passwordAskedUntilRightOrCancelled_data()
    {
        QTest::addColumn<QStringList>("answers"); // typed passwords, <return>x, <cancel>, <escape>
        QTest::addColumn<std::optional<QString>>("expected");
        QTest::addColumn<QStringList>("tried");
        QTest::newRow("wrong then right")
            << QStringList{"wrong", rightPassword} << std::optional(rightPassword)
            << QStringList{"wrong", rightPassword};
        QTest::newRow("Return opens")
            << QStringList{"<return>nope", "<return>" + rightPassword}
            << std::optional(rightPassword) << QStringList{"nope", rightPassword};
        QTest::newRow("escape on first")
            << QStringList{"<escape>"} << std::optional<QString>() << QStringList{};
        QTest::newRow("cancel on third") << QStringList{"a", "b", "<cancel>"}
                                         << std::optional<QString>() << QStringList{"a", "b"};
    }
    void passwordAskedUntilRightOrCancelled()
    {
        QFETCH(QStringList, answers);
        QFETCH(std::optional<QString>, expected);
        QFETCH(QStringList, tried);
        QStringList informative;
        QList<Answer> script;
        for (const QString& answer : answers) {
            script << [&informative, answer](QWidget* modal) {
                auto* field = modal->findChild<QLineEdit*>(QStringLiteral("password"));
                informative << modal->findChild<QLabel*>(QStringLiteral("informative"))->text();
                // Every attempt starts empty, and typing goes into the field at once.
                QVERIFY(field->text().isEmpty());
                QCOMPARE(modal->focusWidget(), field);
                // A screen reader hears which file asks, from the dialog and from the field.
                QAccessibleInterface* dialog = AccessTree::of(modal);
                QCOMPARE(dialog->role(), QAccessible::Dialog);
                QCOMPARE(AccessTree::name(dialog), "Parola gerekli: Gizli rapor.pdf");
                QAccessibleInterface* entry = AccessTree::of(field);
                QCOMPARE(AccessTree::name(entry), "Gizli rapor.pdf için parola");
                QVERIFY(entry->state().passwordEdit);
                if (answer == "<cancel>") {
                    QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cancel")),
                                      Qt::LeftButton);
                } else if (answer == "<escape>") {
                    QTest::keyClick(field, Qt::Key_Escape);
                } else if (answer.startsWith("<return>")) {
                    QTest::keyClicks(field, answer.mid(8));
                    QTest::keyClick(field, Qt::Key_Return);
                } else {
                    QTest::keyClicks(field, answer);
                    QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("open")),
                                      Qt::LeftButton);
                }
            };
        }
        int answered = 0;
        answerInTurn(script, answered);
        QStringList candidates;
        AccessTree::EventLog log;
        const std::optional<QString> result =
            PasswordDialog::ask(QStringLiteral("/tmp/dosyalar/Gizli rapor.pdf"),
                                [&](const QString& candidate) {
                                    candidates << candidate;
                                    return candidate == rightPassword;
                                });
        QCOMPARE(answered, answers.size());
        QCOMPARE(result, expected);
        QCOMPARE(candidates, tried);
        // Only the prompts after a refused password say so.
        const QString wrong = QStringLiteral("Parola yanlış. Yeniden dene.");
        QCOMPARE(informative.mid(1), QStringList(answers.size() - 1, wrong));
        QCOMPARE(log.names(QAccessible::Alert), informative.mid(1)); // spoken as each opens
        QVERIFY(informative.value(0) != wrong);
    }

    // What the dialogs hand back, or nothing; the save panel offers the suggested name.
    void dialogsGiveWhatWasChosen_data()
    {
        QTest::addColumn<QString>("panel"); // "several", "one" or "save"
        QTest::addColumn<QFileDialog::FileMode>("mode");
        QTest::addColumn<QString>("typed"); // the name field's text (preset, for save); "" cancels
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("several PDFs") << QStringLiteral("several") << QFileDialog::ExistingFiles
                                      << "\"a.pdf\" \"b.pdf\"" << QStringList{"a.pdf", "b.pdf"};
        QTest::newRow("one PDF") << QStringLiteral("one") << QFileDialog::ExistingFile << "a.pdf"
                                 << QStringList{"a.pdf"};
        QTest::newRow("cancelled")
            << QStringLiteral("several") << QFileDialog::ExistingFiles << "" << QStringList{};
        QTest::newRow("save") << QStringLiteral("save") << QFileDialog::AnyFile
                              << "Sözleşme imzalı.pdf" << QStringList{"Sözleşme imzalı.pdf"};
    }
    void dialogsGiveWhatWasChosen()
    {
        QFETCH(QString, panel);
        QFETCH(QFileDialog::FileMode, mode);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        for (const QString name : {"a.pdf", "b.pdf"}) {
            QFile file(m_dir->filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString start = m_dir->filePath(QStringLiteral("başlangıç"));
        QVERIFY(QDir().mkdir(start));
        int answered = 0;
        answerInTurn({[&](QWidget* modal) {
                         auto* dialog = qobject_cast<QFileDialog*>(modal);
                         QVERIFY(dialog);
                         QCOMPARE(dialog->fileMode(), mode);
                         QCOMPARE(dialog->acceptMode() == QFileDialog::AcceptSave, panel == "save");
                         QVERIFY(dialog->selectedNameFilter().contains("*.pdf"));
                         // The save panel starts where it was asked to, not where the last one was.
                         if (panel == "save") {
                             QCOMPARE(dialog->directory().absolutePath(), start);
                         }
                         if (typed.isEmpty()) {
                             dialog->reject();
                             return;
                         }
                         dialog->setDirectory(m_dir->path());
                         auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                         if (panel == "save") {
                             QCOMPARE(name->text(), typed);
                         }
                         name->setText(typed);
                         static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own is protected
                     }},
                     answered);
        QStringList expectedPaths;
        for (const QString& name : expected) {
            expectedPaths << m_dir->filePath(name);
        }
        const QStringList chosen =
            panel == "save" ? QStringList{m_dialogs.save(QStringLiteral("Sözleşme imzalı"), start)
                                              .value_or(QString())}
                            : m_dialogs.openPDFs(panel == "several");
        QCOMPARE(chosen, expectedPaths);
        QCOMPARE(answered, 1);
    }

    // A folder path typed key by key: Enter in the completion list chose the parent (fixed).
    void folderTypedIsWhereFilesGo_data()
    {
        QTest::addColumn<QString>("typed");  // under the temporary folder; t/out2 exists
        QTest::addColumn<QString>("answer"); // to the question whether to create it; the
                                             // completion list is open for an existing one
        QTest::addColumn<bool>("chosen");
        QTest::newRow("existing folder") << "t/out2" << QString() << true;
        QTest::newRow("missing folder, created") << "t/yeni/alt"
                                                 << "create" << true;
        QTest::newRow("missing folder, refused") << "t/yeni/alt"
                                                 << "cancel" << false;
    }
    void folderTypedIsWhereFilesGo()
    {
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QFETCH(bool, chosen);
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("t/out2")));
        const QString target = m_dir->filePath(typed);
        QString question;
        int answered = 0;
        answerInTurn({[&](QWidget* modal) {
                         auto* dialog = qobject_cast<QFileDialog*>(modal);
                         QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
                         // It starts where it was asked to, not where the last panel was.
                         QCOMPARE(dialog->directory().absolutePath(),
                                  m_dir->filePath(QStringLiteral("t")));
                         // Still open at the end (refused, or a check failed): cancel it.
                         const auto close = qScopeGuard([dialog] {
                             if (dialog->isVisible()) {
                                 dialog->reject();
                             }
                         });
                         auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                         edit->setFocus();
                         QTest::keyClicks(edit, target, Qt::NoModifier, 1);
                         QCompleter* completer = edit->completer();
                         QWidget* keys = edit;
                         if (answer.isEmpty()) {
                             // The completions load in the background.
                             QTRY_VERIFY((completer->complete(), completer->popup()->isVisible()));
                             keys = completer->popup();
                         } else {
                             BoxAnswers::whenShown<QMessageBox>([&](QMessageBox* box) {
                                 question = box->text();
                                 box->findChild<QPushButton*>(answer)->click();
                             });
                         }
                         QTest::keyClick(keys, Qt::Key_Return);
                     }},
                     answered);
        QCOMPARE(m_dialogs.folder(m_dir->filePath(QStringLiteral("t"))),
                 chosen ? std::optional(target) : std::nullopt);
        QCOMPARE(question, answer.isEmpty() ? QString() : target + QStringLiteral(" klasörü yok."));
        // Made only by the run that writes into it.
        QCOMPARE(QFileInfo::exists(target), !typed.contains(QStringLiteral("yeni")));
    }

    // Dialogs sit centred on the window that asked, even with nothing active; keys go back,
    // to the control that had them, whether the dialog was accepted or not.
    void dialogsStayWithTheirWindow_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("active");
        QTest::newRow("folder") << "folder" << true;
        QTest::newRow("password") << "password" << true;
        QTest::newRow("password, nothing active") << "password" << false;
        QTest::newRow("PDFs, accepted") << "openPDFs" << true;
        QTest::newRow("PDFs, accepted, nothing active") << "openPDFs" << false;
        QTest::newRow("save") << "save" << false;
    }
    void dialogsStayWithTheirWindow()
    {
        QFETCH(QString, panel);
        QFETCH(bool, active);
        QMainWindow window;
        auto* field = new QLineEdit(&window);
        window.setCentralWidget(field);
        QAction* save = window.addAction(QStringLiteral("Sonucu kaydet…"));
        save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
        QSignalSpy saved(save, &QAction::triggered);
        window.setGeometry(150, 100, 500, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        QWidget other;
        if (!active) {
            // A window that closes leaves nothing active when no window manager steps in.
            other.show();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            other.hide();
            QTRY_VERIFY(QApplication::activeWindow() == nullptr);
        }

        QWidget* parent = nullptr;
        QPoint centre;
        int answered = 0;
        answerInTurn({[&](QWidget* modal) {
                         parent = modal->parentWidget();
                         centre = modal->geometry().center();
                         if (panel == "openPDFs") {
                             qobject_cast<QDialog*>(modal)->done(QDialog::Accepted);
                         } else {
                             QTest::keyClick(modal, Qt::Key_Escape);
                         }
                     }},
                     answered);
        if (panel == "folder") {
            m_dialogs.folder(QDir::homePath());
        } else if (panel == "openPDFs") {
            m_dialogs.openPDFs(true);
        } else if (panel == "save") {
            m_dialogs.save(QStringLiteral("Sözleşme"), QDir::homePath());
        } else {
            m_dialogs.password(QStringLiteral("Gizli.pdf"), [](const QString&) { return false; });
        }
        QCOMPARE(answered, 1);
        QCOMPARE(parent, &window);
        QCOMPARE(centre, window.geometry().center());
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClick(window.windowHandle(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(saved.count(), 1);
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
