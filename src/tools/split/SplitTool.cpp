#include "tools/split/SplitTool.h"

#include "engine/include/PDFEngine.h"
#include "store/Dialogs.h"
#include "store/Store.h"
#include "store/ToolRun.h"
#include "tools/PDFFileList.h"

#include <QCoreApplication>

SplitTool::SplitTool(Store& store) : ToolModel(store) {}

QString SplitTool::title() const
{
    return QCoreApplication::translate("SectionText", "Böl");
}

QString SplitTool::feature() const
{
    return QCoreApplication::translate("AboutView",
                                       "Sayfa sayfa, sabit aralıkla ya da yazdığın aralıklarla");
}

QString SplitTool::subtitle() const
{
    return QCoreApplication::translate("SectionText",
                                       "Bir PDF'i sayfalara ya da aralıklara ayırır.");
}

void SplitTool::setSplitFile(const std::optional<PDFFile>& file)
{
    if (!PDFFiles::same(file, m_splitFile)) {
        m_splitFile = file;
        notify(&SplitTool::splitFileChanged);
    }
}

void SplitTool::setSplitMode(SplitMode mode)
{
    if (mode != m_splitMode) {
        m_splitMode = mode;
        notify(&SplitTool::splitModeChanged);
    }
}

void SplitTool::setSplitEvery(int every)
{
    if (every != m_splitEvery) {
        m_splitEvery = every;
        notify(&SplitTool::splitEveryChanged);
    }
}

void SplitTool::setSplitRanges(const QString& ranges)
{
    if (ranges != m_splitRanges) {
        m_splitRanges = ranges;
        notify(&SplitTool::splitRangesChanged);
    }
}

PDFEngine::SplitRule SplitTool::rule() const
{
    return PDFEngine::SplitRule{m_splitMode, m_splitEvery, m_splitRanges};
}

SplitPlan SplitTool::splitGroups() const
{
    if (!m_splitFile) {
        return {};
    }
    return PDFEngine::splitPlan(rule(), m_splitFile->pageCount);
}

QList<PDFFile> SplitTool::inputs() const
{
    return PDFFiles::listed(m_splitFile);
}

void SplitTool::take(const QStringList& paths, const Admit& admit)
{
    if (std::optional<PDFFile> file = admit(paths.first())) {
        setSplitFile(file);
    }
}

std::optional<PreparedRun> SplitTool::prepare()
{
    if (!m_splitFile) {
        return std::nullopt;
    }
    const SplitPlan plan = splitGroups();
    if (!plan.error.isEmpty()) {
        store().setError(key(), plan.error);
        return std::nullopt;
    }
    if (plan.groups.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<QString> folder =
        store().dialogs().folder(ToolRun::startFolder(key(), {*m_splitFile}));
    if (!folder) {
        return std::nullopt;
    }
    return PreparedRun{PDFEngine::SplitJob{m_splitFile->source, rule(), *folder, true},
                       {*m_splitFile}};
}
