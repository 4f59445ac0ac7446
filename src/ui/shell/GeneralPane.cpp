#include "ui/shell/GeneralPane.h"

#include "core/Preferences.h"
#include "core/ToolOptions.h"
#include "store/Store.h"
#include "tools/compress/CompressTool.h"
#include "ui/kit/Labels.h"
#include "ui/shell/LanguagePicker.h"
#include "ui/shell/SettingsForm.h"
#include "ui/shell/TrayWatch.h"
#include "ui/shell/UpdateSettings.h"
#include "update/Updater.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The compress screen's own words for the levels, so both places read the same.
QString levelTitle(CompressionLevel level)
{
    switch (level) {
    case CompressionLevel::light: return QCoreApplication::translate("CompressScreen", "Hafif");
    case CompressionLevel::balanced:
        return QCoreApplication::translate("CompressScreen", "Dengeli");
    case CompressionLevel::strong: return QCoreApplication::translate("CompressScreen", "Güçlü");
    }
    return {};
}

QString levelNote(CompressionLevel level)
{
    switch (level) {
    case CompressionLevel::light:
        return QCoreApplication::translate("CompressScreen",
                                           "Baskı için uygun. Görseller neredeyse aynı kalır.");
    case CompressionLevel::balanced:
        return QCoreApplication::translate("CompressScreen",
                                           "Ekranda okumak ve e-postayla göndermek için.");
    case CompressionLevel::strong:
        return QCoreApplication::translate("CompressScreen",
                                           "En küçük dosya. Görsellerde bozulma fark edilir.");
    }
    return {};
}

} // namespace

GeneralPane::GeneralPane(Store& store, QWidget* parent)
    : QWidget(parent), m_store(store), m_language(new LanguagePicker(this)),
      m_reveal(new QCheckBox(tr("İşlem bitince dosyayı Finder'da göster"), this)),
      m_level(new QComboBox(this)), m_levelNote(SettingsForm::note(QString(), this)),
      m_notice(new QCheckBox(tr("Pencere kapanınca menü çubuğu bildirimini göster"), this))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(10);

    SettingsForm::group(this, column)->addWidget(m_language);

    QVBoxLayout* run = SettingsForm::group(this, column);
    run->addWidget(m_reveal);
    m_reveal->setChecked(Preferences::revealAfter());
    connect(m_reveal, &QCheckBox::toggled, this, &Preferences::setRevealAfter);
    connect(&Preferences::shared(), &Preferences::revealAfterChanged, m_reveal,
            &QCheckBox::setChecked);
    auto* levelRow = new QFormLayout;
    levelRow->addRow(tr("Sıkıştırma düzeyi"), m_level);
    m_level->setAccessibleName(tr("Sıkıştırma düzeyi"));
    run->addLayout(levelRow);
    run->addWidget(m_levelNote);
    for (CompressionLevel level : ToolOptions::compressionLevels) {
        m_level->addItem(levelTitle(level));
    }
    connect(m_level, &QComboBox::activated, this, [this](int index) {
        m_store.tool<CompressTool>().setCompressionLevel(
            ToolOptions::compressionLevels.at(static_cast<std::size_t>(index)));
    });
    connect(&m_store.tool<CompressTool>(), &CompressTool::compressionLevelChanged, this,
            &GeneralPane::showLevel);
    showLevel();

    // The toggle says "show", the setting says "muted".
    QVBoxLayout* notice = SettingsForm::group(this, column);
    notice->addWidget(m_notice);
    notice->addWidget(SettingsForm::note(
        tr("Pencereyi kapatınca Leaflow Dock'tan çıkar ve menü çubuğunda çalışmaya devam eder."),
        this));
    m_notice->setObjectName(QStringLiteral("noticeToggle"));
    // The group's card, which holds the toggle and its note.
    m_noticeGroup = m_notice->parentWidget()->parentWidget();
    showNoticeGroup(TrayWatch::shared().available());
    connect(&TrayWatch::shared(), &TrayWatch::availableChanged, this,
            &GeneralPane::showNoticeGroup);
    m_notice->setChecked(!Preferences::noticeMuted());
    connect(m_notice, &QCheckBox::toggled, this,
            [](bool shown) { Preferences::setNoticeMuted(!shown); });
    connect(&Preferences::shared(), &Preferences::noticeMutedChanged, m_notice,
            [this](bool muted) { m_notice->setChecked(!muted); });

    SettingsForm::group(this, column, tr("Güncelleme"))
        ->addWidget(new UpdateSettings(Updater::shared(), this));
    column->addStretch(1);
}

void GeneralPane::showNoticeGroup(bool trayAvailable)
{
    m_noticeGroup->setVisible(trayAvailable);
}

void GeneralPane::showLevel()
{
    const CompressionLevel level = m_store.tool<CompressTool>().compressionLevel();
    const auto& levels = ToolOptions::compressionLevels;
    m_level->setCurrentIndex(
        static_cast<int>(std::find(levels.begin(), levels.end(), level) - levels.begin()));
    m_levelNote->setText(levelNote(level));
}
