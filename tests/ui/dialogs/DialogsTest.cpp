#include "ModalDialogs.h"
#include "PasswordDialog.h"
#include "QtPanels.h"

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
#include <functional>

namespace {

const QString rightPassword = QStringLiteral("sesame-7");

// Answers the application's next modal windows in turn, from inside their own event loops, the
// way a user would.
class ModalScript {
public:
    using Answer = std::function<void(QWidget* modal)>;

    void then(Answer answer) { m_answers << std::move(answer); }
    void start() { arm(); }
    int answered() const { return m_answered; }

private:
    void arm()
    {
        QTimer::singleShot(0, [this]() {
            QWidget* modal = QApplication::activeModalWidget();
            // Between two windows there is none for a moment; keep looking.
            if (modal == nullptr || !modal->isVisible()) {
                arm();
                return;
            }
            Answer answer = m_answers.takeFirst();
            ++m_answered;
            if (!m_answers.isEmpty()) {
                arm();
            }
            answer(modal);
        });
    }

    QList<Answer> m_answers;
    int m_answered = 0;
};

// Answers the next message box once it shows, from inside its own event loop.
void answerBoxWhenShown(const std::function<void(QMessageBox*)>& answer)
{
    QTimer::singleShot(0, [answer]() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            answerBoxWhenShown(answer);
            return;
        }
        answer(box);
    });
}

// A file dialog's accept() is protected; QDialog's is public.
void accept(QFileDialog* dialog)
{
    static_cast<QDialog*>(dialog)->accept();
}

} // namespace

// The password prompt, asked again until the password opens the file or the user gives up,
// and the Qt file panels the window falls back to.
class DialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QtPanels m_panels{QtPanels::Style::qtWidgets};

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
        ModalScript script;
        for (const QString& answer : answers) {
            script.then([&informative, answer](QWidget* modal) {
                auto* field = modal->findChild<QLineEdit*>(QStringLiteral("password"));
                QCOMPARE(modal->findChild<QLabel*>(QStringLiteral("message"))->text(),
                         QStringLiteral("Gizli rapor.pdf parola korumalı"));
                informative << modal->findChild<QLabel*>(QStringLiteral("informative"))->text();
                // Every attempt starts empty, and typing goes into the field at once.
                QVERIFY(field->text().isEmpty());
                QCOMPARE(modal->focusWidget(), field);
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
            });
        }
        script.start();
        QStringList candidates;
        const std::optional<QString> result =
            PasswordDialog::ask(QStringLiteral("/tmp/dosyalar/Gizli rapor.pdf"),
                                [&](const QString& candidate) {
                                    candidates << candidate;
                                    return candidate == rightPassword;
                                });
        QCOMPARE(script.answered(), answers.size());
        QCOMPARE(result, expected);
        QCOMPARE(candidates, tried);
        QCOMPARE(informative.value(0),
                 QStringLiteral("Parolayı gir. Parola yalnız bu oturumda kullanılır ve "
                                "kaydedilmez. Çıktı dosyası parolasız olur."));
        for (const QString& text : informative.mid(1)) {
            QCOMPARE(text, QStringLiteral("Parola yanlış. Yeniden dene."));
        }
    }

    void savePresetsTheNameAndConfirmsOverwriting()
    {
        const QString existing = m_dir->filePath(QStringLiteral("Sözleşme imzalı.pdf"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QString nameShown;
        QString question;
        ModalScript script;
        script.then([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(dialog->selectedNameFilter().contains(QStringLiteral("*.pdf")));
            dialog->setDirectory(m_dir->path());
            nameShown = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            accept(dialog);
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
        QCOMPARE(nameShown, QStringLiteral("Sözleşme imzalı.pdf"));
        QVERIFY(question.contains(QStringLiteral("Sözleşme imzalı.pdf")));
        QCOMPARE(chosen, std::optional(existing));
    }

    void openPDFsSelection_data()
    {
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("several") << true << false << QStringList{"a.pdf", "b.pdf"};
        QTest::newRow("one") << false << false << QStringList{"a.pdf"};
        QTest::newRow("cancelled") << true << true << QStringList{};
    }
    void openPDFsSelection()
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
            QVERIFY(dialog);
            QCOMPARE(dialog->fileMode(),
                     multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
            QVERIFY(dialog->selectedNameFilter().contains(QStringLiteral("*.pdf")));
            if (cancel) {
                dialog->reject();
                return;
            }
            dialog->setDirectory(m_dir->path());
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(multiple ? QStringLiteral("\"a.pdf\" \"b.pdf\"")
                                   : QStringLiteral("a.pdf"));
            accept(dialog);
        });
        script.start();
        QStringList expectedPaths;
        for (const QString& name : expected) {
            expectedPaths << m_dir->filePath(name);
        }
        QCOMPARE(m_panels.openPDFs(multiple), expectedPaths);
    }

    void folderChoosesDirectories()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("çıktılar")));
        const QString target = m_dir->filePath(QStringLiteral("çıktılar"));
        ModalScript script;
        script.then([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
            QCOMPARE(dialog->labelText(QFileDialog::Accept), QStringLiteral("Bu klasöre kaydet"));
            dialog->setDirectory(target);
            accept(dialog);
        });
        script.start();
        QCOMPARE(m_panels.folder(), std::optional(target));
    }

    // Typed key by key while the folder shown is its parent, as a user types a path: Enter in the
    // open completion list chose the parent, and a missing folder got Qt's English refusal.
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
        bool stayedOpen = false;
        ModalScript script;
        script.then([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            // Still open at the end (refused, or a check failed): cancel it.
            const auto close = qScopeGuard([dialog] {
                if (dialog->isVisible()) {
                    dialog->reject();
                }
            });
            dialog->setDirectory(m_dir->filePath(QStringLiteral("t")));
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            edit->setFocus();
            QTest::keyClicks(edit, target, Qt::NoModifier, 1);
            QCompleter* completer = edit->completer();
            QWidget* keys = edit;
            if (answer.isEmpty()) {
                // The completions come from a file system model that loads in the background.
                QTRY_VERIFY((completer->complete(), completer->popup()->isVisible()));
                keys = completer->popup();
            }
            if (!answer.isEmpty()) {
                answerBoxWhenShown([&](QMessageBox* box) {
                    question = box->text();
                    box->findChild<QPushButton*>(answer)->click();
                });
            }
            QTest::keyClick(keys, Qt::Key_Return);
            stayedOpen = dialog->isVisible();
        });
        script.start();
        const std::optional<QString> result = m_panels.folder();
        QCOMPARE(result, chosen ? std::optional(target) : std::nullopt);
        QCOMPARE(stayedOpen, !chosen);
        QCOMPARE(question, answer.isEmpty() ? QString() : target + QStringLiteral(" klasörü yok."));
        QCOMPARE(QFileInfo(target).isDir(), chosen);
    }

    // Each dialog opens over the window that asked, centred on it, also when the window system
    // reports no active window (no window manager: the password prompt sat in the middle of the
    // screen, off its window), and hands the keyboard back when it closes, so the window's
    // shortcuts work without a click.
    void dialogsStayWithTheirWindow_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("active");
        QTest::newRow("folder") << "folder" << true;
        QTest::newRow("password") << "password" << true;
        QTest::newRow("password, nothing active") << "password" << false;
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
        ModalScript script;
        script.then([&](QWidget* modal) {
            parent = modal->parentWidget();
            centre = modal->geometry().center();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        script.start();
        if (panel == "folder") {
            m_panels.folder();
        } else {
            m_panels.password(QStringLiteral("Gizli.pdf"), [](const QString&) { return false; });
        }
        QCOMPARE(script.answered(), 1);
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
