#include "ui/screens/SplitOptions.h"

#include "tools/split/SplitTool.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RoundedField.h"
#include "ui/kit/SegmentedControl.h"
#include "ui/kit/StepperControl.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int fieldWidth = 360;

} // namespace

SplitOptions::SplitOptions(SplitTool& tool, QWidget* parent)
    : Card(16, parent), m_tool(tool),
      m_modes(new SegmentedControl({tr("Her sayfa ayrı"), tr("Sabit aralık"), tr("Aralıklar")})),
      m_each(Labels::text(tr("Her sayfa ayrı bir PDF olur."), TextStyle::body)),
      m_everyRow(new QWidget), m_everyBefore(Labels::text(QString(), TextStyle::body)),
      m_everyAfter(Labels::text(QString(), TextStyle::body)), m_stepper(new StepperControl),
      m_ranges(new QWidget), m_field(new QLineEdit)
{
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    auto* modesLabel = Labels::overline(tr("Nasıl bölünsün?"));
    modesLabel->setBuddy(m_modes); // names the choices for a screen reader
    column->addWidget(modesLabel);
    column->addWidget(m_modes, 0, Qt::AlignLeft);
    column->addWidget(m_each);

    auto* everyLayout = new QHBoxLayout(m_everyRow);
    everyLayout->setContentsMargins(0, 0, 0, 0);
    everyLayout->setSpacing(8);
    everyLayout->addWidget(m_everyBefore);
    everyLayout->addWidget(m_stepper);
    everyLayout->addWidget(m_everyAfter);
    everyLayout->addStretch(1);
    column->addWidget(m_everyRow);

    auto* rangesLayout = new QVBoxLayout(m_ranges);
    rangesLayout->setContentsMargins(0, 0, 0, 0);
    rangesLayout->setSpacing(8);
    m_field->setPlaceholderText(tr("1-3, 5, 8-12"));
    m_field->setAccessibleName(tr("Aralıklar"));
    m_field->setFont(Theme::monospacedDigits(Theme::font(TextStyle::body)));
    auto* frame = new RoundedField(m_field);
    frame->setMaximumWidth(fieldWidth);
    rangesLayout->addWidget(frame);
    auto* help = Labels::text(tr("Virgülle ayır. Her aralık ayrı bir dosya olur. “8-” sona kadar "
                                 "demektir."),
                              TextStyle::body, Tone::secondary);
    help->setWordWrap(true);
    rangesLayout->addWidget(help);
    column->addWidget(m_ranges);
    layout()->addWidget(body);

    connect(m_modes, &SegmentedControl::activated, this, [this](int index) {
        m_tool.setSplitMode(ToolOptions::splitModes.at(static_cast<std::size_t>(index)));
    });
    connect(m_stepper, &StepperControl::stepped, this,
            [this](int value) { m_tool.setSplitEvery(value); });
    connect(m_field, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_tool.setSplitRanges(text); });
    connect(&m_tool, &SplitTool::splitModeChanged, this, &SplitOptions::showMode);
    connect(&m_tool, &SplitTool::splitEveryChanged, this, &SplitOptions::showEvery);
    connect(&m_tool, &SplitTool::splitFileChanged, this, &SplitOptions::showEvery);
    connect(&m_tool, &SplitTool::splitRangesChanged, this, &SplitOptions::showRanges);
    showMode();
    showEvery();
    showRanges();
}

void SplitOptions::showMode()
{
    const SplitMode mode = m_tool.splitMode();
    const auto& modes = ToolOptions::splitModes;
    m_modes->setCurrentIndex(
        static_cast<int>(std::find(modes.begin(), modes.end(), mode) - modes.begin()));
    m_each->setVisible(mode == SplitMode::each);
    m_everyRow->setVisible(mode == SplitMode::every);
    m_ranges->setVisible(mode == SplitMode::ranges);
}

void SplitOptions::showEvery()
{
    const qint64 pages = m_tool.splitFile() ? m_tool.splitFile()->pageCount : 1;
    m_stepper->setRange(1, static_cast<int>(std::clamp<qint64>(pages, 1, INT_MAX)));
    // A step beyond the page count splits exactly as the page count does, so
    // the control shows the value it can offer without changing the setting.
    m_stepper->setValue(m_tool.splitEvery());
    // The sentence reads around the number the user types.
    const QString sentence = tr("Her %1 sayfada bir böl");
    const qsizetype number = sentence.indexOf(QStringLiteral("%1"));
    m_everyBefore->setText(number < 0 ? sentence : sentence.left(number).trimmed());
    m_everyAfter->setText(number < 0 ? QString() : sentence.mid(number + 2).trimmed());
    m_everyBefore->setVisible(!m_everyBefore->text().isEmpty());
    m_everyAfter->setVisible(!m_everyAfter->text().isEmpty());
    const QString name = sentence.arg(m_stepper->value());
    m_stepper->setAccessibleName(name);
    m_stepper->field()->setAccessibleName(name);
}

void SplitOptions::showRanges()
{
    if (m_field->text() != m_tool.splitRanges()) {
        m_field->setText(m_tool.splitRanges());
    }
}
