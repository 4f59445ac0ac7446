#include "ModalScript.h"
#include "PasswordDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString firstText = QStringLiteral(
    "Parolayı gir. Parola yalnız bu oturumda kullanılır ve kaydedilmez. Çıktı dosyası parolasız olur.");
const QString retryText = QStringLiteral("Parola yanlış. Yeniden dene.");
const QString cancelWord = QStringLiteral("<cancel>");
const QString escapeWord = QStringLiteral("<escape>");
const QString rightPassword = QStringLiteral("sesame-7");

// What one attempt's dialog showed before it was answered.
struct Shown {
    QString message;
    QString informative;
    QString fieldText;
    bool fieldHasFocus = false;
};

} // namespace

// The password prompt asked again until the password opens the file or the user gives up.
class PasswordDialogTest : public QObject {
    Q_OBJECT
private slots:
    void answersInTurn_data();
    void answersInTurn();
    void returnPressesOpen();
};

void PasswordDialogTest::answersInTurn_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<std::optional<QString>>("expected");
    QTest::addColumn<QStringList>("tried");

    QTest::newRow("right at once") << QStringList{rightPassword} << std::optional(rightPassword)
                                   << QStringList{rightPassword};
    QTest::newRow("wrong then right")
        << QStringList{QStringLiteral("wrong"), rightPassword} << std::optional(rightPassword)
        << QStringList{QStringLiteral("wrong"), rightPassword};
    QTest::newRow("cancel on first") << QStringList{cancelWord} << std::optional<QString>()
                                     << QStringList{};
    QTest::newRow("escape on first") << QStringList{escapeWord} << std::optional<QString>()
                                     << QStringList{};
    QTest::newRow("cancel on third")
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), cancelWord}
        << std::optional<QString>() << QStringList{QStringLiteral("a"), QStringLiteral("b")};
}

void PasswordDialogTest::answersInTurn()
{
    QFETCH(QStringList, answers);
    QFETCH(std::optional<QString>, expected);
    QFETCH(QStringList, tried);

    QList<Shown> shown;
    ModalScript script;
    for (const QString& answer : answers) {
        script.then([&shown, answer](QWidget* modal) {
            auto* field = modal->findChild<QLineEdit*>(QStringLiteral("password"));
            QVERIFY(field != nullptr);
            shown << Shown{modal->findChild<QLabel*>(QStringLiteral("message"))->text(),
                           modal->findChild<QLabel*>(QStringLiteral("informative"))->text(),
                           field->text(), modal->focusWidget() == field};
            if (answer == cancelWord) {
                QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cancel")),
                                  Qt::LeftButton);
            } else if (answer == escapeWord) {
                QTest::keyClick(field, Qt::Key_Escape);
            } else {
                QTest::keyClicks(field, answer);
                QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("open")),
                                  Qt::LeftButton);
            }
        });
    }
    script.start();

    QStringList candidates;
    const std::optional<QString> result = PasswordDialog::ask(
        QStringLiteral("/tmp/dosyalar/Gizli rapor.pdf"), [&candidates](const QString& candidate) {
            candidates << candidate;
            return candidate == rightPassword;
        });

    QCOMPARE(script.answered(), answers.size());
    QCOMPARE(result, expected);
    QCOMPARE(candidates, tried);
    QCOMPARE(shown.size(), answers.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QCOMPARE(shown[i].message, QStringLiteral("Gizli rapor.pdf parola korumalı"));
        QCOMPARE(shown[i].informative, i == 0 ? firstText : retryText);
        QVERIFY2(shown[i].fieldText.isEmpty(), "every attempt starts with an empty field");
        QVERIFY2(shown[i].fieldHasFocus, "typing goes into the field at once");
    }
}

void PasswordDialogTest::returnPressesOpen()
{
    ModalScript script;
    for (const QString& typed : {QStringLiteral("nope"), rightPassword}) {
        script.then([typed](QWidget* modal) {
            auto* field = modal->findChild<QLineEdit*>(QStringLiteral("password"));
            QTest::keyClicks(field, typed);
            QTest::keyClick(field, Qt::Key_Return);
        });
    }
    script.start();

    const auto result = PasswordDialog::ask(
        QStringLiteral("b.pdf"), [](const QString& candidate) { return candidate == rightPassword; });
    QCOMPARE(script.answered(), 2);
    QCOMPARE(result, std::optional(rightPassword));
}

QTEST_MAIN(PasswordDialogTest)
#include "PasswordDialogTest.moc"
