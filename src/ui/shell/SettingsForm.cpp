#include "ui/shell/SettingsForm.h"

#include "ui/kit/Card.h"
#include "ui/kit/Labels.h"
#include "ui/kit/Theme.h"

#include <QFrame>

#include <QVBoxLayout>

namespace SettingsForm {

QVBoxLayout* group(QWidget* pane, QVBoxLayout* column, const QString& heading)
{
    if (!heading.isEmpty()) {
        column->addWidget(Labels::overline(heading, pane));
    }
    auto* content = new QWidget(pane);
    auto* inner = new QVBoxLayout(content);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(8);
    column->addWidget(surface(content, 12));
    return inner;
}

ToneLabel* note(const QString& text, QWidget* parent)
{
    auto* label = Labels::text(text, TextStyle::callout, Tone::secondary, parent);
    label->setWordWrap(true);
    return label;
}

QWidget* divider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, DS::hairline(parent->palette()));
    line->setPalette(palette);
    return line;
}

} // namespace SettingsForm
