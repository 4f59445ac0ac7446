#include "PasswordDialog.h"
#include "QtPanels.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

    // What the open and folder panels hand back: the files or the folder chosen, or nothing.
    void panelsGiveWhatWasChosen_data()
    {
        QTest::addColumn<QString>("panel"); // "several", "one" or "folder"
        QTest::addColumn<QString>("typed"); // what the name field holds; empty cancels
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("several PDFs") << "several"
                                      << "\"a.pdf\" \"b.pdf\"" << QStringList{"a.pdf", "b.pdf"};
        QTest::newRow("one PDF") << "one"
                                 << "a.pdf" << QStringList{"a.pdf"};
        QTest::newRow("cancelled") << "several"
                                   << "" << QStringList{};
        QTest::newRow("a folder") << "folder"
                                  << "çıktılar" << QStringList{"çıktılar"};
    }
    void panelsGiveWhatWasChosen()
    {
        QFETCH(QString, panel);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        for (const QString name : {"a.pdf", "b.pdf", "notes.txt"}) {
            QFile file(m_dir->filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("çıktılar")));
        const QMap<QString, QFileDialog::FileMode> modes = {{"several", QFileDialog::ExistingFiles},
                                                            {"one", QFileDialog::ExistingFile},
                                                            {"folder", QFileDialog::Directory}};
        ModalScript script;
        script.then([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->fileMode(), modes.value(panel));
            QVERIFY(panel == "folder" || dialog->selectedNameFilter().contains("*.pdf"));
            if (typed.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->setDirectory(m_dir->path());
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            accept(dialog);
        });
        script.start();
        QStringList expectedPaths;
        for (const QString& name : expected) {
            expectedPaths << m_dir->filePath(name);
        }
        const QStringList chosen = panel == QLatin1String("folder")
                                       ? QStringList{m_panels.folder().value_or(QString())}
                                       : m_panels.openPDFs(panel == QLatin1String("several"));
        QCOMPARE(chosen, expectedPaths);
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
