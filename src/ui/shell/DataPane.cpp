#include "ui/shell/DataPane.h"

#include "store/Dialogs.h"
#include "store/Store.h"
#include "ui/kit/Button.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"
#include "ui/screens/HistoryScreen.h"
#include "ui/shell/SettingsForm.h"

#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QVBoxLayout>

DataPane::DataPane(Store& store, QWidget* parent)
    : QWidget(parent), m_store(store),
      m_signatures(Labels::text(QString(), TextStyle::body, Tone::primary, this)),
      m_history(Labels::text(QString(), TextStyle::body, Tone::primary, this)),
      m_failure(SettingsForm::note(QString(), this))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(10);
    QVBoxLayout* group = SettingsForm::group(this, column);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(Labels::text(tr("Veri klasörü"), TextStyle::body, Tone::primary, this));
    folderRow->addStretch(1);
    auto* reveal = new Button(tr("Finder'da göster"), Button::Kind::bordered, this);
    reveal->setObjectName(QStringLiteral("revealFolder"));
    folderRow->addWidget(reveal);
    // Made after the button shown above it: the Tab order is the order of making.
    m_clear = new Button(tr("Geçmişi temizle…"), Button::Kind::bordered, this);
    group->addLayout(folderRow);
    m_failure->hide();
    group->addWidget(m_failure);

    auto* counts = new QFormLayout;
    counts->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (QLabel* number : {m_signatures, m_history}) {
        number->setFont(Theme::monospacedDigits(number->font()));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    m_signatures->setObjectName(QStringLiteral("signatureCount"));
    m_history->setObjectName(QStringLiteral("historyCount"));
    counts->addRow(tr("Kayıtlı imza"), m_signatures);
    counts->addRow(tr("Geçmiş kaydı"), m_history);
    group->addLayout(counts);
    group->addWidget(
        SettingsForm::note(tr("İmzaların ve geçmiş listen bu klasörde durur. Eklediğin "
                              "PDF'ler kopyalanmaz, yalnız okunur. Parolalar "
                              "kaydedilmez."),
                           this));
    group->addWidget(m_clear, 0, Qt::AlignLeft);
    column->addStretch(1);

    connect(reveal, &QAbstractButton::clicked, this, &DataPane::revealFolder);
    connect(m_clear, &QAbstractButton::clicked, this, [this] {
        if (!m_confirmation && !m_store.data().history.isEmpty()) {
            m_confirmation = HistoryScreen::askToClear(m_store, this);
        }
    });
    connect(&m_store, &Store::dataChanged, this, &DataPane::showCounts);
    showCounts();
}

void DataPane::showCounts()
{
    const AppData& stored = m_store.data();
    m_signatures->setText(QString::number(stored.signatures.size()));
    m_history->setText(QString::number(stored.history.size()));
    m_clear->setEnabled(!stored.history.isEmpty());
}

void DataPane::revealFolder()
{
    const QString folder = QDir(m_store.dataFile().folder()).absolutePath();
    m_failure->hide();
    // Where nothing answers, the path is the way there.
    m_store.fileReveal().reveal({folder}, [pane = QPointer<DataPane>(this), folder] {
        if (pane) {
            pane->m_failure->setText(
                QCoreApplication::translate("Store", "Dosya yöneticisi açılamadı. Konum: %1")
                    .arg(QDir::toNativeSeparators(folder)));
            pane->m_failure->show();
        }
    });
}
