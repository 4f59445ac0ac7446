#include "ui/shell/LanguagePicker.h"

#include "ui/kit/Button.h"
#include "ui/kit/Labels.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace {

constexpr std::array<AppLanguage, 4> choices = {AppLanguage::system, AppLanguage::en,
                                                AppLanguage::tr, AppLanguage::es};

// Each language by its own name, so a user lost in a foreign interface finds theirs.
QString name(AppLanguage language)
{
    switch (language) {
    case AppLanguage::system: return LanguagePicker::tr("Sistem dili");
    case AppLanguage::en: return QStringLiteral("English");
    case AppLanguage::tr: return QStringLiteral("Türkçe");
    case AppLanguage::es: return QStringLiteral("Español");
    }
    return {};
}

LanguagePicker::Relaunch& relaunchAction()
{
    static LanguagePicker::Relaunch action;
    return action;
}

} // namespace

LanguagePicker::LanguagePicker(QWidget* parent)
    : QWidget(parent), m_picker(new QComboBox(this)), m_restartRow(new QWidget(this)),
      m_failure(Labels::text(tr("Leaflow yeniden açılamadı. Yeni dil, Leaflow'u kapatıp açınca "
                                "geçerli olur."),
                             TextStyle::callout, Tone::primary, this)),
      m_initial(AppLanguages::startedWith())
{
    for (AppLanguage language : choices) {
        m_picker->addItem(name(language));
    }
    const AppLanguage stored = AppLanguages::selected();
    m_picker->setCurrentIndex(
        static_cast<int>(std::find(choices.begin(), choices.end(), stored) - choices.begin()));

    auto* restart = new QHBoxLayout(m_restartRow);
    restart->setContentsMargins(0, 0, 0, 0);
    auto* text = Labels::text(tr("Yeni dil, uygulama yeniden açılınca geçerli olur."),
                              TextStyle::callout, Tone::secondary, m_restartRow);
    text->setWordWrap(true);
    restart->addWidget(text, 1);
    auto* relaunch = new Button(tr("Yeniden aç"), Button::Kind::bordered, m_restartRow);
    restart->addWidget(relaunch);
    connect(relaunch, &QAbstractButton::clicked, this,
            [this] { m_failure->setVisible(relaunchAction() && !relaunchAction()()); });
    m_failure->setObjectName(QStringLiteral("relaunchFailed"));
    m_failure->setWordWrap(true);
    m_failure->hide();
    // A choice made in an earlier window of this run is still waiting for its restart.
    m_restartRow->setHidden(stored == m_initial);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    form->addRow(tr("Dil"), m_picker);
    // Named by its label, not by the language it shows.
    m_picker->setAccessibleName(tr("Dil"));
    column->addLayout(form);
    column->addWidget(m_restartRow);
    column->addWidget(m_failure);

    connect(m_picker, &QComboBox::activated, this, &LanguagePicker::choose);
}

void LanguagePicker::setRelaunch(Relaunch relaunch)
{
    relaunchAction() = std::move(relaunch);
}

AppLanguage LanguagePicker::choice() const
{
    return choices.at(static_cast<std::size_t>(std::max(m_picker->currentIndex(), 0)));
}

bool LanguagePicker::offersRestart() const
{
    return !m_restartRow->isHidden();
}

void LanguagePicker::choose(int index)
{
    if (index < 0) {
        return;
    }
    AppLanguages::select(choice());
    m_restartRow->setHidden(choice() == m_initial);
    m_failure->hide();
}
