#include "ui/screens/OcrScreen.h"

#include "core/AppLanguage.h"
#include "store/Store.h"
#include "tools/ocr/OcrTool.h"
#include "ui/kit/AlertLabel.h"
#include "ui/kit/FileList.h"
#include "ui/kit/FileRow.h"
#include "ui/kit/Labels.h"
#include "ui/kit/RunButton.h"
#include "ui/screens/ScreenBinding.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

// The languages as the page lists them: the interface's languages in their usual order.
QList<std::pair<QString, QString>> languageChoices()
{
    return {{QStringLiteral("tur"), OcrScreen::tr("Türkçe")},
            {QStringLiteral("eng"), OcrScreen::tr("İngilizce")},
            {QStringLiteral("spa"), OcrScreen::tr("İspanyolca")}};
}

QCheckBox* option(const QString& text, const QString& description)
{
    auto* box = new QCheckBox(text);
    box->setAccessibleDescription(description);
    return box;
}

} // namespace

OcrScreen::OcrScreen(OcrTool& tool, Store& store, QWidget* parent)
    : ToolPage(tool.page(), parent), m_tool(tool), m_store(store),
      m_display(ScreenBinding::fileDisplay(store)),
      m_parts(tool,
              {tr("PDF ekle"), QStringLiteral("text.viewfinder"),
               tr("Taranmış PDF'leri buraya bırak"),
               tr("Sayfaların resmi okunur, üstüne görünmez bir metin katmanı konur: arama, "
                  "kopyalama ve sesli okuma çalışır. Asıl dosya değişmez, hiçbir şey "
                  "bilgisayardan çıkmaz."),
               tr("Temizle"), tr("Metni tanı…")},
              false),
      m_turnPages(option(tr("Yan yatmış sayfaları düzelt"),
                         tr("Yan ya da ters taranmış sayfalar dik çevrilir."))),
      m_redo(option(tr("Tanınmış sayfaları yeniden tanı"),
                    tr("Bu aracın daha önce eklediği metin katmanı yenilenir. Başka bir "
                       "programın koyduğu metne dokunulmaz."))),
      m_languageNote(new AlertLabel(TextStyle::callout))
{
    auto* filled = new QWidget;
    auto* column = new QVBoxLayout(filled);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_parts.list, 1);
    column->addWidget(makeOptions());
    m_parts.install(*this, store, filled);
    m_parts.list->setAccessibleName(tr("Metni tanınacak dosyalar"));

    for (auto it = m_languages.cbegin(); it != m_languages.cend(); ++it) {
        const QString& code = it.key();
        connect(it.value(), &QCheckBox::toggled, this,
                [this, code](bool on) { m_tool.setLanguageChosen(code, on); });
    }
    connect(m_turnPages, &QCheckBox::toggled, &m_tool, &OcrTool::setTurnPages);
    connect(m_redo, &QCheckBox::toggled, &m_tool, &OcrTool::setRedo);
    connect(&m_tool, &OcrTool::ocrFilesChanged, this, &OcrScreen::showFiles);
    connect(&m_tool, &OcrTool::ocrResultsChanged, this, &OcrScreen::showResults);
    connect(&m_tool, &OcrTool::ocrOptionsChanged, this, &OcrScreen::showOptions);

    ScreenBinding::bindPage(*this, m_tool, store);
    ScreenBinding::reloadThumbsWhenReady(*this, store);
    showFiles();
}

QWidget* OcrScreen::makeOptions()
{
    auto* bar = new QWidget;
    auto* rows = new QVBoxLayout(bar);
    rows->setContentsMargins(Metrics::pageSide, 12, Metrics::pageSide, 16);
    rows->setSpacing(8);
    auto* languages = new QHBoxLayout;
    languages->setSpacing(12);
    auto* label = Labels::overline(tr("Diller"));
    languages->addWidget(label);
    for (const auto& [code, name] : languageChoices()) {
        QCheckBox* box = option(name, tr("Tanıma dili"));
        box->setObjectName(code);
        m_languages.insert(code, box);
        languages->addWidget(box);
    }
    label->setBuddy(m_languages.value(languageChoices().first().first));
    m_languageNote->setObjectName(QStringLiteral("languageNote"));
    languages->addWidget(m_languageNote);
    languages->addStretch(1);
    rows->addLayout(languages);
    auto* pages = new QHBoxLayout;
    pages->setSpacing(16);
    pages->addWidget(m_turnPages);
    pages->addWidget(m_redo);
    pages->addStretch(1);
    rows->addLayout(pages);
    return bar;
}

std::optional<QString>
OcrScreen::statusText(const std::optional<PDFEngine::RecognitionTally>& tally)
{
    if (!tally) {
        return std::nullopt;
    }
    if (tally->recognised == 0 && tally->turned == 0) {
        return tr("Tüm sayfalar zaten aranabilir");
    }
    QStringList parts;
    if (tally->recognised > 0) {
        parts << tr("%Ln sayfa tanındı", nullptr, tally->recognised);
    }
    if (tally->searchable > 0) {
        parts << tr("%Ln zaten aranabilir", nullptr, tally->searchable);
    }
    if (tally->turned > 0) {
        parts << tr("%Ln sayfa döndürüldü", nullptr, tally->turned);
    }
    return parts.join(QStringLiteral(" · "));
}

FileRow* OcrScreen::row(int index) const
{
    return qobject_cast<FileRow*>(m_parts.list->row(index));
}

void OcrScreen::showFiles()
{
    m_parts.showFiles(m_tool.ocrFiles(), m_display, m_store, tr("Dosya: %1 · %2"),
                      [this](const QUuid& id) { remove(id); });
    showResults();
    showOptions();
}

void OcrScreen::showResults()
{
    const QHash<QUuid, PDFEngine::RecognitionTally>& results = m_tool.ocrResults();
    for (int index = 0; index < m_parts.list->count(); ++index) {
        FileRow* fileRow = row(index);
        const auto found = results.constFind(fileRow->file().id);
        const bool ran = found != results.constEnd();
        fileRow->setStatus(statusText(ran ? std::optional(*found) : std::nullopt),
                           ran && found->recognised > 0 ? DS::up(palette())
                                                        : Theme::secondary(palette()));
    }
}

// The boxes follow the tool, which the settings may have set; without a language the run
// waits and the line beside the languages says why.
void OcrScreen::showOptions()
{
    for (auto it = m_languages.cbegin(); it != m_languages.cend(); ++it) {
        const QSignalBlocker quiet(it.value());
        it.value()->setChecked(m_tool.ocrLanguages().contains(it.key()));
    }
    const QSignalBlocker quietTurn(m_turnPages);
    m_turnPages->setChecked(m_tool.turnPages());
    const QSignalBlocker quietRedo(m_redo);
    m_redo->setChecked(m_tool.redo());
    const bool languages = !m_tool.ocrLanguages().isEmpty();
    m_languageNote->setMessage(languages ? QString() : tr("En az bir dil seç."));
    m_parts.run->setReady(!m_tool.ocrFiles().isEmpty() && languages);
}

void OcrScreen::changeEvent(QEvent* event)
{
    ToolPage::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        showResults(); // the badges' tints follow the appearance
    }
}

void OcrScreen::remove(const QUuid& id)
{
    QList<PDFFile> files = m_tool.ocrFiles();
    files.removeIf([&id](const PDFFile& file) { return file.id == id; });
    m_tool.setOcrFiles(files);
}
